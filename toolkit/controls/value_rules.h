#pragma once
#include "toolkit/core/qxui_export.h"
#include "toolkit/core/windows_include.h"

namespace QxUI {

// The arithmetic of the value controls, kept free of windows so it can be checked on its own.
// Scroll bars work along one axis: `start`/`end` are the bar's top and bottom (or left and
// right) in window coordinates.

struct ScrollLayout {
    int page;        // page in range units (the automatic one when the given page was 0)
    BOOL autoPage;   // the page was computed
    int thumbStart;  // thumb top (or left), window coordinates
    int thumbLength;
    int position;  // the position, pulled back when the thumb had to be moved up
    BOOL active;   // the page is smaller than the range
};

// Thumb length on a track of `track` pixels for `page` of `maximum` units: the proportional
// length, at least half the end margin; a short thumb is raised to 100 pixels, or to the track
// less 50 on a short bar. Never negative and never longer than the track.
QXUI_API int ScrollThumbLength(int track, int margin, int page, int maximum);

// The whole bar. `pixelPosition`: the position counts pixels of a content `maximum` pixels long
// seen through a window as long as the bar (SetRangeEx). `keepInside`: a thumb reaching past
// `end` is moved back and the position recomputed from it (the vertical bar). A maximum of 0 or
// less gives an inactive bar with an empty thumb.
QXUI_API ScrollLayout LayoutScroll(int start, int end, int margin, int maximum, int position, int page,
                                   BOOL pixelPosition, BOOL keepInside);

// The position a thumb at `thumbStart` stands for.
QXUI_API int ScrollPositionAt(int thumbStart, int start, int end, int margin, int thumbLength, int maximum);

// How far a thumb at [thumbStart, thumbStart + thumbLength) may move by `delta` without leaving
// the track [start + margin, end - margin].
QXUI_API int ScrollLimitMove(int delta, int thumbStart, int thumbLength, int start, int end, int margin);

// Slider: the thumb's left offset inside a control `width` wide for value offset `offset` out
// of `range` (maximum - minimum), limited to the track.
QXUI_API int SliderThumbX(int width, int thumbWidth, int offset, int range);
// The value offset under pointer x of a slider whose left edge is `left`.
QXUI_API int SliderOffsetAt(int x, int left, int width, int thumbWidth, int range);

// Spin field: `value` with digit `digit` typed after it. A text longer than `limitLength`
// starts again at the digit; a result above the maximum becomes the minimum, one below the
// minimum the maximum.
QXUI_API int SpinAppendDigit(int value, int digit, int limitLength, int minimum, int maximum);
// One step up (+1) or down (-1), wrapping at the ends of the range.
QXUI_API int SpinStep(int value, int direction, int minimum, int maximum);
// Backspace: the last digit dropped; a single digit becomes 0.
QXUI_API int SpinBackspace(int value);

}  // namespace QxUI
