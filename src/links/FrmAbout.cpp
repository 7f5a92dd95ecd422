#include "links/FrmAbout.h"

#include <string>

#include "app/MainLayout.h"
#include "app/Program.h"
#include "app/Version.h"
#include "links/Links.h"

namespace quillmere {

using forms::rgb;
using Kind = forms::Control::Kind;

namespace {

using namespace palette;

constexpr forms::Color kHoverRed = rgb(255, 0, 0);

ControlSpec detail(int index, int left, int top, const char* text, forms::Cursor pointer = forms::Cursor::Default) {
    static const char* const names[] = {"Label4(0)", "Label4(1)", "Label4(2)", "Label4(3)", "Label4(4)",
                                        "Label4(5)", "Label4(6)", "Label4(7)", "Label4(8)"};
    return {.kind = Kind::Label, .name = names[index], .container = "Picture1", .rect = {left, top, 0, 0},
            .text = text, .font = {"Verdana", 9, true, false}, .foreColor = kBlue, .autoSize = true,
            .mousePointer = pointer, .tabStop = pointer == forms::Cursor::Hand};
}

const std::vector<ControlSpec>& aboutLayout() {
    static const std::vector<ControlSpec> layout = {
        {.kind = Kind::PictureBox, .name = "Picture1", .container = nullptr, .rect = {-240, 0, 7305, 4875},
         .backColor = forms::kSystemWindowColor,
         .picture = {{{0, 0, 487, 325}, kDarkBlue, kDarkBlue},
                     {{20, 4, 458, 286}, kWhite, kWhite},
                     {{20, 30, 458, 66}, kDarkBlue, kTitleBlue},
                     {{20, 259, 458, 31}, kNavy, kNavy}}},
        // The white copies lie behind the light blue ones.
        {.kind = Kind::Label, .name = "Label5", .container = "Picture1", .rect = {660, 210, 705, 1350},
         .text = "@", .font = {"Arial Black", 48}, .foreColor = kWhite, .autoSize = true},
        {.kind = Kind::Label, .name = "Label3", .container = "Picture1", .rect = {660, 165, 705, 1350},
         .text = "@", .font = {"Arial Black", 48}, .foreColor = kLightBlue, .autoSize = true},
        {.kind = Kind::Label, .name = "Label2", .container = "Picture1", .rect = {1725, 795, 4275, 435},
         .text = "Quillmere v5.0.1", .font = kTitleFont, .foreColor = kBlack, .autoSize = true},
        {.kind = Kind::Label, .name = "Label1", .container = "Picture1", .rect = {1695, 705, 4275, 435},
         .text = "Quillmere v5.0.1", .font = kTitleFont, .foreColor = kLightBlue, .autoSize = true},
        detail(5, 1725, 1650, "Company:"),
        detail(0, 3030, 1650, "Tarnholt"),
        detail(6, 1890, 2110, "Version:"),
        detail(1, 3030, 2115, QUILLMERE_VERSION),
        detail(7, 1860, 2570, "Support:"),
        detail(2, 3030, 2565, SupportAddress, forms::Cursor::Hand),
        detail(8, 1830, 3030, "Website:"),
        detail(3, 3030, 3030, HomePageUrl, forms::Cursor::Hand),
        detail(4, 1860, 3495, "Contact Online Customer Representative", forms::Cursor::Hand),
        {.kind = Kind::Shape, .name = "Shape5(5)", .container = "Picture1", .rect = {2985, 3975, 1215, 390},
         .foreColor = kLightBlue},
        {.kind = Kind::Label, .name = "lblClose", .container = "Picture1", .rect = {3075, 4035, 1080, 240},
         .text = "Close", .font = {"Arial", 9.75}, .foreColor = kWhite, .alignment = forms::Alignment::Center,
         .mousePointer = forms::Cursor::Hand, .tabStop = true},
    };
    return layout;
}

forms::Control& buildAboutWindow(forms::Form& form) {
    buildLayout(form, aboutLayout());
    return *form.find("Picture1");
}

}  // namespace

FrmAbout::FrmAbout(Program& program)
    : forms::Form(program.backend, "FrmAbout", "About", 6990, 4410),
      Picture1(buildAboutWindow(*this)),
      Label4{},
      lblClose(*find("lblClose")),
      program_(program) {
    style.showInTaskbar = false;
    cancelButton = &lblClose;  // Escape closes the window as Close does
    for (int i = 0; i < static_cast<int>(Label4.size()); ++i) {
        Label4[i] = find("Label4(" + std::to_string(i) + ")");
        Label4[i]->Click = [this, i] { Label4_Click(i); };
        Label4[i]->MouseMove = [this, i] { Label4_MouseMove(i); };
    }
    Picture1.MouseMove = [this] { Picture1_MouseMove(); };
    lblClose.MouseMove = [this] { lblClose_MouseMove(); };
    lblClose.Click = [this] { lblClose_Click(); };
}

void FrmAbout::Label4_Click(int index) {
    switch (index) {
    case 2:
        ModIEOpen::MailSupport(program_.services, hWnd());
        break;
    case 3:
        ModIEOpen::OpenURLInBrowser(program_.services, hWnd(), HomePageUrl, "htm");
        break;
    case 4:
        ModIEOpen::OpenURLInBrowser(program_.services, hWnd(), ContactPageUrl, "htm");
        break;
    default:
        break;
    }
}

void FrmAbout::Label4_MouseMove(int index) {
    if (index >= 2 && index <= 4) {
        Label4[index]->setForeColor(kHoverRed);
    }
}

void FrmAbout::lblClose_MouseMove() { lblClose.setBold(true); }

void FrmAbout::Picture1_MouseMove() {
    for (int index : {0, 1, 3, 4, 2}) {
        Label4[index]->setForeColor(kBlue);
    }
    lblClose.setBold(false);
}

void FrmAbout::lblClose_Click() { unload(); }

}  // namespace quillmere
