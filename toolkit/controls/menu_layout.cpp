#include "toolkit/controls/menu_layout.h"

namespace QxUI {

MenuColumn LayoutMenuColumn(const MenuMetrics& m, int menuWidth, int iconColumn,
                            const std::vector<MenuRowShape>& shapes) {
    MenuColumn column;
    column.rows.reserve(shapes.size());
    int y = m.margins ? (m.topMargin ? m.topMargin : 2) : 0;
    for (const MenuRowShape& shape : shapes) {
        if (!shape.visible) {
            column.rows.push_back(CRect());
        } else if (shape.separator) {
            // A one-pixel line right of the icon column.
            column.rows.push_back(CRect(iconColumn + 1, y + 1, menuWidth - 1, y + 2));
            y += 4;
        } else {
            column.rows.push_back(CRect(m.rowInset, y, menuWidth - m.rowInset, y + m.rowHeight));
            y += m.rowHeight;
        }
    }
    column.height = y + (m.margins ? (m.bottomMargin ? m.bottomMargin : 2) : 0);
    return column;
}

int WidenMenu(int menuWidth, int iconColumn, int textWidth) {
    return menuWidth - iconColumn - 4 < textWidth ? textWidth + iconColumn + 4 : menuWidth;
}

}  // namespace QxUI
