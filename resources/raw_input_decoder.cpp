#include "resources/raw_input_decoder.h"

#include <iterator>

namespace qx {
namespace {

struct MouseButtonChange {
    unsigned flag;
    const wchar_t* name;
    int code;
    int released;
};

// Priority order: when one record carries several changes, presses of the three main buttons win.
constexpr MouseButtonChange kMouseButtonChanges[] = {
    {0x0001, L"mouse_left", kMouseCodeLeft, 0},
    {0x0010, L"mouse_middle", kMouseCodeMiddle, 0},
    {0x0004, L"mouse_right", kMouseCodeRight, 0},
    {0x0002, L"mouse_left", kMouseCodeLeft, 1},
    {0x0020, L"mouse_middle", kMouseCodeMiddle, 1},
    {0x0008, L"mouse_right", kMouseCodeRight, 1},
    {0x0040, L"mouse_button4", kMouseCodeExtraPressed, 0},
    {0x0080, L"mouse_button4", kMouseCodeExtraReleased, 1},
    {0x0100, L"mouse_button5", kMouseCodeExtraPressed, 0},
    {0x0200, L"mouse_button5", kMouseCodeExtraReleased, 1},
};

struct KeyReplacement {
    int code;
    int newCode;
    const wchar_t* name;
};

// Raw input reports the generic Shift, Ctrl and Alt for both hands: they are recorded as the
// left-hand keys. The other names replace what the layout gives, which differs between systems.
constexpr KeyReplacement kKeyReplacements[] = {
    {16, 160, L"Shift"},
    {17, 162, L"Ctrl"},
    {18, 164, L"Alt"},
    {19, 19, L"Pause"},
    {44, 44, L"Print Screen"},
    {91, 91, L"Windows"},
    {92, 92, L"RWindows"},
    {93, 93, L"Application"},
    {144, 144, L"Num Lock"},
    {160, 160, L"Shift"},
    {161, 161, L"RShift"},
    {162, 162, L"Ctrl"},
    {163, 163, L"RCtrl"},
    {164, 164, L"Alt"},
    {165, 165, L"RAlt"},
};

constexpr unsigned kWmKeyUp = 257;
constexpr unsigned kWmSysKeyUp = 261;
constexpr unsigned kExtendedScanBit = 0x100;

// Page Up, Page Down, End, Home, the arrows, Insert and Delete share scan codes with the keypad;
// only the extended bit names them as the navigation keys.
bool IsNavigationKey(unsigned virtualKey)
{
    return (virtualKey >= 33 && virtualKey <= 40) || virtualKey == 45 || virtualKey == 46;
}

void DecodeMouse(unsigned buttonFlags, RawInputEvent& event)
{
    event.kind = kRawKindMouse;
    for (const MouseButtonChange& change : kMouseButtonChanges) {
        if (buttonFlags & change.flag) {
            event.name = change.name;
            event.code = change.code;
            event.released = change.released;
            return;
        }
    }
    event.released = 0;
}

void DecodeKeyboard(const RawInputRecord& record, KeyNameSource& names, RawInputEvent& event)
{
    event.kind = kRawKindKeyboard;
    // Key-down messages and anything unexpected count as presses.
    event.released = (record.keyMessage == kWmKeyUp || record.keyMessage == kWmSysKeyUp) ? 1 : 0;
    event.code = static_cast<int>(record.virtualKey);

    uint32_t scanCode = names.ScanCodeOf(record.virtualKey);
    if (IsNavigationKey(record.virtualKey)) scanCode |= kExtendedScanBit;
    // Bits 16-24 of the key parameter hold the scan code and the extended flag.
    event.name = names.KeyNameText(static_cast<int32_t>((scanCode & 0x1FF) << 16));

    for (const KeyReplacement& replacement : kKeyReplacements) {
        if (event.code == replacement.code) {
            event.code = replacement.newCode;
            event.name = replacement.name;
            break;
        }
    }
}

}  // namespace

void DecodeRawInputRecord(const RawInputRecord& record, KeyNameSource& names, RawInputEvent& event)
{
    event.name.clear();
    switch (record.type) {
    case kRawTypeMouse:
        DecodeMouse(record.mouseButtonFlags, event);
        break;
    case kRawTypeKeyboard:
        DecodeKeyboard(record, names, event);
        break;
    default:
        event.kind = kRawKindOther;
        break;
    }
}

}  // namespace qx
