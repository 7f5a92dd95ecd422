// Units, colours and the GDI objects every window shares.
#include "win32/Render.h"
#include "win32/IconArt.h"
#include "win32/Text.h"

#include <cmath>

namespace win32 {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr UINT kDesignDpi = 96;
constexpr forms::Color kSystemColorFlag = 0x80000000;

// The toolkit's default font is the classic dialog font, a bitmap font that does not scale with the
// display. Microsoft Sans Serif is its outline twin with the same widths, so texts designed for it
// still fit their controls; the dialog alias would give Tahoma, which is wider.
std::wstring faceName(std::string_view name) {
    return name == "MS Sans Serif" ? std::wstring(L"Microsoft Sans Serif") : toWide(name);
}

}  // namespace

int toPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

int toTwips(int pixels, UINT dpi) { return MulDiv(pixels, kTwipsPerInch, static_cast<int>(dpi)); }

int twipsCovering(int pixels, UINT dpi) {
    const int perInch = static_cast<int>(dpi);
    return (pixels * kTwipsPerInch + perInch - 1) / perInch;
}

RECT pixelRect(const forms::Rect& rect, UINT dpi) {
    return {toPixels(rect.left, dpi), toPixels(rect.top, dpi), toPixels(rect.left + rect.width, dpi),
            toPixels(rect.top + rect.height, dpi)};
}

int scaled(int designPixels, UINT dpi) {
    return MulDiv(designPixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

COLORREF colorOf(forms::Color color) {
    if ((color & kSystemColorFlag) != 0) {
        return GetSysColor(static_cast<int>(color & 0xFF));
    }
    return color;
}

GdiCache::~GdiCache() {
    for (const auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
    for (const auto& [color, brush] : brushes_) {
        DeleteObject(brush);
    }
    for (const auto& [size, icon] : icons_) {
        DestroyIcon(icon);
    }
}

int GdiCache::pixelHeight(const forms::Font& font, UINT dpi) {
    // Rounded down: the layout is fixed, and a text a pixel larger than its share of the scale
    // (8.25 points are 16.5 pixels at 144 DPI) no longer fits the control designed for it.
    const long hundredths = std::lround(font.size * 100.0);
    return static_cast<int>(hundredths * static_cast<long>(dpi) / 7200);
}

HFONT GdiCache::font(const forms::Font& font, UINT dpi) { return fontOfHeight(font, pixelHeight(font, dpi)); }

HFONT GdiCache::fontOfHeight(const forms::Font& font, int pixels) {
    const auto key = std::make_tuple(std::string(font.name), pixels, font.bold, font.italic);
    if (const auto found = fonts_.find(key); found != fonts_.end()) {
        return found->second;
    }
    // A negative height asks for the character height (the em size) rather than the cell height.
    HFONT created = CreateFontW(-pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, faceName(font.name).c_str());
    if (created == nullptr) {
        // Out of GDI objects: the system's font for now, and another try next time.
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    fonts_.emplace(key, created);
    return created;
}

HBRUSH GdiCache::brush(COLORREF color) {
    if (const auto found = brushes_.find(color); found != brushes_.end()) {
        return found->second;
    }
    HBRUSH created = CreateSolidBrush(color);
    if (created == nullptr) {
        // Out of GDI objects: the stock brush of the colour the caller set on its DC, and another
        // try next time.
        return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    }
    brushes_.emplace(color, created);
    return created;
}

HICON GdiCache::icon(int size) {
    if (const auto found = icons_.find(size); found != icons_.end()) {
        return found->second;
    }
    HICON created = createProgramIcon(size);
    if (created != nullptr) {
        icons_.emplace(size, created);
    }
    return created;
}

}  // namespace win32
