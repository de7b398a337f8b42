#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// On/off switch: one image strip per state (normal, hover, pressed, disabled), no title. A click
// toggles it and reports the new state as lParam of notification 2. Keys are never handled.
class QXUI_API CSwitchButton : public MControlFont {
public:
    CSwitchButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;

    using MControlFont::SetImage;
    // Both strips from the skin directory, `count` frames each. Returns 1 even when a file does
    // not load: that state then shows only the background.
    int SetImage(const wchar_t* onFile, const wchar_t* offFile, int count);
    int GetCheck() const { return m_check; }
    // Sends nothing and ignores the enabled flag. Returns `check`.
    int SetCheck(int check);

private:
    void ShowLook(int look);

    int m_look;
    ButtonImage m_onImage;
    ButtonImage m_offImage;
    BOOL m_check;
    BOOL m_pressed;
};

}  // namespace QxUI
