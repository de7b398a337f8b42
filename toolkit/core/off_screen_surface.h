#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/gdi_handles.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// A 32-bit bottom-up DIB section selected into its own memory DC: the off-screen buffer a
// window is composed in. Pixels are 0xAARRGGBB words; GDI+ writes premultiplied alpha into it.
// Kept by its owner between paints and reallocated only when the size changes.
class QXUI_API OffScreenSurface {
public:
    OffScreenSurface() = default;
    ~OffScreenSurface();
    OffScreenSurface(const OffScreenSurface&) = delete;
    OffScreenSurface& operator=(const OffScreenSurface&) = delete;

    // Makes the surface width x height (contents undefined after a size change; a new DIB is
    // all zero). FALSE when the DIB cannot be made; the surface is then empty.
    BOOL Resize(HDC compatible, int width, int height);
    void Release();

    HDC GetDC() const { return m_hdc; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    BYTE* GetBits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    BOOL IsValid() const { return m_bits != nullptr; }

    // Waits for GDI to finish drawing into the section; call before reading pixels.
    static void Flush() { ::GdiFlush(); }
    // The pixel at client coordinates (x, y) as 0xAARRGGBB; 0 outside the surface.
    DWORD GetPixel(int x, int y) const;
    void SetPixel(int x, int y, DWORD argb);
    // Sets every pixel of `rect` (clipped to the surface) to 0: transparent black.
    void Clear(const RECT& rect);
    // GDI text and lines leave alpha 0: every pixel of `rect` with alpha 0 whose colour is not
    // black becomes opaque.
    void FixGdiAlpha(const RECT& rect);

private:
    DWORD* Row(int y) const { return reinterpret_cast<DWORD*>(m_bits) + static_cast<size_t>(m_height - 1 - y) * m_width; }
    CRect Clip(const RECT& rect) const;

    HDC m_hdc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    BYTE* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace QxUI
