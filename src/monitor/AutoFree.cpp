// The automatic free: the option, its threshold and the check that runs on every refresh.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "app/Timestamps.h"

namespace quillmere {

namespace {

constexpr std::int64_t kSecondsBetweenRuns = 300;

// A stored text read as a Boolean: "True" or "False" in any case, or a number (true unless 0).
std::optional<bool> readBoolean(const std::string& text, NumberFormat format) {
    const std::string word = upperCase(trimSpaces(text));
    if (word == "TRUE") {
        return true;
    }
    if (word == "FALSE") {
        return false;
    }
    if (auto number = parseNumber(text, format)) {
        return *number != 0.0;
    }
    return std::nullopt;
}

}  // namespace

void FrmMain::CheckAutoFree() {
    const Settings& settings = program_.settings;
    const NumberFormat format = numberFormat();

    // An unreadable value stops the check as one that does not read as it should.
    const std::optional<std::string> lastOptimized = settings.read(setting::LastOptimized);
    if (!lastOptimized) {
        return;
    }
    if (!lastOptimized->empty()) {
        const std::optional<platform::LocalTime> last = parseTimestamp(*lastOptimized);
        if (!last || secondsBetween(*last, program_.services.clock.now()) <= kSecondsBetweenRuns) {
            return;
        }
    }
    const std::optional<std::string> loaded = settings.read(setting::Loaded);
    if (!loaded || readBoolean(*loaded, format) != true) {
        return;
    }
    const std::optional<std::string> option = settings.read(setting::EnableAutoFree);
    if (!option || parseNumber(*option, format) != 1.0) {
        return;
    }
    const std::optional<std::string> thresholdText = settings.read(setting::FreeRamPercentage);
    const std::optional<double> threshold = thresholdText ? parseNumber(*thresholdText, format) : std::nullopt;
    const std::optional<std::int16_t> available = availablePercentage(PgbAvailablePhysicalRAM);
    if (threshold && available && *available < *threshold) {
        lblOptimizeNow_Click();
    }
}

void FrmMain::chkAutoFreeRamPercent_Click() {
    program_.settings.write(setting::EnableAutoFree, std::to_string(chkAutoFreeRamPercent.value()));
    const bool on = chkAutoFreeRamPercent.value() == 1;
    txtScanTillNumberOfFiles.setEnabled(on);
    udScanTillNoOfFiles.setEnabled(on);
    Label12.setEnabled(on);
}

void FrmMain::txtScanTillNumberOfFiles_Change() {
    program_.settings.write(setting::FreeRamPercentage, txtScanTillNumberOfFiles.text());
}

void FrmMain::txtScanTillNumberOfFiles_GotFocus() { program_.backend.setFocus(udScanTillNoOfFiles); }

void FrmMain::udScanTillNoOfFiles_Change() {
    const std::optional<double> number = parseNumber(txtScanTillNumberOfFiles.text(), numberFormat());
    if (!number || *number < 10) {
        txtScanTillNumberOfFiles.setText("15");
    } else if (*number >= 66) {
        txtScanTillNumberOfFiles.setText("65");
    }
}

}  // namespace quillmere
