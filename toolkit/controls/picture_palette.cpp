#include "toolkit/controls/picture_palette.h"

#include "toolkit/controls/palette_paint.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"PicturePalette", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new PicturePalette(p, id, r, a, b);
});

PicturePalette::PicturePalette(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_selectColor(255),
      m_thumb(rect.IsRectEmpty() ? CRect() : HomeThumb(rect)),
      m_lastThumbPoint(0, 0),
      m_state(0) {}

CRect PicturePalette::HomeThumb(const CRect& r) { return CRect(r.left + 120, r.top + 30, r.left + 130, r.top + 40); }

void PicturePalette::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    if (r.IsRectEmpty()) return;
    // What lies under the control is already in hdc: the picture goes over it.
    Gdiplus::Graphics g(hdc);
    DrawImageState(g, m_image, m_stateWidth, m_stateHeight, 0, r);
    DrawPaletteMarker(g, m_thumb.left, m_thumb.top);
}

void PicturePalette::SetControlRect(CRect rect) {
    if (rect == GetRect()) return;
    MControlFont::SetControlRect(rect);
    m_thumb = HomeThumb(rect);
    UpdateControl(TRUE);
}

void PicturePalette::SetSelectColor(DWORD colour) {
    m_selectColor = colour;
    UpdateControl(TRUE);
}

int PicturePalette::GetDistanse(CPoint point) const { return PaletteDistance(GetRect(), point); }

void PicturePalette::MoveThumbPos(CPoint point) {
    if (!AcceptsThumbPoint(point)) return;
    m_lastThumbPoint = point;
    CRect thumb(point.x - 5, point.y - 5, point.x + 5, point.y + 5);
    if (thumb == m_thumb) return;
    m_thumb = thumb;
    m_selectColor = PictureColourAt(m_image, m_stateWidth, m_stateHeight, GetRect(), point, m_selectColor);
    UpdateControl(TRUE);
    SendMessageW(NOTIFY_COLOR, 0, static_cast<LPARAM>(m_selectColor));
}

BOOL PicturePalette::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (m_thumb.PtInRect(point)) m_state = 2;
    MoveThumbPos(point);
    return 1;
}

BOOL PicturePalette::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (m_state == 2) {
        if (PaletteDragMoves(m_lastThumbPoint, point)) MoveThumbPos(point);
        return 1;
    }
    m_state = m_thumb.PtInRect(point) ? 1 : 0;
    return 0;
}

BOOL PicturePalette::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    m_state = m_thumb.PtInRect(point) ? 1 : 0;
    return 1;
}

}  // namespace QxUI
