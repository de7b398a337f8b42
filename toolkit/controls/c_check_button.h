#pragma once
#include "toolkit/controls/button_press.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Check box: a bullet (state i of an eight-state skin image) and the title to its right. A click
// toggles the check; so does Space once the box holds the focus mark (notification 7).
class QXUI_API CCheckButton : public MControlFont {
public:
    CCheckButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;
    BOOL SetControlFocus(BOOL focus) override;

    int GetCheck() const { return m_state.check; }
    // Ignored (the old check returned) on a disabled box; sends nothing.
    int SetCheck(int check);

protected:
    virtual void DrawLook(HDC dc, int index, const CRect& frame);
    // The title box right of the bullet.
    CRect TitleBox(const CRect& frame) const;

    ButtonCheckState m_state;
};

}  // namespace QxUI
