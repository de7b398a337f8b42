#pragma once
#include "toolkit/controls/m_text.h"

namespace QxUI {

// A label drawn with GDI text in the button font (face "Arial", the control's size and style).
class QXUI_API CGDIText : public MText {
public:
    CGDIText(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible);
    ~CGDIText() override;
    const wchar_t* GetClassNameW() const override { return L"CGDIText"; }
    void DrawControl(HDC& hdc, CRect paint) override;

private:
    HFONT GetDefaultFont();

    HFONT m_gdiFont;
};

}  // namespace QxUI
