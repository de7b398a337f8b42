#pragma once
#include <cstdint>

#include "toolkit/core/c_rect.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Pieces the colour pickers share: their marker, their off-screen colour image and the pure
// rules of pointer handling that tests check directly.

// The picked point's marker: two 8 by 8 anti-aliased circle outlines, white at (x, y) and grey
// one pixel further right and down.
QXUI_API void DrawPaletteMarker(Gdiplus::Graphics& g, int x, int y);

// A drag of the thumb follows the pointer only once it moved more than 5 pixels across or at
// least 6 pixels down or up from the last thumb point; smaller jitter is ignored.
QXUI_API bool PaletteDragMoves(CPoint last, CPoint point);

// Distance of `point` from the centre of `rect` (integer halves of width and height),
// truncated.
QXUI_API int PaletteDistance(const CRect& rect, CPoint point);

// The circle palette's thumb stays on its ring: more than 14 and at most 100 pixels out.
QXUI_API bool CircleRingHolds(int distance);

// Colour of a picture stretched over `rect` at `point` (held inside the rectangle), as a
// COLORREF; `fallback` without a picture.
QXUI_API COLORREF PictureColourAt(Gdiplus::Image* image, int stateWidth, int stateHeight, const CRect& rect,
                                  CPoint point, COLORREF fallback);

// An off-screen 32-bit colour image written pixel by pixel (COLORREF) and stretched onto a
// window with halftone stretching. Owns its device context and bitmap.
class QXUI_API ColourImage {
public:
    ColourImage() = default;
    ~ColourImage();
    ColourImage(const ColourImage&) = delete;
    ColourImage& operator=(const ColourImage&) = delete;

    bool Create(HDC reference, int width, int height);
    bool IsReady() const { return m_bits != nullptr; }
    // Black is written as 0x000001 so that it stays visible in layered windows.
    void SetPixel(int x, int y, COLORREF colour);
    COLORREF GetPixel(int x, int y) const;
    void StretchTo(HDC dst, const CRect& to, const CRect& from) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace QxUI
