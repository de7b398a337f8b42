#include "toolkit/controls/c_radio_button.h"

#include "toolkit/controls/bullet_look.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CRadioButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CRadioButton(p, id, r, t, a, b);
});

CRadioButton::CRadioButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : CRadioButton(parent, id, rect, title, visible, enabled, CHECK_LOOKS_EIGHT, GROUP_ALL) {}

CRadioButton::CRadioButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled,
                           CheckLooks looks, GroupScope scope)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE), m_looks(looks), m_scope(scope) {
    m_tabStop = TRUE;
    m_vAlign = 4;
    m_stateCount = LookCount();
}

void CRadioButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, LookCount(), m_state.look,
                   [this](HDC dc, int i, const CRect& frame) { DrawBulletTitleLook(*this, dc, i, frame); });
}

void CRadioButton::SetControlEnabled(BOOL enabled) { CheckButton::SetEnabled(*this, m_state, m_looks, enabled); }

BOOL CRadioButton::OnControlMouseMove(UINT, CPoint point) {
    return CheckButton::OnMouseMove(*this, m_state, m_looks, point);
}

BOOL CRadioButton::OnControlLButtonDown(UINT, CPoint point) {
    return CheckButton::OnLButtonDown(*this, m_state, m_looks, point);
}

BOOL CRadioButton::OnControlLButtonUp(UINT, CPoint point) {
    return GroupButton::OnLButtonUp(*this, m_state, m_looks, point, [this] { ResetGroupCheck(); });
}

BOOL CRadioButton::OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (!m_enabled) return FALSE;
    if (!CheckButton::IsCheckKey(m_state, vk, modifier, MControl::OnControlKeyDown(vk, repeat, modifier)))
        return FALSE;
    GroupButton::OnCheckKey(*this, m_state, m_looks, [this] { ResetGroupCheck(); });
    return TRUE;
}

BOOL CRadioButton::SetControlFocus(BOOL focus) {
    MControl::SetControlFocus(focus);
    return CheckButton::SetFocusMark(*this, m_state, focus);
}

int CRadioButton::SetCheck(int check) {
    return GroupButton::SetCheck(*this, m_state, m_looks, check, [this] { ResetGroupCheck(); });
}

void CRadioButton::SetControlCheck(int check) { GroupButton::SetControlCheck(*this, m_state, m_looks, check); }

int CRadioButton::ResetGroupCheck() {
    // Siblings must share the class name too, so radio and selection buttons never mix.
    return ForEachGroupSibling(*this, m_scope, [](CRadioButton& other) { GroupButton::Uncheck(other, other.m_state); });
}

}  // namespace QxUI
