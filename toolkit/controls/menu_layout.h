#pragma once
#include <vector>

#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// What differs between the two popup menus' column of rows.
struct MenuMetrics {
    int rowHeight;     // every row but separators
    int rowInset;      // left and right inset of a row inside the menu
    bool margins;      // top and bottom margins are used (a margin of 0 then counts as 2)
    int topMargin;
    int bottomMargin;
};

struct MenuRowShape {
    bool visible;
    bool separator;
};

struct MenuColumn {
    std::vector<CRect> rows;  // one per input row, client coordinates; empty for hidden rows
    int height;               // the menu window's height
};

// Stacks the rows in one column of a menu `menuWidth` wide whose icon column is `iconColumn`.
QXUI_API MenuColumn LayoutMenuColumn(const MenuMetrics& metrics, int menuWidth, int iconColumn,
                                     const std::vector<MenuRowShape>& shapes);

// The menu width after adding a row whose text is `textWidth` wide: wide enough for icon column,
// text and 4 pixels; never narrower than before.
QXUI_API int WidenMenu(int menuWidth, int iconColumn, int textWidth);

}  // namespace QxUI
