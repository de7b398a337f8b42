#include "toolkit/controls/gdi_button.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"GDIButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new GDIButton(p, id, r, t, a, 1);
});

GDIButton::GDIButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MButton(parent, id, rect, title, visible, enabled), m_gdiFont(nullptr) {}

GDIButton::~GDIButton() {
    if (m_gdiFont) ::DeleteObject(m_gdiFont);
}

HFONT GDIButton::GetDefaultFont() {
    if (!m_gdiFont) m_gdiFont = CreateButtonGdiFont(m_fontSize, m_fontStyle);
    return m_gdiFont;
}

void GDIButton::DrawLook(HDC dc, int index, const CRect& frame) {
    {
        Gdiplus::Graphics g(dc);
        DrawSkinFrame(g, index, frame, m_frameSize);
    }
    DrawButtonGdiText(dc, GetDefaultFont(), m_title, frame, m_textColor, m_hAlign, m_vAlign);
}

}  // namespace QxUI
