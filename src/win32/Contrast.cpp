// Following the user's colour scheme: the choice of colours, and repainting every window when the
// system says the scheme changed.
#include "win32/Contrast.h"

#include "win32/Render.h"
#include "win32/Win32Backend.h"

namespace win32 {

bool ColorScheme::follow() {
    const bool highContrast = highContrastSetting();
    const forms::SystemColors system{.window = GetSysColor(COLOR_WINDOW),
                                     .windowText = GetSysColor(COLOR_WINDOWTEXT),
                                     .hotLight = GetSysColor(COLOR_HOTLIGHT),
                                     .highlight = GetSysColor(COLOR_HIGHLIGHT),
                                     .grayText = GetSysColor(COLOR_GRAYTEXT)};
    const auto same = [](const forms::SystemColors& a, const forms::SystemColors& b) {
        return a.window == b.window && a.windowText == b.windowText && a.hotLight == b.hotLight &&
               a.highlight == b.highlight && a.grayText == b.grayText;
    };
    const bool changed = highContrast != highContrast_ || !same(system, system_);
    highContrast_ = highContrast;
    system_ = system;
    return changed;
}

COLORREF ColorScheme::color(forms::ColorUse use, forms::Color designed) const {
    return colorOf(forms::drawnColor(use, designed, highContrast_, system_));
}

COLORREF ColorScheme::textColor(const forms::Control& label) const {
    const auto found = idleLooks_.find(&label);
    const forms::LabelLook idle = found != idleLooks_.end() ? found->second : forms::lookOf(label);
    return color(forms::textUse(label, idle), label.foreColor());
}

void ColorScheme::rememberLooks(const forms::Form& form) {
    for (const auto& control : form.controls()) {
        if (control->kind() == forms::Control::Kind::Label) {
            idleLooks_[control.get()] = forms::lookOf(*control);
        }
    }
}

void ColorScheme::forgetLooks(const forms::Form& form) {
    for (const auto& control : form.controls()) {
        idleLooks_.erase(control.get());
    }
}

LPARAM ColorScheme::barColor(BarColors& asked, UINT message, LPARAM color) const {
    const bool fill = message == PBM_SETBARCOLOR;
    (fill ? asked.fill : asked.back) = static_cast<COLORREF>(color);
    if (static_cast<COLORREF>(color) == CLR_DEFAULT) {
        return color;  // the system's own colours, in every scheme
    }
    return static_cast<LPARAM>(
        this->color(fill ? forms::ColorUse::BarFill : forms::ColorUse::Background, static_cast<COLORREF>(color)));
}

// Every top-level window hears of a change, but the scheme is shared: the first one to notice
// repaints all of them, bars included.
void Win32Backend::followColorScheme(HWND window, UINT message) {
    constexpr UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN;
    if (!colors_.follow()) {
        if (message == WM_SYSCOLORCHANGE) {
            RedrawWindow(window, nullptr, nullptr, kRepaint);  // a designed system colour may be new
        }
        return;
    }
    for (const auto& [form, owner] : forms_) {
        for (const auto& child : owner->children) {
            if (child->control->kind() != forms::Control::Kind::ProgressBar) {
                continue;
            }
            const BarColors asked = child->barColors;
            if (asked.back != CLR_DEFAULT) {
                SendMessageW(child->hwnd, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(asked.back));
            }
            if (asked.fill != CLR_DEFAULT) {
                SendMessageW(child->hwnd, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(asked.fill));
            }
        }
        RedrawWindow(owner->self.hwnd, nullptr, nullptr, kRepaint);
    }
}

}  // namespace win32
