#pragma once
#include <functional>

#include "toolkit/core/c_rect.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class MControl;

// Draws one look of a control into its frame of the strip: `dc` is the control's memory DC,
// `index` the look, `frame` the look's rectangle in that DC ((index * width, 0) sized as the
// control).
using LookPainter = std::function<void(HDC dc, int index, const CRect& frame)>;

// Paints `control` through its look strip (its memory DC, `looks` frames side by side). An
// invalid cache starts the strip again; frame `look` (clamped to the strip) is drawn the first
// time it is shown: it starts as a copy of what the window shows under the control (so
// transparent skin pixels show the window behind) and is then drawn by `paint`. The frame is
// then copied to the control's place in `hdc`. Changing only the look therefore needs a repaint
// without cache invalidation.
QXUI_API void PaintLookStrip(MControl& control, HDC& hdc, int looks, int look, const LookPainter& paint);

// State `state` of an image whose states lie side by side, each `stateWidth` x `stateHeight`,
// stretched to `dst`. Nothing for a NULL image or an empty state.
QXUI_API void DrawImageState(Gdiplus::Graphics& g, Gdiplus::Image* image, int stateWidth, int stateHeight, int state,
                             const CRect& dst);
// The same state drawn as a nine-part frame with border width `border`.
QXUI_API void DrawImageStateFrame(Gdiplus::Graphics& g, Gdiplus::Image* image, int stateWidth, int stateHeight,
                                  int state, const CRect& dst, int border);

}  // namespace QxUI
