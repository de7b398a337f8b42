#include "toolkit/controls/palette_paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace QxUI {

void DrawPaletteMarker(Gdiplus::Graphics& g, int x, int y) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen white(Gdiplus::Color(0xFEFFFFFF));
    Gdiplus::Pen grey(Gdiplus::Color(0xFE808080));
    g.DrawEllipse(&white, x, y, 8, 8);
    g.DrawEllipse(&grey, x + 1, y + 1, 8, 8);
}

bool PaletteDragMoves(CPoint last, CPoint point) {
    return !(std::abs(point.x - last.x) <= 5 && std::abs(point.y - last.y) < 6);
}

int PaletteDistance(const CRect& rect, CPoint point) {
    double dx = point.x - (rect.left + rect.Width() / 2);
    double dy = point.y - (rect.top + rect.Height() / 2);
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

bool CircleRingHolds(int distance) { return distance > 14 && distance <= 100; }

COLORREF PictureColourAt(Gdiplus::Image* image, int stateWidth, int stateHeight, const CRect& rect, CPoint point,
                         COLORREF fallback) {
    if (!image || stateWidth <= 0 || stateHeight <= 0 || rect.IsRectEmpty()) return fallback;
    int x = std::clamp(static_cast<int>(point.x), static_cast<int>(rect.left), static_cast<int>(rect.right) - 1);
    int y = std::clamp(static_cast<int>(point.y), static_cast<int>(rect.top), static_cast<int>(rect.bottom) - 1);
    int sx = (x - rect.left) * stateWidth / rect.Width();
    int sy = (y - rect.top) * stateHeight / rect.Height();
    // One source pixel drawn into a one-pixel bitmap: works for every kind of GDI+ image.
    Gdiplus::Bitmap probe(1, 1, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&probe);
        g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g.DrawImage(image, Gdiplus::Rect(0, 0, 1, 1), sx, sy, 1, 1, Gdiplus::UnitPixel);
    }
    Gdiplus::Color c;
    if (probe.GetPixel(0, 0, &c) != Gdiplus::Ok) return fallback;
    return RGB(c.GetR(), c.GetG(), c.GetB());
}

ColourImage::~ColourImage() {
    if (m_dc && m_old) ::SelectObject(m_dc, m_old);
    if (m_bitmap) ::DeleteObject(m_bitmap);
    if (m_dc) ::DeleteDC(m_dc);
}

bool ColourImage::Create(HDC reference, int width, int height) {
    if (m_bits) return true;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(reference);
    m_bitmap = m_dc ? ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!m_bitmap || !bits) return false;
    m_old = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

void ColourImage::SetPixel(int x, int y, COLORREF colour) {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    if ((colour & 0xFFFFFF) == 0) colour = 0x000001;
    // DIB pixels are 0xAARRGGBB; a COLORREF holds red in the low byte.
    m_bits[y * m_width + x] = 0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

COLORREF ColourImage::GetPixel(int x, int y) const {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    std::uint32_t p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void ColourImage::StretchTo(HDC dst, const CRect& to, const CRect& from) const {
    if (!m_bits || to.IsRectEmpty() || from.IsRectEmpty()) return;
    int oldMode = ::SetStretchBltMode(dst, HALFTONE);
    POINT origin;
    ::SetBrushOrgEx(dst, 0, 0, &origin);
    ::StretchBlt(dst, to.left, to.top, to.Width(), to.Height(), m_dc, from.left, from.top, from.Width(), from.Height(),
                 SRCCOPY);
    ::SetBrushOrgEx(dst, origin.x, origin.y, nullptr);
    ::SetStretchBltMode(dst, oldMode);
}

}  // namespace QxUI
