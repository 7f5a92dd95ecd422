// The program icon, drawn in code: a rounded blue square holding a white memory chip.
#pragma once

#include <windows.h>

namespace win32 {

// A new icon of size by size pixels with an alpha channel; the caller destroys it.
HICON createProgramIcon(int size);

}  // namespace win32
