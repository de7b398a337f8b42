#include "toolkit/controls/profile_button.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"ProfileButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new ProfileButton(p, id, r, t, a, 1);
});

ProfileButton::ProfileButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                             BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_look(0),
      m_frameSize(8),
      m_hoverColor(0xFFE6E6E6),
      m_pressedColor(0xFFE6E6E6),
      m_disabledColor(0xFF808080) {
    m_hAlign = 1;
    SetTextColor(Gdiplus::Color(0xFFC8C8C8));
}

void ProfileButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, m_look, [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void ProfileButton::DrawLook(HDC dc, int index, const CRect& frame) {
    if (m_image) {
        Gdiplus::Graphics g(dc);
        DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, m_frameSize);
    } else if (index == LOOK_HOVER || index == LOOK_PRESSED) {
        // Without a skin the hover and pressed looks are a plain grey plate.
        MRender::DrawColor(dc, frame, 0xFF898989);
    }
    if (m_title.IsEmpty()) return;
    Gdiplus::Graphics g(dc);
    const Gdiplus::ARGB colours[4] = {m_textColor, m_hoverColor, m_pressedColor, m_disabledColor};
    int titleWidth = MeasureButtonText(*this, m_title).Width;
    IconTitleLayout layout =
        TitleLeftOfIcon(frame.left, frame.Width(), frame.Height(), m_icon.FrameWidth(), m_icon.Height(), titleWidth);
    DrawButtonText(*this, g, m_title, layout.title, colours[index & 3], {});
    m_icon.DrawFrame(g, 0, layout.icon.x, layout.icon.y);
}

void ProfileButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_look, enabled); }
BOOL ProfileButton::OnControlMouseMove(UINT, CPoint point) { return PushButton::OnMouseMove(*this, m_look, point); }
BOOL ProfileButton::OnControlLButtonDown(UINT, CPoint point) {
    return PushButton::OnLButtonDown(*this, m_look, point);
}
BOOL ProfileButton::OnControlLButtonUp(UINT, CPoint point) { return PushButton::OnLButtonUp(*this, m_look, point); }

BOOL ProfileButton::SetIconImage(const wchar_t* file, int count) {
    if (!m_icon.Load(file, count)) return FALSE;
    UpdateControl(TRUE);
    return TRUE;
}

void ProfileButton::SetFrameSize(int size) {
    m_frameSize = size;
    UpdateControl(TRUE);
}

void ProfileButton::SetTextRect(CRect rect) {
    m_textRect = rect;
    UpdateControl(TRUE);
}

void ProfileButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                       Gdiplus::Color disabled) {
    SetTextColor(normal);
    m_hoverColor = hover.GetValue();
    m_pressedColor = pressed.GetValue();
    m_disabledColor = disabled.GetValue();
    UpdateControl(TRUE);
}

}  // namespace QxUI
