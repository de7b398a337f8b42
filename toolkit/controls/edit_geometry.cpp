#include "toolkit/controls/edit_geometry.h"

namespace QxUI {

int EditTextBoxHeight(int fontSize) {
    switch (fontSize) {
    case 10: return 14;
    case 12: return 18;
    case 16: return 22;
    default: return fontSize + 6;
    }
}

CRect EditTextBox(const CRect& control, int fontSize, bool multiLine, int iconFrameWidth) {
    CRect box;
    box.left = control.left + 6;
    box.right = iconFrameWidth > 0 ? control.right - 6 - iconFrameWidth - 6 : control.right - 6;
    if (multiLine) {
        box.top = control.top + 5;
        box.bottom = control.bottom - 5;
    } else {
        int h = EditTextBoxHeight(fontSize);
        box.top = control.top + (control.Height() - h) / 2;
        box.bottom = box.top + h;
    }
    return box;
}

CRect EditIconRect(const CRect& control, int iconFrameWidth, int iconHeight) {
    int top = control.top + (control.Height() - iconHeight) / 2;
    return CRect(control.right - iconFrameWidth - 9, top, control.right - 9, top + iconHeight);
}

CRect EditFallbackBox(const CRect& control, int fontSize, bool multiLine) {
    CRect box(control.left + 6, control.top, control.right - 6, control.bottom);
    if (multiLine) {
        box.top = control.top + 6;
        box.bottom = control.bottom - 6;
    } else {
        box.top = control.top + (control.Height() - fontSize - 2) / 2 + 1;
        box.bottom = box.top + fontSize + 2;
    }
    return box;
}

}  // namespace QxUI
