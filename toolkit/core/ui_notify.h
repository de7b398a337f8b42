#pragma once

namespace QxUI {

// Codes a control passes to its owner's OnBaseMessage(id, code, wParam, lParam). Panels pass
// their children's codes on unchanged, so every code reaches the dialog's OnMessage.
enum UINotify : unsigned {
    NOTIFY_PRESS = 1,          // left button down; wParam 0 or the item under the mouse (-1: none)
    NOTIFY_CLICK = 2,          // left click completed over the control; wParam/lParam control values
    NOTIFY_DBLCLK = 3,         // double click; mouse flags or item index, lParam the point (generic)
    NOTIFY_RCLICK = 5,         // right button released; the item under the mouse
    NOTIFY_CHECK = 7,          // check state changed from the keyboard or a menu item
    NOTIFY_VALUE = 8,          // scroll position or slider value changed; wParam the new value
    NOTIFY_TAB = 9,            // tab clicked; left button down on an edit control's icon
    NOTIFY_HOVER_ITEM = 11,    // mouse moved over an item
    NOTIFY_KEY = 14,           // key pressed; wParam virtual key, lParam modifier code
    NOTIFY_FRAME_RBUTTON = 24, // right button released during a frame drag
    NOTIFY_EDIT_CHANGED = 26,  // text of an in-place edit changed
    NOTIFY_COLOR = 27,         // colour changed; lParam the COLORREF (0 while hovering)
    NOTIFY_SPIN = 28,          // spin value stepped, typed or edited
    NOTIFY_EDIT_CLOSED = 29,   // in-place edit closed (focus lost)
    NOTIFY_EDIT_OPENED = 30,   // in-place edit opened
    NOTIFY_ICON_UP = 31,       // left button released on an edit control's icon
};

}  // namespace QxUI
