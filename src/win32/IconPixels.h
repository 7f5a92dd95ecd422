// The program icon's artwork as plain pixels, with no system calls: the program makes its window
// and tray icons from it, and a build-time tool writes the executable's icon file from the same
// pixels, so that Explorer and the windows show one image.
#pragma once

#include <cstdint>
#include <vector>

namespace win32 {

// size by size pixels, rows from the top, each 0xAARRGGBB with straight (not premultiplied)
// alpha: the byte order of a 32-bit top-down device-independent bitmap.
std::vector<std::uint32_t> programIconPixels(int size);

}  // namespace win32
