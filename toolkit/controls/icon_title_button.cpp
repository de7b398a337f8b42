#include "toolkit/controls/icon_title_button.h"

#include "toolkit/controls/button_cursor.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

IconTitleButton::IconTitleButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                                 BOOL enabled, Gdiplus::ARGB normal, const LookColours& colours, bool handCursor)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_look(0),
      m_frameSize(8),
      m_colours(colours),
      m_handCursor(handCursor) {
    m_hAlign = 1;
    SetTextColor(Gdiplus::Color(normal));
}

void IconTitleButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, m_look, [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void IconTitleButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_look, enabled); }

BOOL IconTitleButton::OnControlMouseMove(UINT, CPoint point) {
    if (m_handCursor && m_enabled && m_look != LOOK_PRESSED) SetHandCursor(GetRect().PtInRect(point) != FALSE);
    return PushButton::OnMouseMove(*this, m_look, point);
}

BOOL IconTitleButton::OnControlLButtonDown(UINT, CPoint point) {
    return PushButton::OnLButtonDown(*this, m_look, point);
}

BOOL IconTitleButton::OnControlLButtonUp(UINT, CPoint point) { return PushButton::OnLButtonUp(*this, m_look, point); }

BOOL IconTitleButton::SetIconImage(const wchar_t* file, int count) {
    BOOL loaded = m_icon.Load(file, count);
    UpdateControl(TRUE);  // a failed load drops the old icon too
    return loaded;
}

void IconTitleButton::SetFrameSize(int size) {
    m_frameSize = size;
    UpdateControl(TRUE);
}

void IconTitleButton::SetTextRect(CRect rect) {
    m_textRect = rect;
    UpdateControl(TRUE);
}

void IconTitleButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                         Gdiplus::Color disabled) {
    SetLookColours(*this, m_colours, normal, hover, pressed, disabled);
}

}  // namespace QxUI
