// The automatic free: its guards, its threshold and the threshold's controls.
#include <gtest/gtest.h>

#include "Fakes.h"

namespace {

constexpr std::uint64_t KB = 1024;

// A setting of nullptr holds a value that gives no text (a binary value, say).
struct Guards {
    const char* lastOptimized;
    const char* loaded;
    const char* option;
    const char* threshold;
    std::uint64_t totalKB;
    std::uint64_t availableKB;
    bool runs;
};

void PrintTo(const Guards& g, std::ostream* out) {
    *out << "last '" << g.lastOptimized << "', loaded '" << g.loaded << "', option '" << g.option
         << "', threshold '" << g.threshold << "', " << g.availableKB << " of " << g.totalKB << " KB"
         << (g.runs ? ": runs" : ": no run");
}

class CheckAutoFree : public testing::TestWithParam<Guards> {};

// Now is 2026-12-10 19:05:09 on the fake clock.
TEST_P(CheckAutoFree, StartsARunOnlyWhenEveryGuardPasses) {
    const Guards g = GetParam();
    fakes::Machine machine;
    machine.memory.status.ullTotalPhys = g.totalKB * KB;
    machine.memory.status.ullAvailPhys = g.availableKB * KB;
    machine.start();
    for (const auto& [key, text] : {std::pair{"lastOptimized", g.lastOptimized}, std::pair{"Loaded", g.loaded},
                                    std::pair{"Enable Auto Free", g.option},
                                    std::pair{"Free RAM Percentage", g.threshold}}) {
        if (text == nullptr) {
            machine.settings.unreadable.insert(key);
        } else {
            machine.settings.values[key] = text;
        }
    }

    machine.main().TmrMemoryCount.elapse();

    EXPECT_EQ(machine.program->bOptimizing, g.runs);
    EXPECT_EQ(machine.main().Picture1.enabled(), !g.runs);
    EXPECT_TRUE(machine.main().TmrMemoryCount.enabled());  // the tick restarts its timer in any case
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckAutoFree,
    testing::Values(
        // The spacing between runs.
        Guards{"", "True", "1", "50", 1000, 494, true},
        Guards{"2026-12-10 19:00:09", "True", "1", "50", 1000, 494, false},  // 300 seconds ago
        Guards{"2026-12-10 19:00:08", "True", "1", "50", 1000, 494, true},   // 301 seconds ago
        Guards{"2026-12-10 19:05:30", "True", "1", "50", 1000, 494, false},  // later than now
        Guards{"2026-12-09 23:58:00", "True", "1", "50", 1000, 494, true},   // across midnight
        Guards{"19:00:00", "True", "1", "50", 1000, 494, false},             // unreadable
        Guards{"garbage", "True", "1", "50", 1000, 494, false},
        Guards{nullptr, "True", "1", "50", 1000, 494, false},  // unreadable is not empty
        // Start-up finished.
        Guards{"", "False", "1", "50", 1000, 494, false},
        Guards{"", "", "1", "50", 1000, 494, false},
        Guards{"", "true", "1", "50", 1000, 494, true},
        Guards{"", nullptr, "1", "50", 1000, 494, false},
        // The option.
        Guards{"", "True", "0", "50", 1000, 494, false},
        Guards{"", "True", "2", "50", 1000, 494, false},
        Guards{"", "True", "abc", "50", 1000, 494, false},
        Guards{"", "True", "1.0", "50", 1000, 494, true},
        Guards{"", "True", nullptr, "50", 1000, 494, false},
        // The comparison: strictly below the threshold, the share rounded half to even.
        Guards{"", "True", "1", "50", 1000, 495, false},  // 49.5 gives 50
        Guards{"", "True", "1", "50", 1000, 505, false},  // 50.5 gives 50
        Guards{"", "True", "1", "50", 1000, 1000, false},
        Guards{"", "True", "1", "15", 100, 7, true},
        Guards{"", "True", "1", "13", 8, 1, true},   // 12.5 gives 12
        Guards{"", "True", "1", "12", 8, 1, false},
        Guards{"", "True", "1", "39", 8, 3, true},   // 37.5 gives 38
        Guards{"", "True", "1", "38", 8, 3, false},
        Guards{"", "True", "1", "12.5", 8, 1, true},
        Guards{"", "True", "1", "ten", 1000, 1, false},
        Guards{"", "True", "1", nullptr, 1000, 1, false}));

TEST(AutoFreeStartup, TheFirstRefreshNeverStartsARun) {
    fakes::Machine machine;
    machine.memory.status.ullAvailPhys = 1 * KB;
    machine.settings.values = {{"Enable Auto Free", "1"}, {"Free RAM Percentage", "65"}, {"Loaded", "True"}};
    machine.start();
    EXPECT_FALSE(machine.program->bOptimizing);
    // The next tick does.
    machine.main().TmrMemoryCount.elapse();
    EXPECT_TRUE(machine.program->bOptimizing);
}

TEST(AutoFreeOption, TheBoxStoresTheOptionAndEnablesTheThresholdControls) {
    fakes::Machine machine;
    machine.start();
    auto& main = machine.main();
    main.chkAutoFreeRamPercent.userClick();
    EXPECT_EQ(machine.settings.values.at("Enable Auto Free"), "1");
    EXPECT_TRUE(main.txtScanTillNumberOfFiles.enabled());
    EXPECT_TRUE(main.udScanTillNoOfFiles.enabled());
    EXPECT_TRUE(main.Label12.enabled());
    main.chkAutoFreeRamPercent.userClick();
    EXPECT_EQ(machine.settings.values.at("Enable Auto Free"), "0");
    EXPECT_FALSE(main.udScanTillNoOfFiles.enabled());
    EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), "15");  // the threshold stays
}

quillmere::FrmMain& startWithThreshold(fakes::Machine& machine, const char* stored) {
    machine.settings.values = {{"Enable Auto Free", "1"}, {"Free RAM Percentage", stored}};
    machine.start();
    return machine.main();
}

TEST(AutoFreeThreshold, TheUpDownStepsFromTheBoxWithinItsRange) {
    const struct {
        const char* box;
        int direction;
        const char* after;
    } cases[] = {{"15", +1, "16"}, {"15", -1, "14"}, {"10", -1, "10"}, {"65", +1, "65"}, {"64", +1, "65"},
                 {"9", +1, "10"},  {"99", -1, "65"},
                 // Not a whole number: from the up-down's own value, brought into its range.
                 {"abc", +1, "11"}, {"abc", -1, "10"}, {"12.5", +1, "11"}, {"", +1, "11"}};
    for (const auto& c : cases) {
        fakes::Machine machine;
        auto& main = startWithThreshold(machine, c.box);
        main.udScanTillNoOfFiles.step(c.direction);
        EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), c.after) << c.box << " " << c.direction;
        EXPECT_EQ(machine.settings.values.at("Free RAM Percentage"), c.after) << c.box;
    }
}

TEST(AutoFreeThreshold, AChangeOfTheUpDownClampsWhateverTheBoxHolds) {
    const struct {
        const char* box;
        const char* after;
    } cases[] = {{"9", "15"},    {"66", "65"},   {"10", "10"},   {"65", "65"}, {"abc", "15"},
                 {"", "15"},     {"9.5", "15"},  {"65.5", "65.5"}, {"80", "65"}};
    for (const auto& c : cases) {
        fakes::Machine machine;
        auto& main = startWithThreshold(machine, c.box);
        main.udScanTillNoOfFiles_Change();
        EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), c.after) << c.box;
        EXPECT_EQ(machine.settings.values.at("Free RAM Percentage"), c.after) << c.box;
    }
}

// Whatever reaches the box from the user (a paste, a drop, an input method, typing) may leave only
// what the up-down would write there.
TEST(AutoFreeThreshold, TheBoxTakesFromTheUserOnlyWholeNumbersOfTheUpDownsRange) {
    const struct {
        const char* edit;
        bool taken;
    } cases[] = {{"40", true},    {"10", true},   {"65", true},   {"9", false},    {"66", false},
                 {"abc", false},  {"", false},    {"1540", false}, {"040", false}, {"+40", false},
                 {"40.0", false}, {" 40", false}, {"4 0", false},  {"40abc", false}, {"\xef\xbc\x94\xef\xbc\x90", false}};
    for (const auto& c : cases) {
        fakes::Machine machine;
        auto& main = startWithThreshold(machine, "15");
        EXPECT_EQ(main.txtScanTillNumberOfFiles.userEdit(c.edit), c.taken) << c.edit;
        const char* expected = c.taken ? c.edit : "15";
        EXPECT_EQ(main.txtScanTillNumberOfFiles.text(), expected) << c.edit;
        EXPECT_EQ(machine.settings.values.at("Free RAM Percentage"), expected) << c.edit;
    }
}

TEST(AutoFreeThreshold, TheBoxTakesNoEditWhileTheOptionIsOff) {
    fakes::Machine machine;
    machine.start();
    auto& box = machine.main().txtScanTillNumberOfFiles;
    EXPECT_FALSE(box.userEdit("40"));
    EXPECT_EQ(box.text(), "15");
    EXPECT_EQ(machine.settings.values.at("Free RAM Percentage"), "15");
}

TEST(AutoFreeThreshold, TheBoxHandsTheFocusToTheUpDown) {
    fakes::Machine machine;
    machine.settings.values = {{"Enable Auto Free", "1"}};
    machine.start();
    machine.main().txtScanTillNumberOfFiles.raiseGotFocus();
    EXPECT_EQ(machine.backend.focused, &machine.main().udScanTillNoOfFiles);
}

}  // namespace
