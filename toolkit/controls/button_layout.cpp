#include "toolkit/controls/button_layout.h"

namespace QxUI {

namespace {
// Width/height pairs to a rectangle at (x, y).
CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }
}  // namespace

IconTitleLayout IconLeftOfTitle(int x0, int W, int H, int iconWidth, int iconHeight, int titleWidth) {
    int block = titleWidth + 10;
    int xi = (W - iconWidth - block - 8) / 2 + x0;
    return IconTitleLayout{CPoint(xi, (H - iconHeight) / 2), Box(xi + iconWidth + 8, 2, block, H - 2)};
}

IconTitleLayout TitleLeftOfIcon(int x0, int W, int H, int iconWidth, int iconHeight, int titleWidth) {
    int block = titleWidth + 10;
    int xi = (W - block - iconWidth - 8) / 2 + x0;
    return IconTitleLayout{CPoint(xi + block + 6, (H - iconHeight) / 2), Box(xi, 2, block, H - 2)};
}

CRect TextButtonTitleBox(int x0, int W, int H, int w, int h, unsigned hAlign, unsigned vAlign, bool pressed) {
    int dx = hAlign == 1 ? (W - w - 6) / 2 : hAlign == 2 ? W - w - 6 : 0;
    int dy = vAlign == 4 ? (H - h) / 2 : vAlign == 8 ? H - h : 0;
    return ShiftedWhenPressed(Box(x0 + dx, dy + 2, W - dx, h), pressed);
}

CRect BulletTitleBox(int x0, int W, int H, int w, int h, int stateWidth, unsigned hAlign, unsigned vAlign) {
    int dx = hAlign == 1 ? (W - w) / 2 : hAlign == 2 ? W - w : 0;
    int dy = vAlign == 4 ? (H - h) / 2 : vAlign == 8 ? H - h : 0;
    return Box(x0 + dx + stateWidth + 8, dy + 2, W - stateWidth - dx - 3, h);
}

}  // namespace QxUI
