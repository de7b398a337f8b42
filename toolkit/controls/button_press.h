#pragma once
#include "toolkit/core/c_point.h"
#include "toolkit/core/qxui_export.h"
#include "toolkit/core/windows_include.h"

namespace QxUI {

class MControl;

// Looks of a button strip: the first four of every strip; two-state buttons with eight looks
// add the same four for the checked state (LOOK_CHECKED + one of these).
enum ButtonLook { LOOK_NORMAL = 0, LOOK_HOVER = 1, LOOK_PRESSED = 2, LOOK_DISABLED = 3, LOOK_CHECKED = 4 };

// How a two-state button shows its check: eight looks (checked looks at 4..7), or four looks
// where a checked button always shows the pressed look (selection buttons).
enum CheckLooks { CHECK_LOOKS_EIGHT = 0, CHECK_LOOKS_FOUR = 1 };

// The look of a two-state button for a base look (normal, hover, pressed or disabled).
QXUI_API int CheckedLook(CheckLooks looks, BOOL check, int base);

// Press, release, hover and enable handling of push buttons: the look strip index in `look`,
// notifications 1 and 2 to the owner, repaints without cache invalidation (only the shown frame
// changes). Each returns TRUE when it changed the look (mouse move) or acted on the input.
// Every button that reports press and click uses these, so the rules live in one place.
namespace PushButton {
// Enabled and not pressed: hover look inside, normal outside.
QXUI_API BOOL OnMouseMove(MControl& button, int& look, CPoint point);
// Enabled, inside: pressed look and notification 1.
QXUI_API BOOL OnLButtonDown(MControl& button, int& look, CPoint point);
// Enabled: inside, hover look and notification 2 when it was pressed; outside, normal look and
// nothing sent. Returns TRUE when it clicked.
QXUI_API BOOL OnLButtonUp(MControl& button, int& look, CPoint point);
// Stores the flag through MControl::SetControlEnabled and picks the disabled or normal look.
QXUI_API void SetEnabled(MControl& button, int& look, BOOL enabled);
}  // namespace PushButton

// State shared by check boxes and group buttons, in the order those classes keep it.
struct ButtonCheckState {
    int look = 0;
    BOOL check = 0;
    BOOL pressed = 0;
    BOOL focusMark = 0;  // set by SetControlFocus or a press while checked; arms Space
};

// Input handling of two-state buttons. The owner decides what a completed click does (toggle,
// or check and reset the group) through `click`; the helper sends notification 2 after it.
namespace CheckButton {
QXUI_API BOOL OnMouseMove(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point);
QXUI_API BOOL OnLButtonDown(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point);
template <class Click>
BOOL OnLButtonUp(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point, Click click);
QXUI_API void SetEnabled(MControl& button, ButtonCheckState& s, CheckLooks looks, BOOL enabled);
// Space with no modifier while the focus mark is set, or the control's hot key (`hotKey`, the
// base class's answer for this key).
QXUI_API BOOL IsCheckKey(const ButtonCheckState& s, UINT vk, UINT modifier, BOOL hotKey);
// Focus handling after the base operation: a visible, enabled button takes the mark and
// re-renders; 1 then, else 0.
QXUI_API BOOL SetFocusMark(MControl& button, ButtonCheckState& s, BOOL focus);
// Shared tail of a release: TRUE when the release completes a click.
QXUI_API BOOL ReleaseIsClick(MControl& button, const ButtonCheckState& s, CPoint point);
QXUI_API void FinishRelease(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point, BOOL clicked);
}  // namespace CheckButton

template <class Click>
BOOL CheckButton::OnLButtonUp(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point, Click click) {
    BOOL clicked = ReleaseIsClick(button, s, point);
    if (clicked) click();
    FinishRelease(button, s, looks, point, clicked);
    return clicked;
}

}  // namespace QxUI
