// The three windows as designed: every control's kind, text, look and place, written down here
// a second time so that a slip in the layout code shows up as a difference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Fakes.h"
#include "links/FrmAbout.h"
#include "links/Links.h"
#include "optimize/FrmOptimize.h"

namespace forms {

// Readable failure messages for the design enumerations.
void PrintTo(Control::Kind kind, std::ostream* out) {
    static const char* const names[] = {"Label", "TextBox", "CheckBox", "PictureBox",
                                        "Shape", "Image",   "ProgressBar", "UpDown"};
    *out << names[static_cast<int>(kind)];
}
void PrintTo(Alignment alignment, std::ostream* out) {
    *out << (alignment == Alignment::Left ? "Left" : alignment == Alignment::Right ? "Right" : "Center");
}
void PrintTo(Cursor cursor, std::ostream* out) { *out << (cursor == Cursor::Hand ? "Hand" : "Default"); }
void PrintTo(ShapeKind shape, std::ostream* out) {
    *out << (shape == ShapeKind::Circle ? "Circle" : "RoundedRectangle");
}

}  // namespace forms

namespace {

using forms::Alignment;
using forms::Color;
using forms::Cursor;
using forms::Font;
using forms::Rect;
using forms::ShapeKind;
using Kind = forms::Control::Kind;

// The colours of the windows, as COLORREF; each is also written as red, green, blue to catch a
// mistyped value.
constexpr Color kSteelBlue = 0xA26F1A;
constexpr Color kBlue = 0xDD9362;
constexpr Color kLightBlue = 0xF9BC9B;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kGrey = 0x808080;
constexpr Color kDarkRed = 0x0000C0;
constexpr Color kBlack = 0x000000;
static_assert(kSteelBlue == forms::rgb(26, 111, 162));
static_assert(kBlue == forms::rgb(98, 147, 221));
static_assert(kLightBlue == forms::rgb(155, 188, 249));
static_assert(kDarkRed == forms::rgb(192, 0, 0));

const Font kTitleFont{.name = "Verdana", .size = 18, .italic = true};
const Font kDescriptionFont{.name = "Verdana", .size = 8.25};
const Font kPanelFont{.name = "Arial", .size = 9};
const Font kSmallArial{.name = "Arial", .size = 8.25};
const Font kButtonFont{.name = "Arial", .size = 9.75};
const Font kAtSignFont{.name = "Arial Black", .size = 48};
const Font kBoldVerdana{.name = "Verdana", .size = 9, .bold = true};

constexpr const char* kTitle = "Quillmere v5.0.1";

// One control as designed. Values left unset are the ones the design leaves open or that do not
// apply to the kind (a shape has no text, an image no font).
struct Designed {
    const char* name;
    Kind kind;
    std::string text = "";
    std::optional<Font> font = std::nullopt;
    std::optional<Color> foreColor = std::nullopt;
    Rect rect = {};  // in the container; only left and top for a label sized to its text
    Alignment alignment = Alignment::Left;
    bool autoSize = false;
    Cursor mousePointer = Cursor::Default;
    const char* toolTip = "";
    const char* container = "Picture1";  // "": the form itself
    std::optional<Color> backColor = std::nullopt;
    bool wordWrap = false;
    ShapeKind shape = ShapeKind::RoundedRectangle;  // shapes only
    int borderWidth = 1;                            // shapes only
};

std::string hex(Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
    return text;
}

void expectControl(const forms::Control& built, const Designed& designed) {
    EXPECT_EQ(built.kind(), designed.kind);
    EXPECT_EQ(built.container() ? built.container()->name() : "", designed.container);
    EXPECT_EQ(built.text(), designed.text);
    if (designed.font) {
        EXPECT_EQ(built.font().name, designed.font->name);
        EXPECT_EQ(built.font().size, designed.font->size);
        EXPECT_EQ(built.font().bold, designed.font->bold);
        EXPECT_EQ(built.font().italic, designed.font->italic);
    }
    if (designed.foreColor) {
        EXPECT_EQ(hex(built.foreColor()), hex(*designed.foreColor));
    }
    if (designed.backColor) {
        EXPECT_EQ(hex(built.backColor()), hex(*designed.backColor));
    }
    EXPECT_EQ(built.rect().left, designed.rect.left);
    EXPECT_EQ(built.rect().top, designed.rect.top);
    if (!designed.autoSize) {
        EXPECT_EQ(built.rect().width, designed.rect.width);
        EXPECT_EQ(built.rect().height, designed.rect.height);
    }
    EXPECT_EQ(built.alignment, designed.alignment);
    EXPECT_EQ(built.autoSize, designed.autoSize);
    EXPECT_EQ(built.wordWrap, designed.wordWrap);
    EXPECT_EQ(built.mousePointer, designed.mousePointer);
    EXPECT_EQ(built.toolTip, designed.toolTip);
    if (designed.kind == Kind::Label) {
        EXPECT_TRUE(built.transparent) << "every label shows the picture behind it";
    }
    if (designed.kind == Kind::Shape) {
        EXPECT_EQ(built.shape, designed.shape);
        EXPECT_EQ(built.borderWidth, designed.borderWidth);
    }
}

// Every designed control is built as designed, and the form holds nothing else.
void expectControls(const forms::Form& form, const std::vector<Designed>& design) {
    for (const Designed& designed : design) {
        SCOPED_TRACE(designed.name);
        const forms::Control* built = form.find(designed.name);
        if (built == nullptr) {
            ADD_FAILURE() << designed.name << " is missing";
            continue;
        }
        expectControl(*built, designed);
    }
    for (const auto& control : form.controls()) {
        const bool designedHere = std::any_of(design.begin(), design.end(), [&](const Designed& designed) {
            return control->name() == designed.name;
        });
        EXPECT_TRUE(designedHere) << control->name() << " is not part of the design";
    }
    EXPECT_EQ(form.controls().size(), design.size()) << "the form and its design hold different numbers of controls";
}

void expectTimers(const forms::Form& form, const std::vector<std::pair<std::string, int>>& designed) {
    std::vector<std::pair<std::string, int>> built;
    for (const auto& timer : form.timers()) {
        built.emplace_back(timer->name(), timer->interval());
    }
    EXPECT_EQ(built, designed);
}

// The windows as built, before anything has loaded them: start-up replaces the date, the time
// and the figures.
struct Layout : testing::Test {
    fakes::Machine machine;
    void SetUp() override {
        machine.program = std::make_unique<quillmere::Program>(machine.services, machine.backend);
    }
};

// A caption of a memory panel, sized to its text.
Designed caption(const char* name, const char* text, int left, int top) {
    return {.name = name, .kind = Kind::Label, .text = text, .font = kPanelFont, .foreColor = kSteelBlue,
            .rect = {left, top}, .autoSize = true};
}
// A figure of a memory panel: fixed width, left-aligned, or centred for a percentage.
Designed figure(const char* name, const char* text, Rect rect, Alignment alignment = Alignment::Left) {
    return {.name = name, .kind = Kind::Label, .text = text, .font = kPanelFont, .foreColor = kSteelBlue,
            .rect = rect, .alignment = alignment};
}
Designed bar(const char* name, Rect rect) { return {.name = name, .kind = Kind::ProgressBar, .rect = rect}; }
Designed outline(const char* name, Color color, Rect rect) {
    return {.name = name, .kind = Kind::Shape, .foreColor = color, .rect = rect};
}
// A label button: white centred text over the navy strip, the hand pointer.
Designed labelButton(const char* name, const char* text, Rect rect) {
    return {.name = name, .kind = Kind::Label, .text = text, .font = kButtonFont, .foreColor = kWhite,
            .rect = rect, .alignment = Alignment::Center, .mousePointer = Cursor::Hand};
}
Designed footer(const char* name, const char* text, int left, const char* toolTip, Cursor pointer = Cursor::Default) {
    return {.name = name, .kind = Kind::Label, .text = text, .font = kSmallArial, .foreColor = kSteelBlue,
            .rect = {left, 7995}, .autoSize = true, .mousePointer = pointer, .toolTip = toolTip};
}

TEST_F(Layout, MainWindow) {
    const quillmere::FrmMain& window = machine.program->main();
    EXPECT_EQ(window.caption(), kTitle);
    EXPECT_EQ(window.clientWidth(), 11040);
    EXPECT_EQ(window.clientHeight(), 8355);
    EXPECT_EQ(hex(window.backColor), hex(kWhite));
    EXPECT_TRUE(window.style.titleBar);
    EXPECT_TRUE(window.style.minButton);
    EXPECT_TRUE(window.style.showInTaskbar);

    const std::vector<Designed> design = {
        {.name = "Picture1", .kind = Kind::PictureBox, .rect = {-15, -15, 11055, 8400}, .container = ""},
        // Title band.
        {.name = "Shape6", .kind = Kind::Shape, .foreColor = kGrey, .rect = {810, 690, 615, 465},
         .shape = ShapeKind::Circle, .borderWidth = 2},
        {.name = "Image1", .kind = Kind::Image, .rect = {870, 675, 480, 480}},
        {.name = "Label1", .kind = Kind::Label, .text = kTitle, .font = kTitleFont, .foreColor = kLightBlue,
         .rect = {1545, 690}, .autoSize = true},
        {.name = "Label2", .kind = Kind::Label, .text = kTitle, .font = kTitleFont, .foreColor = kBlack,
         .rect = {1575, 780}, .autoSize = true},
        {.name = "Label3", .kind = Kind::Label,
         .text = "Quillmere v5.0.1 instantly free up your system's memory when your system slows down and also "
                 "stops memory leaks. ",
         .font = kDescriptionFont, .foreColor = kGrey, .rect = {6540, 645, 3690, 600}, .wordWrap = true},
        // Memory panels.
        outline("Shape1", kSteelBlue, {765, 1770, 9645, 1080}),
        outline("Shape2", kSteelBlue, {765, 3210, 9645, 1080}),
        outline("Shape3", kSteelBlue, {765, 4650, 9645, 1080}),
        caption("Label4", "Total Physical RAM", 885, 2010),
        figure("lblTotalPhysicalRAM", "0000000000 KB", {3015, 2010, 2970, 225}),
        caption("Label5", "Available Physical RAM", 885, 2415),
        {.name = "Picture2", .kind = Kind::PictureBox, .rect = {2970, 2385, 3375, 300},
         .backColor = forms::kSystemWindowColor},
        {.name = "lblAvilablePhysicalRam", .kind = Kind::TextBox, .text = "0000000000 KB", .foreColor = kSteelBlue,
         .rect = {45, 45, 3075, 225}, .container = "Picture2"},
        figure("lblPercentageAvilablePhysicalRam", "100%", {6390, 1935, 3900, 225}, Alignment::Center),
        bar("PgbAvailablePhysicalRAM", {6390, 2190, 3975, 300}),
        caption("Label6", "Total Virtual RAM", 900, 3450),
        figure("lblTotalVirtualRAM", "0000000000 KB", {3015, 3450, 2970, 225}),
        caption("Label7", "Available Virtual RAM", 885, 3870),
        figure("lblAvailableVirtualRAM", "0000000000 KB", {3015, 3870, 2970, 225}),
        figure("lblPercentageAvailableVirtualRAM", "100%", {6375, 3360, 3930, 225}, Alignment::Center),
        bar("pgbAvailableVirtualRAM", {6375, 3600, 3975, 300}),
        caption("Label8", "Total Page File", 885, 4905),
        figure("lblTotalPageFile", "", {3015, 4905, 2970, 225}),
        caption("Label9", "Available Page File", 885, 5310),
        figure("lblAvailablePageFile", "", {3015, 5325, 2970, 225}),
        figure("lblPercentageAvailablePageFile", "100%", {6375, 4800, 3930, 225}, Alignment::Center),
        bar("pgbAvailablePageFile", {6375, 5040, 3975, 300}),
        // Settings panel.
        outline("Shape4", kSteelBlue, {765, 6060, 9645, 975}),
        {.name = "Label10", .kind = Kind::Label, .text = "Quillmere v5.0.1 Settings", .font = kPanelFont,
         .foreColor = kSteelBlue, .rect = {930, 6165}, .autoSize = true},
        {.name = "chkRunWhenWIndowsStarts", .kind = Kind::CheckBox,
         .text = "Load Quillmere v5.0.1 when windows starts.", .foreColor = kBlue, .rect = {1170, 6585, 4005, 225},
         .backColor = kWhite},
        {.name = "chkAutoFreeRamPercent", .kind = Kind::CheckBox, .text = "Automatically Free If RAM Memory goes below",
         .foreColor = kBlue, .rect = {5730, 6585, 3585, 225}, .backColor = kWhite},
        {.name = "txtScanTillNumberOfFiles", .kind = Kind::TextBox, .text = "50", .font = kSmallArial,
         .foreColor = kDarkRed, .rect = {9345, 6585, 180, 225}, .backColor = kWhite},
        {.name = "Label12", .kind = Kind::Label, .text = "%", .foreColor = kDarkRed, .rect = {9555, 6600},
         .autoSize = true},
        {.name = "udScanTillNoOfFiles", .kind = Kind::UpDown, .rect = {9750, 6555, 255, 270}},
        // Button band: the outlines, one for each button from left to right, then the buttons.
        outline("Shape5(0)", kLightBlue, {2310, 7470, 1215, 390}),
        outline("Shape5(1)", kLightBlue, {3930, 7470, 1215, 390}),
        outline("Shape5(2)", kLightBlue, {5595, 7470, 1635, 390}),
        outline("Shape5(3)", kLightBlue, {7620, 7470, 1215, 390}),
        outline("Shape5(4)", kLightBlue, {9300, 7470, 1215, 390}),
        labelButton("lblhelp", "Help", {2370, 7530, 1095, 240}),
        labelButton("lblAbout", "About", {3990, 7530, 1095, 240}),
        labelButton("lblOptimizeNow", "Optimize Now", {5655, 7530, 1515, 240}),
        labelButton("lblHide", "Hide", {7680, 7530, 1095, 240}),
        labelButton("lblExit", "Exit", {9375, 7530, 1080, 240}),
        // Footer.
        footer("lblDate", "Monday, July 10, 2006", 810, "Current Date"),
        footer("lblTime", "Time: 20:43:46", 5145, "Current Time"),
        footer("Label11", "Powered by: Tarnholt", 8625, "Visit Us", Cursor::Hand),
    };
    expectControls(window, design);
    for (const forms::ProgressBar* bar :
         {&window.PgbAvailablePhysicalRAM, &window.pgbAvailableVirtualRAM, &window.pgbAvailablePageFile}) {
        EXPECT_EQ(bar->Value(), 0.0F) << bar->name() << " starts empty";
    }
    expectTimers(window, {{"TmrMemoryCount", 1000}, {"TmrTrayIcon", 2000}});
}

TEST_F(Layout, ProgressWindow) {
    const quillmere::FrmOptimize& window = machine.program->optimizeWindow();
    EXPECT_EQ(window.caption(), "");
    EXPECT_EQ(window.clientWidth(), 5865);
    EXPECT_EQ(window.clientHeight(), 1095);
    EXPECT_EQ(hex(window.backColor), hex(kLightBlue));

    const std::vector<Designed> design = {
        {.name = "Picture1", .kind = Kind::PictureBox, .rect = {45, 60, 5775, 960}, .container = ""},
        {.name = "Label1", .kind = Kind::Label, .text = "Optimizing Physical RAM. Please wait ....!",
         .font = kBoldVerdana, .foreColor = kWhite, .rect = {75, 135, 5595, 210}, .alignment = Alignment::Center},
        bar("PgbOptimizing", {90, 525, 5580, 255}),
    };
    expectControls(window, design);
    EXPECT_EQ(window.PgbOptimizing.Max(), 100.0F);
    EXPECT_EQ(window.PgbOptimizing.Value(), 0.0F);
    expectTimers(window, {{"Timer1", 1000}, {"tmrMenuPopup", 1}});
}

// An element of the About window's details and links, sized to its text.
Designed detail(int index, std::string text, int left, int top, Cursor pointer = Cursor::Default) {
    static const char* const names[] = {"Label4(0)", "Label4(1)", "Label4(2)", "Label4(3)", "Label4(4)",
                                        "Label4(5)", "Label4(6)", "Label4(7)", "Label4(8)"};
    return {.name = names[index], .kind = Kind::Label, .text = std::move(text), .font = kBoldVerdana,
            .foreColor = kBlue, .rect = {left, top}, .autoSize = true, .mousePointer = pointer};
}

TEST_F(Layout, AboutWindow) {
    const quillmere::FrmAbout& window = machine.program->aboutWindow();
    EXPECT_EQ(window.caption(), "About");
    EXPECT_EQ(window.clientWidth(), 6990);
    EXPECT_EQ(window.clientHeight(), 4410);
    EXPECT_TRUE(window.style.titleBar);
    EXPECT_FALSE(window.style.minButton);
    EXPECT_FALSE(window.style.showInTaskbar);

    const std::vector<Designed> design = {
        {.name = "Picture1", .kind = Kind::PictureBox, .rect = {-240, 0, 7305, 4875}, .container = "",
         .backColor = forms::kSystemWindowColor},
        {.name = "Label3", .kind = Kind::Label, .text = "@", .font = kAtSignFont, .foreColor = kLightBlue,
         .rect = {660, 165}, .autoSize = true},
        {.name = "Label5", .kind = Kind::Label, .text = "@", .font = kAtSignFont, .foreColor = kWhite,
         .rect = {660, 210}, .autoSize = true},
        {.name = "Label1", .kind = Kind::Label, .text = kTitle, .font = kTitleFont, .foreColor = kLightBlue,
         .rect = {1695, 705}, .autoSize = true},
        {.name = "Label2", .kind = Kind::Label, .text = kTitle, .font = kTitleFont, .foreColor = kBlack,
         .rect = {1725, 795}, .autoSize = true},
        detail(5, "Company:", 1725, 1650),
        detail(0, "Tarnholt", 3030, 1650),
        detail(6, "Version:", 1890, 2110),
        detail(1, "5.0.1", 3030, 2115),
        detail(7, "Support:", 1860, 2570),
        detail(2, quillmere::SupportAddress, 3030, 2565, Cursor::Hand),
        detail(8, "Website:", 1830, 3030),
        detail(3, quillmere::HomePageUrl, 3030, 3030, Cursor::Hand),
        detail(4, "Contact Online Customer Representative", 1860, 3495, Cursor::Hand),
        outline("Shape5(5)", kLightBlue, {2985, 3975, 1215, 390}),
        labelButton("lblClose", "Close", {3075, 4035, 1080, 240}),
    };
    expectControls(window, design);
    expectTimers(window, {});
}

}  // namespace
