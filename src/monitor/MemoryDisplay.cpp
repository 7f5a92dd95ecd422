// The once-a-second memory display of the main window.
#include "app/FrmMain.h"
#include "app/Program.h"

namespace quillmere {

void FrmMain::TmrMemoryCount_Timer() {
    if (program_.bOptimizing) {
        return;
    }
    if (!Picture1.enabled()) {
        Picture1.setEnabled(true);
    }
    TmrMemoryCount.setEnabled(false);
    const platform::LocalTime now = program_.services.clock.now();
    writeDate(now);
    lblTime.setText("Time: " + timeOfDayText(now));

    const platform::MemoryStatus status = program_.services.memory.GlobalMemoryStatusEx();
    const NumberFormat format = numberFormat();
    lblTotalPhysicalRAM.setText(GetFileSizeInKB(static_cast<double>(status.ullTotalPhys), format));
    lblAvilablePhysicalRam.setText(GetFileSizeInKB(static_cast<double>(status.ullAvailPhys), format));
    lblTotalVirtualRAM.setText(GetFileSizeInMB(static_cast<double>(status.ullTotalVirtual)));
    lblAvailableVirtualRAM.setText(GetFileSizeInMB(static_cast<double>(status.ullAvailVirtual)));
    writePageFileFigures(GetFileSizeInKB(static_cast<double>(status.ullTotalPageFile), format),
                         GetFileSizeInKB(static_cast<double>(status.ullAvailPageFile), format));

    // The bars are set from the texts now shown, and the percentages from the bars.
    setBar(pgbAvailablePageFile, lblTotalPageFile, lblAvailablePageFile);
    setBar(PgbAvailablePhysicalRAM, lblTotalPhysicalRAM, lblAvilablePhysicalRam);
    writePercentage(lblPercentageAvilablePhysicalRam, PgbAvailablePhysicalRAM, "Physical RAM ");
    setBar(pgbAvailableVirtualRAM, lblTotalVirtualRAM, lblAvailableVirtualRAM);
    writePercentage(lblPercentageAvailableVirtualRAM, pgbAvailableVirtualRAM, "Virtual RAM ");
    writePercentage(lblPercentageAvailablePageFile, pgbAvailablePageFile, "Page File ");

    CheckAutoFree();
    // After the automatic free, the only request that can start a run with the window in the tray:
    // such a run's tip then takes the place of these figures in the same call.
    updateTrayTip();
    TmrMemoryCount.setEnabled(true);
}

void FrmMain::writePageFileFigures(const std::string& total, const std::string& available) {
    if (leadingNumber(available) <= leadingNumber(total)) {
        lblTotalPageFile.setText(total);
        lblAvailablePageFile.setText(available);
    } else if (trimSpaces(lblTotalPageFile.text()).empty()) {
        // Only before the first figures are written: the larger figure stands as the total.
        lblTotalPageFile.setText(available);
        lblAvailablePageFile.setText(total);
    }
    // Otherwise the figures of an earlier tick stay.
}

std::optional<float> FrmMain::figureNumber(const forms::Control& figure) const {
    const std::optional<double> number = parseNumber(GetFileSizeWithoutUnit(figure.text()), numberFormat());
    return number ? toSingle(*number) : std::nullopt;
}

void FrmMain::setBar(forms::ProgressBar& bar, const forms::Control& total, const forms::Control& available) {
    if (auto max = figureNumber(total)) {
        bar.setMax(*max);
    }
    if (auto value = figureNumber(available)) {
        bar.setValue(*value);
    }
}

std::optional<std::int16_t> availablePercentage(const forms::ProgressBar& bar) {
    // Single precision throughout, as the bar holds its figures.
    const float share = bar.Value() / bar.Max() * 100.0F;
    return toInt16(share);
}

void FrmMain::writePercentage(forms::Control& label, const forms::ProgressBar& bar, const char* prefix) {
    if (auto percent = availablePercentage(bar)) {
        label.setText(prefix + std::to_string(*percent) + "% available");
    }
}

void FrmMain::lblAvilablePhysicalRam_GotFocus() { program_.backend.setFocus(Picture1); }

}  // namespace quillmere
