#include "toolkit/controls/new_button.h"

#include "toolkit/controls/button_cursor.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"NewButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new NewButton(p, id, r, t, a, 1);
});

NewButton::NewButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_look(0),
      m_frameSize(8),
      m_hoverColor(0xFFFFFFFF),
      m_pressedColor(0xFF1E1E1E),
      m_disabledColor(0xFF323232) {
    m_hAlign = 1;
    SetTextColor(Gdiplus::Color(0xFFFFFFFF));
}

void NewButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, m_look, [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void NewButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, m_frameSize);
    if (m_title.IsEmpty()) return;
    const Gdiplus::ARGB colours[4] = {m_textColor, m_hoverColor, m_pressedColor, m_disabledColor};
    CRect box;
    if (m_textRect.IsRectEmpty()) {
        int titleWidth = MeasureButtonText(*this, m_title).Width;
        IconTitleLayout layout =
            IconLeftOfTitle(frame.left, frame.Width(), frame.Height(), m_icon.FrameWidth(), m_icon.Height(), titleWidth);
        m_icon.DrawFrame(g, 0, layout.icon.x, layout.icon.y);
        box = layout.title;
    } else {
        box = m_textRect;
        box.OffsetRect(frame.left + 2, 2);
    }
    DrawButtonText(*this, g, m_title, box, colours[index & 3], {});
}

void NewButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_look, enabled); }

BOOL NewButton::OnControlMouseMove(UINT, CPoint point) {
    if (m_enabled && m_look != LOOK_PRESSED) SetHandCursor(GetRect().PtInRect(point));
    return PushButton::OnMouseMove(*this, m_look, point);
}

BOOL NewButton::OnControlLButtonDown(UINT, CPoint point) { return PushButton::OnLButtonDown(*this, m_look, point); }
BOOL NewButton::OnControlLButtonUp(UINT, CPoint point) { return PushButton::OnLButtonUp(*this, m_look, point); }

BOOL NewButton::SetIconImage(const wchar_t* file, int count) {
    if (!m_icon.Load(file, count)) return FALSE;
    UpdateControl(TRUE);
    return TRUE;
}

void NewButton::SetFrameSize(int size) {
    m_frameSize = size;
    UpdateControl(TRUE);
}

void NewButton::SetTextRect(CRect rect) {
    m_textRect = rect;
    UpdateControl(TRUE);
}

void NewButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                   Gdiplus::Color disabled) {
    SetTextColor(normal);
    m_hoverColor = hover.GetValue();
    m_pressedColor = pressed.GetValue();
    m_disabledColor = disabled.GetValue();
    UpdateControl(TRUE);
}

}  // namespace QxUI
