#include "win32/IconArt.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "win32/IconPixels.h"

namespace win32 {

namespace {

// The pointing hand, one text row per pixel row: '#' black, '-' white, '.' transparent. The tip of
// the index finger is at column 12 of row 1, the cursor's hot spot.
constexpr int kCursorSize = 32;
constexpr int kHotSpotX = 12;
constexpr int kHotSpotY = 1;
constexpr std::array<std::string_view, kCursorSize> kHand = {
    "................................",
    "...........###..................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---####..............",
    "..........#---#---####..........",
    "..........#---#---#---#.........",
    "..........#---#---#---###.......",
    "..........#---#---#---#--#......",
    ".....###..#---#---#---#--#......",
    "....#---#.#--------------#......",
    "....#--------------------#......",
    "....#--------------------#......",
    ".....#-------------------#......",
    "......#------------------#......",
    ".......#-----------------#......",
    "........#---------------#.......",
    ".........#-------------#........",
    "..........#-----------#.........",
    "..........#-----------#.........",
    "..........#############.........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

constexpr bool handRowsAreWhole() {
    for (const std::string_view row : kHand) {
        if (row.size() != kCursorSize) {
            return false;
        }
    }
    return kHand[kHotSpotY][kHotSpotX] == '#';
}
static_assert(handRowsAreWhole(), "every row of the hand has 32 pixels and the hot spot is on the outline");

}  // namespace

HICON createProgramIcon(int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (color == nullptr) {
        return nullptr;
    }
    const std::vector<std::uint32_t> pixels = programIconPixels(size);
    auto* target = static_cast<std::uint32_t*>(bits);
    std::copy(pixels.begin(), pixels.end(), target);

    // The mask marks the fully transparent pixels, for systems that draw icons without alpha.
    // Mask rows are padded to whole 16-bit words.
    const int maskStride = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride * size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((pixels[static_cast<std::size_t>(y * size + x)] >> 24) == 0) {
                maskBits[static_cast<std::size_t>(y * maskStride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());

    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmMask = mask;
    icon.hbmColor = color;
    HICON result = CreateIconIndirect(&icon);
    DeleteObject(mask);
    DeleteObject(color);
    return result;
}

HCURSOR createHandCursor(HINSTANCE instance) {
    // A monochrome cursor is two bit planes: where the AND plane is 1 the screen shows through,
    // elsewhere the XOR plane gives white (1) or black (0). Rows are 32 bits, most significant first.
    constexpr int kStride = kCursorSize / 8;
    std::array<std::uint8_t, kStride * kCursorSize> andPlane{};
    std::array<std::uint8_t, kStride * kCursorSize> xorPlane{};
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            const std::size_t at = static_cast<std::size_t>(y * kStride + x / 8);
            const char pixel = kHand[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (pixel == '.') {
                andPlane[at] |= bit;
            } else if (pixel == '-') {
                xorPlane[at] |= bit;
            }
        }
    }
    return CreateCursor(instance, kHotSpotX, kHotSpotY, kCursorSize, kCursorSize, andPlane.data(), xorPlane.data());
}

}  // namespace win32
