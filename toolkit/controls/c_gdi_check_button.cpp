#include "toolkit/controls/c_gdi_check_button.h"

#include "toolkit/controls/bullet_look.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CGDICheckButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new CGDICheckButton(p, id, r, t, a, 1);
});

CGDICheckButton::CGDICheckButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                                 BOOL enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled), m_gdiFont(nullptr) {}

CGDICheckButton::~CGDICheckButton() {
    if (m_gdiFont) ::DeleteObject(m_gdiFont);
}

HFONT CGDICheckButton::GetDefaultFont() {
    if (!m_gdiFont) m_gdiFont = CreateButtonGdiFont(m_fontSize, m_fontStyle);
    return m_gdiFont;
}

void CGDICheckButton::DrawLook(HDC dc, int index, const CRect& frame) {
    {
        Gdiplus::Graphics g(dc);
        DrawBullet(*this, g, index, frame);
    }
    DrawButtonGdiText(dc, GetDefaultFont(), m_title, TitleBox(frame), m_textColor, m_hAlign, m_vAlign);
}

}  // namespace QxUI
