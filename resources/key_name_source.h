#pragma once
// The two system look-ups the key decoder needs, kept behind an interface so the decoding runs
// and is tested without Windows. The Win32 implementation lives in resources/win32/.
#include <cstdint>
#include <string>

namespace qx {

class KeyNameSource {
public:
    virtual ~KeyNameSource() = default;
    // The scan code of virtualKey in the calling thread's keyboard layout (MapVirtualKeyExW with
    // MAPVK_VK_TO_VSC); 0 when the key has none.
    virtual unsigned ScanCodeOf(unsigned virtualKey) = 0;
    // The key's display name for a WM_KEYDOWN-style lParam (scan code in bits 16-23, extended
    // flag in bit 24), as GetKeyNameTextW gives it; empty when there is none.
    virtual std::wstring KeyNameText(int32_t keyParam) = 0;
};

}  // namespace qx
