#include "toolkit/controls/button_cursor.h"

namespace QxUI {

void SetHandCursor(bool inside) { ::SetCursor(::LoadCursorW(nullptr, inside ? IDC_HAND : IDC_ARROW)); }

POINT ClientToScreenPoint(HWND wnd, int x, int y) {
    POINT p = {x, y};
    if (wnd) ::ClientToScreen(wnd, &p);
    return p;
}

}  // namespace QxUI
