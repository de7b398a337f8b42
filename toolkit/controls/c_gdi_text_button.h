#pragma once
#include "toolkit/controls/c_text_button.h"

namespace QxUI {

// CTextButton whose title is drawn by GDI over the whole frame.
class QXUI_API CGDITextButton : public CTextButton {
public:
    CGDITextButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    ~CGDITextButton() override;

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;

private:
    HFONT GetDefaultFont();

    HFONT m_gdiFont;
};

}  // namespace QxUI
