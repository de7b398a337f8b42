#include "toolkit/controls/c_gdi_text_button.h"

#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CGDITextButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new CGDITextButton(p, id, r, t, a, 1);
});

CGDITextButton::CGDITextButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                               BOOL enabled)
    : CTextButton(parent, id, rect, title, visible, enabled), m_gdiFont(nullptr) {}

CGDITextButton::~CGDITextButton() {
    if (m_gdiFont) ::DeleteObject(m_gdiFont);
}

HFONT CGDITextButton::GetDefaultFont() {
    if (!m_gdiFont) m_gdiFont = CreateButtonGdiFont(m_fontSize, m_fontStyle);
    return m_gdiFont;
}

void CGDITextButton::DrawLook(HDC dc, int index, const CRect& frame) {
    DrawButtonGdiText(dc, GetDefaultFont(), m_title, frame, LookColor(index), m_hAlign, m_vAlign);
}

}  // namespace QxUI
