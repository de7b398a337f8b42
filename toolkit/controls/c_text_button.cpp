#include "toolkit/controls/c_text_button.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CTextButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CTextButton(p, id, r, t, a, b);
});

CTextButton::CTextButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_colours{0xFEFEDB00, 0xFEA0A0A0, 0xFE808080},
      m_look(0) {
    SetTextColor(Gdiplus::Color(0xFECCCCCC));
}

void CTextButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, m_look, [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void CTextButton::DrawLook(HDC dc, int index, const CRect& frame) {
    if (m_title.IsEmpty()) return;
    Gdiplus::Size size = MeasureButtonText(*this, m_title);
    CRect box = TextButtonTitleBox(frame.left, frame.Width(), frame.Height(), size.Width, size.Height, m_hAlign,
                                   m_vAlign, index == LOOK_PRESSED);
    ButtonTextStyle style;
    style.h = Gdiplus::StringAlignmentNear;
    style.v = Gdiplus::StringAlignmentNear;
    style.hint = Gdiplus::TextRenderingHintClearTypeGridFit;
    Gdiplus::Graphics g(dc);
    DrawButtonText(*this, g, m_title, box, LookColor(index), style);
}

void CTextButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_look, enabled); }
BOOL CTextButton::OnControlMouseMove(UINT, CPoint point) { return PushButton::OnMouseMove(*this, m_look, point); }
BOOL CTextButton::OnControlLButtonDown(UINT, CPoint point) { return PushButton::OnLButtonDown(*this, m_look, point); }
BOOL CTextButton::OnControlLButtonUp(UINT, CPoint point) { return PushButton::OnLButtonUp(*this, m_look, point); }

void CTextButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                     Gdiplus::Color disabled) {
    SetLookColours(*this, m_colours, normal, hover, pressed, disabled);
}

}  // namespace QxUI
