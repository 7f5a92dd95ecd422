// One copy of the program in a logon session: a second start and the first copy's answer to it.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "app/SingleInstance.h"

namespace {

using quillmere::SecondStart;

struct Start {
    const char* name;
    const char* arguments;
    SecondStart action;
};

void PrintTo(const Start& start, std::ostream* out) { *out << start.name; }

class SecondStartOf : public testing::TestWithParam<Start> {};

TEST_P(SecondStartOf, FollowsTheLogonArgument) {
    EXPECT_EQ(quillmere::secondStartAction(GetParam().arguments), GetParam().action);
}

// A second start never loads its window, never writes a setting, a Run value or a tray icon; a
// start by a user asks the running copy to come forward, the logon start just ends.
TEST_P(SecondStartOf, TouchesNothingOfTheRunningCopy) {
    fakes::Machine machine;
    machine.instances.anotherCopyRuns = true;
    machine.process.arguments = GetParam().arguments;
    const std::map<std::string, std::string> stored{
        {"Load on Windows", "0"}, {"Loaded", "True"}, {"lastOptimized", "2026-12-10 19:00:00"}};
    machine.settings.values = stored;

    machine.program = std::make_unique<quillmere::Program>(machine.services, machine.backend);
    EXPECT_FALSE(machine.program->start());

    const bool bringsForward = GetParam().action == SecondStart::BringFirstForward;
    EXPECT_EQ(machine.log, bringsForward ? fakes::CallLog{"ask the running copy to come forward"} : fakes::CallLog{});
    EXPECT_EQ(machine.settings.values, stored);
    EXPECT_TRUE(machine.registry.values.empty());
    EXPECT_TRUE(machine.notifyIcon.calls.empty());
    EXPECT_FALSE(machine.main().loaded());
    EXPECT_FALSE(machine.main().visible());
    EXPECT_TRUE(machine.backend.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Arguments, SecondStartOf,
                         testing::Values(Start{"NoArgument", "", SecondStart::BringFirstForward},
                                         Start{"Auto", "auto", SecondStart::EndQuietly},
                                         Start{"AutoWithSpaces", "  auto ", SecondStart::EndQuietly},
                                         Start{"AutoInCapitals", "AUTO", SecondStart::BringFirstForward},
                                         Start{"AutoAndMore", "auto x", SecondStart::BringFirstForward},
                                         Start{"AnotherWord", "open", SecondStart::BringFirstForward}),
                         [](const testing::TestParamInfo<Start>& info) { return std::string(info.param.name); });

TEST(FirstStart, ClaimsTheSessionAndAsksNobody) {
    fakes::Machine machine;
    EXPECT_TRUE(machine.start().main().visible());
    EXPECT_EQ(machine.instances.askedToComeForward, 0);
}

struct ComeForward : testing::Test {
    fakes::Machine machine;
    quillmere::FrmMain& main() { return machine.main(); }
};

TEST_F(ComeForward, FromTheTrayAsTheMenusTitleItemDoes) {
    machine.process.arguments = "auto";
    machine.start();
    ASSERT_FALSE(main().visible());
    main().ComeForward();
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(main().windowState(), forms::WindowState::Normal);
    EXPECT_FALSE(machine.program->tray().bRunningInTray());
    EXPECT_EQ(machine.notifyIcon.iconsShown, 0);
}

TEST_F(ComeForward, AMinimizedWindowIsRestoredWithoutAnIcon) {
    machine.start();
    main().setWindowState(forms::WindowState::Minimized);
    main().ComeForward();
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(main().windowState(), forms::WindowState::Normal);
    EXPECT_TRUE(machine.notifyIcon.calls.empty());
}

TEST_F(ComeForward, NotDuringARun) {
    machine.process.arguments = "auto";
    machine.start();
    machine.program->bOptimizing = true;
    main().ComeForward();
    EXPECT_FALSE(main().visible());
    EXPECT_TRUE(machine.program->tray().bRunningInTray());
}

}  // namespace
