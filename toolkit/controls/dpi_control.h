#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

// A selectable DPI card: a title, a DPI value in a skin frame, a check box (child 30) in its
// left column and a colour swatch (child 31) at its right. Cards with equal group names are
// checked one at a time. Both looks (not checked, checked) are rendered once into the card's
// cache; changing the check state only copies the other half.
class QXUI_API DPIControl : public MPanel {
public:
    static constexpr UINT kCheckBoxId = 30;
    static constexpr UINT kColorButtonId = 31;

    DPIControl(MObject* parent, UINT id, CRect rect, BOOL visible);

    const wchar_t* GetClassNameW() const override;
    void InitControl(PaintManager* manager) override;
    void SetControlRect(CRect rect) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    void SetDPIValue(int value);
    int GetDPIValue() const { return m_dpiValue; }
    BOOL SetCheckState(int state);
    int GetCheckState() const { return m_checkState; }
    // The check box's check (only an enabled box changes); returns the box's check.
    int SetCheck(int check);
    int GetCheck() const;
    void SetColor(COLORREF colour);
    COLORREF GetColor() const { return m_color; }
    void SetGroupName(const wchar_t* name);
    CString GetGroupName() const { return m_groupName; }
    // Unchecks the other cards of this card's group among its siblings; 0 without a parent.
    BOOL ResetGroupCheck();
    // The inner frame: presses inside it select the card.
    CRect GetInnerFrame() const;

private:
    void DrawLook(HDC dc, int index, const CRect& frame);

    MControl* m_checkBox;
    MControl* m_colorButton;
    int m_checkState;
    int m_dpiValue;
    COLORREF m_color;
    CString m_groupName;
};

}  // namespace QxUI
