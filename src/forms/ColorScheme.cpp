#include "forms/ColorScheme.h"

namespace forms {

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

}  // namespace forms
