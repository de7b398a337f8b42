#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

// A numeric field with up and down arrow buttons (child controls 30 and 31, "CImageButton").
// The value is stepped by the arrows, Up/Down and the numeric-pad plus/minus, and typed with
// the digit keys while the field has the focus; every step or typed digit notifies
// NOTIFY_SPIN, even when the value stayed. Values set by program do not notify. Works without
// its arrow buttons when the factory cannot make them.
class QXUI_API MSpinButton : public MPanel {
public:
    MSpinButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);

    void InitControl(PaintManager* manager) override;
    BOOL SetControlFocus(BOOL focus) override;
    void SetControlRect(CRect rect) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    void DrawControl(HDC& hdc, CRect paint) override;

    void SetCurValue(int value);
    int GetCurValue() const { return m_value; }
    void SetRange(int minimum, int maximum) {
        m_minimum = minimum;
        m_maximum = maximum;
    }
    void SetLimitLength(int digits) { m_limitLength = digits; }
    MControl* GetUpButton() const { return m_up; }
    MControl* GetDownButton() const { return m_down; }
    int GetLook() const { return m_look; }

private:
    // Stores `value` (re-rendering when it changed) and notifies NOTIFY_SPIN.
    void ChangeValue(int value);
    void SetLook(int look);
    void PlaceButtons(const CRect& rect);

    int m_look;
    int m_value;
    int m_minimum;
    int m_maximum;
    int m_limitLength;
    MControl* m_up;
    MControl* m_down;
};

}  // namespace QxUI
