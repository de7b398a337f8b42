#pragma once
#include "toolkit/controls/c_check_button.h"

namespace QxUI {

// CCheckButton whose title is drawn by GDI, in the text colour in every look.
class QXUI_API CGDICheckButton : public CCheckButton {
public:
    CGDICheckButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    ~CGDICheckButton() override;

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;

private:
    HFONT GetDefaultFont();

    HFONT m_gdiFont;
};

}  // namespace QxUI
