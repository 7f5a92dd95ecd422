#include "win32/IconArt.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace win32 {

namespace {

constexpr COLORREF kSquareBlue = RGB(30, 100, 200);
constexpr COLORREF kEdgeBlue = RGB(14, 42, 107);
constexpr COLORREF kChipWhite = RGB(255, 255, 255);
constexpr COLORREF kDieBlue = RGB(98, 147, 221);

// The artwork is laid out on a 16 by 16 grid and scaled to the icon's size.
class Grid {
public:
    explicit Grid(int size) : unit_(size / 16.0) {}
    int at(double gridUnits) const { return static_cast<int>(std::lround(gridUnits * unit_)); }
    RECT rect(double left, double top, double right, double bottom) const {
        return {at(left), at(top), at(right), at(bottom)};
    }

private:
    double unit_;
};

void fill(HDC dc, const RECT& rect, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// GDI draws no alpha: every pixel it leaves untouched stays 0, which is black and transparent, so
// the artwork uses no pure black.
void paintArtwork(HDC dc, int size) {
    const Grid grid(size);
    HPEN edge = CreatePen(PS_INSIDEFRAME, grid.at(1) > 0 ? grid.at(1) : 1, kEdgeBlue);
    const HGDIOBJ oldPen = SelectObject(dc, edge);
    SetDCBrushColor(dc, kSquareBlue);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    RoundRect(dc, 0, 0, size, size, grid.at(6), grid.at(6));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(edge);

    // The chip: a white body with two pins on each side and a blue die; a notch marks pin 1.
    fill(dc, grid.rect(4, 4, 12, 12), kChipWhite);
    for (const double pin : {6.0, 9.0}) {
        fill(dc, grid.rect(2, pin, 4, pin + 1), kChipWhite);
        fill(dc, grid.rect(12, pin, 14, pin + 1), kChipWhite);
        fill(dc, grid.rect(pin, 2, pin + 1, 4), kChipWhite);
        fill(dc, grid.rect(pin, 12, pin + 1, 14), kChipWhite);
    }
    fill(dc, grid.rect(6, 6, 10, 10), kDieBlue);
    fill(dc, grid.rect(4.5, 4.5, 5.5, 5.5), kSquareBlue);
}

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
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldBitmap = SelectObject(dc, color);
    paintArtwork(dc, size);
    GdiFlush();
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);

    // Painted pixels become opaque; the mask marks the others transparent for systems that draw
    // icons without alpha. Mask rows are padded to whole 16-bit words.
    const int maskStride = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride * size), 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::uint32_t& pixel = pixels[y * size + x];
            if ((pixel & 0x00FFFFFF) != 0) {
                pixel |= 0xFF000000;
            } else {
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

}  // namespace win32
