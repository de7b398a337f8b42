#include "toolkit/controls/list_geometry.h"

#include <algorithm>

namespace QxUI {

ListView ComputeListView(int count, int rowHeight, int height, int position, int range) {
    ListView view = {0, 0, 0, 0};
    if (count <= 0 || rowHeight <= 0) return view;
    long long content = static_cast<long long>(count) * rowHeight;
    long long hidden = std::max(0LL, content - height);
    if (range > 0) {
        long long p = std::clamp(position, 0, range);
        view.offset = static_cast<int>(std::clamp(hidden * p / range, 0LL, hidden));
    }
    view.first = std::max(0, view.offset / rowHeight);
    view.last = std::clamp((height + view.offset) / rowHeight, 0, count - 1);
    view.first = std::min(view.first, view.last);
    view.remainder = std::max(0, view.offset - view.first * rowHeight);
    return view;
}

BOOL ListNeedsScrollBar(int count, int rowHeight, int height) {
    return static_cast<long long>(count) * rowHeight > height ? TRUE : FALSE;
}

BOOL IsInsertIndexValid(int index, int count) { return index == -1 || (index >= 0 && index < count); }

int WheelScrollPosition(int position, int step, int notches, unsigned direction, int range) {
    long long moved = static_cast<long long>(step) * notches;
    long long next = direction == 1 ? position + moved : position - moved;
    return static_cast<int>(std::clamp(next, 0LL, static_cast<long long>(std::max(0, range))));
}

CRect RecordEditorRect(const CRect& row, int rowHeight, int fontSize) {
    int top = row.top + (rowHeight - fontSize) / 2 - 1;
    return CRect(row.right - 61, top, row.right - 1, top + fontSize + 4);
}

CRect ListBoxEditorRect(const CRect& row, int rowHeight, int fontSize, BOOL hasImageList) {
    int s = fontSize;
    int top, height;
    switch (s) {
    case 8: top = (rowHeight - s - 4) / 2; height = s + 4; break;
    case 14: top = (rowHeight - s - 6) / 2 - 1; height = s + 6; break;
    case 16: top = (rowHeight - s - 8) / 2 - 1; height = s + 8; break;
    default: top = (rowHeight - s - 6) / 2; height = s + 6; break;
    }
    int left = row.left + 52 + (hasImageList ? 30 : 0);
    return CRect(left, row.top + top, row.right - 1, row.top + top + height);
}

CRect RowButtonBox(int controlWidth, int rowHeight, int imageWidth, int imageHeight, int rightGap) {
    if (imageWidth <= 0 || imageHeight <= 0) return CRect();
    int top = (rowHeight - imageHeight) / 2;
    return CRect(controlWidth - imageWidth - rightGap, top, controlWidth - rightGap, top + imageHeight);
}

int RowDragWidth(int textWidth, int iconColumn) { return std::min(textWidth + iconColumn + 10, 300); }

CRect DefaultEditRect(const CRect& owner, int fontSize) {
    int height = fontSize + 2;
    int top = owner.top + (owner.Height() - height) / 2;
    return CRect(owner.left + 6, top, owner.right - 6, top + height);
}

}  // namespace QxUI
