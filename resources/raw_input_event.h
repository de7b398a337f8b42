#pragma once
// What the raw-input decoder makes of one WM_INPUT event: a key or mouse-button change with the
// name the macro editor and the key combination dialog show and store.
#include <string>

namespace qx {

constexpr int kRawKindMouse = 1;
constexpr int kRawKindKeyboard = 2;
constexpr int kRawKindOther = 3;

// Mouse button codes. Buttons 4 and 5 share one code per direction: 7 press, 8 release; stored
// macro steps use these values.
constexpr int kMouseCodeLeft = 1;
constexpr int kMouseCodeMiddle = 2;
constexpr int kMouseCodeRight = 3;
constexpr int kMouseCodeExtraPressed = 7;
constexpr int kMouseCodeExtraReleased = 8;

struct RawInputEvent {
    int kind = 0;        // kRawKindMouse, kRawKindKeyboard or kRawKindOther
    int released = 0;    // 0 pressed, 1 released
    int code = 0;        // keyboard: virtual-key code; mouse: one of the kMouseCode values
    std::wstring name;   // empty when the event carries nothing to record
};

}  // namespace qx
