#pragma once
#include "toolkit/core/c_point.h"
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// The hand over a link-like button, the arrow elsewhere.
QXUI_API void SetHandCursor(bool inside);
// The client point (x, y) of the paint window `wnd` in screen coordinates.
QXUI_API POINT ClientToScreenPoint(HWND wnd, int x, int y);

}  // namespace QxUI
