#include "toolkit/core/off_screen_surface.h"

#include <cstring>

#include "toolkit/core/m_render.h"

namespace QxUI {

OffScreenSurface::~OffScreenSurface() { Release(); }

void OffScreenSurface::Release() {
    if (m_hdc) {
        if (m_oldBitmap) ::SelectObject(m_hdc, m_oldBitmap);
        ::DeleteDC(m_hdc);
    }
    if (m_bitmap) ::DeleteObject(m_bitmap);
    m_hdc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

BOOL OffScreenSurface::Resize(HDC compatible, int width, int height) {
    if (width <= 0 || height <= 0) {
        Release();
        return FALSE;
    }
    if (m_bits && width == m_width && height == m_height) return TRUE;
    Release();
    m_hdc = ::CreateCompatibleDC(compatible);
    if (!m_hdc) return FALSE;
    m_bitmap = MRender::CreateARGB32Bitmap(m_hdc, width, height, &m_bits);
    if (!m_bitmap || !m_bits) {
        Release();
        return FALSE;
    }
    m_oldBitmap = ::SelectObject(m_hdc, m_bitmap);
    m_width = width;
    m_height = height;
    return TRUE;
}

CRect OffScreenSurface::Clip(const RECT& rect) const {
    CRect r;
    r.IntersectRect(rect, CRect(0, 0, m_width, m_height));
    return r;
}

DWORD OffScreenSurface::GetPixel(int x, int y) const {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return Row(y)[x];
}

void OffScreenSurface::SetPixel(int x, int y, DWORD argb) {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    Row(y)[x] = argb;
}

void OffScreenSurface::Clear(const RECT& rect) {
    if (!m_bits) return;
    CRect r = Clip(rect);
    if (r.IsRectEmpty()) return;
    ::GdiFlush();
    for (int y = r.top; y < r.bottom; ++y) std::memset(Row(y) + r.left, 0, sizeof(DWORD) * r.Width());
}

void OffScreenSurface::FixGdiAlpha(const RECT& rect) {
    if (!m_bits) return;
    CRect r = Clip(rect);
    if (r.IsRectEmpty()) return;
    ::GdiFlush();
    for (int y = r.top; y < r.bottom; ++y) {
        DWORD* p = Row(y) + r.left;
        for (int x = 0; x < r.Width(); ++x)
            if ((p[x] & 0xFF000000u) == 0 && (p[x] & 0x00FFFFFFu) != 0) p[x] |= 0xFF000000u;
    }
}

}  // namespace QxUI
