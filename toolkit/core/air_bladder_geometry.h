#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Where a balloon of measured text goes, as pure rules the window applies.
struct AirBladderLayout {
    CRect window;    // screen rectangle; empty for an unknown mode
    int lineCount;   // the line count the painting uses
    bool centred;    // text centred both ways (one line, or placement above the anchor)
};

// 1 + the number of line feeds.
QXUI_API int CountTextLines(const CString& text);

// Window rectangle of a balloon with `lines` lines, the widest `textWidth` pixels and one line
// `lineHeight` high, placed against `anchor` by `mode` (1 right of it, 2 left of it, 3 below,
// 4 above and centred, 5 right of it and raised).
QXUI_API AirBladderLayout PlaceAirBladder(POINT anchor, int mode, int textWidth, int lineHeight, int lines);

// The text box inside a balloon of width x height client pixels: 8 pixels in from the sides,
// the block of `lines` lines centred vertically.
QXUI_API Gdiplus::RectF AirBladderTextBox(int width, int height, int lines, int lineHeight);

// The key tip: a fixed 150 x 80 bubble whose bottom centre is the anchor.
QXUI_API CRect PlaceKeyTip(POINT anchor);

}  // namespace QxUI
