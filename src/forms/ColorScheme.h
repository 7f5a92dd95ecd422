// Which colour a window draws where: the designed colours, or the system's own when the user has
// turned a high-contrast theme on. The model keeps the designed colours; only the drawing changes.
#pragma once

#include "forms/Forms.h"

namespace forms {

// The system colours a high-contrast theme sets, read from the system by the backend.
struct SystemColors {
    Color window;      // backgrounds
    Color windowText;  // texts and outlines
    Color hotLight;    // a label button or link under the pointer
    Color highlight;   // a selection or focus: the filled part of a bar
    Color grayText;    // disabled texts
};

// What a colour is drawn for.
enum class ColorUse {
    Background,    // a window's, a picture box's or a control's background
    Text,          // a text or an outline
    HotText,       // the text of a label button or link under the pointer
    DisabledText,  // the text of a label disabled itself: the system's grey in every scheme
    BarFill,       // the filled part of a progress bar
};

// The colour to draw for a use of a designed colour.
Color drawnColor(ColorUse use, Color designed, bool highContrast, const SystemColors& system);

// How a label shows its text. A clickable label (hand pointer) shows the pointer over it by a look
// of its own: label buttons turn bold, links red.
struct LabelLook {
    Color foreColor;
    bool bold;
    bool operator==(const LabelLook&) const = default;
};
LabelLook lookOf(const Control& label);

// The use of a label's text colour, given the look it had when its window loaded: a clickable
// label that looks otherwise now is under the pointer.
ColorUse textUse(const Control& label, const LabelLook& idle);

}  // namespace forms
