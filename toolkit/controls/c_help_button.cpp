#include "toolkit/controls/c_help_button.h"

#include "toolkit/controls/button_cursor.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CHelpButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CHelpButton(p, id, r, t, a, b);
});

CHelpButton::CHelpButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE) {
    m_stateCount = 1;
}

void CHelpButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 1, 0, [this](HDC dc, int, const CRect& frame) {
        if (!m_image) return;
        Gdiplus::Graphics g(dc);
        g.DrawImage(m_image, Gdiplus::Rect(frame.left, frame.top, frame.Width(), frame.Height()));
    });
}

BOOL CHelpButton::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_title.IsEmpty() || !m_manager) return 0;
    CRect r = GetRect();
    if (r.PtInRect(point)) {
        POINT anchor = ClientToScreenPoint(m_manager->GetPaintWnd(), r.left, r.top + 25);
        m_manager->SetAirBladderMsg(m_title, anchor, AIRBLADDER_HOVER, AIRBLADDER_MODE_LEFT);
        m_manager->ShowAirBladder(SW_SHOW, static_cast<int>(m_id));
        return 1;
    }
    // Hides only a balloon this button showed (or any, for an id-less button).
    m_manager->ShowAirBladder(SW_HIDE, static_cast<int>(m_id));
    return 0;
}

}  // namespace QxUI
