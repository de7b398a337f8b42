#include "toolkit/controls/c_area.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CArea", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new CArea(p, id, r, a, 1);
});

CArea::CArea(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControl(parent, id, rect, visible, enabled, TRUE),
      m_direction(1),
      m_startPercent(80),
      m_endPercent(80),
      m_colour(0xFFFFFF),
      m_frame(0),
      m_frameColour(0xFE050505) {}

namespace {
Gdiplus::ARGB OpaqueArgb(COLORREF colour) {
    return Gdiplus::Color::MakeARGB(0xFE, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
}  // namespace

void CArea::Render(HDC mem, int width, int height) {
    CRect box(0, 0, width, height);
    Gdiplus::ARGB fill = OpaqueArgb(m_colour);
    if (m_startPercent != 0 || m_endPercent != 0) {
        HDC src = MRender::CreateCompatibleDC(mem);
        BYTE* bits = nullptr;
        HBITMAP bitmap = MRender::CreateARGB32Bitmap(mem, width, height, &bits);
        if (src && bitmap) {
            HGDIOBJ old = ::SelectObject(src, bitmap);
            MRender::DrawColor(src, box, fill);
            if (m_direction == 1)
                MRender::DrawVerticalTransition(mem, src, box, box, m_startPercent, m_endPercent);
            else
                MRender::DrawHorizontalTransition(mem, src, box, box, m_startPercent, m_endPercent);
            ::SelectObject(src, old);
        }
        if (bitmap) ::DeleteObject(bitmap);
        if (src) ::DeleteDC(src);
        return;
    }
    if (m_frame) {
        MRender::DrawColor(mem, box, m_frameColour);
        MRender::DrawColor(mem, CRect(1, 1, width - 1, height - 1), fill);
    } else {
        MRender::DrawColor(mem, box, fill);
    }
}

void CArea::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    if (r.IsRectEmpty()) return;
    if (!GetUpdate()) {
        UpdateMemDC(hdc, r.Width(), r.Height());
        if (!GetMemDC()) return;
        // The area blends over what is already painted under it.
        ::BitBlt(GetMemDC(), 0, 0, r.Width(), r.Height(), hdc, r.left, r.top, SRCCOPY);
        Render(GetMemDC(), r.Width(), r.Height());
    }
    if (GetMemDC()) ::BitBlt(hdc, r.left, r.top, r.Width(), r.Height(), GetMemDC(), 0, 0, SRCCOPY);
}

void CArea::SetTransparent(int startPercent, int endPercent, COLORREF colour) {
    m_startPercent = startPercent;
    m_endPercent = endPercent;
    m_colour = colour;
    if (m_visible) UpdateControl(TRUE);
}

void CArea::SetFrame(int frame, Gdiplus::Color frameColour, int) {
    m_frame = frame;
    m_frameColour = frameColour.GetValue();
    if (m_visible) UpdateControl(TRUE);
}

}  // namespace QxUI
