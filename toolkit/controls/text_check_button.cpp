#include "toolkit/controls/text_check_button.h"

#include "toolkit/controls/bullet_look.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"TextCheckButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new TextCheckButton(p, id, r, t, a, 1);
});

TextCheckButton::TextCheckButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                                 BOOL enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled),
      m_hoverColor(0xFEC95100),
      m_pressedColor(0xFEC95100),
      m_disabledColor(0xFE808080) {
    SetTextColor(Gdiplus::Color(0xFEFFFFFF));
}

void TextCheckButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawBullet(*this, g, index, frame);
    // A checked box reads as pressed when resting and as normal while pressed.
    const Gdiplus::ARGB colours[8] = {m_textColor,    m_hoverColor, m_pressedColor, m_disabledColor,
                                      m_pressedColor, m_hoverColor, m_textColor,    m_disabledColor};
    DrawButtonText(*this, g, m_title, ShiftedWhenPressed(frame, index == LOOK_PRESSED), colours[index & 7], {});
}

void TextCheckButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                         Gdiplus::Color disabled) {
    SetTextColor(normal);
    m_hoverColor = hover.GetValue();
    m_pressedColor = pressed.GetValue();
    m_disabledColor = disabled.GetValue();
    UpdateControl(TRUE);
}

}  // namespace QxUI
