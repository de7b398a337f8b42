#pragma once
// The Win32 side of the raw-input decoder: reading a WM_INPUT message's data and the system's
// key-name look-ups. Everything it decides is in resources/raw_input_decoder.h.
#include <windows.h>

#include <cstddef>

#include "resources/key_name_source.h"
#include "resources/raw_input_decoder.h"
#include "resources/raw_input_event.h"

namespace qx {

// MapVirtualKeyExW and GetKeyNameTextW with the calling thread's keyboard layout.
class Win32KeyNameSource : public KeyNameSource {
public:
    unsigned ScanCodeOf(unsigned virtualKey) override;
    std::wstring KeyNameText(int32_t keyParam) override;
};

// Copies the decoder's fields out of a RAWINPUT block of size bytes (any alignment). Returns
// false, leaving record untouched, when the block is too short for its header or its type's data.
bool RawInputRecordFromData(const void* data, size_t size, RawInputRecord& record);

// Reads the data behind a WM_INPUT handle and decodes it with names. Returns FALSE and leaves
// event untouched when there is no data or it cannot be read.
BOOL DecodeRawInput(HRAWINPUT handle, KeyNameSource& names, RawInputEvent& event);
// The same with the system's key names.
BOOL DecodeRawInput(HRAWINPUT handle, RawInputEvent& event);

}  // namespace qx
