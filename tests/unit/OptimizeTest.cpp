// The optimization run, its progress window and the commands that request it.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "optimize/FrmOptimize.h"

namespace {

using platform::Windows;
using quillmere::FrmOptimize;

struct Run : testing::Test {
    fakes::Machine machine;
    void SetUp() override { machine.start(); }
    quillmere::FrmMain& main() { return machine.main(); }
    FrmOptimize& progress() { return machine.program->optimizeWindow(); }
};

TEST_F(Run, OptimizeNowFreezesTheMainWindowAndShowsTheProgressWindowOnTop) {
    machine.windows.placements.clear();
    main().lblOptimizeNow.raiseClick();
    FrmOptimize& window = progress();
    EXPECT_FALSE(main().TmrMemoryCount.enabled());
    EXPECT_FALSE(main().Picture1.enabled());
    EXPECT_TRUE(machine.program->bOptimizing);
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.left(), 4590);
    EXPECT_EQ(window.top(), 4740);
    EXPECT_TRUE(window.Timer1.enabled());
    EXPECT_FALSE(window.tmrMenuPopup.enabled());
    ASSERT_EQ(machine.windows.placements.size(), 1U);
    EXPECT_EQ(machine.windows.placements[0].window, window.hWnd());
    EXPECT_EQ(machine.windows.placements[0].insertAfter, Windows::HWND_TOPMOST);
    EXPECT_EQ(machine.windows.placements[0].flags, 3U);
    EXPECT_EQ(window.Label1.text(), "Optimizing Physical RAM. Please wait ....!");
    // Its bar is coloured like the main window's.
    const auto& last = machine.windows.messages;
    ASSERT_GE(last.size(), 2U);
    EXPECT_EQ(last[last.size() - 2].window, window.PgbOptimizing.hWnd());
    EXPECT_EQ(last[last.size() - 2].lParam, 0xFFFFFF);
    EXPECT_EQ(last.back().lParam, 128);

    // A disabled window takes no clicks: no second run can be requested.
    main().lblOptimizeNow.raiseClick();
    EXPECT_EQ(&progress(), &window);
}

TEST_F(Run, AllocatesTouchesAndReleasesEveryBlockOneStepAtATime) {
    main().lblOptimizeNow_Click();
    FrmOptimize& window = progress();
    std::vector<float> values;
    std::vector<int> liveBlocks;
    machine.backend.yields = 0;
    machine.backend.onYield = [&](int) {
        values.push_back(window.PgbOptimizing.Value());
        liveBlocks.push_back(machine.blocks.live);
    };
    window.Timer1.elapse();

    ASSERT_EQ(values.size(), 402U);
    EXPECT_FLOAT_EQ(values[0], 1.0F);
    EXPECT_FLOAT_EQ(values[200], 201.0F);  // after the allocation pass
    EXPECT_FLOAT_EQ(values[401], 402.0F);  // after the release pass
    EXPECT_EQ(liveBlocks[200], 201);
    EXPECT_EQ(liveBlocks[201], 200);  // one block released per step
    EXPECT_EQ(liveBlocks[401], 0);
    EXPECT_FLOAT_EQ(window.PgbOptimizing.Max(), 410.0F);
    EXPECT_FLOAT_EQ(window.PgbOptimizing.Value(), 410.0F);

    EXPECT_EQ(machine.blocks.sizes, std::vector<std::size_t>(201, 2'000'000));
    EXPECT_EQ(machine.blocks.released, machine.blocks.allocated);  // the same order
    EXPECT_EQ(machine.blocks.touchedInFull, std::vector<bool>(201, true));
}

TEST_F(Run, EndsByRecordingTheTimeEnablingTheMainWindowAndSayingDone) {
    main().lblOptimizeNow_Click();
    FrmOptimize& window = progress();
    machine.clock.time = {2026, 12, 10, 23, 58, 0};
    bool flagClearedBeforeTheMessage = false;
    machine.backend.onMessageBox = [&] {
        flagClearedBeforeTheMessage = !machine.program->bOptimizing && main().Picture1.enabled() &&
                                      main().TmrMemoryCount.enabled() && window.visible();
    };
    machine.windows.placements.clear();
    window.Timer1.elapse();

    EXPECT_EQ(machine.settings.values.at("lastOptimized"), "2026-12-10 23:58:00");
    ASSERT_EQ(machine.backend.messages.size(), 1U);
    EXPECT_EQ(machine.backend.messages[0].text, "Optimization done");
    EXPECT_EQ(machine.backend.messages[0].caption, "Quillmere v5.0.1");
    EXPECT_TRUE(flagClearedBeforeTheMessage);
    ASSERT_EQ(machine.windows.placements.size(), 1U);
    EXPECT_EQ(machine.windows.placements[0].insertAfter, Windows::HWND_NOTOPMOST);
    EXPECT_FALSE(window.loaded());
    EXPECT_FALSE(window.Timer1.enabled());

    // The figures refresh again, and the next request gets a fresh window.
    machine.memory.status.ullAvailPhys = 1ULL << 30;
    main().TmrMemoryCount.elapse();
    EXPECT_EQ(main().lblAvilablePhysicalRam.text(), "1048576 KB");
    main().lblOptimizeNow_Click();
    EXPECT_FLOAT_EQ(progress().PgbOptimizing.Value(), 0.0F);
    EXPECT_TRUE(progress().visible());
}

TEST_F(Run, ABlockThatCannotBeAllocatedLeavesItsSlotEmptyAndTheRunGoesOn) {
    machine.blocks.refuse = {0, 100, 200};
    main().lblOptimizeNow_Click();
    progress().Timer1.elapse();
    EXPECT_EQ(machine.blocks.allocated.size(), 201U);
    EXPECT_EQ(machine.blocks.released.size(), 198U);
    EXPECT_EQ(machine.blocks.live, 0);
    EXPECT_EQ(machine.backend.messages.size(), 1U);
    EXPECT_NE(machine.settings.values.at("lastOptimized"), "");
}

TEST_F(Run, TrayEventsAndTicksDuringTheRunAreIgnored) {
    main().lblOptimizeNow_Click();
    const std::string time = main().lblTime.text();
    machine.clock.advance(3);
    machine.backend.onYield = [&](int yield) {
        if (yield == 100) {
            main().TrayMouseMove(fakes::trayEvent(0x0203));
            main().TrayMouseMove(fakes::trayEvent(0x0205));
            main().TmrMemoryCount.elapse();
        }
    };
    progress().Timer1.elapse();
    EXPECT_TRUE(machine.backend.popups.empty());
    EXPECT_EQ(main().lblTime.text(), time);
}

TEST_F(Run, InTheTrayTheRunEndsWithoutAMessage) {
    main().lblHide_Click();
    main().lblOptimizeNow_Click();
    progress().tmrMenuPopup.setEnabled(false);
    progress().Timer1_Timer();
    EXPECT_TRUE(machine.backend.messages.empty());
    EXPECT_FALSE(progress().loaded());
    EXPECT_FALSE(main().visible());
}

TEST_F(Run, TheTrayMenusOptimizeRestoresFirstAndUsesThePlainPlacement) {
    main().lblHide_Click();
    machine.backend.onPopup = [](const forms::MenuItem& menu) { menu.items[1].Click(); };
    main().TrayMouseMove(fakes::trayEvent(0x0205));
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(machine.program->tray().bRunningInTray());
    EXPECT_TRUE(progress().Timer1.enabled());
    EXPECT_EQ(progress().top(), 4740);
}

struct Slide {
    forms::NativeHandle taskbar;
    platform::ClientRect taskbarRect;
    int startTop;
    int finalTop;
    int moves;
};

void PrintTo(const Slide& s, std::ostream* out) {
    if (s.taskbar == 0) {
        *out << "no taskbar";
    } else {
        *out << "taskbar " << s.taskbarRect.right << "x" << s.taskbarRect.bottom;
    }
}

class SlideIn : public testing::TestWithParam<Slide> {};

TEST_P(SlideIn, RisesFromBelowTheScreenInStepsOf80TwipsThenStartsTheRun) {
    const Slide slide = GetParam();
    fakes::Machine machine;
    machine.backend.frameHeightTwips = 0;
    machine.windows.taskbar = slide.taskbar;
    machine.windows.taskbarRect = slide.taskbarRect;
    machine.start();
    machine.main().lblHide_Click();
    machine.main().lblOptimizeNow_Click();
    FrmOptimize& window = machine.program->optimizeWindow();

    EXPECT_EQ(window.top(), slide.startTop);
    EXPECT_EQ(window.FinalTop, slide.finalTop);
    EXPECT_EQ(window.left(), static_cast<int>((1024 - 391 + 10) * 14.7));
    EXPECT_TRUE(window.visible());
    EXPECT_TRUE(window.tmrMenuPopup.enabled());
    EXPECT_FALSE(window.Timer1.enabled());

    int moves = 0;
    while (window.tmrMenuPopup.enabled()) {
        const int before = window.top();
        window.tmrMenuPopup.elapse();
        if (window.top() != before) {
            EXPECT_EQ(before - window.top(), 80);
            ++moves;
        }
    }
    EXPECT_EQ(moves, slide.moves);
    EXPECT_LE(window.top(), slide.finalTop);
    if (slide.moves > 0) {
        EXPECT_GT(window.top(), slide.finalTop - 80);  // less than one step above
    }
    EXPECT_TRUE(window.Timer1.enabled());
}

// A 1024 by 768 screen and a window of 1095 twips outer height: S = 11136, FinalTop = 9941.
INSTANTIATE_TEST_SUITE_P(
    Taskbars, SlideIn,
    testing::Values(Slide{0x7001, {0, 0, 1024, 30}, 11796, 9941, 24},   // 30-pixel taskbar: T = 435
                    Slide{0, {}, 12231, 9941, 29},                       // no taskbar: T = 0
                    Slide{0x7001, {0, 0, 60, 768}, 1095, 9941, 0}));     // docked at a side

// At every scaling the slide ends with the whole window on the screen, at its bottom right, above a
// taskbar of the usual 30 design pixels: a display of 1024 by 768 design pixels.
class ScaledSlideIn : public testing::TestWithParam<int> {};

TEST_P(ScaledSlideIn, EndsOnTheScreenAtTheBottomRightAboveTheTaskbar) {
    const int dpi = GetParam();
    const double scale = dpi / 96.0;
    const double twipsPerPixel = 1440.0 / dpi;
    const int screenWidth = static_cast<int>(1024 * scale);
    const int screenHeight = static_cast<int>(768 * scale);
    const int taskbarHeight = static_cast<int>(30 * scale);
    fakes::Machine machine;
    machine.backend.dpi = dpi;
    machine.backend.frameHeightTwips = 30;  // a one-pixel border above and below at 96 DPI
    machine.windows.screenRect = {0, 0, screenWidth, screenHeight};
    machine.windows.taskbarRect = {0, 0, screenWidth, taskbarHeight};
    machine.start();
    machine.main().lblHide_Click();
    machine.main().lblOptimizeNow_Click();
    FrmOptimize& window = machine.program->optimizeWindow();
    while (window.tmrMenuPopup.enabled()) {
        window.tmrMenuPopup.elapse();
    }

    const double left = window.left() / twipsPerPixel;
    const double right = left + window.clientWidth() / twipsPerPixel;
    const double bottom = (window.top() + window.outerHeight()) / twipsPerPixel;
    EXPECT_LE(right, screenWidth);
    EXPECT_GT(right, screenWidth - 20 * scale);
    EXPECT_LE(bottom, screenHeight - taskbarHeight);
    EXPECT_GT(bottom, screenHeight - taskbarHeight - 20 * scale);
}

INSTANTIATE_TEST_SUITE_P(Scalings, ScaledSlideIn, testing::Values(96, 120, 144, 192),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "dpi";
                         });

TEST(SetTopMost, OnlyMinusOneCountsAsTrue) {
    fakes::CallLog log;
    fakes::Windows windows(log);
    quillmere::modStartup::SetTopMost(windows, 0x42, -1);
    quillmere::modStartup::SetTopMost(windows, 0x42, 1);
    quillmere::modStartup::SetTopMost(windows, 0x42, 0);
    ASSERT_EQ(windows.placements.size(), 3U);
    EXPECT_EQ(windows.placements[0].insertAfter, Windows::HWND_TOPMOST);
    EXPECT_EQ(windows.placements[1].insertAfter, Windows::HWND_NOTOPMOST);
    EXPECT_EQ(windows.placements[2].insertAfter, Windows::HWND_NOTOPMOST);
    for (const auto& p : windows.placements) {
        EXPECT_EQ(p.window, 0x42U);
        EXPECT_EQ(p.flags, Windows::SWP_NOMOVE | Windows::SWP_NOSIZE);
        EXPECT_EQ(p.x + p.y + p.cx + p.cy, 0);
    }
}

}  // namespace
