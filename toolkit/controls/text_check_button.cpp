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
      m_colours{0xFEC95100, 0xFEC95100, 0xFE808080} {
    SetTextColor(Gdiplus::Color(0xFEFFFFFF));
}

void TextCheckButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawBullet(*this, g, index, frame);
    // A checked box reads as pressed when resting and as normal while pressed.
    const int colourOf[8] = {LOOK_NORMAL,  LOOK_HOVER, LOOK_PRESSED, LOOK_DISABLED,
                             LOOK_PRESSED, LOOK_HOVER, LOOK_NORMAL,  LOOK_DISABLED};
    DrawButtonText(*this, g, m_title, ShiftedWhenPressed(frame, index == LOOK_PRESSED),
                   m_colours.Of(colourOf[index & 7], m_textColor), {});
}

void TextCheckButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                         Gdiplus::Color disabled) {
    SetLookColours(*this, m_colours, normal, hover, pressed, disabled);
}

}  // namespace QxUI
