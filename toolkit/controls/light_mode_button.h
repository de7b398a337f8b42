#pragma once
#include "toolkit/controls/button_group.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

struct ImgResInfo;

// One lighting effect row: bullet, effect icon and title over a row highlight. Checked one at a
// time among the "LightModeButton"s of its group under the same owner (hidden and disabled
// members included), like a radio button with eight looks. All three images come from the
// manager's image cache and are not owned.
class QXUI_API LightModeButton : public MControlFont {
public:
    LightModeButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"LightModeButton"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;
    BOOL SetControlFocus(BOOL focus) override;

    // The bullet strip (eight states). FALSE without a manager or when the file does not load.
    using MControlFont::SetImage;
    BOOL SetImage(const wchar_t* file) { return SetImage(file, 8); }
    // The effect icon and the row highlight; FALSE (and none) without a manager or file.
    BOOL SetIconImage(const wchar_t* file, int count);
    BOOL SetRowBkgImage(const wchar_t* file, int count);

    int GetCheck() const { return m_state.check; }
    // Enabled buttons only; a changed check resets the group. Sends nothing.
    int SetCheck(int check);
    // Check and look only: no group handling, no enabled test.
    void SetControlCheck(int check);
    // Unchecks every other member of the group; 0 without an owner.
    int ResetGroupCheck();
    void SetGroupName(const wchar_t* name) { m_groupName = CString(name ? name : L""); }
    CString GetGroupName() const { return m_groupName; }
    int GetLook() const { return m_state.look; }

    // Title colours: white in the plain looks (normal, disabled, checked and disabled), yellow
    // in the highlighted ones.
    static Gdiplus::ARGB TitleColour(int look);
    // Looks drawn over the row highlight: hover, pressed and the first three checked looks.
    static bool ShowsRowBackground(int look);

private:
    void DrawLook(HDC dc, int index, const CRect& frame);
    BOOL AttachCached(ImgResInfo*& slot, const wchar_t* file, int count);

    ButtonCheckState m_state;
    CString m_groupName;
    ImgResInfo* m_icon;
    ImgResInfo* m_rowBkg;
};

}  // namespace QxUI
