#include "toolkit/core/air_bladder_geometry.h"

#include <algorithm>

namespace QxUI {

int CountTextLines(const CString& text) {
    const wchar_t* s = text.GetString();
    int n = 1;
    for (; s && *s; ++s)
        if (*s == L'\n') ++n;
    return n;
}

AirBladderLayout PlaceAirBladder(POINT anchor, int mode, int textWidth, int lineHeight, int lines) {
    const int x = anchor.x, y = anchor.y, w = textWidth;
    const int e = lines * lineHeight;  // height of the text block
    AirBladderLayout layout = {CRect(), lines, lines == 1 || mode == 4};
    switch (mode) {
    case 1: {
        int top = y - e / 2 - 10;
        layout.window = CRect(x, top, x + w + 40, top + e + 20);
        break;
    }
    case 2: layout.window = CRect(x - w - 40, y - 27, x, y + e - 7); break;
    case 3: layout.window = CRect(x - 25, y, x + w + 15, y + e + 30); break;
    case 4: {
        int left = x - (w + 30) / 2;
        layout.window = CRect(left, y - e - 20, left + w + 30, y);
        break;
    }
    case 5:
        // The raised placement is meant for texts of three lines and more; a shorter text gets
        // an empty window rather than one turned inside out.
        layout.window = CRect(x, y - 10, x + w + 40, std::max(y - 10, y + e - 45));
        layout.lineCount = lines - 2;
        break;
    default: break;
    }
    return layout;
}

Gdiplus::RectF AirBladderTextBox(int width, int height, int lines, int lineHeight) {
    int block = lines * lineHeight;
    return Gdiplus::RectF(8.0f, static_cast<float>(height - block) * 0.5f + static_cast<float>(lines - 1),
                          static_cast<float>(width - 16), static_cast<float>(block + 2));
}

CRect PlaceKeyTip(POINT anchor) { return CRect(anchor.x - 75, anchor.y - 80, anchor.x + 75, anchor.y); }

}  // namespace QxUI
