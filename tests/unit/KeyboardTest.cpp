// The windows from the keyboard: the tab order, Enter and Space on the label buttons, the focus
// cue, Help's menu, Escape in the About window and the tray icon's keyboard events.
#include <gtest/gtest.h>

#include <functional>

#include "Fakes.h"
#include "links/FrmAbout.h"

namespace {

using forms::MenuPlace;
using forms::NavigationKey;

constexpr std::uint32_t NIN_KEYSELECT = 0x0401;
constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;

std::string nameOf(const forms::Control* control) { return control != nullptr ? control->name() : "(none)"; }

// The focus after each of a number of Tab presses, from wherever it is.
std::vector<std::string> tabThrough(forms::Form& form, int presses, bool backward) {
    std::vector<std::string> visited;
    for (int i = 0; i < presses; ++i) {
        form.keyPressed(NavigationKey::Tab, backward);
        visited.push_back(nameOf(form.keyboardFocus()));
    }
    return visited;
}

struct TabCase {
    const char* name;
    bool autoFreeOn;  // the threshold's up-down is enabled only with the option on
    bool backward;
    std::vector<std::string> visited;  // from no focus: one full round and the wrap
};

void PrintTo(const TabCase& c, std::ostream* out) { *out << c.name; }

struct TabOrder : testing::TestWithParam<TabCase> {};

TEST_P(TabOrder, TabVisitsTheStopsInReadingOrderAndWraps) {
    const TabCase& c = GetParam();
    fakes::Machine machine;
    machine.settings.values = {{"Enable Auto Free", c.autoFreeOn ? "1" : "0"}};
    machine.start();
    EXPECT_EQ(machine.main().keyboardFocus(), nullptr);
    EXPECT_EQ(tabThrough(machine.main(), static_cast<int>(c.visited.size()), c.backward), c.visited);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, TabOrder,
    testing::Values(
        TabCase{"Forward", true, false,
                {"chkRunWhenWIndowsStarts", "chkAutoFreeRamPercent", "udScanTillNoOfFiles", "lblhelp", "lblAbout",
                 "lblOptimizeNow", "lblHide", "lblExit", "chkRunWhenWIndowsStarts"}},
        TabCase{"Backward", true, true,
                {"lblExit", "lblHide", "lblOptimizeNow", "lblAbout", "lblhelp", "udScanTillNoOfFiles",
                 "chkAutoFreeRamPercent", "chkRunWhenWIndowsStarts", "lblExit"}},
        TabCase{"ForwardWithTheOptionOff", false, false,
                {"chkRunWhenWIndowsStarts", "chkAutoFreeRamPercent", "lblhelp", "lblAbout", "lblOptimizeNow",
                 "lblHide", "lblExit", "chkRunWhenWIndowsStarts"}},
        TabCase{"BackwardWithTheOptionOff", false, true,
                {"lblExit", "lblHide", "lblOptimizeNow", "lblAbout", "lblhelp", "chkAutoFreeRamPercent",
                 "chkRunWhenWIndowsStarts", "lblExit"}}),
    [](const testing::TestParamInfo<TabCase>& info) { return std::string(info.param.name); });

struct Keyboard : testing::Test {
    fakes::Machine machine;
    void SetUp() override {
        machine.settings.values = {{"Enable Auto Free", "1"}};
        machine.start();
    }
    quillmere::FrmMain& main() { return machine.main(); }
    bool press(forms::Form& form, NavigationKey key, bool shift = false) { return form.keyPressed(key, shift); }
};

// The threshold box never keeps the focus: clicking it puts the focus on the up-down, which is
// where Tab stops, and from there Tab goes on as from the up-down. Its arrow keys are the
// up-down's own.
TEST_F(Keyboard, TheThresholdsFocusIsItsUpDownWhicheverWayItComes) {
    machine.backend.setFocus(main().txtScanTillNumberOfFiles);  // a click on the box
    EXPECT_EQ(main().keyboardFocus(), &main().udScanTillNoOfFiles);
    EXPECT_FALSE(press(main(), NavigationKey::Arrow));  // left to the up-down
    press(main(), NavigationKey::Tab);
    EXPECT_EQ(main().keyboardFocus(), &main().lblhelp);
    press(main(), NavigationKey::Tab, true);
    press(main(), NavigationKey::Tab, true);
    EXPECT_EQ(main().keyboardFocus(), &main().chkAutoFreeRamPercent);

    // The available-memory field hands the focus to the content area, which is no stop: Tab
    // starts again from the first.
    machine.backend.setFocus(main().lblAvilablePhysicalRam);
    EXPECT_EQ(main().keyboardFocus(), &main().Picture1);
    press(main(), NavigationKey::Tab);
    EXPECT_EQ(main().keyboardFocus(), &main().chkRunWhenWIndowsStarts);
}

TEST_F(Keyboard, DuringARunNothingTakesTheFocusAndNoButtonPresses) {
    press(main(), NavigationKey::Tab, true);  // Exit
    main().lblOptimizeNow_Click();
    press(main(), NavigationKey::Tab);
    EXPECT_EQ(main().keyboardFocus(), &main().lblExit);  // nothing to move to
    EXPECT_TRUE(press(main(), NavigationKey::Enter));
    EXPECT_EQ(machine.process.exits, 0);
}

// What each label button's command leaves behind, checked after Enter or Space.
struct ButtonCase {
    const char* button;
    NavigationKey key;
    std::function<bool(fakes::Machine&)> ran;
};

void PrintTo(const ButtonCase& c, std::ostream* out) {
    *out << c.button << (c.key == NavigationKey::Enter ? " Enter" : " Space");
}

struct ButtonKeys : testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonKeys, EnterAndSpaceRunTheFocusedButtonsCommand) {
    const ButtonCase& c = GetParam();
    fakes::Machine machine;
    machine.start();
    quillmere::FrmMain& main = machine.main();
    machine.backend.setFocus(*main.find(c.button));
    EXPECT_TRUE(main.keyPressed(c.key, false));
    EXPECT_TRUE(c.ran(machine));
}

const auto helpRan = [](fakes::Machine& m) {
    return m.backend.popups == std::vector<std::string>{"mnuHelp2"};
};
const auto aboutRan = [](fakes::Machine& m) { return m.backend.modals == std::vector<std::string>{"FrmAbout"}; };
const auto optimizeRan = [](fakes::Machine& m) {
    return m.program->optimizeWindowLoaded() && !m.main().Picture1.enabled();
};
const auto hideRan = [](fakes::Machine& m) { return !m.main().visible() && m.program->tray().bRunningInTray(); };
const auto exitRan = [](fakes::Machine& m) { return m.process.exits == 1; };

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ButtonKeys,
    testing::Values(ButtonCase{"lblhelp", NavigationKey::Enter, helpRan},
                    ButtonCase{"lblhelp", NavigationKey::Space, helpRan},
                    ButtonCase{"lblAbout", NavigationKey::Enter, aboutRan},
                    ButtonCase{"lblAbout", NavigationKey::Space, aboutRan},
                    ButtonCase{"lblOptimizeNow", NavigationKey::Enter, optimizeRan},
                    ButtonCase{"lblOptimizeNow", NavigationKey::Space, optimizeRan},
                    ButtonCase{"lblHide", NavigationKey::Enter, hideRan},
                    ButtonCase{"lblHide", NavigationKey::Space, hideRan},
                    ButtonCase{"lblExit", NavigationKey::Enter, exitRan},
                    ButtonCase{"lblExit", NavigationKey::Space, exitRan}),
    [](const testing::TestParamInfo<ButtonCase>& info) {
        return std::string(info.param.button) + (info.param.key == NavigationKey::Enter ? "Enter" : "Space");
    });

TEST_F(Keyboard, EnterAndSpaceOnACheckBoxOrOnNothingAreLeftToTheWindow) {
    const int checked = main().chkRunWhenWIndowsStarts.value();
    EXPECT_FALSE(press(main(), NavigationKey::Space));  // no focus
    press(main(), NavigationKey::Tab);                  // the first check box
    EXPECT_FALSE(press(main(), NavigationKey::Space));  // the real check box toggles itself
    EXPECT_FALSE(press(main(), NavigationKey::Enter));
    EXPECT_EQ(main().chkRunWhenWIndowsStarts.value(), checked);
    EXPECT_FALSE(press(main(), NavigationKey::Escape));  // the main window has no cancel button
    EXPECT_TRUE(main().visible());
}

TEST_F(Keyboard, TheFocusCueShowsOnlyOnceTheKeyboardIsUsed) {
    EXPECT_FALSE(main().focusCueShown());
    // The mouse and focus moved by the program show nothing.
    main().mouseMoveAt(main().Picture1, {8000, 7600});
    main().clickAt(main().Picture1, {8000, 7600});  // Hide
    main().RestoreFromTray();
    machine.backend.setFocus(main().txtScanTillNumberOfFiles);
    EXPECT_FALSE(main().focusCueShown());

    press(main(), NavigationKey::Tab);
    EXPECT_TRUE(main().focusCueShown());

    // The arrow keys show it too; the window system may hide it again (its own cue setting).
    main().setFocusCueShown(false);
    press(main(), NavigationKey::Arrow);
    EXPECT_TRUE(main().focusCueShown());
}

TEST_F(Keyboard, HelpFromTheKeyboardOpensUnderTheButtonWithTheFirstItemSelected) {
    machine.backend.setFocus(main().lblhelp);
    press(main(), NavigationKey::Enter);
    main().clickAt(main().Picture1, {2500, 7600});  // and with the mouse
    ASSERT_EQ(machine.backend.popupPlaces.size(), 2U);
    const MenuPlace& keyboard = machine.backend.popupPlaces[0];
    EXPECT_EQ(keyboard.anchor, MenuPlace::Anchor::UnderControl);
    EXPECT_EQ(nameOf(keyboard.control), "Shape5(0)");  // the button's outline
    EXPECT_TRUE(keyboard.fromKeyboard);
    EXPECT_EQ(machine.backend.popupPlaces[1].anchor, MenuPlace::Anchor::Pointer);
    EXPECT_FALSE(machine.backend.popupPlaces[1].fromKeyboard);
}

TEST_F(Keyboard, TheAboutWindowTabsThroughItsLinksAndEscapeClosesIt) {
    quillmere::FrmAbout& about = machine.program->aboutWindow();
    machine.backend.showModal(about);
    EXPECT_EQ(tabThrough(about, 5, false),
              (std::vector<std::string>{"Label4(2)", "Label4(3)", "Label4(4)", "lblClose", "Label4(2)"}));
    press(about, NavigationKey::Tab);  // the home page
    press(about, NavigationKey::Space);
    ASSERT_EQ(machine.shell.executed.size(), 1U);
    EXPECT_EQ(machine.shell.executed[0].parameters, "\"https://www.tarnholt.com/\"");

    EXPECT_TRUE(press(about, NavigationKey::Escape));
    EXPECT_FALSE(about.loaded());
}

struct TrayKeyboard : Keyboard {
    void SetUp() override {
        Keyboard::SetUp();
        main().lblHide_Click();
    }
};

TEST_F(TrayKeyboard, EnterOrSpaceOnTheIconRestoresTheWindow) {
    main().TrayMouseMove(fakes::trayEvent(NIN_KEYSELECT));
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(machine.program->tray().bRunningInTray());
}

TEST_F(TrayKeyboard, TheContextMenuKeyOpensTheMenuAtTheIconAndARightClickOpensOneMenu) {
    main().TrayMouseMove(fakes::trayEvent(WM_CONTEXTMENU, {1200, 870}));
    ASSERT_EQ(machine.backend.popupPlaces.size(), 1U);
    EXPECT_EQ(machine.backend.popupPlaces[0].anchor, MenuPlace::Anchor::ScreenPoint);
    EXPECT_EQ(machine.backend.popupPlaces[0].screenPixels.x, 1200);
    EXPECT_EQ(machine.backend.popupPlaces[0].screenPixels.y, 870);
    EXPECT_TRUE(machine.backend.popupPlaces[0].fromKeyboard);

    // A right-click: the release opens the menu, and the context-menu request the shell sends
    // after it arrives while that menu is open.
    machine.backend.onPopup = [&](const forms::MenuItem&) { main().TrayMouseMove(fakes::trayEvent(WM_CONTEXTMENU)); };
    main().TrayMouseMove(fakes::trayEvent(WM_RBUTTONUP));
    EXPECT_EQ(machine.backend.popups.size(), 2U);
    EXPECT_EQ(machine.backend.popupPlaces[1].anchor, MenuPlace::Anchor::Pointer);
    EXPECT_FALSE(main().visible());
}

}  // namespace
