// The colours the windows draw: as designed, or the system's under a high-contrast theme; which
// labels show the pointer over them, and which labels are shadows left out in one colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "forms/ColorScheme.h"
#include "links/FrmAbout.h"
#include "optimize/FrmOptimize.h"

namespace {

using forms::Color;
using forms::ColorUse;
using forms::Control;
using Kind = forms::Control::Kind;

// Five different colours, so that a use mapped to the wrong one shows.
constexpr forms::SystemColors kSystem{.window = 0x000001, .windowText = 0x000002, .hotLight = 0x000003,
                                      .highlight = 0x000004, .grayText = 0x000005};
constexpr Color kDesigned = forms::rgb(26, 111, 162);

struct ColorCase {
    const char* name;
    ColorUse use;
    Color designed;
    bool highContrast;
    Color drawn;
};

class DrawnColor : public testing::TestWithParam<ColorCase> {};

TEST_P(DrawnColor, IsTheDesignedOneOrTheSystemsForItsUse) {
    const ColorCase& c = GetParam();
    EXPECT_EQ(forms::drawnColor(c.use, c.designed, c.highContrast, kSystem), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Uses, DrawnColor,
    testing::Values(ColorCase{"BackgroundAsDesigned", ColorUse::Background, kDesigned, false, kDesigned},
                    ColorCase{"TextAsDesigned", ColorUse::Text, kDesigned, false, kDesigned},
                    ColorCase{"HotTextAsDesigned", ColorUse::HotText, kDesigned, false, kDesigned},
                    ColorCase{"BarFillAsDesigned", ColorUse::BarFill, kDesigned, false, kDesigned},
                    // A designed system colour stays one, for the backend to look up.
                    ColorCase{"SystemWindowColorAsDesigned", ColorUse::Background, forms::kSystemWindowColor,
                              false, forms::kSystemWindowColor},
                    ColorCase{"DisabledTextGreyAsDesigned", ColorUse::DisabledText, kDesigned, false, 0x000005},
                    ColorCase{"BackgroundInHighContrast", ColorUse::Background, kDesigned, true, 0x000001},
                    ColorCase{"SystemWindowColorInHighContrast", ColorUse::Background, forms::kSystemWindowColor,
                              true, 0x000001},
                    ColorCase{"TextInHighContrast", ColorUse::Text, kDesigned, true, 0x000002},
                    ColorCase{"HotTextInHighContrast", ColorUse::HotText, kDesigned, true, 0x000003},
                    ColorCase{"BarFillInHighContrast", ColorUse::BarFill, kDesigned, true, 0x000004},
                    ColorCase{"DisabledTextInHighContrast", ColorUse::DisabledText, kDesigned, true, 0x000005}),
    [](const testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.name); });

// The windows as the program builds them; each label's look is taken when its window is up, as the
// renderer takes it when the window loads.
struct Windows : testing::Test {
    fakes::Machine machine;
    void SetUp() override { machine.start(); }
    quillmere::FrmMain& main() { return machine.main(); }

    static std::vector<std::string> shadowsIn(const Control& container) {
        std::vector<std::string> names;
        for (const Control* control : container.children()) {
            if (forms::isShadow(*control, container.children())) {
                names.push_back(control->name());
            }
        }
        return names;
    }
};

TEST_F(Windows, ALabelButtonOrLinkUnderThePointerIsHotUntilItLooksAsItDidAtLoad) {
    const forms::LabelLook idleButton = forms::lookOf(main().lblOptimizeNow);
    const forms::LabelLook idlePoweredBy = forms::lookOf(main().Label11);
    main().mouseMoveAt(main().Picture1, {6000, 7600});  // on "Optimize Now"
    EXPECT_EQ(forms::textUse(main().lblOptimizeNow, idleButton), ColorUse::HotText);
    EXPECT_EQ(forms::textUse(main().lblHide, forms::lookOf(main().lblHide)), ColorUse::Text);
    main().mouseMoveAt(main().Picture1, {1000, 7600});  // the navy strip
    EXPECT_EQ(forms::textUse(main().lblOptimizeNow, idleButton), ColorUse::Text);
    // "Powered by" has the hand pointer but no look of its own under it.
    main().Label11.raiseMouseMove();
    EXPECT_EQ(forms::textUse(main().Label11, idlePoweredBy), ColorUse::Text);

    quillmere::FrmAbout& about = machine.program->aboutWindow();
    machine.backend.showModal(about);
    const forms::LabelLook idleLink = forms::lookOf(*about.Label4[3]);
    const forms::LabelLook idleClose = forms::lookOf(about.lblClose);
    const forms::LabelLook idleCaption = forms::lookOf(*about.Label4[8]);
    about.Label4[3]->raiseMouseMove();  // the home page turns red
    about.lblClose.raiseMouseMove();    // "Close" turns bold
    EXPECT_EQ(forms::textUse(*about.Label4[3], idleLink), ColorUse::HotText);
    EXPECT_EQ(forms::textUse(about.lblClose, idleClose), ColorUse::HotText);
    // A caption is bold like the links, and never clickable.
    EXPECT_EQ(forms::textUse(*about.Label4[8], idleCaption), ColorUse::Text);
    about.Picture1.raiseMouseMove();
    EXPECT_EQ(forms::textUse(*about.Label4[3], idleLink), ColorUse::Text);
    EXPECT_EQ(forms::textUse(about.lblClose, idleClose), ColorUse::Text);
}

TEST_F(Windows, OnlyALabelDisabledItselfHasDisabledText) {
    const forms::LabelLook idle = forms::lookOf(main().lblExit);
    main().Picture1.setEnabled(false);  // a run freezes the window: the labels keep their colours
    EXPECT_EQ(forms::textUse(main().lblExit, idle), ColorUse::Text);
    main().Picture1.setEnabled(true);
    main().lblExit.setEnabled(false);
    EXPECT_EQ(forms::textUse(main().lblExit, idle), ColorUse::DisabledText);
}

TEST_F(Windows, TheShadowsAreTheCopiesBehindTheTitlesAndTheAtSign) {
    EXPECT_EQ(shadowsIn(main().Picture1), std::vector<std::string>{"Label2"});
    quillmere::FrmAbout& about = machine.program->aboutWindow();
    about.load();
    EXPECT_EQ(shadowsIn(about.Picture1), (std::vector<std::string>{"Label5", "Label2"}));
    quillmere::FrmOptimize& progress = machine.program->optimizeWindow();
    EXPECT_EQ(shadowsIn(progress.Picture1), std::vector<std::string>{});
}

// Two copies of one text: the one behind is a shadow only while the one in front is shown over it
// in the same font.
TEST(Shadow, NeedsTheSameTextAndFontOverItInFront) {
    forms::HeadlessBackend backend;
    forms::Form form(backend, "Form", "", 3000, 3000);
    Control& picture = form.add<Control>(nullptr, Kind::PictureBox, "Picture", forms::Rect{0, 0, 3000, 3000});
    Control& behind = form.add<Control>(&picture, Kind::Label, "Behind", forms::Rect{30, 90, 1000, 400});
    Control& front = form.add<Control>(&picture, Kind::Label, "Front", forms::Rect{0, 0, 1000, 400});
    behind.setText("Title");
    front.setText("Title");
    const auto& order = picture.children();
    EXPECT_TRUE(forms::isShadow(behind, order));
    EXPECT_FALSE(forms::isShadow(front, order));

    front.setRect({0, 1000, 1000, 400});  // apart: two texts
    EXPECT_FALSE(forms::isShadow(behind, order));
    front.setRect({0, 0, 1000, 400});
    front.setVisible(false);
    EXPECT_FALSE(forms::isShadow(behind, order));
    front.setVisible(true);
    front.setBold(true);
    EXPECT_FALSE(forms::isShadow(behind, order));
    front.setBold(false);
    front.setText("Another");
    EXPECT_FALSE(forms::isShadow(behind, order));
}

}  // namespace
