// The colours the windows are drawn in: as designed, or the system's own while the user has a
// high-contrast theme on. The scheme is read once and again only when the system says it changed,
// so painting costs no system call.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <unordered_map>

#include "forms/ColorScheme.h"

namespace win32 {

// Whether the user has a high-contrast theme on.
bool highContrastSetting();

// A progress bar's colours as the program asked for them; CLR_DEFAULT: never asked.
struct BarColors {
    COLORREF fill = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
};

class ColorScheme {
public:
    ColorScheme() { follow(); }

    // Reads the setting and the system's colours again; true when what the windows show changes.
    bool follow();
    bool highContrast() const { return highContrast_; }

    // The colour to draw for a use of a designed colour (a system colour is looked up).
    COLORREF color(forms::ColorUse use, forms::Color designed) const;
    // A label's text: hot while it looks other than when its window loaded.
    COLORREF textColor(const forms::Control& label) const;
    void rememberLooks(const forms::Form& form);
    void forgetLooks(const forms::Form& form);

    // For PBM_SETBARCOLOR and PBM_SETBKCOLOR: keeps the colour asked for and gives the one to show.
    LPARAM barColor(BarColors& asked, UINT message, LPARAM color) const;

private:
    bool highContrast_ = false;
    forms::SystemColors system_{};
    std::unordered_map<const forms::Control*, forms::LabelLook> idleLooks_;
};

}  // namespace win32
