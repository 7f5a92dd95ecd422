// The program's artwork, drawn in code: the icon, a rounded blue square holding a white memory
// chip, and the hand-shaped pointer of the label buttons and links.
#pragma once

#include <windows.h>

namespace win32 {

// A new icon of size by size pixels with an alpha channel; the caller destroys it.
HICON createProgramIcon(int size);

// A new 32 by 32 pointing-hand cursor with its hot spot at the tip of the finger (12, 1); the
// caller destroys it.
HCURSOR createHandCursor(HINSTANCE instance);

}  // namespace win32
