// The once-a-second memory display.
#include <gtest/gtest.h>

#include "Fakes.h"

namespace {

constexpr std::uint64_t KB = 1024;

struct Display : testing::Test {
    fakes::Machine machine;
    quillmere::FrmMain& main() { return machine.main(); }
    void tick() { main().TmrMemoryCount.elapse(); }
};

TEST_F(Display, WritesTheFiguresBarsAndPercentagesOfTheSample) {
    machine.start();
    auto& m = main();
    EXPECT_EQ(m.lblTotalPhysicalRAM.text(), "8388608 KB");
    EXPECT_EQ(m.lblAvilablePhysicalRam.text(), "4194304 KB");
    EXPECT_EQ(m.lblTotalVirtualRAM.text(), "134217728 MB");
    EXPECT_EQ(m.lblAvailableVirtualRAM.text(), "133169152 MB");
    EXPECT_EQ(m.lblTotalPageFile.text(), "12582912 KB");
    EXPECT_EQ(m.lblAvailablePageFile.text(), "6291456 KB");
    EXPECT_FLOAT_EQ(m.PgbAvailablePhysicalRAM.Max(), 8388608.0F);
    EXPECT_FLOAT_EQ(m.PgbAvailablePhysicalRAM.Value(), 4194304.0F);
    EXPECT_FLOAT_EQ(m.pgbAvailableVirtualRAM.Max(), 134217728.0F);
    EXPECT_FLOAT_EQ(m.pgbAvailablePageFile.Value(), 6291456.0F);
    EXPECT_EQ(m.lblPercentageAvilablePhysicalRam.text(), "Physical RAM 50% available");
    EXPECT_EQ(m.lblPercentageAvailableVirtualRAM.text(), "Virtual RAM 99% available");
    EXPECT_EQ(m.lblPercentageAvailablePageFile.text(), "Page File 50% available");
}

TEST_F(Display, FollowsTheClockAndTheSampleEverySecond) {
    machine.start();
    machine.clock.time = {2026, 12, 11, 7, 5, 9};
    machine.memory.status.ullAvailPhys = 1536;
    tick();
    EXPECT_EQ(main().lblTime.text(), "Time: 07:05:09");
    EXPECT_EQ(main().lblAvilablePhysicalRam.text(), "1.5 KB");
    machine.locale.time = ".";
    machine.clock.time.hour = 19;
    tick();
    EXPECT_EQ(main().lblTime.text(), "Time: 19.05.09");
}

TEST_F(Display, ShowsTodaysDateAfterMidnight) {
    machine.clock.time = {2026, 12, 31, 23, 59, 59};
    machine.start();
    EXPECT_EQ(main().lblDate.text(), "long date 2026-12-31");
    machine.clock.time = {2027, 1, 1, 0, 0, 0};
    machine.program->bOptimizing = true;  // a run holds the whole display still, the date too
    tick();
    EXPECT_EQ(main().lblDate.text(), "long date 2026-12-31");
    machine.program->bOptimizing = false;
    tick();
    EXPECT_EQ(main().lblDate.text(), "long date 2027-1-1");
    EXPECT_EQ(main().lblTime.text(), "Time: 00:00:00");
    machine.clock.time = {2027, 2, 1, 0, 0, 1};  // the same day of another month
    tick();
    EXPECT_EQ(main().lblDate.text(), "long date 2027-2-1");
}

TEST_F(Display, ReadsTheFiguresBackUnderACommaDecimalSeparator) {
    machine.locale.separator = ',';
    machine.memory.status.ullTotalPhys = 3 * KB;
    machine.memory.status.ullAvailPhys = 1536;
    machine.start();
    EXPECT_EQ(main().lblAvilablePhysicalRam.text(), "1,5 KB");
    EXPECT_FLOAT_EQ(main().PgbAvailablePhysicalRAM.Value(), 1.5F);
    EXPECT_EQ(main().lblPercentageAvilablePhysicalRam.text(), "Physical RAM 50% available");
}

struct Share {
    std::uint64_t totalKB;
    std::uint64_t availableKB;
    const char* line;
};

void PrintTo(const Share& s, std::ostream* out) { *out << s.availableKB << " of " << s.totalKB << " KB"; }

class Percentage : public testing::TestWithParam<Share> {};

TEST_P(Percentage, RoundsHalvesToEven) {
    fakes::Machine machine;
    machine.memory.status.ullTotalPhys = GetParam().totalKB * KB;
    machine.memory.status.ullAvailPhys = GetParam().availableKB * KB;
    machine.start();
    EXPECT_EQ(machine.main().lblPercentageAvilablePhysicalRam.text(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Shares, Percentage,
                         testing::Values(Share{8, 1, "Physical RAM 12% available"},
                                         Share{8, 3, "Physical RAM 38% available"},
                                         Share{8, 8, "Physical RAM 100% available"},
                                         Share{200, 1, "Physical RAM 0% available"},
                                         Share{8, 0, "Physical RAM 0% available"}));

TEST_F(Display, APositionAboveTheMaximumIsRefusedAndThePercentageUsesWhatTheBarHolds) {
    machine.start();
    machine.memory.status.ullAvailPhys = 16ULL << 30;  // more available than there is
    tick();
    EXPECT_EQ(main().lblAvilablePhysicalRam.text(), "16777216 KB");
    EXPECT_FLOAT_EQ(main().PgbAvailablePhysicalRAM.Value(), 4194304.0F);
    EXPECT_EQ(main().lblPercentageAvilablePhysicalRam.text(), "Physical RAM 50% available");
}

TEST_F(Display, AZeroTotalIsRefusedAsTheBarsMaximum) {
    machine.memory.status.ullTotalPageFile = 0;
    machine.memory.status.ullAvailPageFile = 0;
    machine.start();
    EXPECT_EQ(main().lblTotalPageFile.text(), "0 bytes");
    EXPECT_FLOAT_EQ(main().pgbAvailablePageFile.Max(), 100.0F);  // a maximum of 0 is refused
    EXPECT_FLOAT_EQ(main().pgbAvailablePageFile.Value(), 0.0F);
    EXPECT_EQ(main().lblPercentageAvailablePageFile.text(), "Page File 0% available");
}

TEST_F(Display, PageFileFiguresStandCrosswiseOnlyBeforeTheyWereFirstWritten) {
    machine.memory.status.ullTotalPageFile = 4 * KB;
    machine.memory.status.ullAvailPageFile = 6 * KB;
    machine.start();
    EXPECT_EQ(main().lblTotalPageFile.text(), "6 KB");
    EXPECT_EQ(main().lblAvailablePageFile.text(), "4 KB");
    EXPECT_EQ(main().lblPercentageAvailablePageFile.text(), "Page File 67% available");

    // A later sample with more available than total changes nothing.
    machine.memory.status.ullTotalPageFile = 2 * KB;
    machine.memory.status.ullAvailPageFile = 3 * KB;
    tick();
    EXPECT_EQ(main().lblTotalPageFile.text(), "6 KB");
    EXPECT_EQ(main().lblAvailablePageFile.text(), "4 KB");
    EXPECT_FLOAT_EQ(main().pgbAvailablePageFile.Max(), 6.0F);

    // Equal figures are the normal case.
    machine.memory.status.ullAvailPageFile = 2 * KB;
    tick();
    EXPECT_EQ(main().lblTotalPageFile.text(), "2 KB");
    EXPECT_EQ(main().lblAvailablePageFile.text(), "2 KB");
    EXPECT_EQ(main().lblPercentageAvailablePageFile.text(), "Page File 100% available");
}

TEST_F(Display, PageFileRuleComparesTheLeadingNumbersOfTheTexts) {
    // Under a comma separator "1,5 KB" reads as 1 and "1 KB" as 1: equal, so the normal case.
    machine.locale.separator = ',';
    machine.memory.status.ullTotalPageFile = 1 * KB;
    machine.memory.status.ullAvailPageFile = 1536;
    machine.start();
    EXPECT_EQ(main().lblTotalPageFile.text(), "1 KB");
    EXPECT_EQ(main().lblAvailablePageFile.text(), "1,5 KB");
}

TEST_F(Display, ARunInProgressFreezesEverythingAndLeavesTheTimerAlone) {
    machine.start();
    const std::string time = main().lblTime.text();
    const std::size_t changes = machine.backend.changes.size();
    machine.program->bOptimizing = true;
    machine.clock.advance(5);
    machine.memory.status.ullAvailPhys = 1ULL << 30;
    tick();
    EXPECT_EQ(machine.backend.changes.size(), changes);
    EXPECT_EQ(main().lblTime.text(), time);
    EXPECT_TRUE(main().TmrMemoryCount.enabled());
}

TEST_F(Display, EnablesTheContentAgainAndRestartsTheTimer) {
    machine.start();
    main().Picture1.setEnabled(false);
    tick();
    EXPECT_TRUE(main().Picture1.enabled());
    EXPECT_TRUE(main().TmrMemoryCount.enabled());
}

TEST_F(Display, TheAvailableFigureHandsTheFocusOnToTheContentArea) {
    machine.start();
    main().lblAvilablePhysicalRam.raiseGotFocus();
    EXPECT_EQ(machine.backend.focused, &main().Picture1);
}

}  // namespace
