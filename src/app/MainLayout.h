// The main window's fixed layout: every control with its kind, text, font, colours and place.
#pragma once

#include <vector>

#include "forms/Forms.h"

namespace quillmere {

// The colours and the title font the program's windows share.
namespace palette {
constexpr forms::Color kSteelBlue = forms::rgb(26, 111, 162);
constexpr forms::Color kBlue = forms::rgb(98, 147, 221);
constexpr forms::Color kLightBlue = forms::rgb(155, 188, 249);
constexpr forms::Color kWhite = forms::rgb(255, 255, 255);
constexpr forms::Color kGrey = forms::rgb(128, 128, 128);
constexpr forms::Color kDarkRed = forms::rgb(192, 0, 0);
constexpr forms::Color kBlack = forms::rgb(0, 0, 0);
constexpr forms::Color kDarkBlue = forms::rgb(14, 42, 107);
constexpr forms::Color kTitleBlue = forms::rgb(72, 128, 204);
constexpr forms::Color kNavy = forms::rgb(49, 49, 111);

inline const forms::Font kTitleFont{"Verdana", 18, false, true};
}  // namespace palette

struct ControlSpec {
    forms::Control::Kind kind;
    const char* name;
    const char* container;  // nullptr: the form itself
    forms::Rect rect;       // twips, in the container; width 0 for labels sized to their text
    const char* text = "";
    forms::Font font = {};
    forms::Color foreColor = 0x000000;
    forms::Color backColor = 0xFFFFFF;
    forms::Alignment alignment = forms::Alignment::Left;
    bool autoSize = false;
    bool wordWrap = false;
    forms::Cursor mousePointer = forms::Cursor::Default;
    const char* toolTip = "";
    forms::ShapeKind shape = forms::ShapeKind::RoundedRectangle;
    int borderWidth = 1;
    std::vector<forms::PictureFill> picture = {};
    bool tabStop = false;
};

const std::vector<ControlSpec>& mainLayout();

// Creates the controls of a layout on a form, in order (later ones lie over earlier ones).
void buildLayout(forms::Form& form, const std::vector<ControlSpec>& layout);

}  // namespace quillmere
