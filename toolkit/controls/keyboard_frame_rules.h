#pragma once
#include "toolkit/core/c_rect.h"

namespace QxUI {

// The rules of the keyboard view's rubber-band frame, kept apart from the control so they can
// be checked on their own. Points and rectangles are window client coordinates.

// Pixels the pointer must move past the frame's current corner before the frame follows.
constexpr int kFrameDragStep = 20;
// Frames narrower or lower than this select nothing.
constexpr int kFrameMinimumSize = 6;

// The frame spanned by two corners, in any order (width |x0 - x1|, height |y0 - y1|).
inline CRect FrameFromCorners(POINT a, POINT b) {
    int left = a.x < b.x ? a.x : b.x;
    int top = a.y < b.y ? a.y : b.y;
    int w = a.x < b.x ? b.x - a.x : a.x - b.x;
    int h = a.y < b.y ? b.y - a.y : a.y - b.y;
    return CRect(left, top, left + w, top + h);
}

// The frame that selects: empty when it is below the minimum size in either direction.
inline CRect SelectingFrame(POINT a, POINT b) {
    CRect frame = FrameFromCorners(a, b);
    if (frame.Width() < kFrameMinimumSize || frame.Height() < kFrameMinimumSize) return CRect();
    return frame;
}

// A key is selected by a frame only when they share some area; touching edges is not enough.
inline bool FrameSelectsKey(const CRect& frame, const CRect& key) {
    if (frame.IsRectEmpty() || key.IsRectEmpty()) return false;
    return frame.left < key.right && key.left < frame.right && frame.top < key.bottom && key.top < frame.bottom;
}

// Whether a move to `point` takes the frame's corner with it (more than the step in x or y).
inline bool FrameFollows(POINT corner, POINT point) {
    int dx = point.x - corner.x, dy = point.y - corner.y;
    return dx > kFrameDragStep || dx < -kFrameDragStep || dy > kFrameDragStep || dy < -kFrameDragStep;
}

}  // namespace QxUI
