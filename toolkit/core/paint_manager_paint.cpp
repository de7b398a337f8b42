// The paint cycle, background, overlay drawing and repaint requests.
#include "toolkit/core/control_snapshot.h"
#include "toolkit/core/gdi_handles.h"
#include "toolkit/core/m_control.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

namespace {
COLORREF ToColorRef(Gdiplus::ARGB c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// One WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_ps); }
    ~PaintScope() { ::EndPaint(m_hwnd, &m_ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return m_hdc; }
    CRect Dirty() const { return CRect(m_ps.rcPaint); }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps = {};
    HDC m_hdc;
};
}  // namespace

BOOL PaintManager::LoadBKImage(CString file) {
    delete m_backImage;
    m_backImage = MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
    m_backWidth = m_backImage ? static_cast<int>(m_backImage->GetWidth()) : 0;
    m_backHeight = m_backImage ? static_cast<int>(m_backImage->GetHeight()) : 0;
    m_backCacheValid = FALSE;
    return m_backImage ? TRUE : FALSE;
}

BOOL PaintManager::LoadBKImage(UINT resId, CString type) {
    delete m_backImage;
    m_backImage = MRender::LoadImageFromIDResource(resId, type, Manager::m_hInstance);
    m_backWidth = m_backImage ? static_cast<int>(m_backImage->GetWidth()) : 0;
    m_backHeight = m_backImage ? static_cast<int>(m_backImage->GetHeight()) : 0;
    m_backCacheValid = FALSE;
    return m_backImage ? TRUE : FALSE;
}

void PaintManager::SetBackMode(enumBackMode mode, int value) {
    m_backMode = mode;
    m_backModeValue = value;
    m_backCacheValid = FALSE;
}

void PaintManager::SetBackColor(Gdiplus::Color inner, Gdiplus::Color border) {
    m_backColor = inner.GetValue();
    m_borderColor = border.GetValue();
    m_backCacheValid = FALSE;
}

// The background depends only on the client size and the background settings, so it is
// rendered once into its own surface (over transparent black, as into a fresh buffer) and
// copied into the frame for every dirty rectangle.
void PaintManager::DrawBackground(HDC hdc, const CRect& client, const CRect& dirty) {
    if (!m_backCacheValid || m_backCache.Width() != client.Width() || m_backCache.Height() != client.Height()) {
        if (!m_backCache.Resize(hdc, client.Width(), client.Height())) return;
        m_backCache.Clear(client);
        Gdiplus::Graphics g(m_backCache.GetDC());
        if (m_backImage) {
            if (m_backMode == BACK_MODE_ORIGIN)
                g.DrawImage(m_backImage, Gdiplus::Rect(0, 0, m_backWidth, m_backHeight), 0, 0, m_backWidth,
                            m_backHeight, Gdiplus::UnitPixel);
            else if (m_backMode == BACK_MODE_FRAME)
                MRender::DrawImageFrame(g, m_backImage, client, 0, 0, m_backWidth, m_backHeight, m_backModeValue);
        } else {
            Gdiplus::SolidBrush border{Gdiplus::Color(m_borderColor)};
            g.FillRectangle(&border, 0, 0, client.Width(), client.Height());
            Gdiplus::SolidBrush inner{Gdiplus::Color(m_backColor)};
            g.FillRectangle(&inner, 1, 1, client.Width() - 2, client.Height() - 2);
        }
        m_backCacheValid = TRUE;
    }
    ::BitBlt(hdc, dirty.left, dirty.top, dirty.Width(), dirty.Height(), m_backCache.GetDC(), dirty.left, dirty.top,
             SRCCOPY);
}

BOOL PaintManager::PaintToSurface(OffScreenSurface& surface, const CRect& dirty) {
    CRect client;
    GetClientRect(client);
    if (client.IsRectEmpty()) return FALSE;
    if (!surface.Resize(m_hDcPaint, client.Width(), client.Height())) return FALSE;
    CRect paint;
    if (m_layered)
        paint = client;
    else if (!paint.IntersectRect(dirty, client))
        return FALSE;

    HDC hdc = surface.GetDC();
    DispatchScope dispatch(*this);  // also when called from outside the window's messages
    {
        ScopedDCState state(hdc);
        // Only the dirty rectangle is touched: controls outside it are skipped, drawing inside
        // is clipped to it.
        ::IntersectClipRect(hdc, paint.left, paint.top, paint.right, paint.bottom);
        DrawBackground(hdc, client, paint);
        {
            CriticalSectionLock lock(m_areaLock);
            for (MControl* c : ControlSnapshot(m_areas)) c->Draw(hdc, paint);
        }
        {
            CriticalSectionLock lock(m_controlLock);
            for (MControl* c : ControlSnapshot(m_controls)) c->Draw(hdc, paint);
        }
        DrawCaret(hdc, paint);
        ::GdiFlush();
        if (m_layered) surface.FixGdiAlpha(paint);
        if (m_overlayAlpha > 10 && !m_overlayText.IsEmpty()) DrawOverlay(hdc);
    }
    ::GdiFlush();
    return TRUE;
}

void PaintManager::PresentLayered(HDC windowDC, const OffScreenSurface& surface) {
    LONG ex = ::GetWindowLongW(m_hWndPaint, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) ::SetWindowLongW(m_hWndPaint, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SIZE size = {surface.Width(), surface.Height()};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_hWndPaint, windowDC, nullptr, &size, surface.GetDC(), &origin, 0, &blend, ULW_ALPHA);
}

LRESULT PaintManager::OnPaint() {
    if (!IsLive()) return 0;
    if (::IsIconic(m_hWndPaint)) {
        // Nothing to draw, but the update region must be validated or WM_PAINT never stops.
        ::ValidateRect(m_hWndPaint, nullptr);
        return 1;
    }
    RECT update;
    if (!::GetUpdateRect(m_hWndPaint, &update, FALSE)) return 0;
    {
        PaintScope paint(m_hWndPaint);
        CRect dirty = paint.Dirty();
        if (PaintToSurface(m_frame, dirty)) {
            if (m_layered) {
                PresentLayered(m_hDcPaint ? m_hDcPaint : paint.Get(), m_frame);
            } else {
                ::BitBlt(paint.Get(), dirty.left, dirty.top, dirty.Width(), dirty.Height(), m_frame.GetDC(),
                         dirty.left, dirty.top, SRCCOPY);
            }
        }
    }
    // Paints are spaced by at least 15 ms.
    ::Sleep(15);
    return 1;
}

void PaintManager::DrawOverlay(HDC hdc) {
    const int A = m_overlayAlpha;
    CRect r(m_overlayRect);
    Gdiplus::Graphics g(hdc);
    Gdiplus::SolidBrush frame(Gdiplus::Color(static_cast<BYTE>(A), 0xE6, 0xE6, 0xE6));
    g.FillRectangle(&frame, r.left, r.top, r.Width(), r.Height());
    Gdiplus::SolidBrush inner(Gdiplus::Color(static_cast<BYTE>(A), 0xFE, 0xFE, 0xFE));
    g.FillRectangle(&inner, r.left + 2, r.top + 2, r.Width() - 4, r.Height() - 4);

    Gdiplus::FontFamily* family = FindTempFont(m_overlayFont);
    if (family) {
        Gdiplus::Font font(family, 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        Gdiplus::SolidBrush text(Gdiplus::Color(static_cast<BYTE>(A), 0x05, 0x05, 0x05));
        Gdiplus::StringFormat format;
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        if (m_progressShown <= 0) {
            format.SetAlignment(Gdiplus::StringAlignmentNear);
            Gdiplus::RectF box(static_cast<float>(r.left + 5), static_cast<float>(r.top + 5), 190, 50);
            g.DrawString(m_overlayText, m_overlayText.GetLength(), &font, box, &format, &text);
        } else {
            format.SetAlignment(Gdiplus::StringAlignmentCenter);
            Gdiplus::RectF box(static_cast<float>(r.left + 5), static_cast<float>(r.top + 5),
                               static_cast<float>(r.Width() - 10), 30);
            g.DrawString(m_overlayText, m_overlayText.GetLength(), &font, box, &format, &text);
        }
    }
    if (m_progressShown > 0) {
        Gdiplus::Pen line(Gdiplus::Color(0xC8, 0xC8, 0xC8, 0xC8), 1);
        g.DrawLine(&line, static_cast<INT>(r.left + 10), static_cast<INT>(r.bottom - 15), static_cast<INT>(r.right - 20),
                   static_cast<INT>(r.bottom - 15));
        Gdiplus::SolidBrush bar(Gdiplus::Color(0xFE, 0xFF, 0xE1, 0x00));
        g.FillRectangle(&bar, static_cast<INT>(r.left + 10), static_cast<INT>(r.bottom - 16),
                        m_progressShown * (r.Width() - 20) / 100, 3);
    }
}

LRESULT PaintManager::OnControlUpdate(CRect rect, BOOL invalidateCache, MControl* control) {
    if (!control) return 0;
    COLORREF colour = ToColorRef(m_backColor);
    CRect repaint = rect;
    if (invalidateCache) {
        control->SetUpdate(FALSE, colour);
        // A control re-rendering its cache starts from what the frame buffer holds under its
        // whole rectangle; outside `rect` that is still its own earlier drawing unless that part
        // is repainted first. So a dropped cache always repaints the whole control.
        repaint.UnionRect(CRect(rect), control->GetRect());
    }
    if (m_initialised) {
        // Controls painted after this one that overlap the rectangle are drawn over it: their
        // caches are stale too. The scan runs over areas, then controls.
        const CRect touched = repaint;
        bool passed = false;
        auto scan = [&](std::vector<MControl*>& list) {
            for (MControl* c : list) {
                if (c == control) {
                    passed = true;
                    continue;
                }
                if (passed && c->IsVisible() && c->GetRect().Intersects(touched)) {
                    CRect grown;
                    grown.UnionRect(repaint, c->GetRect());
                    repaint = grown;
                    c->SetUpdate(FALSE, colour);
                }
            }
        };
        {
            CriticalSectionLock lock(m_areaLock);
            scan(m_areas);
        }
        CriticalSectionLock lock(m_controlLock);
        scan(m_controls);
    }
    InvalidateRect(repaint, FALSE);
    return 0;
}

}  // namespace QxUI
