#pragma once
#include <vector>

#include "toolkit/controls/button_press.h"
#include "toolkit/core/m_control.h"
#include "toolkit/core/qxui_export.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

// The controls that share `button`'s owner: the dialog's own controls when the owner is a dialog,
// otherwise the owner control's children. NULL without an owner, or for an owner that is neither
// (a popup window keeps no control list a button could walk).
QXUI_API std::vector<MControl*>* GroupSiblingList(MControl& button);

// Which siblings a group walk visits: all of them (hidden and disabled included), or only the
// visible and enabled ones.
enum GroupScope { GROUP_ALL = 0, GROUP_LIVE = 1 };

// A grouped button of any class joins in by giving itself GetGroupName() and calling
//     ForEachGroupSibling(*this, GROUP_ALL or GROUP_LIVE, [](MyButton& other) { ... });
// from its ResetGroupCheck; with ButtonCheckState, GroupButton below gives click, key and SetCheck.
//
// Calls `visit`(T&) for every other control under `button`'s owner that has `button`'s class name,
// is a T, and whose group name equals `button`'s (T::GetGroupName). Returns 0 without an owner
// (nothing visited), else 1. This is the exclusive-group rule of every grouped button.
template <class T, class Visit>
int ForEachGroupSibling(T& button, GroupScope scope, Visit visit) {
    std::vector<MControl*>* siblings = GroupSiblingList(button);
    if (!siblings) return 0;
    const CString group = button.GetGroupName();
    const wchar_t* className = button.GetClassNameW();
    // A copy: a visit may repaint, and a repaint never edits the list, but the walk should not
    // depend on that.
    std::vector<MControl*> list(*siblings);
    for (MControl* control : list) {
        if (control == &button || !control->IsClass(className)) continue;
        T* member = dynamic_cast<T*>(control);
        if (!member) continue;
        if (scope == GROUP_LIVE && !(control->IsVisible() && control->IsEnabled())) continue;
        if (member->GetGroupName() != group) continue;
        visit(*member);
    }
    return 1;
}

// Radio-like behaviour on top of the two-state helpers: a click or the check key only ever
// checks, and checking resets the rest of the group (`resetGroup`, the button's ResetGroupCheck).
namespace GroupButton {

template <class Reset>
BOOL OnLButtonUp(MControl& button, ButtonCheckState& s, CheckLooks looks, CPoint point, Reset resetGroup) {
    return CheckButton::OnLButtonUp(button, s, looks, point, [&] {
        s.check = 1;
        resetGroup();
    });
}

// The check key (hot key, or Space after the focus mark) was pressed on an enabled button.
template <class Reset>
void OnCheckKey(MControl& button, ButtonCheckState& s, CheckLooks looks, Reset resetGroup) {
    BOOL was = s.check;
    s.check = 1;
    s.look = CheckedLook(looks, 1, LOOK_NORMAL);
    if (!was) {
        resetGroup();
        button.UpdateControl(FALSE);
    }
    button.SendMessageW(NOTIFY_CHECK, 0, s.check);
}

// Ignored on a disabled button; a changed check resets the group. Returns the check.
template <class Reset>
int SetCheck(MControl& button, ButtonCheckState& s, CheckLooks looks, int check, Reset resetGroup) {
    if (!button.IsEnabled()) return s.check;
    BOOL changed = (check != 0) != (s.check != 0);
    s.check = check;
    s.look = CheckedLook(looks, check, LOOK_NORMAL);
    if (changed) {
        resetGroup();
        button.UpdateControl(FALSE);
    }
    return s.check;
}

// Sets the check and look without group handling or enabled test.
inline void SetControlCheck(MControl& button, ButtonCheckState& s, CheckLooks looks, int check) {
    s.check = check;
    s.look = CheckedLook(looks, check, LOOK_NORMAL);
    button.UpdateControl(FALSE);
}

// A sibling reset by the group: unchecked, normal look, repainted.
inline void Uncheck(MControl& sibling, ButtonCheckState& s) {
    s.check = 0;
    s.look = LOOK_NORMAL;
    sibling.UpdateControl(FALSE);
}

}  // namespace GroupButton

}  // namespace QxUI
