#include "win32/TextInputGuard.h"

#include "win32/Text.h"

namespace win32 {

bool refusedByTextBox(const forms::TextBox& box, UINT message) {
    return message == WM_CONTEXTMENU && box.acceptsInput;
}

void takeEditedText(forms::TextBox& box, HWND edit) {
    if (!box.userEdit(toUtf8(windowText(edit)))) {
        // Writing the text back reports a change again, which the box then already holds.
        SetWindowTextW(edit, toWide(box.text()).c_str());
    }
}

}  // namespace win32
