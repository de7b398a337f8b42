#include "resources/win32/raw_input_win32.h"

#include <cstring>
#include <vector>

namespace qx {
namespace {

constexpr int kKeyNameBufferLength = 260;

}  // namespace

unsigned Win32KeyNameSource::ScanCodeOf(unsigned virtualKey)
{
    return MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
}

std::wstring Win32KeyNameSource::KeyNameText(int32_t keyParam)
{
    wchar_t buffer[kKeyNameBufferLength] = {};
    const int length = GetKeyNameTextW(keyParam, buffer, kKeyNameBufferLength);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

bool RawInputRecordFromData(const void* data, size_t size, RawInputRecord& record)
{
    if (data == nullptr || size < sizeof(RAWINPUTHEADER)) return false;
    // A HID block may be longer than RAWINPUT and the buffer need not be aligned: copy what the
    // struct holds into an aligned, zeroed one.
    RAWINPUT input;
    std::memset(&input, 0, sizeof input);
    std::memcpy(&input, data, size < sizeof input ? size : sizeof input);

    RawInputRecord read;
    read.type = input.header.dwType;
    if (read.type == RIM_TYPEMOUSE) {
        if (size < offsetof(RAWINPUT, data) + sizeof(RAWMOUSE)) return false;
        read.mouseButtonFlags = input.data.mouse.usButtonFlags;
    } else if (read.type == RIM_TYPEKEYBOARD) {
        if (size < offsetof(RAWINPUT, data) + sizeof(RAWKEYBOARD)) return false;
        read.keyMessage = input.data.keyboard.Message;
        read.virtualKey = input.data.keyboard.VKey;
    }
    record = read;
    return true;
}

BOOL DecodeRawInput(HRAWINPUT handle, KeyNameSource& names, RawInputEvent& event)
{
    // The header size is the platform's own: 16 bytes in a 32-bit process, 24 in a 64-bit one.
    const UINT headerSize = sizeof(RAWINPUTHEADER);
    UINT size = 0;
    if (GetRawInputData(handle, RID_INPUT, nullptr, &size, headerSize) != 0 || size == 0) return FALSE;
    std::vector<unsigned char> buffer(size, 0);
    UINT bufferSize = size;
    const UINT read = GetRawInputData(handle, RID_INPUT, buffer.data(), &bufferSize, headerSize);
    if (read == static_cast<UINT>(-1) || read == 0 || read > size) return FALSE;

    RawInputRecord record;
    if (!RawInputRecordFromData(buffer.data(), read, record)) return FALSE;
    DecodeRawInputRecord(record, names, event);
    return TRUE;
}

BOOL DecodeRawInput(HRAWINPUT handle, RawInputEvent& event)
{
    Win32KeyNameSource names;
    return DecodeRawInput(handle, names, event);
}

}  // namespace qx
