// What a screen reader finds in the windows: the accessible children of their picture boxes, their
// states and locations, the default action, and the changes a reader is told of.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "forms/Accessibility.h"
#include "links/FrmAbout.h"
#include "optimize/FrmOptimize.h"

namespace forms {
void PrintTo(AccessibleRole role, std::ostream* os) {
    static const char* const names[] = {"StaticText", "PushButton", "CheckBox", "ProgressBar", "SpinButton",
                                        "EditableText"};
    *os << names[static_cast<int>(role)];
}
void PrintTo(const AccessibleChange& change, std::ostream* os) {
    static const char* const kinds[] = {"Name", "Value", "State", "Focus", "Structure"};
    *os << kinds[static_cast<int>(change.kind)] << "@" << change.index;
}
void PrintTo(const Rect& rect, std::ostream* os) {
    *os << "{" << rect.left << ", " << rect.top << ", " << rect.width << ", " << rect.height << "}";
}
}  // namespace forms

namespace {

using forms::AccessibleChange;
using forms::AccessibleElement;
using forms::AccessibleRole;
using Role = forms::AccessibleRole;

// Role, name and value, as a reader says them.
struct Spoken {
    Role role;
    std::string name;
    std::string value;
    bool operator==(const Spoken&) const = default;
    friend void PrintTo(const Spoken& s, std::ostream* os) {
        forms::PrintTo(s.role, os);
        *os << " \"" << s.name << "\" \"" << s.value << "\"";
    }
};

std::vector<Spoken> spoken(const std::vector<AccessibleElement>& children) {
    std::vector<Spoken> out;
    for (const AccessibleElement& child : children) {
        out.push_back({child.role, child.name, child.value});
    }
    return out;
}

const AccessibleElement& elementOf(const std::vector<AccessibleElement>& children, const forms::Control& control) {
    for (const AccessibleElement& child : children) {
        if (child.control == &control) {
            return child;
        }
    }
    throw std::runtime_error("no element for " + control.name());
}

std::size_t indexOf(const std::vector<AccessibleElement>& children, const forms::Control& control) {
    return static_cast<std::size_t>(&elementOf(children, control) - children.data());
}

struct Accessible : testing::Test {
    fakes::Machine machine;
    void SetUp() override { machine.start(); }
    quillmere::FrmMain& main() { return machine.main(); }
    std::vector<AccessibleElement> tree() { return forms::accessibleChildren(main().Picture1); }
    void tick() { main().TmrMemoryCount.elapse(); }
};

TEST_F(Accessible, TheMainWindowReadsEveryTextOnceInReadingOrder) {
    const std::string program = "Quillmere v5.0.1";
    const std::vector<Spoken> expected = {
        {Role::StaticText, program, ""},  // the title once: its black shadow copy is left out
        {Role::StaticText, program + " instantly free up your system's memory when your system slows down and also "
                                     "stops memory leaks. ", ""},
        {Role::StaticText, "Total Physical RAM", ""},
        {Role::StaticText, "8388608 KB", ""},
        {Role::StaticText, "Available Physical RAM", ""},
        {Role::StaticText, "4194304 KB", ""},  // the figure in its own box
        {Role::ProgressBar, "Physical RAM 50% available", "50%"},
        {Role::StaticText, "Total Virtual RAM", ""},
        {Role::StaticText, "134217728 MB", ""},
        {Role::StaticText, "Available Virtual RAM", ""},
        {Role::StaticText, "133169152 MB", ""},
        {Role::ProgressBar, "Virtual RAM 99% available", "99%"},
        {Role::StaticText, "Total Page File", ""},
        {Role::StaticText, "12582912 KB", ""},
        {Role::StaticText, "Available Page File", ""},
        {Role::StaticText, "6291456 KB", ""},
        {Role::ProgressBar, "Page File 50% available", "50%"},
        {Role::StaticText, program + " Settings", ""},
        {Role::CheckBox, "Load " + program + " when windows starts.", ""},
        {Role::CheckBox, "Automatically Free If RAM Memory goes below", ""},
        {Role::SpinButton, "Automatically Free If RAM Memory goes below %", "15"},
        {Role::PushButton, "Help", ""},
        {Role::PushButton, "About", ""},
        {Role::PushButton, "Optimize Now", ""},
        {Role::PushButton, "Hide", ""},
        {Role::PushButton, "Exit", ""},
        {Role::StaticText, "long date 2026-12-10", ""},
        {Role::StaticText, "Time: 19:05:09", ""},
        {Role::PushButton, "Powered by: Tarnholt", ""},
    };
    EXPECT_EQ(spoken(tree()), expected);
}

TEST_F(Accessible, ButtonsPressAndCheckBoxesToggle) {
    const auto children = tree();
    for (const forms::Control* button :
         {&main().lblhelp, &main().lblAbout, &main().lblOptimizeNow, &main().lblHide, &main().lblExit}) {
        EXPECT_EQ(elementOf(children, *button).defaultAction, "Press") << button->name();
    }
    EXPECT_EQ(elementOf(children, main().lblTotalPhysicalRAM).defaultAction, "");

    forms::doDefaultAction(elementOf(children, main().lblAbout));
    EXPECT_EQ(machine.backend.modals, std::vector<std::string>{"FrmAbout"});

    auto& box = main().chkAutoFreeRamPercent;
    const AccessibleElement unchecked = elementOf(tree(), box);
    EXPECT_FALSE(unchecked.checked);
    EXPECT_EQ(unchecked.defaultAction, "Check");
    forms::doDefaultAction(unchecked);
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(machine.settings.values["Enable Auto Free"], "1");  // its click handler ran
    const AccessibleElement checked = elementOf(tree(), box);
    EXPECT_TRUE(checked.checked);
    EXPECT_EQ(checked.defaultAction, "Uncheck");
}

TEST_F(Accessible, ARunMakesEverythingUnavailableAndNothingPresses) {
    main().lblOptimizeNow_Click();
    const auto during = tree();
    for (const AccessibleElement& child : during) {
        EXPECT_TRUE(child.unavailable) << child.name;
    }
    forms::doDefaultAction(elementOf(during, main().lblAbout));
    EXPECT_TRUE(machine.backend.modals.empty());
}

TEST_F(Accessible, FocusComesFromTheKeyboardsRules) {
    main().focusArrived(&main().lblAbout);
    const auto children = tree();
    EXPECT_TRUE(elementOf(children, main().lblAbout).focused);
    EXPECT_TRUE(elementOf(children, main().lblExit).focusable);
    EXPECT_FALSE(elementOf(children, main().lblExit).focused);
    EXPECT_FALSE(elementOf(children, main().lblTime).focusable);
}

// Where a reader finds an element on the screen, at 100 % and 150 % scaling.
struct Location {
    int dpi;
    const char* control;
    forms::Rect pixels;  // in the picture box
};

void PrintTo(const Location& location, std::ostream* os) { *os << location.control << " at " << location.dpi; }

struct AccessibleLocation : Accessible, testing::WithParamInterface<Location> {};

TEST_P(AccessibleLocation, IsWhereTheControlIsDrawn) {
    const Location& expected = GetParam();
    const auto children = tree();
    const AccessibleElement& element = elementOf(children, *main().find(expected.control));
    EXPECT_EQ(forms::pixelLocation(element.location, expected.dpi), expected.pixels);
    // And that point of the screen finds it again.
    const forms::Point centre{element.location.left + element.location.width / 2,
                              element.location.top + element.location.height / 2};
    EXPECT_EQ(forms::accessibleChildAt(children, centre), indexOf(children, *main().find(expected.control)));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, AccessibleLocation,
    testing::Values(Location{96, "lblAbout", {266, 502, 73, 16}}, Location{144, "lblAbout", {399, 753, 110, 24}},
                    // In Picture2, itself at 2970, 2385 in the picture box.
                    Location{96, "lblAvilablePhysicalRam", {201, 162, 205, 15}},
                    Location{144, "lblAvilablePhysicalRam", {302, 243, 307, 23}},
                    Location{96, "PgbAvailablePhysicalRAM", {426, 146, 265, 20}},
                    Location{144, "PgbAvailablePhysicalRAM", {639, 219, 398, 30}}),
    [](const auto& info) { return std::string(info.param.control) + "_" + std::to_string(info.param.dpi); });

TEST_F(Accessible, NoChildIsFoundOnTheBackgroundOrTheOutlines) {
    const auto children = tree();
    EXPECT_EQ(forms::accessibleChildAt(children, {1000, 7600}), std::nullopt);  // the navy strip
    EXPECT_EQ(forms::accessibleChildAt(children, {5600, 7480}), std::nullopt);  // a button's outline
}

TEST_F(Accessible, ATickTellsOnlyWhatChanged) {
    auto before = tree();
    tick();
    EXPECT_EQ(forms::accessibleChanges(before, tree()), std::vector<AccessibleChange>{});

    // A little less virtual memory: the figure changes, the bar's share stays at 99 %.
    machine.memory.status.ullAvailVirtual -= 1ULL << 30;
    before = tree();
    tick();
    EXPECT_EQ(forms::accessibleChanges(before, tree()),
              (std::vector<AccessibleChange>{{AccessibleChange::Kind::Name, indexOf(before, main().lblAvailableVirtualRAM)}}));

    // Half the physical memory gone: its figure, and its bar's caption and share.
    machine.memory.status.ullAvailPhys /= 2;
    machine.clock.advance(1);
    before = tree();
    tick();
    const std::size_t bar = indexOf(before, main().PgbAvailablePhysicalRAM);
    EXPECT_EQ(forms::accessibleChanges(before, tree()),
              (std::vector<AccessibleChange>{{AccessibleChange::Kind::Name, indexOf(before, main().lblAvilablePhysicalRam)},
                                             {AccessibleChange::Kind::Name, bar},
                                             {AccessibleChange::Kind::Value, bar},
                                             {AccessibleChange::Kind::Name, indexOf(before, main().lblTime)}}));
}

TEST_F(Accessible, StatesAndFocusAreToldForTheChildrenTheyChange) {
    // A run makes unavailable what was not already (the threshold is, while the automatic free is off).
    auto before = tree();
    main().lblOptimizeNow_Click();
    std::vector<AccessibleChange> expected;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!before[i].unavailable) {
            expected.push_back({AccessibleChange::Kind::State, i});
        }
    }
    EXPECT_EQ(expected.size(), before.size() - 1);
    EXPECT_EQ(forms::accessibleChanges(before, tree()), expected);

    before = tree();
    main().focusArrived(&main().lblHide);
    EXPECT_EQ(forms::accessibleChanges(before, tree()),
              (std::vector<AccessibleChange>{{AccessibleChange::Kind::Focus, indexOf(before, main().lblHide)}}));

    // Other controls than before: the reader must read the children again.
    auto fewer = tree();
    fewer.pop_back();
    EXPECT_EQ(forms::accessibleChanges(tree(), fewer),
              (std::vector<AccessibleChange>{{AccessibleChange::Kind::Structure, 0}}));
}

TEST_F(Accessible, TheThresholdsWindowsAreNamedByTheSentenceTheyStandIn) {
    main().chkAutoFreeRamPercent.userClick();  // the threshold takes input while the free is on
    const auto box = forms::accessibleElementOf(main().txtScanTillNumberOfFiles);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->role, Role::EditableText);
    EXPECT_EQ(box->name, "Automatically Free If RAM Memory goes below %");
    EXPECT_EQ(box->value, "15");
    EXPECT_FALSE(box->unavailable);
    EXPECT_EQ(box->location, main().txtScanTillNumberOfFiles.rect());

    const auto before = tree();
    main().udScanTillNoOfFiles.step(+1);
    const auto upDown = forms::accessibleElementOf(main().udScanTillNoOfFiles);
    ASSERT_TRUE(upDown.has_value());
    EXPECT_EQ(upDown->role, Role::SpinButton);
    EXPECT_EQ(upDown->value, "16");
    EXPECT_EQ(forms::accessibleChanges(before, tree()),
              (std::vector<AccessibleChange>{{AccessibleChange::Kind::Value, indexOf(before, main().udScanTillNoOfFiles)}}));
}

TEST_F(Accessible, TheAboutWindowReadsItsTextsAndItsLinksPress) {
    quillmere::FrmAbout& about = machine.program->aboutWindow();
    const std::vector<Spoken> expected = {
        {Role::StaticText, "@", ""},  // the logo once, its white shadow left out
        {Role::StaticText, "Quillmere v5.0.1", ""},
        {Role::StaticText, "Company:", ""},
        {Role::StaticText, "Tarnholt", ""},
        {Role::StaticText, "Version:", ""},
        {Role::StaticText, "5.0.1", ""},
        {Role::StaticText, "Support:", ""},
        {Role::PushButton, about.Label4[2]->text(), ""},
        {Role::StaticText, "Website:", ""},
        {Role::PushButton, about.Label4[3]->text(), ""},
        {Role::PushButton, "Contact Online Customer Representative", ""},
        {Role::PushButton, "Close", ""},
    };
    EXPECT_EQ(spoken(forms::accessibleChildren(about.Picture1)), expected);
}

TEST_F(Accessible, TheProgressWindowsBarIsNamedByItsTextAndTellsItsShare) {
    main().lblOptimizeNow_Click();
    quillmere::FrmOptimize& progress = machine.program->optimizeWindow();
    ASSERT_TRUE(progress.PgbOptimizing.setValue(progress.PgbOptimizing.Max() / 2));
    EXPECT_EQ(spoken(forms::accessibleChildren(progress.Picture1)),
              (std::vector<Spoken>{{Role::ProgressBar, "Optimizing Physical RAM. Please wait ....!", "50%"}}));
}

}  // namespace
