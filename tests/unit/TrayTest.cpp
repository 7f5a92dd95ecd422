// The tray icon, its mouse events and the pop-up menu.
#include <gtest/gtest.h>

#include "Fakes.h"

namespace {

using platform::NotifyIcon;

struct Tray : testing::Test {
    fakes::Machine machine;
    void SetUp() override { machine.start(); }
    quillmere::FrmMain& main() { return machine.main(); }
    quillmere::clsTray& tray() { return machine.program->tray(); }
};

TEST_F(Tray, RemoveIconSendsAnEmptyTipAndChangeToolTipNeedsAnIcon) {
    tray().ChangeToolTip(main(), "new tip");
    EXPECT_TRUE(machine.notifyIcon.calls.empty());

    tray().ShowIcon(main(), "Quillmere v5.0.1");
    tray().ChangeToolTip(main(), std::string(70, 't'));
    ASSERT_EQ(machine.notifyIcon.calls.size(), 2U);
    EXPECT_EQ(machine.notifyIcon.calls[1].message, NotifyIcon::NIM_MODIFY);
    EXPECT_EQ(machine.notifyIcon.calls[1].data.szTip, std::string(63, 't'));
    EXPECT_EQ(machine.notifyIcon.calls[1].data.uCallbackMessage, 0x0200U);  // as the add left it
    EXPECT_TRUE(tray().bRunningInTray());

    tray().RemoveIcon(main());
    EXPECT_EQ(machine.notifyIcon.calls[2].message, NotifyIcon::NIM_DELETE);
    EXPECT_EQ(machine.notifyIcon.calls[2].data.szTip, "");
    EXPECT_EQ(machine.notifyIcon.calls[2].data.uFlags, 7U);
    EXPECT_FALSE(tray().bRunningInTray());
}

// The keyboard's events come only with the protocol's version 4, which belongs to the icon: every
// icon the shell takes is told it, and an add the shell refused is not.
TEST_F(Tray, EveryIconTheShellTakesIsToldTheProtocolVersion) {
    machine.notifyIcon.refuseAdds = 1;
    main().lblHide_Click();
    EXPECT_TRUE(machine.notifyIcon.versions.empty());
    main().TmrTrayIcon.elapse();  // the retry is taken
    main().RestoreFromTray();
    main().lblHide_Click();
    EXPECT_EQ(machine.notifyIcon.versions, (std::vector<std::uint32_t>{4, 4}));
    const auto add = std::find(machine.log.rbegin(), machine.log.rend(), "tray add");
    ASSERT_NE(add, machine.log.rbegin());
    EXPECT_EQ(*std::prev(add), "tray set version");  // right after the add
}

TEST_F(Tray, TheFlagFollowsTheOperationNotTheShellsAnswer) {
    machine.notifyIcon.refuseAdds = 1;
    tray().ShowIcon(main(), "Quillmere v5.0.1");
    EXPECT_TRUE(tray().bRunningInTray());
    EXPECT_TRUE(tray().iconMissing());
}

TEST_F(Tray, AnAddRefusedForAnIconAlreadyThereNeedsNoRetry) {
    machine.notifyIcon.iconsShown = 1;  // the shell will refuse the add
    main().lblHide_Click();
    EXPECT_TRUE(tray().bRunningInTray());
    EXPECT_FALSE(tray().iconMissing());
    EXPECT_FALSE(main().TmrTrayIcon.enabled());
    EXPECT_EQ(machine.notifyIcon.calls.back().message, NotifyIcon::NIM_MODIFY);
    EXPECT_EQ(machine.notifyIcon.iconsShown, 1);
}

// At logon the shell may refuse icons for a while: the hidden window keeps trying, a few seconds
// apart and whenever a new taskbar says it is ready, until its icon is in, and then stops.
struct ShellNotReady {
    int refusals;
    bool taskbarCreatedLast;  // the last try comes from "TaskbarCreated" rather than the timer
};

void PrintTo(const ShellNotReady& c, std::ostream* out) {
    *out << c.refusals << " refusals, then " << (c.taskbarCreatedLast ? "TaskbarCreated" : "the timer");
}

class TrayRetry : public testing::TestWithParam<ShellNotReady> {};

TEST_P(TrayRetry, TheIconComesInOnceTheShellTakesIt) {
    const ShellNotReady c = GetParam();
    fakes::Machine machine;
    machine.notifyIcon.refuseAdds = c.refusals;
    machine.process.arguments = "auto";
    machine.start();
    auto& main = machine.main();
    forms::Timer& retry = main.TmrTrayIcon;
    EXPECT_GE(retry.interval(), 1000);
    EXPECT_LE(retry.interval(), 5000);

    for (int attempt = 1; attempt < c.refusals; ++attempt) {
        ASSERT_TRUE(retry.enabled()) << "after attempt " << attempt;
        retry.elapse();
    }
    EXPECT_EQ(machine.notifyIcon.iconsShown, 0);
    ASSERT_TRUE(retry.enabled());
    if (c.taskbarCreatedLast) {
        main.TaskbarCreated();
    } else {
        retry.elapse();
    }
    EXPECT_EQ(machine.notifyIcon.iconsShown, 1);
    EXPECT_EQ(machine.notifyIcon.adds(), c.refusals + 1);
    EXPECT_FALSE(retry.enabled());
    // Each try carries the whole tip: no second call is needed once the icon is in.
    EXPECT_EQ(machine.notifyIcon.calls.back().data.szTip, "Quillmere v5.0.1\nPhysical RAM 50% available");
    EXPECT_EQ(machine.notifyIcon.calls.back().message, NotifyIcon::NIM_ADD);
    EXPECT_FALSE(main.visible());
    EXPECT_TRUE(machine.program->tray().bRunningInTray());
}

INSTANTIATE_TEST_SUITE_P(Attempts, TrayRetry,
                         testing::Values(ShellNotReady{1, false}, ShellNotReady{4, false}, ShellNotReady{1, true},
                                         ShellNotReady{3, true}));

TEST_F(Tray, LeavingTheTrayStopsTheRetries) {
    machine.notifyIcon.refuseAdds = 100;
    main().lblHide_Click();
    ASSERT_TRUE(main().TmrTrayIcon.enabled());
    main().RestoreFromTray();
    main().TmrTrayIcon.elapse();
    EXPECT_FALSE(main().TmrTrayIcon.enabled());
    EXPECT_EQ(machine.notifyIcon.adds(), 1);
}

TEST_F(Tray, HideRestoreHideShowsOneIconEachTime) {
    main().lblHide.raiseClick();
    EXPECT_FALSE(main().visible());
    main().TrayMouseMove(fakes::trayEvent(0x0203));
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(main().windowState(), forms::WindowState::Normal);
    EXPECT_FALSE(tray().bRunningInTray());
    main().lblHide.raiseClick();
    EXPECT_EQ(machine.notifyIcon.iconsShown, 1);
    int adds = 0;
    for (const auto& call : machine.notifyIcon.calls) {
        adds += call.message == NotifyIcon::NIM_ADD ? 1 : 0;
    }
    EXPECT_EQ(adds, 2);
}

TEST_F(Tray, OnlyADoubleClickRestoresAndOnlyARightButtonReleaseOpensTheMenu) {
    main().lblHide_Click();
    // Codes no shell sends are ignored as well: another program can post anything. So is a
    // single click's selection (NIN_SELECT), and any event of an icon that is not the program's.
    for (std::uint32_t ignored : {0x0200U, 0x0201U, 0x0202U, 0x0204U, 0x0206U, 0x0207U, 0x0000U, 0x0400U, 0xFFFFU}) {
        main().TrayMouseMove(fakes::trayEvent(ignored));
    }
    for (std::uint32_t otherIcon : {0U, 2U, 0xFFFFU}) {
        for (std::uint32_t message : {0x0203U, 0x0205U, 0x0401U, 0x007BU}) {
            main().TrayMouseMove(forms::TrayEvent{message, otherIcon, {}});
        }
    }
    EXPECT_FALSE(main().visible());
    EXPECT_TRUE(machine.backend.popups.empty());

    main().TrayMouseMove(fakes::trayEvent(0x0205));
    EXPECT_EQ(machine.backend.popups, std::vector<std::string>{"MnuMain"});
    EXPECT_EQ(machine.backend.popupPlaces[0].anchor, forms::MenuPlace::Anchor::Pointer);
    EXPECT_FALSE(main().visible());
}

TEST_F(Tray, BothActionsAreIgnoredDuringARun) {
    main().lblHide_Click();
    machine.program->bOptimizing = true;
    for (std::uint32_t message : {0x0203U, 0x0205U, 0x0401U, 0x007BU}) {  // the keyboard's as well
        main().TrayMouseMove(fakes::trayEvent(message));
    }
    EXPECT_FALSE(main().visible());
    EXPECT_TRUE(machine.backend.popups.empty());
}

TEST_F(Tray, TheMenuHoldsItsItemsInOrder) {
    const forms::MenuItem& menu = main().MnuMain;
    std::vector<std::string> items;
    for (const auto& item : menu.items) {
        items.push_back(item.name + " " + item.caption);
    }
    EXPECT_EQ(items, (std::vector<std::string>{"mnuQuillmere Quillmere v5.0.1", "mnuOptimize Optimize", "mniline -",
                                               "mnuHelp1 Help", "mnuAbout About", "mnuline2 -", "mnuExit Exit"}));
    std::vector<std::string> help;
    for (const auto& item : menu.items[3].items) {
        help.push_back(item.name + " " + item.caption);
    }
    EXPECT_EQ(help, (std::vector<std::string>{"mnuMailUS1 Mail Us", "mnuOnlineFAQ1 Online FAQ",
                                              "mnuConatcOnlineCR1 Contact Online Customer Representative"}));
    EXPECT_TRUE(menu.items[2].isSeparator());
}

TEST_F(Tray, TheTitleItemRestoresAndExitEnds) {
    main().lblHide_Click();
    machine.backend.onPopup = [](const forms::MenuItem& menu) { menu.items[0].Click(); };
    main().TrayMouseMove(fakes::trayEvent(0x0205));
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(tray().bRunningInTray());
    EXPECT_FALSE(main().find("lblOptimizeNow") == nullptr);
    EXPECT_FALSE(machine.program->bOptimizing);

    main().lblHide_Click();
    machine.backend.onPopup = [](const forms::MenuItem& menu) { menu.items[6].Click(); };
    main().TrayMouseMove(fakes::trayEvent(0x0205));
    EXPECT_EQ(machine.process.exits, 1);
    EXPECT_EQ(machine.notifyIcon.iconsShown, 0);
}

}  // namespace
