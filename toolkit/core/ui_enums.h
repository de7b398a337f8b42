#pragma once

namespace QxUI {

// How the paint manager draws a window's background image.
enum enumBackMode {
    BACK_MODE_ORIGIN = 0,  // at its own size at the top-left corner
    BACK_MODE_FRAME = 1,   // nine-part frame over the client area, border = the mode value
    BACK_MODE_NONE = 2,    // no image
};

// Level of a transient message overlay; kept with the text, not used for drawing.
enum MsgLevel { MSG_INFO = 0, MSG_WARNING = 1, MSG_ERROR = 2 };

// Balloon behaviour: 4 stays until hidden, any other hides itself after 5 seconds. 0-2 also
// name the edge of a control a dialog's balloon points at; 5 is the hover balloon of buttons
// and the key tip.
enum AIRBLADDER_TYPE {
    AIRBLADDER_LEFT = 0,
    AIRBLADDER_CENTER = 1,
    AIRBLADDER_RIGHT = 2,
    AIRBLADDER_STAY = 4,
    AIRBLADDER_HOVER = 5,
};

// Balloon placement against its anchor.
enum AIRBLADDER_MODE {
    AIRBLADDER_MODE_NONE = 0,  // no balloon (a button's balloon setting)
    AIRBLADDER_MODE_RIGHT = 1,
    AIRBLADDER_MODE_LEFT = 2,
    AIRBLADDER_MODE_BELOW = 3,
    AIRBLADDER_MODE_ABOVE = 4,
    AIRBLADDER_MODE_STICKY = 5,  // right of the anchor, raised; survives focus loss
};

// Private window messages of the toolkit.
constexpr unsigned WM_USERCLOSEWINDOW = 0x0400 + 66;  // WM_USER + 66 = 1090: close with result wParam

}  // namespace QxUI
