#pragma once
#include "toolkit/controls/button_group.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A colour swatch that is checked one at a time among the visible, enabled "ColorButton"s of
// its group under the same owner. A press checks it and reports 1 at once; a release on it after
// a press on it reports 2. A checked swatch always shows the pressed frame (cyan inner ring).
class QXUI_API CColorButton : public MControlFont {
public:
    CColorButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"ColorButton"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    // COLORREF; a new colour re-renders the swatch.
    void SetColor(DWORD colour);
    DWORD GetColor() const { return m_color; }
    int GetCheck() const { return m_state.check; }
    // Enabled swatches only; a changed check resets the group. Sends nothing.
    int SetCheck(int check);
    // Check only: no group handling, no enabled test.
    void SetControlCheck(int check);
    // Unchecks the other visible, enabled swatches of the group; 0 without an owner.
    int ResetGroupCheck();
    void SetGroupName(const wchar_t* name) { m_groupName = CString(name ? name : L""); }
    CString GetGroupName() const { return m_groupName; }
    void SetVisibleBorder(bool visible);
    int GetLook() const { return m_state.look; }

    // The frame shown: the pressed frame while checked, else the look.
    static int FrameShown(BOOL check, int look) { return check ? LOOK_PRESSED : look; }

private:
    void DrawLook(HDC dc, int index, const CRect& frame);

    ButtonCheckState m_state;  // look and check; the look is never the checked frame itself
    DWORD m_color;
    bool m_visibleBorder;
    CString m_groupName;
};

}  // namespace QxUI
