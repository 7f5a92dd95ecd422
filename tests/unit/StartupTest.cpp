// Start-up, the close request and Exit of the main window.
#include <gtest/gtest.h>

#include <algorithm>

#include "Fakes.h"

namespace {

using platform::NotifyIcon;
using platform::Registry;

const std::tuple<Registry::HKEY, std::string, std::string> kMachineRunValue{
    Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "quillmere"};

std::size_t indexOf(const fakes::CallLog& log, const std::string& call) {
    return static_cast<std::size_t>(std::find(log.begin(), log.end(), call) - log.begin());
}

TEST(Startup, FirstStartStoresTheDefaultsChecksTheOptionAndWritesTheRunValue) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();

    EXPECT_EQ(machine.settings.values, (std::map<std::string, std::string>{{"Load on Windows", "1"},
                                                                             {"Enable Auto Free", "0"},
                                                                             {"Free RAM Percentage", "15"},
                                                                             {"Loaded", "True"},
                                                                             {"lastOptimized", ""}}));
    EXPECT_TRUE(machine.settings.badAddresses.empty());
    EXPECT_EQ(main.chkRunWhenWIndowsStarts.value(), 1);
    EXPECT_EQ(main.chkAutoFreeRamPercent.value(), 0);
    EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), "15");
    EXPECT_FALSE(main.txtScanTillNumberOfFiles.enabled());
    EXPECT_FALSE(main.udScanTillNoOfFiles.enabled());
    EXPECT_FALSE(main.Label12.enabled());

    ASSERT_EQ(machine.registry.values.count(kMachineRunValue), 1U);
    const auto& run = machine.registry.values.at(kMachineRunValue);
    EXPECT_EQ(run.type, Registry::REG_SZ);
    EXPECT_EQ(run.data, "\"C:\\Program Files\\Quillmere\\quillmere.exe\" auto");

    EXPECT_TRUE(main.visible());
    EXPECT_EQ(main.windowState(), forms::WindowState::Normal);
    EXPECT_TRUE(main.TmrMemoryCount.enabled());
    EXPECT_TRUE(machine.notifyIcon.calls.empty());
    EXPECT_EQ(main.lblDate.text(), "long date 2026-12-10");
    EXPECT_EQ(main.lblTime.text(), "Time: 19:05:09");
    EXPECT_EQ(main.lblAvilablePhysicalRam.text(), "4194304 KB");  // filled before the window shows
}

TEST(Startup, ResetsTheRunSettingsBeforeReadingAnythingAndEndsWithLoaded) {
    fakes::Machine machine;
    machine.settings.values = {{"lastOptimized", "2026-12-10 19:00:00"}, {"Loaded", "True"}};
    machine.start();
    const auto& log = machine.log;

    EXPECT_EQ(log.at(0), "write lastOptimized=");
    EXPECT_EQ(log.at(1), "write Loaded=False");
    EXPECT_EQ(machine.settings.values.at("lastOptimized"), "");
    // The first refresh runs the automatic free check while "Loaded" still reads "False".
    EXPECT_LT(indexOf(log, "read Loaded"), indexOf(log, "write Loaded=True"));
    EXPECT_EQ(log.back(), "write Loaded=True");
}

TEST(Startup, ColoursTheThreeBarsWhiteWithADarkRedFill) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();
    const auto& sent = machine.windows.messages;
    ASSERT_EQ(sent.size(), 6U);
    const forms::NativeHandle bars[] = {main.pgbAvailablePageFile.hWnd(), main.PgbAvailablePhysicalRAM.hWnd(),
                                        main.pgbAvailableVirtualRAM.hWnd()};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sent[2 * i].window, bars[i]);
        EXPECT_EQ(sent[2 * i].message, 8193U);
        EXPECT_EQ(sent[2 * i].lParam, 0xFFFFFF);
        EXPECT_EQ(sent[2 * i + 1].window, bars[i]);
        EXPECT_EQ(sent[2 * i + 1].message, 1033U);
        EXPECT_EQ(sent[2 * i + 1].lParam, 128);
    }
}

struct StoredOption {
    const char* stored;  // nullptr: a value that gives no text
    int boxValue;  // the state the box takes, and what start-up then stores back
    bool runValue;
};

void PrintTo(const StoredOption& o, std::ostream* out) {
    if (o.stored == nullptr) {
        *out << "unreadable";
    } else {
        *out << "'" << o.stored << "'";
    }
}

class StoredLoadOnWindows : public testing::TestWithParam<StoredOption> {};

TEST_P(StoredLoadOnWindows, SetsTheBoxOrLeavesItAsDesigned) {
    const StoredOption option = GetParam();
    fakes::Machine machine;
    if (option.stored == nullptr) {
        machine.settings.unreadable.insert("Load on Windows");
    } else {
        machine.settings.values["Load on Windows"] = option.stored;
    }
    machine.registry.values[kMachineRunValue] = {Registry::REG_SZ, "left from before"};
    machine.start();
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), option.boxValue);
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), std::to_string(option.boxValue));
    EXPECT_EQ(machine.registry.values.count(kMachineRunValue), option.runValue ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredLoadOnWindows,
                         testing::Values(StoredOption{"1", 1, true}, StoredOption{" 1 ", 1, true},
                                         StoredOption{"0", 0, false}, StoredOption{"abc", 0, false},
                                         StoredOption{"", 0, false}, StoredOption{"7", 0, false},
                                         StoredOption{"-1", 0, false}, StoredOption{"40000", 0, false},
                                         StoredOption{"0.5", 0, false}, StoredOption{"1.5", 2, false},
                                         StoredOption{"2", 2, false}, StoredOption{"1.4", 1, true},
                                         StoredOption{nullptr, 0, false}));

// A value that gives no text is not an absent one: neither option takes its default "on", the
// threshold field gets no text, and each is stored again as a text.
TEST(Startup, UnreadableSettingsAreNotTakenAsAbsent) {
    fakes::Machine machine;
    machine.settings.unreadable = {"Load on Windows", "Enable Auto Free", "Free RAM Percentage", "lastOptimized"};
    machine.start();
    auto& main = machine.main();
    EXPECT_EQ(main.chkRunWhenWIndowsStarts.value(), 0);
    EXPECT_EQ(main.chkAutoFreeRamPercent.value(), 0);
    EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), "");
    EXPECT_TRUE(machine.settings.unreadable.empty());
    EXPECT_EQ(machine.settings.values, (std::map<std::string, std::string>{{"Load on Windows", "0"},
                                                                             {"Enable Auto Free", "0"},
                                                                             {"Free RAM Percentage", ""},
                                                                             {"Loaded", "True"},
                                                                             {"lastOptimized", ""}}));
}

TEST(Startup, ReadsTheStoredAutoFreeOptionAndThresholdUnchanged) {
    fakes::Machine machine;
    machine.settings.values = {{"Enable Auto Free", "1"}, {"Free RAM Percentage", "not a number"}};
    machine.start();
    auto& main = machine.main();
    EXPECT_EQ(main.chkAutoFreeRamPercent.value(), 1);
    EXPECT_TRUE(main.txtScanTillNumberOfFiles.enabled());
    EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), "not a number");
    EXPECT_EQ(machine.settings.values.at("Free RAM Percentage"), "not a number");
}

TEST(Startup, CommaDecimalSeparatorReadsAFractionalStoredState) {
    fakes::Machine machine;
    machine.locale.separator = ',';
    machine.settings.values["Load on Windows"] = "0,6";
    machine.start();
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), 1);
}

struct Argument {
    const char* text;
    bool inTray;
};

void PrintTo(const Argument& a, std::ostream* out) { *out << "'" << a.text << "'"; }

class AutoArgument : public testing::TestWithParam<Argument> {};

TEST_P(AutoArgument, OnlyTheTrimmedWordStartsInTheTray) {
    fakes::Machine machine;
    machine.process.arguments = GetParam().text;
    machine.start();
    auto& main = machine.main();
    const bool inTray = GetParam().inTray;
    EXPECT_EQ(main.visible(), !inTray);
    EXPECT_EQ(main.windowState(), inTray ? forms::WindowState::Minimized : forms::WindowState::Normal);
    EXPECT_EQ(machine.program->tray().bRunningInTray(), inTray);
    EXPECT_EQ(machine.notifyIcon.iconsShown, inTray ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, AutoArgument,
                         testing::Values(Argument{"auto", true}, Argument{"  auto ", true}, Argument{"", false},
                                         Argument{"AUTO", false}, Argument{"Auto", false},
                                         Argument{"auto x", false}, Argument{"\"auto\"", false}));

TEST(CloseRequest, ShowsOneIconAndHidesTheMinimizedWindow) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();

    main.requestClose();
    EXPECT_TRUE(main.loaded());
    EXPECT_FALSE(main.visible());
    EXPECT_EQ(main.windowState(), forms::WindowState::Minimized);
    ASSERT_EQ(machine.notifyIcon.calls.size(), 1U);
    const auto& [message, record] = machine.notifyIcon.calls[0];
    EXPECT_EQ(message, NotifyIcon::NIM_ADD);
    EXPECT_EQ(record.hWnd, main.hWnd());
    EXPECT_NE(record.hWnd, 0U);
    EXPECT_EQ(record.uID, 1U);
    EXPECT_EQ(record.uFlags, 7U);
    EXPECT_EQ(record.uCallbackMessage, 0x0200U);
    EXPECT_EQ(record.hIcon, main.icon());
    EXPECT_EQ(record.szTip, "Quillmere v5.0.1\nPhysical RAM 50% available");

    // A second close request while the icon is shown adds no second icon.
    main.requestClose();
    EXPECT_EQ(machine.notifyIcon.calls.size(), 1U);
    EXPECT_EQ(machine.process.exits, 0);
}

TEST(CloseRequest, TheTaskbarComingBackBringsTheIconBackOnlyWhileInTheTray) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();
    main.TaskbarCreated();
    EXPECT_TRUE(machine.notifyIcon.calls.empty());

    main.requestClose();
    machine.notifyIcon.iconsShown = 0;  // the old taskbar took the icon with it
    main.TaskbarCreated();
    ASSERT_EQ(machine.notifyIcon.calls.size(), 2U);
    EXPECT_EQ(machine.notifyIcon.calls[1].message, NotifyIcon::NIM_ADD);
    EXPECT_EQ(machine.notifyIcon.iconsShown, 1);
}

// Exit asked for by the Exit button, or by another program (the installer) through the window
// system, with the window shown or in the tray.
struct ExitCase {
    bool fromTray;
    bool requestedByAnotherProgram;
};

std::string caseName(const ExitCase& exit) {
    return std::string(exit.requestedByAnotherProgram ? "Requested" : "Button") + (exit.fromTray ? "InTray" : "Shown");
}

void PrintTo(const ExitCase& exit, std::ostream* out) { *out << caseName(exit); }

class ExitCommand : public testing::TestWithParam<ExitCase> {};

TEST_P(ExitCommand, RemovesTheIconYields1999TimesAndEndsWritingNothing) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();
    if (GetParam().fromTray) {
        main.lblHide_Click();
    }
    const std::size_t callsBefore = machine.log.size();
    machine.backend.yields = 0;

    if (GetParam().requestedByAnotherProgram) {
        main.ExitRequested();
    } else {
        main.lblExit.raiseClick();
    }

    const std::vector<std::string> exitCalls(machine.log.begin() + static_cast<long>(callsBefore), machine.log.end());
    EXPECT_EQ(exitCalls, (std::vector<std::string>{"tray delete", "exit"}));
    EXPECT_EQ(machine.backend.yields, 1999);
    EXPECT_FALSE(machine.program->tray().bRunningInTray());
    EXPECT_EQ(machine.notifyIcon.iconsShown, 0);
    EXPECT_EQ(machine.notifyIcon.calls.back().data.uID, 1U);
    EXPECT_EQ(machine.notifyIcon.calls.back().data.hWnd, main.hWnd());
}

INSTANTIATE_TEST_SUITE_P(ButtonOrRequest, ExitCommand,
                         testing::Values(ExitCase{false, false}, ExitCase{true, false}, ExitCase{false, true},
                                         ExitCase{true, true}),
                         [](const testing::TestParamInfo<ExitCase>& info) { return caseName(info.param); });

TEST(ExitCommand, TicksArrivingDuringThePauseRunAndTheCloseHandlerDoesNot) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();
    int ticks = 0;
    machine.backend.onYield = [&](int yield) {
        if (yield == 1000) {
            main.TmrMemoryCount.elapse();
            ++ticks;
        }
    };
    main.mnuExit_Click();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(machine.process.exits, 1);
    EXPECT_TRUE(main.visible());  // no close request ran on the way out
}

}  // namespace
