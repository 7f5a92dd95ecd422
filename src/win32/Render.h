// Drawing with GDI what the form toolkit describes: twips and pixels, colours, the cached GDI
// objects, and the content of a window that paints windowless controls (labels, shapes, images)
// over its background.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "forms/Forms.h"
#include "win32/Contrast.h"

namespace win32 {

// 1440 twips make an inch; a window's DPI says how many pixels do.
int toPixels(int twips, UINT dpi);
int toTwips(int pixels, UINT dpi);
// The fewest twips that cover a number of pixels (a measured text must not lose its last pixel).
int twipsCovering(int pixels, UINT dpi);
// A rectangle in twips as pixels: both edges are converted, so neighbours stay flush.
RECT pixelRect(const forms::Rect& rect, UINT dpi);
// A length in design pixels (those of a 96 DPI display) at a window's DPI.
int scaled(int designPixels, UINT dpi);

// A toolkit colour as a COLORREF; a system colour (high bit set) is looked up now.
COLORREF colorOf(forms::Color color);

// Fonts, brushes and program icons, made once and kept until the program ends.
class GdiCache {
public:
    GdiCache() = default;
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    // A font at its size for a DPI, or at a character height in pixels.
    HFONT font(const forms::Font& font, UINT dpi);
    HFONT fontOfHeight(const forms::Font& font, int pixels);
    static int pixelHeight(const forms::Font& font, UINT dpi);
    // A brush of the colour; the DC brush when none can be made, so the caller sets the colour on
    // its DC as well (SetDCBrushColor).
    HBRUSH brush(COLORREF color);
    // The program icon drawn for a square of this many pixels.
    HICON icon(int size);

private:
    std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<int, HICON> icons_;
};

// What a window shows under its windowless controls.
struct Background {
    forms::Color color;
    const std::vector<forms::PictureFill>& bands;
};

// Paints a window's client area in a colour scheme: its background, then the visible windowless
// controls in the order given (later ones over earlier ones), then the focus rectangle round the
// focused one (nullptr: none). Only the rectangles of the update region are drawn, each into a
// memory bitmap copied to the window in one step, so nothing flickers. Under high contrast the
// artwork's bands and the titles' shadows are left out.
void paintWindow(HWND window, UINT dpi, const Background& background, const std::vector<forms::Control*>& controls,
                 const forms::Control* focused, GdiCache& cache, const ColorScheme& colors);

// The rectangles a region is made of; none when it cannot be read.
std::vector<RECT> regionRects(HRGN region);

// The pixel size of a label's text in its font; a word-wrapped label keeps its width.
SIZE measureLabel(const forms::Control& label, UINT dpi, GdiCache& cache);

}  // namespace win32
