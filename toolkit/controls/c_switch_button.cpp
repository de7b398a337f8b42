#include "toolkit/controls/c_switch_button.h"

#include "toolkit/controls/button_press.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CSwitchButton", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CSwitchButton(p, id, r, a, b);
});

CSwitchButton::CSwitchButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE), m_look(0), m_check(0), m_pressed(0) {
    m_tabStop = TRUE;
    m_vAlign = 4;
}

void CSwitchButton::DrawControl(HDC& hdc, CRect) {
    // The strip holds the current state's frames only: a change of state re-renders it.
    PaintLookStrip(*this, hdc, 4, m_look, [this](HDC dc, int i, const CRect& frame) {
        const ButtonImage& image = m_check ? m_onImage : m_offImage;
        Gdiplus::Graphics g(dc);
        image.DrawFrame(g, i, frame.left, (frame.Height() - image.Height()) / 2);
    });
}

void CSwitchButton::ShowLook(int look) {
    if (look == m_look) return;
    m_look = look;
    UpdateControl(FALSE);
}

void CSwitchButton::SetControlEnabled(BOOL enabled) {
    if ((enabled != FALSE) == (m_enabled != FALSE)) return;
    MControl::SetControlEnabled(enabled);
    ShowLook(enabled ? LOOK_NORMAL : LOOK_DISABLED);
}

BOOL CSwitchButton::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_pressed) return FALSE;
    int look = GetRect().PtInRect(point) ? LOOK_HOVER : LOOK_NORMAL;
    if (look == m_look) return FALSE;
    ShowLook(look);
    return TRUE;
}

BOOL CSwitchButton::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !GetRect().PtInRect(point)) return FALSE;
    m_pressed = TRUE;
    if (m_look != LOOK_HOVER) {
        m_look = LOOK_HOVER;
        UpdateControl(TRUE);
    }
    return TRUE;
}

BOOL CSwitchButton::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return FALSE;
    BOOL wasPressed = m_pressed;
    m_pressed = FALSE;
    if (!GetRect().PtInRect(point)) {
        ShowLook(LOOK_NORMAL);
        return FALSE;
    }
    if (!wasPressed) return FALSE;
    m_check = !m_check;
    SendMessageW(NOTIFY_CLICK, 0, m_check);
    UpdateControl(TRUE);
    return TRUE;
}

BOOL CSwitchButton::OnControlKeyDown(UINT, UINT, UINT) { return FALSE; }

int CSwitchButton::SetImage(const wchar_t* onFile, const wchar_t* offFile, int count) {
    m_onImage.Load(onFile, count);
    m_offImage.Load(offFile, count);
    m_stateCount = count;
    UpdateControl(TRUE);
    return 1;
}

int CSwitchButton::SetCheck(int check) {
    BOOL changed = (check != 0) != (m_check != 0);
    m_check = check;
    m_look = LOOK_NORMAL;
    // The look may have changed too: a plain repaint shows it when the state did not.
    UpdateControl(changed);
    return check;
}

}  // namespace QxUI
