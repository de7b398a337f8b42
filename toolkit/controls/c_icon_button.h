#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

class CKeyboardTips;

// Group button with a nine-part skin and a centred title. A click leaves it "down" (frame 1)
// until another visible, enabled "IconButton" of its group is clicked; while checked it shows
// frame 3. Reports press (1) and every release inside (2).
class QXUI_API CIconButton : public MControlFont {
public:
    CIconButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    ~CIconButton() override;
    const wchar_t* GetClassNameW() const override { return L"IconButton"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    // Stored but not drawn by the strip.
    BOOL SetIconImage(const wchar_t* file, int count);
    void SetFrameSize(int size);
    void SetTextRect(CRect rect);
    int GetCheck() const { return m_check; }
    int SetCheck(int check);
    // Clears the down state whatever `down` says.
    int SetDownState(int down);
    void SetControlCheck(int check);
    void SetGroupName(const wchar_t* name) { m_groupName = CString(name); }
    CString GetGroupName() const { return m_groupName; }
    int ResetGroupCheck();
    void SetShowTips(bool show) { m_showTips = show; }
    void SetTips(CString title, CString note, CString text);
    // With show tips on: shows the tip window (made on first use) above the button's centre with
    // the three strings, or hides it. Nothing while show tips is off.
    void SetTips(bool show);
    // The tip window once made, else NULL; owned by the button.
    CKeyboardTips* GetTipWindow() const { return m_tipWindow; }
    int GetLook() const { return m_look; }

    // The frame of the strip shown for a state.
    static int FrameShown(BOOL check, BOOL down, int look) { return check ? 3 : down ? 1 : look; }

private:
    void DrawLook(HDC dc, int index, const CRect& frame);
    void ShowLook(int look);

    int m_look;
    int m_frameSize;
    ButtonImage m_icon;
    CRect m_textRect;
    BOOL m_check;
    BOOL m_down;
    BOOL m_pressed;
    BOOL m_downBeforePress;  // restored when a press is cancelled by releasing outside
    CString m_groupName;
    bool m_showTips;
    CString m_tipTitle;
    CString m_tipNote;
    CString m_tipText;
    CKeyboardTips* m_tipWindow;
};

}  // namespace QxUI
