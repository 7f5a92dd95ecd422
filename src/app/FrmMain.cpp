#include "app/FrmMain.h"

#include <cstdio>
#include <tuple>

#include "app/MainLayout.h"
#include "app/ModIEOpen.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "links/FrmAbout.h"

namespace quillmere {

namespace {

constexpr int kClientWidth = 11040;
constexpr int kClientHeight = 8355;
constexpr forms::Color kBarBackground = 0xFFFFFF;
constexpr forms::Color kBarFill = 128;  // dark red
// At logon the shell may take a while to accept icons; a hidden window without one is unreachable.
constexpr int kTrayIconRetryMs = 2000;

template <typename T>
T& control(forms::Form& form, const char* name) {
    return static_cast<T&>(*form.find(name));
}

// The form's controls are created before the first member reference is bound to them.
forms::Control& buildMainWindow(forms::Form& form) {
    buildLayout(form, mainLayout());
    return *form.find("Picture1");
}

}  // namespace

FrmMain::FrmMain(Program& program)
    : forms::Form(program.backend, "FrmMain", kAppTitle, kClientWidth, kClientHeight),
      Picture1(buildMainWindow(*this)),
      lblTotalPhysicalRAM(control<forms::Control>(*this, "lblTotalPhysicalRAM")),
      Picture2(control<forms::Control>(*this, "Picture2")),
      lblAvilablePhysicalRam(control<forms::TextBox>(*this, "lblAvilablePhysicalRam")),
      lblPercentageAvilablePhysicalRam(control<forms::Control>(*this, "lblPercentageAvilablePhysicalRam")),
      PgbAvailablePhysicalRAM(control<forms::ProgressBar>(*this, "PgbAvailablePhysicalRAM")),
      lblTotalVirtualRAM(control<forms::Control>(*this, "lblTotalVirtualRAM")),
      lblAvailableVirtualRAM(control<forms::Control>(*this, "lblAvailableVirtualRAM")),
      lblPercentageAvailableVirtualRAM(control<forms::Control>(*this, "lblPercentageAvailableVirtualRAM")),
      pgbAvailableVirtualRAM(control<forms::ProgressBar>(*this, "pgbAvailableVirtualRAM")),
      lblTotalPageFile(control<forms::Control>(*this, "lblTotalPageFile")),
      lblAvailablePageFile(control<forms::Control>(*this, "lblAvailablePageFile")),
      lblPercentageAvailablePageFile(control<forms::Control>(*this, "lblPercentageAvailablePageFile")),
      pgbAvailablePageFile(control<forms::ProgressBar>(*this, "pgbAvailablePageFile")),
      chkRunWhenWIndowsStarts(control<forms::CheckBox>(*this, "chkRunWhenWIndowsStarts")),
      chkAutoFreeRamPercent(control<forms::CheckBox>(*this, "chkAutoFreeRamPercent")),
      txtScanTillNumberOfFiles(control<forms::TextBox>(*this, "txtScanTillNumberOfFiles")),
      Label12(control<forms::Control>(*this, "Label12")),
      udScanTillNoOfFiles(control<forms::UpDown>(*this, "udScanTillNoOfFiles")),
      lblhelp(control<forms::Control>(*this, "lblhelp")),
      lblAbout(control<forms::Control>(*this, "lblAbout")),
      lblOptimizeNow(control<forms::Control>(*this, "lblOptimizeNow")),
      lblHide(control<forms::Control>(*this, "lblHide")),
      lblExit(control<forms::Control>(*this, "lblExit")),
      lblDate(control<forms::Control>(*this, "lblDate")),
      lblTime(control<forms::Control>(*this, "lblTime")),
      Label11(control<forms::Control>(*this, "Label11")),
      TmrMemoryCount(addTimer("TmrMemoryCount", 1000, true)),
      TmrTrayIcon(addTimer("TmrTrayIcon", kTrayIconRetryMs, false)),
      MnuMain(buildMnuMain()),
      mnuHelp2(buildMnuHelp2()),
      program_(program) {
    style.minButton = true;
    udScanTillNoOfFiles.min = 10;
    udScanTillNoOfFiles.max = 65;
    udScanTillNoOfFiles.buddy = &txtScanTillNumberOfFiles;
    // The threshold changes only through the up-down: an edit may leave only what it would write.
    txtScanTillNumberOfFiles.acceptsInput = [this](const std::string& text) { return udScanTillNoOfFiles.writes(text); };

    Load = [this] { Form_Load(); };
    QueryUnload = [this](bool& cancel) { Form_Unload(cancel); };
    TrayMouseMove = [this](const forms::TrayEvent& event) { Form_MouseMove(event); };
    TaskbarCreated = [this] { Form_TaskbarCreated(); };
    ComeForward = [this] { Form_ComeForward(); };
    ExitRequested = [this] { lblExit_Click(); };
    TmrMemoryCount.Tick = [this] { TmrMemoryCount_Timer(); };
    TmrTrayIcon.Tick = [this] { TmrTrayIcon_Timer(); };
    lblAvilablePhysicalRam.GotFocus = [this] { lblAvilablePhysicalRam_GotFocus(); };
    chkRunWhenWIndowsStarts.Click = [this] { chkRunWhenWIndowsStarts_Click(); };
    chkAutoFreeRamPercent.Click = [this] { chkAutoFreeRamPercent_Click(); };
    txtScanTillNumberOfFiles.Change = [this] { txtScanTillNumberOfFiles_Change(); };
    txtScanTillNumberOfFiles.GotFocus = [this] { txtScanTillNumberOfFiles_GotFocus(); };
    udScanTillNoOfFiles.Change = [this] { udScanTillNoOfFiles_Change(); };
    for (forms::Control* button : {&lblhelp, &lblAbout, &lblOptimizeNow, &lblHide, &lblExit}) {
        button->MouseMove = [this, button] { labelButton_MouseMove(*button); };
    }
    Picture1.MouseMove = [this] { Picture1_MouseMove(); };
    lblhelp.Click = [this] { lblhelp_Click(); };
    lblAbout.Click = [this] { lblAbout_Click(); };
    Label11.Click = [this] { Label11_Click(); };
    lblOptimizeNow.Click = [this] { lblOptimizeNow_Click(); };
    lblHide.Click = [this] { lblHide_Click(); };
    lblExit.Click = [this] { lblExit_Click(); };
}

NumberFormat FrmMain::numberFormat() const {
    return NumberFormat{program_.services.locale.decimalSeparator()};
}

std::string FrmMain::timeOfDayText(const platform::LocalTime& now) const {
    const std::string separator = program_.services.locale.timeSeparator();
    char hh[3];
    char mm[3];
    char ss[3];
    std::snprintf(hh, sizeof hh, "%02d", now.hour);
    std::snprintf(mm, sizeof mm, "%02d", now.minute);
    std::snprintf(ss, sizeof ss, "%02d", now.second);
    return std::string(hh) + separator + mm + separator + ss;
}

void FrmMain::writeDate(const platform::LocalTime& now) {
    const auto day = [](const platform::LocalTime& time) { return std::tuple(time.year, time.month, time.day); };
    if (dateShown_ && day(*dateShown_) == day(now)) {
        return;
    }
    lblDate.setText(program_.services.locale.longDate(now));
    dateShown_ = now;
}

// A stored check box state as a 16-bit whole number; nothing when it is not one, out of range, or
// unreadable.
static std::optional<std::int16_t> storedState(const std::optional<std::string>& text, NumberFormat format) {
    const std::optional<double> number = text ? parseNumber(*text, format) : std::nullopt;
    return number ? toInt16(*number) : std::nullopt;
}

void FrmMain::Form_Load() {
    Settings& settings = program_.settings;
    platform::Windows& windows = program_.services.windows;

    TmrMemoryCount.setEnabled(false);
    program_.bOptimizing = false;
    settings.write(setting::LastOptimized, "");
    settings.write(setting::Loaded, "False");
    const platform::LocalTime now = program_.services.clock.now();
    writeDate(now);
    lblTime.setText("Time: " + timeOfDayText(now));
    for (forms::ProgressBar* bar : {&pgbAvailablePageFile, &PgbAvailablePhysicalRAM, &pgbAvailableVirtualRAM}) {
        ModIEOpen::SetBarBackColor(windows, bar->hWnd(), kBarBackground);
        ModIEOpen::SetBarColor(windows, bar->hWnd(), kBarFill);
    }

    // A stored state the box cannot take (not a number, or not 0, 1 or 2) leaves the box as designed.
    if (auto state = storedState(settings.read(setting::LoadOnWindows), numberFormat())) {
        chkRunWhenWIndowsStarts.setValue(*state);
    }
    chkRunWhenWIndowsStarts_Click();
    if (auto state = storedState(settings.read(setting::EnableAutoFree), numberFormat())) {
        chkAutoFreeRamPercent.setValue(*state);
    }
    chkAutoFreeRamPercent_Click();
    // An unreadable threshold gives the field no text, which the automatic free takes as no number.
    txtScanTillNumberOfFiles.setText(settings.read(setting::FreeRamPercentage).value_or(""));

    // Fill every figure before the window is first shown; "Loaded" still reads "False", so the
    // automatic free cannot start a run from this tick.
    TmrMemoryCount_Timer();
    TmrMemoryCount.setEnabled(true);
    settings.write(setting::Loaded, "True");

    if (isAutoStart(program_.services.process.commandArguments())) {
        lblHide_Click();
    }
}

void FrmMain::Form_Unload(bool& cancel) {
    if (!program_.tray().bRunningInTray()) {
        showTrayIcon();
    }
    cancel = true;
    setWindowState(forms::WindowState::Minimized);
    hide();
}

void FrmMain::lblExit_Click() {
    program_.tray().RemoveIcon(*this);
    ModIEOpen::PauseWithEvents(program_.backend);
    program_.services.process.exitNow();
}

void FrmMain::mnuExit_Click() { lblExit_Click(); }

void FrmMain::labelButton_MouseMove(forms::Control& button) { button.setBold(true); }

void FrmMain::Picture1_MouseMove() {
    for (forms::Control* button : {&lblExit, &lblHide, &lblAbout, &lblhelp, &lblOptimizeNow}) {
        button->setBold(false);
    }
}

void FrmMain::lblhelp_Click() {
    // Pressed from the keyboard, the menu opens under the button's outline: the pointer may be
    // anywhere.
    const forms::Control& outline = *find("Shape5(0)");
    program_.backend.popupMenu(*this, mnuHelp2,
                               pressedFromKeyboard() ? forms::MenuPlace::underControl(outline)
                                                     : forms::MenuPlace::atPointer());
}

void FrmMain::lblAbout_Click() {
    FrmAbout& about = program_.aboutWindow();
    program_.backend.showModal(about);
}

void FrmMain::mnuAbout_Click() { lblAbout_Click(); }

}  // namespace quillmere
