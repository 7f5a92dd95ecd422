#include "app/MainLayout.h"

namespace quillmere {

using forms::Alignment;
using forms::Control;
using forms::Cursor;
using forms::Font;
using forms::rgb;
using Kind = forms::Control::Kind;

namespace {

using namespace palette;
const Font kPanelFont{"Arial", 9};
const Font kButtonFont{"Arial", 9.75};
const Font kFooterFont{"Arial", 8.25};
const Font kDescriptionFont{"Verdana", 8.25};

ControlSpec caption(const char* name, int left, int top, const char* text) {
    return {.kind = Kind::Label, .name = name, .container = "Picture1", .rect = {left, top, 0, 0},
            .text = text, .font = kPanelFont, .foreColor = kSteelBlue, .autoSize = true};
}

ControlSpec figure(const char* name, forms::Rect rect, const char* text) {
    return {.kind = Kind::Label, .name = name, .container = "Picture1", .rect = rect, .text = text,
            .font = kPanelFont, .foreColor = kSteelBlue};
}

ControlSpec percentage(const char* name, forms::Rect rect) {
    return {.kind = Kind::Label, .name = name, .container = "Picture1", .rect = rect, .text = "100%",
            .font = kPanelFont, .foreColor = kSteelBlue, .alignment = Alignment::Center};
}

ControlSpec bar(const char* name, forms::Rect rect) {
    return {.kind = Kind::ProgressBar, .name = name, .container = "Picture1", .rect = rect};
}

ControlSpec outline(const char* name, forms::Rect rect, forms::Color color) {
    return {.kind = Kind::Shape, .name = name, .container = "Picture1", .rect = rect, .foreColor = color};
}

ControlSpec button(const char* name, forms::Rect rect, const char* text) {
    return {.kind = Kind::Label, .name = name, .container = "Picture1", .rect = rect, .text = text,
            .font = kButtonFont, .foreColor = kWhite, .alignment = Alignment::Center,
            .mousePointer = Cursor::Hand, .tabStop = true};
}

ControlSpec footer(const char* name, int left, const char* text, const char* toolTip,
                   Cursor pointer = Cursor::Default) {
    return {.kind = Kind::Label, .name = name, .container = "Picture1", .rect = {left, 7995, 0, 0},
            .text = text, .font = kFooterFont, .foreColor = kSteelBlue, .autoSize = true,
            .mousePointer = pointer, .toolTip = toolTip};
}

}  // namespace

const std::vector<ControlSpec>& mainLayout() {
    static const std::vector<ControlSpec> layout = {
        // The background: a dark blue frame, the title band, a white body, the navy strip behind the
        // buttons and the white footer.
        {.kind = Kind::PictureBox, .name = "Picture1", .container = nullptr, .rect = {-15, -15, 11055, 8400},
         .picture = {{{0, 0, 737, 560}, kDarkBlue, kDarkBlue},
                     {{4, 4, 729, 552}, kWhite, kWhite},
                     {{4, 30, 729, 66}, kDarkBlue, kTitleBlue},
                     {{4, 493, 729, 36}, kNavy, kNavy},
                     {{4, 529, 729, 21}, kWhite, kWhite}}},

        // Title band. The black copy of the title lies behind the light blue one, as its shadow.
        {.kind = Kind::Shape, .name = "Shape6", .container = "Picture1", .rect = {810, 690, 615, 465},
         .foreColor = kGrey, .shape = forms::ShapeKind::Circle, .borderWidth = 2},
        {.kind = Kind::Image, .name = "Image1", .container = "Picture1", .rect = {870, 675, 480, 480}},
        {.kind = Kind::Label, .name = "Label2", .container = "Picture1", .rect = {1575, 780, 4275, 435},
         .text = "Quillmere v5.0.1", .font = kTitleFont, .foreColor = kBlack, .autoSize = true},
        {.kind = Kind::Label, .name = "Label1", .container = "Picture1", .rect = {1545, 690, 4275, 435},
         .text = "Quillmere v5.0.1", .font = kTitleFont, .foreColor = kLightBlue, .autoSize = true},
        {.kind = Kind::Label, .name = "Label3", .container = "Picture1", .rect = {6540, 645, 3690, 600},
         .text = "Quillmere v5.0.1 instantly free up your system's memory when your system slows down "
                 "and also stops memory leaks. ",
         .font = kDescriptionFont, .foreColor = kGrey, .wordWrap = true},

        // Memory panels.
        outline("Shape1", {765, 1770, 9645, 1080}, kSteelBlue),
        outline("Shape2", {765, 3210, 9645, 1080}, kSteelBlue),
        outline("Shape3", {765, 4650, 9645, 1080}, kSteelBlue),
        caption("Label4", 885, 2010, "Total Physical RAM"),
        figure("lblTotalPhysicalRAM", {3015, 2010, 2970, 225}, "0000000000 KB"),
        caption("Label5", 885, 2415, "Available Physical RAM"),
        {.kind = Kind::PictureBox, .name = "Picture2", .container = "Picture1", .rect = {2970, 2385, 3375, 300},
         .backColor = forms::kSystemWindowColor},
        {.kind = Kind::TextBox, .name = "lblAvilablePhysicalRam", .container = "Picture2",
         .rect = {45, 45, 3075, 225}, .text = "0000000000 KB", .font = kPanelFont, .foreColor = kSteelBlue,
         .backColor = forms::kSystemWindowColor},
        percentage("lblPercentageAvilablePhysicalRam", {6390, 1935, 3900, 225}),
        bar("PgbAvailablePhysicalRAM", {6390, 2190, 3975, 300}),
        caption("Label6", 900, 3450, "Total Virtual RAM"),
        figure("lblTotalVirtualRAM", {3015, 3450, 2970, 225}, "0000000000 KB"),
        caption("Label7", 885, 3870, "Available Virtual RAM"),
        figure("lblAvailableVirtualRAM", {3015, 3870, 2970, 225}, "0000000000 KB"),
        percentage("lblPercentageAvailableVirtualRAM", {6375, 3360, 3930, 225}),
        bar("pgbAvailableVirtualRAM", {6375, 3600, 3975, 300}),
        caption("Label8", 885, 4905, "Total Page File"),
        figure("lblTotalPageFile", {3015, 4905, 2970, 225}, ""),
        caption("Label9", 885, 5310, "Available Page File"),
        figure("lblAvailablePageFile", {3015, 5325, 2970, 225}, ""),
        percentage("lblPercentageAvailablePageFile", {6375, 4800, 3930, 225}),
        bar("pgbAvailablePageFile", {6375, 5040, 3975, 300}),

        // Settings panel.
        outline("Shape4", {765, 6060, 9645, 975}, kSteelBlue),
        caption("Label10", 930, 6165, "Quillmere v5.0.1 Settings"),
        {.kind = Kind::CheckBox, .name = "chkRunWhenWIndowsStarts", .container = "Picture1",
         .rect = {1170, 6585, 4005, 225}, .text = "Load Quillmere v5.0.1 when windows starts.",
         .foreColor = kBlue, .backColor = kWhite, .tabStop = true},
        {.kind = Kind::CheckBox, .name = "chkAutoFreeRamPercent", .container = "Picture1",
         .rect = {5730, 6585, 3585, 225}, .text = "Automatically Free If RAM Memory goes below",
         .foreColor = kBlue, .backColor = kWhite, .tabStop = true},
        {.kind = Kind::TextBox, .name = "txtScanTillNumberOfFiles", .container = "Picture1",
         .rect = {9345, 6585, 180, 225}, .text = "50", .font = {"Arial", 8.25}, .foreColor = kDarkRed,
         .backColor = kWhite},
        {.kind = Kind::Label, .name = "Label12", .container = "Picture1", .rect = {9555, 6600, 0, 0},
         .text = "%", .foreColor = kDarkRed, .autoSize = true},
        // The threshold's tab stop is its up-down: the box never keeps the focus, and the arrow
        // keys step the up-down.
        {.kind = Kind::UpDown, .name = "udScanTillNoOfFiles", .container = "Picture1",
         .rect = {9750, 6555, 255, 270}, .tabStop = true},

        // Button band: each label button over its outline.
        outline("Shape5(0)", {2310, 7470, 1215, 390}, kLightBlue),
        outline("Shape5(1)", {3930, 7470, 1215, 390}, kLightBlue),
        outline("Shape5(2)", {5595, 7470, 1635, 390}, kLightBlue),
        outline("Shape5(3)", {7620, 7470, 1215, 390}, kLightBlue),
        outline("Shape5(4)", {9300, 7470, 1215, 390}, kLightBlue),
        button("lblhelp", {2370, 7530, 1095, 240}, "Help"),
        button("lblAbout", {3990, 7530, 1095, 240}, "About"),
        button("lblOptimizeNow", {5655, 7530, 1515, 240}, "Optimize Now"),
        button("lblHide", {7680, 7530, 1095, 240}, "Hide"),
        button("lblExit", {9375, 7530, 1080, 240}, "Exit"),

        // Footer.
        footer("lblDate", 810, "Monday, July 10, 2006", "Current Date"),
        footer("lblTime", 5145, "Time: 20:43:46", "Current Time"),
        footer("Label11", 8625, "Powered by: Tarnholt", "Visit Us", Cursor::Hand),
    };
    return layout;
}

namespace {

Control& create(forms::Form& form, Control* container, const ControlSpec& design) {
    switch (design.kind) {
    case Kind::TextBox:
        return form.add<forms::TextBox>(container, design.name, design.rect);
    case Kind::CheckBox:
        return form.add<forms::CheckBox>(container, design.name, design.rect);
    case Kind::ProgressBar:
        return form.add<forms::ProgressBar>(container, design.name, design.rect);
    case Kind::UpDown:
        return form.add<forms::UpDown>(container, design.name, design.rect);
    case Kind::Label:
    case Kind::PictureBox:
    case Kind::Shape:
    case Kind::Image:
        break;
    }
    return form.add<Control>(container, design.kind, design.name, design.rect);
}

}  // namespace

void buildLayout(forms::Form& form, const std::vector<ControlSpec>& layout) {
    for (const ControlSpec& design : layout) {
        Control* container = design.container != nullptr ? form.find(design.container) : nullptr;
        Control& control = create(form, container, design);
        // Design texts are set before any handler is wired, so no change event runs here.
        control.setText(design.text);
        control.setFont(design.font);
        control.setForeColor(design.foreColor);
        control.setBackColor(design.backColor);
        control.alignment = design.alignment;
        control.autoSize = design.autoSize;
        control.wordWrap = design.wordWrap;
        control.transparent = design.kind == Kind::Label;
        control.mousePointer = design.mousePointer;
        control.toolTip = design.toolTip;
        control.shape = design.shape;
        control.borderWidth = design.borderWidth;
        control.picture = design.picture;
        control.tabStop = design.tabStop;
    }
}

}  // namespace quillmere
