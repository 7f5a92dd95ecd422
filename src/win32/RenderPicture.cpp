// Painting a window's windowless controls over its background.
#include "win32/Render.h"

#include <cstddef>
#include <vector>

#include "win32/Text.h"

namespace win32 {

namespace {

using Kind = forms::Control::Kind;

// The corner rounding of a rounded rectangle outline, in design pixels.
constexpr int kCornerDiameter = 10;

int channel(COLORREF color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

COLORREF blend(COLORREF from, COLORREF to, int step, int steps) {
    const auto mix = [&](int shift) {
        return channel(from, shift) + (channel(to, shift) - channel(from, shift)) * step / steps;
    };
    return RGB(mix(0), mix(8), mix(16));
}

void fillSolid(HDC dc, const RECT& rect, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A band shades from its top colour to its bottom colour one pixel row at a time; only the rows
// inside the area are drawn.
void paintBand(HDC dc, const RECT& area, const forms::PictureFill& band, UINT dpi) {
    const RECT rect = {scaled(band.rect.left, dpi), scaled(band.rect.top, dpi),
                       scaled(band.rect.left + band.rect.width, dpi), scaled(band.rect.top + band.rect.height, dpi)};
    const COLORREF top = colorOf(band.top);
    const COLORREF bottom = colorOf(band.bottom);
    if (top == bottom) {
        fillSolid(dc, rect, top);
        return;
    }
    const int rows = rect.bottom - rect.top;
    const int first = area.top > rect.top ? area.top : rect.top;
    const int last = area.bottom < rect.bottom ? area.bottom : rect.bottom;
    for (int y = first; y < last; ++y) {
        const int step = y - rect.top;
        fillSolid(dc, {rect.left, y, rect.right, y + 1}, blend(top, bottom, step, rows > 1 ? rows - 1 : 1));
    }
}

void paintShape(HDC dc, const forms::Control& shape, const RECT& rect, UINT dpi, const ColorScheme& colors) {
    const int width = scaled(shape.borderWidth, dpi);
    HPEN pen = CreatePen(PS_INSIDEFRAME, width > 0 ? width : 1, colors.color(forms::ColorUse::Text, shape.foreColor()));
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (shape.shape == forms::ShapeKind::Circle) {
        Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    } else {
        const int corner = scaled(kCornerDiameter, dpi);
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

UINT textFormat(const forms::Control& label) {
    UINT format = DT_NOPREFIX;
    switch (label.alignment) {
    case forms::Alignment::Left:
        format |= DT_LEFT;
        break;
    case forms::Alignment::Right:
        format |= DT_RIGHT;
        break;
    case forms::Alignment::Center:
        format |= DT_CENTER;
        break;
    }
    if (label.wordWrap) {
        format |= DT_WORDBREAK;
    }
    return format;
}

void paintLabel(HDC dc, const forms::Control& label, RECT rect, UINT dpi, GdiCache& cache,
                const ColorScheme& colors) {
    if (!label.transparent) {
        fillSolid(dc, rect, colors.color(forms::ColorUse::Background, label.backColor()));
    }
    const HGDIOBJ oldFont = SelectObject(dc, cache.font(label.font(), dpi));
    SetTextColor(dc, colors.textColor(label));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = toWide(label.text());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, textFormat(label));
    SelectObject(dc, oldFont);
}

void paintControl(HDC dc, const forms::Control& control, const RECT& rect, UINT dpi, GdiCache& cache,
                  const ColorScheme& colors) {
    switch (control.kind()) {
    case Kind::Label:
        paintLabel(dc, control, rect, dpi, cache, colors);
        break;
    case Kind::Shape:
        paintShape(dc, control, rect, dpi, colors);
        break;
    case Kind::Image:
        DrawIconEx(dc, rect.left, rect.top, cache.icon(rect.right - rect.left), rect.right - rect.left,
                   rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
        break;
    case Kind::TextBox:
    case Kind::CheckBox:
    case Kind::PictureBox:
    case Kind::ProgressBar:
    case Kind::UpDown:
        break;  // child windows paint themselves
    }
}

void paintContent(HDC dc, const RECT& area, UINT dpi, const Background& background,
                  const std::vector<forms::Control*>& controls, GdiCache& cache, const ColorScheme& colors) {
    fillSolid(dc, area, colors.color(forms::ColorUse::Background, background.color));
    if (!colors.highContrast()) {
        for (const forms::PictureFill& band : background.bands) {
            paintBand(dc, area, band, dpi);
        }
    }
    for (const forms::Control* control : controls) {
        if (control->isWindowed() || !control->visible() ||
            (colors.highContrast() && forms::isShadow(*control, controls))) {
            continue;
        }
        const RECT rect = pixelRect(control->rect(), dpi);
        RECT overlap;
        if (IntersectRect(&overlap, &rect, &area)) {
            paintControl(dc, *control, rect, dpi, cache, colors);
        }
    }
}

// Paints one area into a memory bitmap of its size, copied to the window in one step so that
// nothing flickers; the bitmap's origin is moved so that the controls are drawn in client coordinates.
void paintArea(HDC dc, const RECT& area, UINT dpi, const Background& background,
               const std::vector<forms::Control*>& controls, GdiCache& cache, const ColorScheme& colors) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = buffer != nullptr ? CreateCompatibleBitmap(dc, width, height) : nullptr;
    if (bitmap == nullptr) {
        // No memory for the bitmap: painted straight onto the window, flicker and all.
        if (buffer != nullptr) {
            DeleteDC(buffer);
        }
        paintContent(dc, area, dpi, background, controls, cache, colors);
        return;
    }
    const HGDIOBJ oldBitmap = SelectObject(buffer, bitmap);
    SetViewportOrgEx(buffer, -area.left, -area.top, nullptr);
    paintContent(buffer, area, dpi, background, controls, cache, colors);
    BitBlt(dc, area.left, area.top, width, height, buffer, area.left, area.top, SRCCOPY);
    SelectObject(buffer, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

// The rectangles of a window's update region; its bounding box when the region cannot be read.
std::vector<RECT> updateAreas(HWND window) {
    std::vector<RECT> areas;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (region == nullptr) {
        RECT bounds;
        if (GetUpdateRect(window, &bounds, FALSE)) {
            areas.push_back(bounds);
        }
        return areas;
    }
    if (GetUpdateRgn(window, region, FALSE) > NULLREGION) {
        areas = regionRects(region);
        if (areas.empty()) {
            RECT bounds;
            GetRgnBox(region, &bounds);
            areas.push_back(bounds);
        }
    }
    DeleteObject(region);
    return areas;
}

}  // namespace

std::vector<RECT> regionRects(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) {
        return {};
    }
    std::vector<std::byte> data(size);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (GetRegionData(region, size, header) != size) {
        return {};
    }
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    return {rects, rects + header->rdh.nCount};
}

void paintWindow(HWND window, UINT dpi, const Background& background, const std::vector<forms::Control*>& controls,
                 const forms::Control* focused, GdiCache& cache, const ColorScheme& colors) {
    // The update region is taken apart before BeginPaint validates it: a second's changes are a few
    // small labels far apart, and their bounding box would be most of the window.
    const std::vector<RECT> areas = updateAreas(window);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (const RECT& area : areas) {
        paintArea(dc, area, dpi, background, controls, cache, colors);
    }
    if (focused != nullptr) {
        // Over what was just painted, within the update region only: the rectangle inverts the
        // pixels it covers, so it shows on any colour.
        const RECT rect = pixelRect(focused->rect(), dpi);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &rect);
    }
    EndPaint(window, &paint);
}

SIZE measureLabel(const forms::Control& label, UINT dpi, GdiCache& cache) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, cache.font(label.font(), dpi));
    const RECT designed = pixelRect(label.rect(), dpi);
    RECT rect = {0, 0, label.wordWrap ? designed.right - designed.left : 0, 0};
    const std::wstring text = toWide(label.text());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, textFormat(label) | DT_CALCRECT);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace win32
