#include "toolkit/controls/c_gdi_text.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CGDIText", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new CGDIText(p, id, r, t, a);
});

CGDIText::CGDIText(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible)
    : MText(parent, id, rect, title, visible), m_gdiFont(nullptr) {}

CGDIText::~CGDIText() {
    if (m_gdiFont) ::DeleteObject(m_gdiFont);
}

HFONT CGDIText::GetDefaultFont() {
    if (!m_gdiFont) {
        LOGFONTW lf = {};
        lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
        lf.lfHeight = -m_fontSize;
        lf.lfCharSet = DEFAULT_CHARSET;
        int style = static_cast<int>(m_fontStyle);
        lf.lfWeight = (style & 1) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style & 2) ? TRUE : FALSE;
        lf.lfUnderline = (style & 4) ? TRUE : FALSE;
        lf.lfStrikeOut = (style & 8) ? TRUE : FALSE;
        m_gdiFont = ::CreateFontIndirectW(&lf);
    }
    return m_gdiFont;
}

void CGDIText::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) {
        UINT flags = m_multiLine ? (DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL)
                                 : (m_hAlign | m_vAlign | DT_SINGLELINE | DT_WORD_ELLIPSIS);
        CRect box = frame;
        MRender::DrawTextW(dc, box, m_title, m_textColor, GetDefaultFont(), flags);
    });
}

}  // namespace QxUI
