// A text box with an input rule (the threshold box) holds only what its rule allows, whatever
// reaches its edit window: typing, a paste by keyboard or menu, a drop, an input method, or another
// program's messages.
#pragma once

#include <windows.h>

#include "forms/Forms.h"

namespace win32 {

// Whether the box's edit window is to refuse a message before it sees it. A box with a rule never
// keeps the focus, and its context menu would take the focus to offer Paste, so it has none.
bool refusedByTextBox(const forms::TextBox& box, UINT message);

// The edit window's text has changed: the box takes it, or the window gets the box's text back.
void takeEditedText(forms::TextBox& box, HWND edit);

}  // namespace win32
