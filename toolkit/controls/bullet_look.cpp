#include "toolkit/controls/bullet_look.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

void DrawBullet(MControlFont& control, Gdiplus::Graphics& g, int index, const CRect& frame) {
    int w = 0, h = 0;
    control.GetImageSize(w, h);
    int top = (frame.Height() - h) / 2;
    DrawImageState(g, control.GetImage(), w, h, index, CRect(frame.left, top, frame.left + w, top + h));
}

void DrawBulletTitleLook(MControlFont& control, HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawBullet(control, g, index, frame);
    CString title = control.GetTitle();
    if (title.IsEmpty()) return;
    int stateWidth = 0, stateHeight = 0;
    control.GetImageSize(stateWidth, stateHeight);
    UINT hAlign = 0, vAlign = 0;
    control.GetAlignment(hAlign, vAlign);
    Gdiplus::Size size = MeasureButtonText(control, title);
    CRect box = BulletTitleBox(frame.left, frame.Width(), frame.Height(), size.Width, size.Height, stateWidth, hAlign,
                               vAlign);
    ButtonTextStyle style;
    style.h = Gdiplus::StringAlignmentNear;
    style.v = Gdiplus::StringAlignmentNear;
    bool disabled = (index & 3) == LOOK_DISABLED;
    DrawButtonText(control, g, title, box, disabled ? kDisabledCheckText : control.GetTextColor(), style);
}

}  // namespace QxUI
