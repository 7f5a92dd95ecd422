// The main window's label buttons, the Help pop-up and the About window.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "links/FrmAbout.h"

namespace {

using forms::Point;

// Points inside Picture1, in twips.
constexpr Point kOnOptimizeNow{6000, 7600};
constexpr Point kOnHide{8000, 7600};
constexpr Point kOnOptimizeNowsOutline{5600, 7480};
constexpr Point kOnNavyStrip{1000, 7600};
constexpr Point kOnAFigure{3100, 2050};

struct MainWindow : testing::Test {
    fakes::Machine machine;
    void SetUp() override { machine.start(); }
    quillmere::FrmMain& main() { return machine.main(); }
    void moveTo(Point point) { main().mouseMoveAt(main().Picture1, point); }
    bool bold(const forms::Control& button) const { return button.font().bold; }
};

TEST_F(MainWindow, AButtonTurnsBoldUnderThePointerAndOnlyTheBackgroundResetsIt) {
    moveTo(kOnOptimizeNow);
    EXPECT_TRUE(bold(main().lblOptimizeNow));
    moveTo(kOnAFigure);  // another control: nothing changes
    EXPECT_TRUE(bold(main().lblOptimizeNow));
    moveTo(kOnHide);  // the other buttons keep their state
    EXPECT_TRUE(bold(main().lblOptimizeNow));
    EXPECT_TRUE(bold(main().lblHide));

    moveTo(kOnOptimizeNowsOutline);  // outlines take no mouse events: background
    EXPECT_FALSE(bold(main().lblOptimizeNow));
    EXPECT_FALSE(bold(main().lblHide));
}

TEST_F(MainWindow, TheBackgroundResetsTheButtonsInItsOrder) {
    for (Point p : {Point{2500, 7600}, Point{4100, 7600}, kOnOptimizeNow, kOnHide, Point{9500, 7600}}) {
        moveTo(p);
    }
    machine.backend.changes.clear();
    moveTo(kOnNavyStrip);
    std::vector<std::string> order;
    for (const auto& [name, property] : machine.backend.changes) {
        order.push_back(name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"lblExit", "lblHide", "lblAbout", "lblhelp", "lblOptimizeNow"}));
}

TEST_F(MainWindow, HideAndRestoreLeaveTheClickedButtonBold) {
    moveTo(kOnHide);
    main().lblHide.raiseClick();
    main().TrayMouseMove(fakes::trayEvent(0x0203));
    EXPECT_TRUE(main().visible());
    EXPECT_TRUE(bold(main().lblHide));
}

TEST_F(MainWindow, NothingReactsDuringARun) {
    main().lblOptimizeNow_Click();
    moveTo(kOnHide);
    EXPECT_FALSE(bold(main().lblHide));
    main().clickAt(main().Picture1, kOnHide);
    EXPECT_TRUE(main().visible());
    main().clickAt(main().Picture1, Point{2500, 7600});
    EXPECT_TRUE(machine.backend.popups.empty());
}

TEST_F(MainWindow, HelpPopsUpItsThreeLinks) {
    std::vector<std::string> items;
    machine.backend.onPopup = [&](const forms::MenuItem& menu) {
        for (const auto& item : menu.items) {
            items.push_back(item.caption);
        }
    };
    main().clickAt(main().Picture1, Point{2500, 7600});
    EXPECT_EQ(machine.backend.popups, std::vector<std::string>{"mnuHelp2"});
    EXPECT_EQ(items, (std::vector<std::string>{"Mail Us", "Online FAQ", "Contact Online Customer Representative"}));
    EXPECT_TRUE(machine.shell.executed.empty());  // dismissed: nothing happens
}

TEST_F(MainWindow, EveryLinkItemOpensItsTarget) {
    const auto choose = [&](const forms::MenuItem& menu, std::size_t item) {
        machine.shell.executed.clear();
        menu.items[item].Click();
        EXPECT_EQ(machine.shell.executed.size(), 1U) << menu.items[item].name;
        return machine.shell.executed.empty() ? fakes::Shell::Execute{} : machine.shell.executed[0];
    };
    const forms::MenuItem& trayHelp = main().MnuMain.items[3];
    for (const forms::MenuItem* menu : {&main().mnuHelp2, &trayHelp}) {
        const auto mail = choose(*menu, 0);
        EXPECT_EQ(mail.file, "mailto:support@tarnholt.com");
        EXPECT_EQ(mail.operation, "");
        EXPECT_EQ(mail.show, 1);
        EXPECT_EQ(mail.window, main().hWnd());
        EXPECT_EQ(choose(*menu, 1).parameters, "\"https://www.tarnholt.com/contact.html\"");
        EXPECT_EQ(choose(*menu, 2).parameters, "\"https://www.tarnholt.com/contact.html\"");
    }
    machine.shell.executed.clear();
    main().Label11.raiseClick();
    ASSERT_EQ(machine.shell.executed.size(), 1U);
    EXPECT_EQ(machine.shell.executed[0].parameters, "\"https://www.tarnholt.com/\"");
    EXPECT_EQ(machine.shell.executed[0].show, 3);
}

TEST_F(MainWindow, AboutShowsOneModalWindowWhileTheFiguresKeepRefreshing) {
    std::string during;
    const forms::Form* shown = nullptr;
    machine.backend.onModal = [&](forms::Form& about) {
        shown = &about;
        EXPECT_TRUE(about.visible());
        machine.memory.status.ullAvailPhys = 1ULL << 30;
        main().TmrMemoryCount.elapse();
        during = main().lblAvilablePhysicalRam.text();
        static_cast<quillmere::FrmAbout&>(about).lblClose.raiseClick();
    };
    main().lblAbout.raiseClick();
    EXPECT_EQ(machine.backend.modals, std::vector<std::string>{"FrmAbout"});
    EXPECT_EQ(during, "1048576 KB");
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->loaded());  // Close unloaded it

    // The tray menu's About opens the same kind of window.
    main().MnuMain.items[4].Click();
    EXPECT_EQ(machine.backend.modals.size(), 2U);
}

struct About : testing::Test {
    fakes::Machine machine;
    quillmere::FrmAbout* about = nullptr;
    void SetUp() override {
        machine.start();
        about = &machine.program->aboutWindow();
        machine.backend.showModal(*about);
    }
    forms::Color colour(int index) const { return about->Label4[static_cast<std::size_t>(index)]->foreColor(); }
};

constexpr forms::Color kBlue = 0xDD9362;
constexpr forms::Color kRed = 0x0000FF;

TEST_F(About, LinksTurnRedUnderThePointerAndOnlyTheBackgroundTurnsThemBlue) {
    for (int index = 0; index < 9; ++index) {
        about->Label4[static_cast<std::size_t>(index)]->raiseMouseMove();
    }
    for (int index = 0; index < 9; ++index) {
        EXPECT_EQ(colour(index), index >= 2 && index <= 4 ? kRed : kBlue) << index;
    }
    about->lblClose.raiseMouseMove();
    EXPECT_TRUE(about->lblClose.font().bold);

    machine.backend.changes.clear();
    about->Picture1.raiseMouseMove();
    std::vector<std::string> order;
    for (const auto& [name, property] : machine.backend.changes) {
        order.push_back(name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Label4(3)", "Label4(4)", "Label4(2)", "lblClose"}));
    for (int index : {2, 3, 4}) {
        EXPECT_EQ(colour(index), kBlue);
    }
    EXPECT_FALSE(about->lblClose.font().bold);
}

TEST_F(About, TheThreeLinksOpenTheirTargetsAndTheWindowStaysOpen) {
    for (int index = 0; index < 9; ++index) {
        about->Label4[static_cast<std::size_t>(index)]->raiseClick();
    }
    ASSERT_EQ(machine.shell.executed.size(), 3U);
    EXPECT_EQ(machine.shell.executed[0].file, "mailto:support@tarnholt.com");
    EXPECT_EQ(machine.shell.executed[0].window, about->hWnd());
    EXPECT_EQ(machine.shell.executed[1].parameters, "\"https://www.tarnholt.com/\"");
    EXPECT_EQ(machine.shell.executed[1].window, about->hWnd());
    EXPECT_EQ(machine.shell.executed[2].parameters, "\"https://www.tarnholt.com/contact.html\"");
    EXPECT_TRUE(about->visible());
}

TEST_F(About, ClosingUnloadsSoTheNextOpeningStartsBlue) {
    about->Label4[3]->raiseMouseMove();
    about->lblClose.raiseMouseMove();
    about->requestClose();  // the window's own close command
    EXPECT_FALSE(about->loaded());
    quillmere::FrmAbout& again = machine.program->aboutWindow();
    EXPECT_NE(&again, about);
    EXPECT_EQ(again.Label4[3]->foreColor(), kBlue);
    EXPECT_FALSE(again.lblClose.font().bold);
}

}  // namespace
