#pragma once
#include <vector>

#include "toolkit/core/c_rect.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// How a picture fills its control.
enum enumShowMode {
    SHOW_MODE_ORIGIN = 0,   // own size, placed by the alignment
    SHOW_MODE_TILE = 1,     // tiled from the top-left corner, the last row and column cut
    SHOW_MODE_STRETCH = 2,  // stretched to the control
    SHOW_MODE_FRAME = 3,    // nine-part frame with one border width
    SHOW_MODE_FRAME_MID = 4,  // nine-part frame with four border widths
    SHOW_MODE_CUSTOM = 5,   // a source rectangle of the image stretched to the control
};

// Everything that decides how one image state is fitted into a box.
struct PictureFit {
    int mode = SHOW_MODE_ORIGIN;
    int border = 4;
    int left = 0, top = 0, right = 0, bottom = 0;
    CRect custom;
    UINT hAlign = 0;
    UINT vAlign = 4;
};

// One tile of mode 1: where it goes and how much of the source it takes (from the state's
// top-left corner; the source is cut at the box's edge, never scaled).
struct PictureTile {
    CRect dst;
    int srcWidth;
    int srcHeight;
};

// Top-left corner of an unscaled state in a W x H box (mode 0): horizontal alignment 0 left,
// 2 right, anything else centred; vertical 0 top, 8 bottom, anything else centred.
QXUI_API CPoint OriginPlacement(int W, int H, int stateWidth, int stateHeight, UINT hAlign, UINT vAlign);
// The tiles of mode 1 covering a W x H box, row by row; none for an empty box or state.
QXUI_API std::vector<PictureTile> TilePlacement(int W, int H, int stateWidth, int stateHeight);

// Mode and border of SetShowMode: false when nothing changes (the border counts for mode 3 only).
QXUI_API bool SetFitMode(PictureFit& fit, int mode, int border);
// Mode 4 with its four borders.
QXUI_API void SetFitBorders(PictureFit& fit, int left, int top, int right, int bottom);
// Replaces an owned image (`slot` deletes the old one) and records the size of one of its
// `count` states; FALSE when `image` is NULL.
QXUI_API BOOL ReplaceOwnedImage(Gdiplus::Image*& slot, Gdiplus::Image* image, int count, int& stateWidth,
                                int& stateHeight);
// An image loaded from the skin directory, or from a resource of the application module; the
// caller owns it. NULL when it does not load.
QXUI_API Gdiplus::Image* LoadSkinImage(const wchar_t* file);
QXUI_API Gdiplus::Image* LoadApplicationImage(UINT resId, const wchar_t* type);

// Draws state `state` of `image` (states side by side, each stateWidth x stateHeight) into
// `box` as `fit` says. Nothing for a NULL image or an empty state.
QXUI_API void DrawPictureFitted(Gdiplus::Graphics& g, Gdiplus::Image* image, int stateWidth, int stateHeight,
                                int state, const CRect& box, const PictureFit& fit);

}  // namespace QxUI
