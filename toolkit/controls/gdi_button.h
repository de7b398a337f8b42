#pragma once
#include "toolkit/controls/m_button.h"

namespace QxUI {

// MButton whose title is drawn by GDI in one colour in every frame.
class QXUI_API GDIButton : public MButton {
public:
    GDIButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    ~GDIButton() override;

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;

private:
    // Made on first use from the font size and style of that moment, then kept.
    HFONT GetDefaultFont();

    HFONT m_gdiFont;
};

}  // namespace QxUI
