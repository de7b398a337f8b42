#include "toolkit/controls/c_image_button.h"

#include "toolkit/controls/button_cursor.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CImageButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CImageButton(p, id, r, t, a, b);
});

CImageButton::CImageButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MButton(parent, id, rect, title, visible, enabled), m_balloonMode(static_cast<AIRBLADDER_MODE>(0)) {}

void CImageButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawImageState(g, m_image, m_stateWidth, m_stateHeight, index,
                   CRect(frame.left, 0, frame.left + m_stateWidth, m_stateHeight));
    int W = frame.Width(), H = frame.Height();
    m_icon.DrawFrame(g, 0, frame.left + (W - m_icon.FrameWidth()) / 2 + 2, (H - m_icon.Height()) / 2 - 4);
}

BOOL CImageButton::OnControlMouseMove(UINT, CPoint point) {
    if (m_enabled && m_look != LOOK_PRESSED) SetHandCursor(GetRect().PtInRect(point));
    if (!PushButton::OnMouseMove(*this, m_look, point)) return FALSE;
    UpdateBalloon();
    return TRUE;
}

void CImageButton::UpdateBalloon() {
    if (m_balloonMode == 0 || m_title.IsEmpty() || !m_manager) return;
    if (m_look != LOOK_HOVER) {
        m_manager->ShowAirBladder(SW_HIDE, 0);
        return;
    }
    CRect r = GetRect();
    int x = m_balloonMode == AIRBLADDER_MODE_RIGHT ? r.right : r.left;
    POINT anchor = ClientToScreenPoint(m_manager->GetPaintWnd(), x, (r.top + r.bottom) / 2);
    m_manager->SetAirBladderMsg(m_title, anchor, AIRBLADDER_HOVER, m_balloonMode);
    m_manager->ShowAirBladder(SW_SHOW, 0);
}

}  // namespace QxUI
