#include "device/device_types.h"

namespace qx {
namespace {

constexpr DeviceTypeInfo kDeviceTypes[] = {
    {1, L"QxKB52", L"LayoutQxKB52", ProtocolFamily::Feature, 16, 128},
    {2, L"QxKBRS40", L"LayoutQxKBRS40", ProtocolFamily::BbAa, 10, 0xC9},
    {3, L"QxKBRS40-24G", L"LayoutQxKBRS40", ProtocolFamily::Feature, 16, 128},
    {5, L"QxKB74", L"LayoutQxKB74", ProtocolFamily::OutputReport, 18, 19},
    {6, L"QxKB74", L"LayoutQxKB74", ProtocolFamily::OutputReport, 18, 19},
};

constexpr std::array<SupportedKeyboardRow, 4> kSupportedKeyboards = {{
    {L"QxKB RS40", 2, 0x258A, 0x0013, L"mi_01&col02"},
    {L"QxKB RS40", 3, 0x0C45, 0x8006, L"mi_00"},
    {L"QxKB P74", 5, 0x320F, 0x5055, L"mi_01&col04"},
    {L"QxKB P74 2.4G", 6, 0x320F, 0x5088, L"mi_01&col04"},
}};

}  // namespace

const DeviceTypeInfo* FindDeviceType(int deviceType) {
    for (const DeviceTypeInfo& info : kDeviceTypes) {
        if (info.deviceType == deviceType) return &info;
    }
    return nullptr;
}

std::wstring ModelNameOf(int deviceType) {
    const DeviceTypeInfo* info = FindDeviceType(deviceType);
    return info ? info->modelName : L"";
}

const std::array<SupportedKeyboardRow, 4>& SupportedKeyboardTable() { return kSupportedKeyboards; }

}  // namespace qx
