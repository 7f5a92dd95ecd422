// The run's lifecycle: what the progress window refuses, what a second request does, failures
// inside handlers, windows and timers the system cannot make, and the ways out of the program.
#include <gtest/gtest.h>

#include <new>
#include <ostream>

#include "Fakes.h"
#include "optimize/FrmOptimize.h"

namespace {

using quillmere::FrmOptimize;

// The moments at which something can happen to a run, from its request to its box.
enum class Moment { Waiting, Sliding, Running, BoxOpen };

const char* nameOf(Moment moment) {
    switch (moment) {
    case Moment::Waiting:
        return "Waiting";
    case Moment::Sliding:
        return "Sliding";
    case Moment::Running:
        return "Running";
    case Moment::BoxOpen:
        return "BoxOpen";
    }
    return "?";
}

void PrintTo(Moment moment, std::ostream* out) { *out << nameOf(moment); }

struct LifecycleMachine : fakes::Machine {
    quillmere::FrmMain& mainWindow() { return main(); }
    FrmOptimize& progress() { return program->optimizeWindow(); }

    // Requests a run and drives it to its end as the window system would, calling what at the
    // moment given. A sliding run is requested with the main window in the tray, the others with
    // it shown (the only way a box is shown).
    void runWith(Moment moment, const std::function<void()>& what) {
        if (moment == Moment::Sliding) {
            mainWindow().lblHide_Click();
        }
        mainWindow().lblOptimizeNow_Click();
        FrmOptimize& window = progress();
        if (moment == Moment::Waiting) {
            what();
        }
        for (int tick = 0; window.loaded() && window.tmrMenuPopup.enabled() && tick < 100; ++tick) {
            if (moment == Moment::Sliding && tick == 5) {
                what();
            }
            window.tmrMenuPopup.elapse();
        }
        backend.onYield = [&](int yield) {
            if (moment == Moment::Running && yield == 100) {
                what();
            }
        };
        backend.onMessageBox = [&] {
            if (moment == Moment::BoxOpen) {
                what();
            }
        };
        if (window.loaded()) {
            window.Timer1.elapse();
        }
        backend.onYield = nullptr;
        backend.onMessageBox = nullptr;
    }

    // The run has ended and left the program as it was before the request.
    void expectRunOverAndNothingFrozen() {
        EXPECT_FALSE(program->optimizeWindowLoaded());
        EXPECT_FALSE(program->bOptimizing);
        EXPECT_TRUE(mainWindow().Picture1.enabled());
        EXPECT_TRUE(mainWindow().TmrMemoryCount.enabled());
        EXPECT_EQ(blocks.live, 0);
    }

    // A later request starts a fresh run.
    void expectANewRunCanStart() {
        mainWindow().lblOptimizeNow_Click();
        EXPECT_TRUE(progress().loaded());
        EXPECT_TRUE(program->bOptimizing);
        EXPECT_TRUE(progress().Timer1.enabled() || progress().tmrMenuPopup.enabled());
    }
};

class EveryMoment : public testing::TestWithParam<Moment> {};

std::string momentName(const testing::TestParamInfo<Moment>& info) { return nameOf(info.param); }

TEST_P(EveryMoment, TheProgressWindowRefusesToCloseOrMinimiseAndTheRunEndsAsUsual) {
    LifecycleMachine machine;
    machine.start();
    bool stayed = false;
    machine.runWith(GetParam(), [&] {
        FrmOptimize& window = machine.progress();
        window.requestClose();
        stayed = window.loaded() && window.visible() && !window.requestMinimize();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(machine.blocks.allocated.size(), 201U);
    EXPECT_EQ(machine.blocks.released.size(), 201U);
    machine.expectRunOverAndNothingFrozen();
    // The main window, for its part, can be minimised.
    EXPECT_TRUE(machine.mainWindow().requestMinimize());
}

INSTANTIATE_TEST_SUITE_P(ProgressWindow, EveryMoment,
                         testing::Values(Moment::Waiting, Moment::Sliding, Moment::Running, Moment::BoxOpen),
                         momentName);

enum class Source { OptimizeNow, TrayMenu, AutomaticFree };

struct SecondRequest {
    Source source;
    Moment moment;
};

void PrintTo(const SecondRequest& request, std::ostream* out) {
    static const char* const sources[] = {"OptimizeNow", "TrayMenu", "AutomaticFree"};
    *out << sources[static_cast<int>(request.source)] << "While" << nameOf(request.moment);
}

class WhileTheProgressWindowIsLoaded : public testing::TestWithParam<SecondRequest> {};

TEST_P(WhileTheProgressWindowIsLoaded, ARunRequestChangesNothing) {
    const SecondRequest request = GetParam();
    LifecycleMachine machine;
    // The automatic free is on and memory is low (50 % available against 60 %).
    machine.settings.values["Enable Auto Free"] = "1";
    machine.settings.values["Free RAM Percentage"] = "60";
    machine.start();
    quillmere::FrmMain& main = machine.mainWindow();

    const FrmOptimize* windowBefore = nullptr;
    bool unchanged = false;
    machine.runWith(request.moment, [&] {
        FrmOptimize& window = machine.progress();
        windowBefore = &window;
        const bool picture = main.Picture1.enabled();
        const bool refresh = main.TmrMemoryCount.enabled();
        const bool timer1 = window.Timer1.enabled();
        const bool slide = window.tmrMenuPopup.enabled();
        const float bar = window.PgbOptimizing.Value();
        switch (request.source) {
        case Source::OptimizeNow:
            main.lblOptimizeNow_Click();
            break;
        case Source::TrayMenu:
            main.mnuOptimize_Click();
            break;
        case Source::AutomaticFree:
            // A user who leaves the box open for five minutes while memory is low.
            machine.clock.advance(301);
            main.CheckAutoFree();
            break;
        }
        unchanged = &machine.progress() == windowBefore && window.loaded() && main.Picture1.enabled() == picture &&
                    main.TmrMemoryCount.enabled() == refresh && window.Timer1.enabled() == timer1 &&
                    window.tmrMenuPopup.enabled() == slide && window.PgbOptimizing.Value() == bar;
    });
    EXPECT_TRUE(unchanged);
    EXPECT_EQ(machine.blocks.allocated.size(), 201U);  // one run, not two
    EXPECT_LE(machine.backend.messages.size(), 1U);
    machine.expectRunOverAndNothingFrozen();
    machine.expectANewRunCanStart();
}

std::vector<SecondRequest> everySecondRequest() {
    std::vector<SecondRequest> requests;
    for (Source source : {Source::OptimizeNow, Source::TrayMenu, Source::AutomaticFree}) {
        for (Moment moment : {Moment::Waiting, Moment::Sliding, Moment::Running, Moment::BoxOpen}) {
            requests.push_back({source, moment});
        }
    }
    return requests;
}

INSTANTIATE_TEST_SUITE_P(AllSources, WhileTheProgressWindowIsLoaded, testing::ValuesIn(everySecondRequest()),
                         testing::PrintToStringParamName());

TEST(RunFailure, AnAllocationThatThrowsGivesBackEveryBlockAndFreesTheMainWindow) {
    LifecycleMachine machine;
    machine.blocks.throwAt = 100;
    machine.start();
    machine.mainWindow().lblOptimizeNow_Click();
    EXPECT_NO_THROW(machine.progress().Timer1_Timer());

    EXPECT_EQ(machine.blocks.allocated.size(), 100U);
    EXPECT_EQ(machine.blocks.released.size(), 100U);
    EXPECT_TRUE(machine.backend.messages.empty());
    EXPECT_EQ(machine.settings.values.at("lastOptimized"), "");  // no run was completed
    machine.expectRunOverAndNothingFrozen();

    // The figures refresh again, and the next run goes through.
    machine.memory.status.ullAvailPhys = 1ULL << 30;
    machine.mainWindow().TmrMemoryCount.elapse();
    EXPECT_EQ(machine.mainWindow().lblAvilablePhysicalRam.text(), "1048576 KB");
    machine.mainWindow().lblOptimizeNow_Click();
    machine.progress().Timer1.elapse();
    EXPECT_EQ(machine.blocks.released.size(), 100U + 201U);
    EXPECT_EQ(machine.backend.messages.size(), 1U);
}

TEST(HandlerFailure, EndsThatHandlerOnlyAndTheProgramGoesOn) {
    LifecycleMachine machine;
    machine.start();
    quillmere::FrmMain& main = machine.mainWindow();
    const auto fail = [] { throw std::bad_alloc(); };

    // A tray callback that fails during a run's yield: the run goes on to its end.
    main.TrayMouseMove = [fail](const forms::TrayEvent&) { fail(); };
    machine.runWith(Moment::Running, [&] { main.raiseTrayMouseMove(fakes::trayEvent(0x0203)); });
    EXPECT_EQ(machine.blocks.released.size(), 201U);
    EXPECT_EQ(machine.backend.messages.size(), 1U);
    machine.expectRunOverAndNothingFrozen();

    // A failing tick leaves its timer running; a failing click is over with nothing changed.
    main.TmrMemoryCount.Tick = fail;
    EXPECT_NO_THROW(main.TmrMemoryCount.elapse());
    EXPECT_TRUE(main.TmrMemoryCount.enabled());
    main.lblHide.Click = fail;
    EXPECT_NO_THROW(main.lblHide.raiseClick());
    EXPECT_TRUE(main.visible());

    // A close handler that fails keeps its window.
    main.QueryUnload = [fail](bool&) { fail(); };
    main.requestClose();
    EXPECT_TRUE(main.loaded());
}

struct Refusal {
    const char* name;
    bool inTray;
    std::set<std::string> forms;
    std::set<std::string> timers;
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class WhenTheSystemRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(WhenTheSystemRefuses, ARunRequestThatCannotStartLeavesNothingFrozen) {
    const Refusal refusal = GetParam();
    LifecycleMachine machine;
    machine.start();
    if (refusal.inTray) {
        machine.mainWindow().lblHide_Click();
    }
    machine.backend.refusedForms = refusal.forms;
    machine.backend.refusedTimers = refusal.timers;
    machine.mainWindow().lblOptimizeNow_Click();
    for (int tick = 0; machine.program->optimizeWindowLoaded() && tick < 100; ++tick) {
        machine.progress().tmrMenuPopup.elapse();  // a slide that ends with no Timer1 to start
    }
    EXPECT_TRUE(machine.blocks.allocated.empty());
    machine.expectRunOverAndNothingFrozen();
    // The tray answers again.
    machine.mainWindow().lblHide_Click();
    machine.mainWindow().TrayMouseMove(fakes::trayEvent(0x0205));
    EXPECT_EQ(machine.backend.popups.size(), 1U);

    // Once the system can, a request starts a run.
    machine.backend.refusedForms.clear();
    machine.backend.refusedTimers.clear();
    machine.expectANewRunCanStart();
}

INSTANTIATE_TEST_SUITE_P(
    WindowsAndTimers, WhenTheSystemRefuses,
    testing::Values(Refusal{"NoProgressWindow", false, {"FrmOptimize"}, {}},
                    Refusal{"NoTimer1", false, {}, {"Timer1"}},
                    Refusal{"NoSlideTimer", true, {}, {"tmrMenuPopup"}},
                    Refusal{"NoTimer1AfterTheSlide", true, {}, {"Timer1"}}),
    testing::PrintToStringParamName());

TEST(StartUp, FailsWhenTheMainWindowCannotBeMade) {
    fakes::Machine machine;
    machine.backend.refusedForms = {"FrmMain"};
    quillmere::Program program(machine.services, machine.backend);
    EXPECT_FALSE(program.start());
    EXPECT_FALSE(program.main().loaded());
}

enum class Outside { Idle, InTray, Running, BoxOpen };

const char* nameOf(Outside when) {
    static const char* const names[] = {"Idle", "InTray", "Running", "BoxOpen"};
    return names[static_cast<int>(when)];
}

void PrintTo(Outside when, std::ostream* out) { *out << nameOf(when); }

class AQuitRequest : public testing::TestWithParam<Outside> {};

TEST_P(AQuitRequest, RemovesTheIconAndGivesBackTheRunsBlocksBeforeTheProcessEnds) {
    const Outside when = GetParam();
    LifecycleMachine machine;
    machine.start();
    int iconsAtExit = -1;
    int blocksAtExit = -1;
    machine.process.onExit = [&] {
        iconsAtExit = machine.notifyIcon.iconsShown;
        blocksAtExit = machine.blocks.live;
    };
    // The end of the session, a restart manager's close or a WM_QUIT from elsewhere, as the
    // backend reports each of them.
    const auto quit = [&] { machine.backend.raiseQuitRequested(); };
    switch (when) {
    case Outside::Idle:
        quit();
        break;
    case Outside::InTray:
        machine.mainWindow().lblHide_Click();
        ASSERT_EQ(machine.notifyIcon.iconsShown, 1);
        quit();
        break;
    case Outside::Running:
        // A run from the tray: its icon stays up the whole run.
        machine.mainWindow().lblHide_Click();
        machine.runWith(Moment::Running, [&] {
            ASSERT_GT(machine.blocks.live, 0);
            quit();
        });
        break;
    case Outside::BoxOpen:
        machine.runWith(Moment::BoxOpen, quit);
        break;
    }
    EXPECT_EQ(machine.process.exits, 1);
    EXPECT_EQ(iconsAtExit, 0);
    EXPECT_EQ(blocksAtExit, 0);
    const auto del = std::find(machine.log.begin(), machine.log.end(), "tray delete");
    EXPECT_LT(del, std::find(machine.log.begin(), machine.log.end(), "exit"));
}

INSTANTIATE_TEST_SUITE_P(Always, AQuitRequest,
                         testing::Values(Outside::Idle, Outside::InTray, Outside::Running, Outside::BoxOpen),
                         [](const testing::TestParamInfo<Outside>& info) { return nameOf(info.param); });

TEST(OptimizationDone, IsModalToTheMainWindow) {
    LifecycleMachine machine;
    machine.start();
    machine.runWith(Moment::BoxOpen, [] {});
    ASSERT_EQ(machine.backend.messages.size(), 1U);
    EXPECT_EQ(machine.backend.messages[0].owner, "FrmMain");
}

}  // namespace
