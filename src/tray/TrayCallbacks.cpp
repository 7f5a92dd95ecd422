// The main window's side of the tray: hiding, the icon's mouse events and the pop-up menu.
#include "app/FrmMain.h"
#include "app/Program.h"

namespace quillmere {

namespace {

constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
// From the keyboard (the icon selected with Win+B and the arrow keys): Enter or Space, and
// Shift+F10 or the context-menu key. The shell also sends the context-menu request after a
// right-button release.
constexpr std::uint32_t NIN_KEYSELECT = 0x0401;
constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
constexpr const char* kTipLineBreak = "\n";
constexpr const char* kOptimizingTipLine = "Optimizing Physical RAM\u2026";

}  // namespace

forms::MenuItem FrmMain::buildMnuMain() {
    const auto item = [](const char* name, const char* caption, std::function<void()> click = {}) {
        return forms::MenuItem{name, caption, {}, std::move(click)};
    };
    forms::MenuItem help = item("mnuHelp1", "Help");
    help.items = {item("mnuMailUS1", "Mail Us", [this] { mnuMailUS1_Click(); }),
                  item("mnuOnlineFAQ1", "Online FAQ", [this] { mnuOnlineFAQ1_Click(); }),
                  item("mnuConatcOnlineCR1", "Contact Online Customer Representative",
                       [this] { mnuConatcOnlineCR1_Click(); })};
    forms::MenuItem menu = item("MnuMain", "Main");
    menu.items = {
        item("mnuQuillmere", kAppTitle, [this] { mnuQuillmere_Click(); }),
        item("mnuOptimize", "Optimize", [this] { mnuOptimize_Click(); }),
        item("mniline", "-"),
        std::move(help),
        item("mnuAbout", "About", [this] { mnuAbout_Click(); }),
        item("mnuline2", "-"),
        item("mnuExit", "Exit", [this] { mnuExit_Click(); }),
    };
    return menu;
}

void FrmMain::lblHide_Click() {
    bool cancel = true;
    Form_Unload(cancel);
}

void FrmMain::RestoreFromTray() {
    show();
    setWindowState(forms::WindowState::Normal);
    program_.tray().RemoveIcon(*this);
}

void FrmMain::showTrayIcon() {
    clsTray& tray = program_.tray();
    tray.ShowIcon(*this, trayTip());
    TmrTrayIcon.setEnabled(tray.iconMissing());
}

std::string FrmMain::trayTip() const {
    // The title stays the first line, so whatever looks for the program by its tip still finds it.
    const std::string line = program_.bOptimizing ? kOptimizingTipLine : lblPercentageAvilablePhysicalRam.text();
    return std::string(kAppTitle) + kTipLineBreak + line;
}

void FrmMain::updateTrayTip() {
    clsTray& tray = program_.tray();
    if (!tray.bRunningInTray()) {
        return;
    }
    // The shell is asked only when the text it shows would change: steady memory costs no calls.
    const std::string tip = trayTip();
    if (tray.record().szTip != tipText(tip)) {
        tray.ChangeToolTip(*this, tip);
    }
}

void FrmMain::Form_TaskbarCreated() {
    // A new taskbar holds no icons: the one the window lives by must come back.
    if (program_.tray().bRunningInTray()) {
        showTrayIcon();
    }
}

void FrmMain::Form_ComeForward() {
    // During a run the window stays where it is, as it does for the tray icon.
    if (program_.bOptimizing) {
        return;
    }
    if (program_.tray().bRunningInTray()) {
        RestoreFromTray();
    } else {
        show();
        setWindowState(forms::WindowState::Normal);
    }
}

void FrmMain::TmrTrayIcon_Timer() {
    // Once the window has left the tray there is nothing to add.
    if (program_.tray().bRunningInTray()) {
        showTrayIcon();
    } else {
        TmrTrayIcon.setEnabled(false);
    }
}

void FrmMain::Form_MouseMove(const forms::TrayEvent& event) {
    if (event.iconId != clsTray::kIconId || program_.bOptimizing) {
        return;
    }
    const auto popUp = [this](const forms::MenuPlace& place) {
        if (trayMenuOpen_) {
            return;
        }
        trayMenuOpen_ = true;
        struct Closed {
            bool& open;
            ~Closed() { open = false; }
        } closed{trayMenuOpen_};
        program_.backend.popupMenu(*this, MnuMain, place);
    };
    switch (event.message) {
    case WM_LBUTTONDBLCLK:
    case NIN_KEYSELECT:
        RestoreFromTray();
        break;
    case WM_RBUTTONUP:
        popUp(forms::MenuPlace::atPointer());
        break;
    case WM_CONTEXTMENU:
        popUp(forms::MenuPlace::atScreenPoint(event.at));
        break;
    default:
        break;
    }
}

}  // namespace quillmere
