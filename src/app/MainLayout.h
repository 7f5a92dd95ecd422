// The main window's fixed layout: every control with its kind, text, font, colours and place.
#pragma once

#include <vector>

#include "forms/Forms.h"

namespace quillmere {

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
};

const std::vector<ControlSpec>& mainLayout();

// Creates the controls of a layout on a form, in order (later ones lie over earlier ones).
void buildLayout(forms::Form& form, const std::vector<ControlSpec>& layout);

}  // namespace quillmere
