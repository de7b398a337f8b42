#pragma once
// Decoding of one raw-input record into a RawInputEvent. The record holds only the fields the
// decoder reads, copied out of the system's RAWINPUT block by the Win32 wrapper
// (resources/win32/raw_input_win32.h), so the rules here are plain functions of their inputs.
#include <cstdint>

#include "resources/key_name_source.h"
#include "resources/raw_input_event.h"

namespace qx {

// Record types as the system numbers them (RIM_TYPEMOUSE, RIM_TYPEKEYBOARD, RIM_TYPEHID).
constexpr unsigned kRawTypeMouse = 0;
constexpr unsigned kRawTypeKeyboard = 1;
constexpr unsigned kRawTypeHid = 2;

struct RawInputRecord {
    unsigned type = kRawTypeHid;
    unsigned mouseButtonFlags = 0;  // RAWMOUSE usButtonFlags
    unsigned keyMessage = 0;        // RAWKEYBOARD Message (WM_KEYDOWN ...)
    unsigned virtualKey = 0;        // RAWKEYBOARD VKey
};

// Fills event from record. The name always starts empty.
// - Mouse: the first button change in the order left, middle, right pressed, then left, middle,
//   right released, then buttons 4 and 5; with none (movement, wheel) released is 0 and code is
//   left as it was.
// - Keyboard: the virtual key and its name through names; Page Up ... Delete are named through
//   their extended scan codes; the generic and sided modifiers and a few keys get fixed names.
// - Anything else: kind 3.
void DecodeRawInputRecord(const RawInputRecord& record, KeyNameSource& names, RawInputEvent& event);

}  // namespace qx
