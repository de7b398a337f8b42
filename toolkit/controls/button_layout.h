#pragma once
#include "toolkit/core/c_point.h"
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Where a button frame puts its icon and its title box. Pure rules, so they can be checked
// without drawing. x0 is the left edge of the frame in the strip, W x H the control's size.
struct IconTitleLayout {
    CPoint icon;   // top-left corner of the icon's first frame, unscaled
    CRect title;   // the title box (the title is centred in it both ways)
};

// Icon left of the title, both centred as one block (NewButton): block B = title width + 10,
// icon gap 8.
QXUI_API IconTitleLayout IconLeftOfTitle(int x0, int W, int H, int iconWidth, int iconHeight, int titleWidth);
// Title then icon (ProfileButton).
QXUI_API IconTitleLayout TitleLeftOfIcon(int x0, int W, int H, int iconWidth, int iconHeight, int titleWidth);
// Title box of a text-only button measured at w x h and aligned by hAlign (0/1/2) and vAlign
// (0/4/8); `pressed` moves it by (1, 1).
QXUI_API CRect TextButtonTitleBox(int x0, int W, int H, int w, int h, unsigned hAlign, unsigned vAlign, bool pressed);
// Title box of a bullet button (radio, selection): the title right of a bullet `stateWidth` wide.
QXUI_API CRect BulletTitleBox(int x0, int W, int H, int w, int h, int stateWidth, unsigned hAlign, unsigned vAlign);
// A box moved by (1, 1) in the pressed frame.
inline CRect ShiftedWhenPressed(CRect box, bool pressed) {
    if (pressed) box.OffsetRect(1, 1);
    return box;
}

}  // namespace QxUI
