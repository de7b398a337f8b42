#pragma once
#include "toolkit/controls/button_group.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Radio button: checked one at a time among the "RadioButton"s of its group under the same owner
// (hidden and disabled members included). Eight looks like a check box.
class QXUI_API CRadioButton : public MControlFont {
public:
    CRadioButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"RadioButton"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;
    BOOL SetControlFocus(BOOL focus) override;

    int GetCheck() const { return m_state.check; }
    // Enabled buttons only; a changed check resets the group. Sends nothing.
    int SetCheck(int check);
    // Check and look only: no group handling, no enabled test.
    void SetControlCheck(int check);
    // Unchecks every other member of the group (of this button's class name); 0 without an owner.
    int ResetGroupCheck();
    void SetGroupName(const wchar_t* name) { m_groupName = CString(name); }
    CString GetGroupName() const { return m_groupName; }

protected:
    // For selection buttons: how the check shows and which siblings form the group.
    CRadioButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled,
                 CheckLooks looks, GroupScope scope);

    ButtonCheckState m_state;
    CString m_groupName;

private:
    int LookCount() const { return m_looks == CHECK_LOOKS_EIGHT ? 8 : 4; }

    CheckLooks m_looks;
    GroupScope m_scope;
};

}  // namespace QxUI
