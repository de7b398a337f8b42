#pragma once
// The keyboard models: what each device type selects (model name, layout section, protocol
// family, lighting effects) and the keyboards that can be detected.
#include <array>
#include <string>

namespace qx {

enum class ProtocolFamily { None, Feature, BbAa, OutputReport };

struct DeviceTypeInfo {
    int deviceType;
    const wchar_t* modelName;      // names the database file and the profile registry value
    const wchar_t* layoutSection;  // section of KeyboardLayout.xml
    ProtocolFamily family;
    int effectCount;               // built-in light effects on the lighting page
    int customColourEffect;        // the light mode that means "custom colours"
};

// The info of a defined type (1, 2, 3, 5, 6), nullptr for any other.
const DeviceTypeInfo* FindDeviceType(int deviceType);
// The model name of a defined type, empty for any other.
std::wstring ModelNameOf(int deviceType);

// A keyboard the program detects: ids and the interface that takes vendor reports.
struct SupportedKeyboardRow {
    const wchar_t* displayName;
    int deviceType;
    int vendorId;
    int productId;
    const wchar_t* interfacePattern;
};

// In detection order; type 1 has no row: it is only ever remembered, never detected.
const std::array<SupportedKeyboardRow, 4>& SupportedKeyboardTable();

}  // namespace qx
