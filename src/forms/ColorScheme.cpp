#include "forms/ColorScheme.h"

#include <algorithm>

namespace forms {

namespace {

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

}  // namespace

Color drawnColor(ColorUse use, Color designed, bool highContrast, const SystemColors& system) {
    switch (use) {
    case ColorUse::Background:
        return highContrast ? system.window : designed;
    case ColorUse::Text:
        return highContrast ? system.windowText : designed;
    case ColorUse::HotText:
        return highContrast ? system.hotLight : designed;
    case ColorUse::BarFill:
        return highContrast ? system.highlight : designed;
    case ColorUse::DisabledText:
        return system.grayText;
    }
    return designed;
}

LabelLook lookOf(const Control& label) { return {label.foreColor(), label.font().bold}; }

ColorUse textUse(const Control& label, const LabelLook& idle) {
    if (!label.enabled()) {
        return ColorUse::DisabledText;
    }
    if (label.mousePointer == Cursor::Hand && lookOf(label) != idle) {
        return ColorUse::HotText;
    }
    return ColorUse::Text;
}

bool isShadow(const Control& label, const std::vector<Control*>& paintOrder) {
    if (label.kind() != Control::Kind::Label) {
        return false;
    }
    const auto self = std::find(paintOrder.begin(), paintOrder.end(), &label);
    if (self == paintOrder.end()) {
        return false;
    }
    return std::any_of(std::next(self), paintOrder.end(), [&](const Control* front) {
        return front->kind() == Control::Kind::Label && front->visible() && front->text() == label.text() &&
               front->font() == label.font() && overlap(front->rect(), label.rect());
    });
}

}  // namespace forms
