// The main window: the memory display, the settings, the label buttons and the tray side.
// Its handlers are defined beside the subsystem they belong to (start-up and exit here, the
// memory display and the automatic free in monitor/, the tray in tray/, the Run value in startup/).
#pragma once

#include <string>

#include "forms/Forms.h"
#include "monitor/Numbers.h"
#include "platform/Services.h"

namespace quillmere {

class Program;

// The share of a bar's maximum that its value holds, in whole percent (halves to even);
// nothing when it cannot be computed or held in 16 bits.
std::optional<std::int16_t> availablePercentage(const forms::ProgressBar& bar);

class FrmMain : public forms::Form {
public:
    explicit FrmMain(Program& program);

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload(bool& cancel);
    void lblExit_Click();
    void mnuExit_Click();

    // The memory display.
    void TmrMemoryCount_Timer();
    void lblAvilablePhysicalRam_GotFocus();

    // The automatic free.
    void CheckAutoFree();
    void chkAutoFreeRamPercent_Click();
    void txtScanTillNumberOfFiles_Change();
    void txtScanTillNumberOfFiles_GotFocus();
    void udScanTillNoOfFiles_Change();

    // The label buttons, Help and About.
    void labelButton_MouseMove(forms::Control& button);
    void Picture1_MouseMove();
    void lblhelp_Click();
    void lblAbout_Click();
    void mnuAbout_Click();

    // The links.
    void Label11_Click();
    void mnuMailUS1_Click();
    void mnuMailUS2_Click();
    void mnuOnlineFAQ1_Click();
    void mnuOnlineFAQ2_Click();
    void mnuConatcOnlineCR1_Click();
    void mnuConatcOnlineCR2_Click();

    // Optimization.
    void lblOptimizeNow_Click();
    // The run is over, or could not start: the main window works again.
    void optimizationEnded();

    // Start with Windows.
    void chkRunWhenWIndowsStarts_Click();

    // The tray.
    void lblHide_Click();
    void Form_MouseMove(const forms::TrayEvent& event);
    void RestoreFromTray();
    void Form_TaskbarCreated();
    void TmrTrayIcon_Timer();
    void Form_ComeForward();
    void mnuQuillmere_Click();
    void mnuOptimize_Click();

    // Background and content area.
    forms::Control& Picture1;

    // Memory panels.
    forms::Control& lblTotalPhysicalRAM;
    forms::Control& Picture2;
    forms::TextBox& lblAvilablePhysicalRam;
    forms::Control& lblPercentageAvilablePhysicalRam;
    forms::ProgressBar& PgbAvailablePhysicalRAM;
    forms::Control& lblTotalVirtualRAM;
    forms::Control& lblAvailableVirtualRAM;
    forms::Control& lblPercentageAvailableVirtualRAM;
    forms::ProgressBar& pgbAvailableVirtualRAM;
    forms::Control& lblTotalPageFile;
    forms::Control& lblAvailablePageFile;
    forms::Control& lblPercentageAvailablePageFile;
    forms::ProgressBar& pgbAvailablePageFile;

    // Settings panel.
    forms::CheckBox& chkRunWhenWIndowsStarts;
    forms::CheckBox& chkAutoFreeRamPercent;
    forms::TextBox& txtScanTillNumberOfFiles;
    forms::Control& Label12;
    forms::UpDown& udScanTillNoOfFiles;

    // Button band.
    forms::Control& lblhelp;
    forms::Control& lblAbout;
    forms::Control& lblOptimizeNow;
    forms::Control& lblHide;
    forms::Control& lblExit;

    // Footer.
    forms::Control& lblDate;
    forms::Control& lblTime;
    forms::Control& Label11;

    forms::Timer& TmrMemoryCount;
    // Tries again to add a tray icon that the shell did not take, until it does.
    forms::Timer& TmrTrayIcon;
    // The tray pop-up menu: a hidden top-level menu that exists only to be popped up.
    const forms::MenuItem MnuMain;
    // The Help button's pop-up menu.
    const forms::MenuItem mnuHelp2;

private:
    forms::MenuItem buildMnuMain();
    forms::MenuItem buildMnuHelp2();
    NumberFormat numberFormat() const;
    std::string timeOfDayText(const platform::LocalTime& now) const;
    // The date label holds today's date: a program that runs for days writes it again each day.
    void writeDate(const platform::LocalTime& now);
    // The number a figure's text shows, as a bar takes it.
    std::optional<float> figureNumber(const forms::Control& figure) const;
    void writePageFileFigures(const std::string& total, const std::string& available);
    void setBar(forms::ProgressBar& bar, const forms::Control& total, const forms::Control& available);
    void writePercentage(forms::Control& label, const forms::ProgressBar& bar, const char* prefix);
    // Adds the tray icon, and keeps trying while the shell does not take it.
    void showTrayIcon();
    // The tray icon's tip: the title, then the run under way or else the physical memory line.
    std::string trayTip() const;
    // Sends the icon the current tip, only when it is in the tray and its tip says something else.
    void updateTrayTip();

    Program& program_;
    std::optional<platform::LocalTime> dateShown_;
    // Turning the start with Windows off was refused, and the user was told why (once a run).
    bool toldTurningOffNeedsAdministrator_ = false;
    // The tray menu is open: the shell's context-menu request that follows a right-button release
    // is the same click, and opens no second menu.
    bool trayMenuOpen_ = false;
};

}  // namespace quillmere
