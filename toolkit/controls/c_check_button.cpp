#include "toolkit/controls/c_check_button.h"

#include "toolkit/controls/bullet_look.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CCheckButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CCheckButton(p, id, r, t, a, b);
});

CCheckButton::CCheckButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE) {
    m_tabStop = TRUE;
    m_vAlign = 4;
    m_stateCount = 8;
}

void CCheckButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 8, m_state.look,
                   [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

CRect CCheckButton::TitleBox(const CRect& frame) const {
    return CRect(frame.left + m_stateWidth + 8, 0, frame.right, frame.Height());
}

void CCheckButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawBullet(*this, g, index, frame);
    ButtonTextStyle style;
    style.h = Gdiplus::StringAlignmentNear;
    bool disabled = index == LOOK_DISABLED || index == LOOK_CHECKED + LOOK_DISABLED;
    DrawButtonText(*this, g, m_title, TitleBox(frame), disabled ? kDisabledCheckText : m_textColor, style);
}

void CCheckButton::SetControlEnabled(BOOL enabled) {
    CheckButton::SetEnabled(*this, m_state, CHECK_LOOKS_EIGHT, enabled);
}

BOOL CCheckButton::OnControlMouseMove(UINT, CPoint point) {
    return CheckButton::OnMouseMove(*this, m_state, CHECK_LOOKS_EIGHT, point);
}

BOOL CCheckButton::OnControlLButtonDown(UINT, CPoint point) {
    return CheckButton::OnLButtonDown(*this, m_state, CHECK_LOOKS_EIGHT, point);
}

BOOL CCheckButton::OnControlLButtonUp(UINT, CPoint point) {
    return CheckButton::OnLButtonUp(*this, m_state, CHECK_LOOKS_EIGHT, point,
                                    [this] { m_state.check = !m_state.check; });
}

BOOL CCheckButton::OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (!m_enabled) return FALSE;
    if (!CheckButton::IsCheckKey(m_state, vk, modifier, MControl::OnControlKeyDown(vk, repeat, modifier)))
        return FALSE;
    SetCheck(!m_state.check);
    SendMessageW(NOTIFY_CHECK, 0, m_state.check);
    return TRUE;
}

BOOL CCheckButton::SetControlFocus(BOOL focus) {
    MControl::SetControlFocus(focus);
    return CheckButton::SetFocusMark(*this, m_state, focus);
}

int CCheckButton::SetCheck(int check) {
    if (!m_enabled) return m_state.check;
    BOOL changed = (check != 0) != (m_state.check != 0);
    m_state.check = check;
    m_state.look = CheckedLook(CHECK_LOOKS_EIGHT, check, LOOK_NORMAL);
    if (changed) UpdateControl(FALSE);
    return m_state.check;
}

}  // namespace QxUI
