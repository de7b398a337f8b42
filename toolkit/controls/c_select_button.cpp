#include "toolkit/controls/c_select_button.h"

#include "toolkit/controls/bullet_look.h"
#include "toolkit/controls/button_group.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CSelectButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CSelectButton(p, id, r, t, a, b);
});

namespace {
constexpr CheckLooks kLooks = CHECK_LOOKS_FOUR;
constexpr int kLookCount = 4;
}  // namespace

CSelectButton::CSelectButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE) {
    m_tabStop = TRUE;
    m_vAlign = 4;
    m_stateCount = kLookCount;
    SetTextColor(Gdiplus::Color(0xFEFFFFFF));
}

void CSelectButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, kLookCount, m_state.look,
                   [this](HDC dc, int i, const CRect& frame) { DrawBulletTitleLook(*this, dc, i, frame); });
}

void CSelectButton::SetControlEnabled(BOOL enabled) { CheckButton::SetEnabled(*this, m_state, kLooks, enabled); }

BOOL CSelectButton::OnControlMouseMove(UINT, CPoint point) {
    return CheckButton::OnMouseMove(*this, m_state, kLooks, point);
}

BOOL CSelectButton::OnControlLButtonDown(UINT, CPoint point) {
    return CheckButton::OnLButtonDown(*this, m_state, kLooks, point);
}

BOOL CSelectButton::OnControlLButtonUp(UINT, CPoint point) {
    return GroupButton::OnLButtonUp(*this, m_state, kLooks, point, [this] { ResetGroupCheck(); });
}

BOOL CSelectButton::OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (!m_enabled) return FALSE;
    if (!CheckButton::IsCheckKey(m_state, vk, modifier, MControl::OnControlKeyDown(vk, repeat, modifier)))
        return FALSE;
    GroupButton::OnCheckKey(*this, m_state, kLooks, [this] { ResetGroupCheck(); });
    return TRUE;
}

BOOL CSelectButton::SetControlFocus(BOOL focus) {
    MControl::SetControlFocus(focus);
    return CheckButton::SetFocusMark(*this, m_state, focus);
}

int CSelectButton::SetCheck(int check) {
    return GroupButton::SetCheck(*this, m_state, kLooks, check, [this] { ResetGroupCheck(); });
}

void CSelectButton::SetControlCheck(int check) { GroupButton::SetControlCheck(*this, m_state, kLooks, check); }

int CSelectButton::ResetGroupCheck() {
    return ForEachGroupSibling(*this, GROUP_LIVE,
                               [](CSelectButton& other) { GroupButton::Uncheck(other, other.m_state); });
}

}  // namespace QxUI
