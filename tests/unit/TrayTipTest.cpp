// The tray icon's tip: the title, then the physical memory line the window shows, kept up to date by
// the refresh tick with a shell call only when that line has changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "Fakes.h"
#include "optimize/FrmOptimize.h"

namespace {

using platform::NotifyIcon;

constexpr std::uint64_t MB = 1024 * 1024;
const std::string kOptimizingTip = "Quillmere v5.0.1\nOptimizing Physical RAM\xE2\x80\xA6";

std::string tipWith(int percent) {
    return "Quillmere v5.0.1\nPhysical RAM " + std::to_string(percent) + "% available";
}

// 570 of 1000 MB available: the window reads "Physical RAM 57% available".
struct TipMachine : fakes::Machine {
    explicit TipMachine(bool startInTray) {
        memory.status.ullTotalPhys = 1000 * MB;
        memory.status.ullAvailPhys = 570 * MB;
        if (startInTray) {
            process.arguments = "auto";
        }
    }
    int modifies() const {
        return static_cast<int>(std::count_if(notifyIcon.calls.begin(), notifyIcon.calls.end(),
                                              [](const auto& call) { return call.message == NotifyIcon::NIM_MODIFY; }));
    }
};

TEST(TrayTip, StartingInTheTrayAddsTheIconWithBothLinesAtOnce) {
    TipMachine machine(true);
    machine.start();
    ASSERT_EQ(machine.notifyIcon.calls.size(), 1U);
    EXPECT_EQ(machine.notifyIcon.calls[0].message, NotifyIcon::NIM_ADD);
    EXPECT_EQ(machine.notifyIcon.calls[0].data.szTip, tipWith(57));
    EXPECT_EQ(machine.notifyIcon.calls[0].data.szTip,
              "Quillmere v5.0.1\n" + machine.main().lblPercentageAvilablePhysicalRam.text());
}

struct Tick {
    const char* name;
    bool inTray;
    std::uint64_t availableMB;  // of 1000, from the next tick on
    int percent;                // the line the window shows then
    int modifies;               // over three ticks
};

void PrintTo(const Tick& c, std::ostream* out) { *out << c.name; }

class TrayTipTick : public testing::TestWithParam<Tick> {};

TEST_P(TrayTipTick, CallsTheShellOnlyWhenThePhysicalLineChanges) {
    const Tick c = GetParam();
    TipMachine machine(c.inTray);
    machine.start();
    const std::size_t callsBefore = machine.notifyIcon.calls.size();
    machine.memory.status.ullAvailPhys = c.availableMB * MB;
    for (int tick = 0; tick < 3; ++tick) {
        machine.main().TmrMemoryCount.elapse();
    }

    // The ticks did run: the window shows the new figure whatever the tray does.
    EXPECT_EQ(machine.main().lblPercentageAvilablePhysicalRam.text(),
              "Physical RAM " + std::to_string(c.percent) + "% available");
    EXPECT_EQ(machine.modifies(), c.modifies);
    EXPECT_EQ(machine.notifyIcon.calls.size(), callsBefore + static_cast<std::size_t>(c.modifies));
    EXPECT_EQ(machine.program->tray().record().szTip, c.inTray ? tipWith(c.percent) : "");
    if (c.modifies > 0) {
        const platform::NotifyIconData& sent = machine.notifyIcon.calls.back().data;
        EXPECT_EQ(sent.szTip, tipWith(c.percent));
        EXPECT_EQ(sent.hWnd, machine.main().hWnd());
        // As the add left them.
        EXPECT_EQ(sent.uID, 1U);
        EXPECT_EQ(sent.uFlags, 7U);
        EXPECT_EQ(sent.uCallbackMessage, 0x0200U);
        EXPECT_EQ(sent.hIcon, machine.main().icon());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, TrayTipTick,
    testing::Values(Tick{"InTrayNewShare", true, 480, 48, 1},
                    Tick{"InTraySameShare", true, 574, 57, 0},  // 57.4 still reads 57
                    Tick{"InTrayNothingChanged", true, 570, 57, 0},
                    Tick{"ShownNewShare", false, 480, 48, 0}),
    [](const testing::TestParamInfo<Tick>& info) { return std::string(info.param.name); });

TEST(TrayTip, DuringARunTheTipSaysSoAndTheFiguresComeBackAfterIt) {
    TipMachine machine(true);
    machine.settings.values["Enable Auto Free"] = "1";
    machine.settings.values["Free RAM Percentage"] = "60";
    machine.start();
    quillmere::FrmMain& main = machine.main();

    // 57% is below the threshold: this tick starts a run, and its tip is the only shell call.
    main.TmrMemoryCount.elapse();
    ASSERT_TRUE(machine.program->bOptimizing);
    EXPECT_EQ(machine.modifies(), 1);
    EXPECT_EQ(machine.notifyIcon.calls.back().data.szTip, kOptimizingTip);

    quillmere::FrmOptimize& progress = machine.program->optimizeWindow();
    while (progress.tmrMenuPopup.enabled()) {
        progress.tmrMenuPopup.elapse();
    }
    machine.memory.status.ullAvailPhys = 700 * MB;
    machine.backend.onYield = [&](int yield) {
        if (yield == 100) {
            main.TmrMemoryCount.elapse();  // the run's ticks leave the tip alone
        }
    };
    progress.Timer1.elapse();
    machine.backend.onYield = nullptr;
    ASSERT_FALSE(machine.program->bOptimizing);
    EXPECT_EQ(machine.modifies(), 1);

    main.TmrMemoryCount.elapse();
    EXPECT_EQ(machine.modifies(), 2);
    EXPECT_EQ(machine.notifyIcon.calls.back().data.szTip, tipWith(70));
}

TEST(TrayTip, AnIconAddedDuringARunCarriesTheRunsTip) {
    TipMachine machine(false);
    machine.start();
    machine.main().lblOptimizeNow_Click();
    EXPECT_TRUE(machine.notifyIcon.calls.empty());  // no icon, nothing to tell

    machine.main().requestClose();
    ASSERT_EQ(machine.notifyIcon.calls.size(), 1U);
    EXPECT_EQ(machine.notifyIcon.calls[0].message, NotifyIcon::NIM_ADD);
    EXPECT_EQ(machine.notifyIcon.calls[0].data.szTip, kOptimizingTip);
}

// The tip field counts UTF-16 units; a text is cut to 63 of them, never inside a character.
struct Cut {
    const char* name;
    std::string text;
    std::string kept;
};

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

const std::string kEAcute = "\xC3\xA9";         // two UTF-8 bytes, one unit
const std::string kEllipsis = "\xE2\x80\xA6";   // three UTF-8 bytes, one unit
const std::string kGrinning = "\xF0\x9F\x98\x80";  // four UTF-8 bytes, a surrogate pair

void PrintTo(const Cut& c, std::ostream* out) { *out << c.name; }

class TipCut : public testing::TestWithParam<Cut> {};

TEST_P(TipCut, KeepsWhatTheFieldHolds) { EXPECT_EQ(quillmere::tipText(GetParam().text), GetParam().kept); }

INSTANTIATE_TEST_SUITE_P(
    Texts, TipCut,
    testing::Values(Cut{"Empty", "", ""}, Cut{"Ascii63", std::string(63, 'x'), std::string(63, 'x')},
                    Cut{"Ascii70", std::string(70, 'x'), std::string(63, 'x')},
                    Cut{"TwoByte70", repeated(kEAcute, 70), repeated(kEAcute, 63)},
                    Cut{"ThreeByte70", repeated(kEllipsis, 70), repeated(kEllipsis, 63)},
                    Cut{"Pairs40", repeated(kGrinning, 40), repeated(kGrinning, 31)},
                    Cut{"PairEndingAt63", std::string(61, 'x') + kGrinning, std::string(61, 'x') + kGrinning},
                    Cut{"PairAcrossTheEnd", std::string(62, 'x') + kGrinning + "y", std::string(62, 'x')}),
    [](const testing::TestParamInfo<Cut>& info) { return std::string(info.param.name); });

}  // namespace
