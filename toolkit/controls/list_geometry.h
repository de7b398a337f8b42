#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// The arithmetic of the row lists (the macro record list and the macro list box), kept free of
// windows so that it can be checked on its own.

// Which rows a list of `count` rows, `rowHeight` high, shows in a control `height` high when
// its scroll bar stands at `position` of `range`.
struct ListView {
    int offset;     // content pixels scrolled away above the control's top edge
    int first;      // first visible row (0 for an empty list)
    int last;       // last visible row (0 for an empty list)
    int remainder;  // pixels of the first visible row hidden above the top edge
};
// The position is taken within 0 ... range, so a bar that was left further down by a shrinking
// list never shows rows beyond the end.
QXUI_API ListView ComputeListView(int count, int rowHeight, int height, int position, int range);

// The vertical bar shows exactly when the rows are taller than the control.
QXUI_API BOOL ListNeedsScrollBar(int count, int rowHeight, int height);

// InsertString's indexes: -1 appends, 0 ... count - 1 inserts before that row; nothing else.
QXUI_API BOOL IsInsertIndexValid(int index, int count);

// The scroll position after `notches` wheel notches of `step` units each, down for direction
// 1 and up otherwise, kept within 0 ... range.
QXUI_API int WheelScrollPosition(int position, int step, int notches, unsigned direction, int range);

// The record list's in-place editor over the right end of a row (`row` in window coordinates).
QXUI_API CRect RecordEditorRect(const CRect& row, int rowHeight, int fontSize);
// The list box's in-place editor: the row's text area, its height fitted to the font size.
QXUI_API CRect ListBoxEditorRect(const CRect& row, int rowHeight, int fontSize, BOOL hasImageList);

// A row button's box relative to the row's top-left corner: `rightGap` pixels from the control's
// right edge, centred vertically. Empty for an image of no size.
QXUI_API CRect RowButtonBox(int controlWidth, int rowHeight, int imageWidth, int imageHeight, int rightGap);

// The width of a row's drag image: text, icon column and a margin, at most 300 pixels.
QXUI_API int RowDragWidth(int textWidth, int iconColumn);

// The in-place editor's rectangle when its owner gives none: the owner narrowed by 6 pixels on
// both sides, font size + 2 high, centred vertically.
QXUI_API CRect DefaultEditRect(const CRect& owner, int fontSize);

}  // namespace QxUI
