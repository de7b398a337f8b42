#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Text-only push button: no skin image, the title aligned by the alignment members and coloured
// per look (normal, hover, pressed, disabled).
class QXUI_API CTextButton : public MControlFont {
public:
    CTextButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    void SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                            Gdiplus::Color disabled);

protected:
    virtual void DrawLook(HDC dc, int index, const CRect& frame);
    Gdiplus::ARGB LookColor(int index) const { return m_colours.Of(index, m_textColor); }

    LookColours m_colours;
    int m_look;
};

}  // namespace QxUI
