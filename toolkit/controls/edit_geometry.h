#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Height of a single-line edit's text box for a font size: 14 for 10, 18 for 12, 22 for 16,
// size + 6 otherwise.
QXUI_API int EditTextBoxHeight(int fontSize);
// The text box of an edit whose control rectangle is `control` (window coordinates): 6 pixels
// in from the sides (and 6 more plus the icon's frame width on the right when there is an
// icon); multi-line 5 pixels in from top and bottom, single line EditTextBoxHeight centred.
QXUI_API CRect EditTextBox(const CRect& control, int fontSize, bool multiLine, int iconFrameWidth);
// The icon's place: 9 pixels in from the right edge, centred vertically.
QXUI_API CRect EditIconRect(const CRect& control, int iconFrameWidth, int iconHeight);
// The edit window's box when the text box is empty: the control 6 in from the sides and, for a
// single line, one font height plus 2 centred (multi-line: 6 in from top and bottom).
QXUI_API CRect EditFallbackBox(const CRect& control, int fontSize, bool multiLine);

}  // namespace QxUI
