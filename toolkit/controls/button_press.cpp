#include "toolkit/controls/button_press.h"

#include "toolkit/core/m_control.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

namespace {
BOOL Inside(const MControl& button, CPoint point) { return button.GetRect().PtInRect(point); }

// A new look only re-picks a frame of the strip: repaint without cache invalidation.
BOOL ShowLook(MControl& button, int& look, int next) {
    if (look == next) return FALSE;
    look = next;
    button.UpdateControl(FALSE);
    return TRUE;
}
}  // namespace

int CheckedLook(CheckLooks looks, BOOL check, int base) {
    if (looks == CHECK_LOOKS_FOUR) {
        if (base == LOOK_DISABLED) return LOOK_DISABLED;
        return check ? LOOK_PRESSED : base;
    }
    return check ? LOOK_CHECKED + base : base;
}

BOOL PushButton::OnMouseMove(MControl& button, int& look, CPoint point) {
    if (!button.IsEnabled() || look == LOOK_PRESSED) return FALSE;
    return ShowLook(button, look, Inside(button, point) ? LOOK_HOVER : LOOK_NORMAL);
}

BOOL PushButton::OnLButtonDown(MControl& button, int& look, CPoint point) {
    if (!button.IsEnabled() || !Inside(button, point)) return FALSE;
    look = LOOK_PRESSED;
    button.SendMessageW(NOTIFY_PRESS);
    button.UpdateControl(FALSE);
    return TRUE;
}

BOOL PushButton::OnLButtonUp(MControl& button, int& look, CPoint point) {
    if (!button.IsEnabled()) return FALSE;
    if (!Inside(button, point)) {
        // Releasing outside cancels the click.
        ShowLook(button, look, LOOK_NORMAL);
        return FALSE;
    }
    BOOL wasPressed = look == LOOK_PRESSED;
    look = LOOK_HOVER;
    button.UpdateControl(FALSE);
    if (wasPressed) button.SendMessageW(NOTIFY_CLICK);
    return wasPressed;
}

void PushButton::SetEnabled(MControl& button, int& look, BOOL enabled) {
    if ((enabled != FALSE) == (button.IsEnabled() != FALSE)) return;
    button.MControl::SetControlEnabled(enabled);
    look = enabled ? LOOK_NORMAL : LOOK_DISABLED;
    button.UpdateControl(FALSE);
}

BOOL CheckButton::OnMouseMove(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point) {
    if (!button.IsEnabled() || s.pressed) return FALSE;
    int base = Inside(button, point) ? LOOK_HOVER : LOOK_NORMAL;
    return ShowLook(button, s.look, CheckedLook(looks, s.check, base));
}

BOOL CheckButton::OnLButtonDown(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point) {
    if (!button.IsEnabled() || !Inside(button, point)) return FALSE;
    s.pressed = TRUE;
    if (s.check) s.focusMark = TRUE;
    s.look = CheckedLook(looks, s.check, LOOK_PRESSED);
    button.UpdateControl(FALSE);
    return TRUE;
}

BOOL CheckButton::ReleaseIsClick(MControl& button, const ButtonCheckState& s, CPoint point) {
    return button.IsEnabled() && s.pressed && Inside(button, point);
}

void CheckButton::FinishRelease(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point,
                                BOOL clicked) {
    if (!button.IsEnabled()) return;
    s.pressed = FALSE;
    if (clicked) button.SendMessageW(NOTIFY_CLICK);
    int base = Inside(button, point) ? LOOK_HOVER : LOOK_NORMAL;
    s.look = CheckedLook(looks, s.check, base);
    button.UpdateControl(FALSE);
}

void CheckButton::SetEnabled(MControl& button, ButtonCheckState& s, CheckLooks looks, BOOL enabled) {
    if ((enabled != FALSE) == (button.IsEnabled() != FALSE)) return;
    button.MControl::SetControlEnabled(enabled);
    s.look = CheckedLook(looks, s.check, enabled ? LOOK_NORMAL : LOOK_DISABLED);
    button.UpdateControl(FALSE);
}

BOOL CheckButton::IsCheckKey(const ButtonCheckState& s, UINT vk, UINT modifier, BOOL hotKey) {
    return hotKey || (vk == VK_SPACE && modifier == 0 && s.focusMark);
}

BOOL CheckButton::SetFocusMark(MControl& button, ButtonCheckState& s, BOOL focus) {
    if (!button.IsVisible() || !button.IsEnabled()) return 0;
    s.focusMark = focus;
    button.UpdateControl(TRUE);
    return 1;
}

}  // namespace QxUI
