#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Push button with its title left of an icon, the two centred together as one block, and one
// text colour per look (normal, hover, pressed, disabled).
class QXUI_API ProfileButton : public MControlFont {
public:
    ProfileButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    BOOL SetIconImage(const wchar_t* file, int count);
    void SetFrameSize(int size);
    // Kept for the shared interface; this button always lays out title and icon itself.
    void SetTextRect(CRect rect);
    void SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                            Gdiplus::Color disabled);

private:
    void DrawLook(HDC dc, int index, const CRect& frame);

    int m_look;
    int m_frameSize;
    ButtonImage m_icon;
    CRect m_textRect;
    Gdiplus::ARGB m_hoverColor;
    Gdiplus::ARGB m_pressedColor;
    Gdiplus::ARGB m_disabledColor;
};

}  // namespace QxUI
