#pragma once
// A key-name source with a small made-up layout: the navigation keys share their scan codes with
// the keypad, as on a real keyboard, and only the extended flag tells the names apart.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "resources/key_name_source.h"

namespace qx::test {

class FakeKeyNames : public KeyNameSource {
public:
    unsigned ScanCodeOf(unsigned virtualKey) override
    {
        scanQueries.push_back(virtualKey);
        const auto it = kScanCodes.find(virtualKey);
        return it == kScanCodes.end() ? 0 : it->second;
    }
    std::wstring KeyNameText(int32_t keyParam) override
    {
        nameQueries.push_back(keyParam);
        const auto it = kNames.find(static_cast<uint32_t>(keyParam));
        return it == kNames.end() ? std::wstring() : it->second;
    }

    static uint32_t Param(unsigned scanCode, bool extended)
    {
        return (scanCode << 16) | (extended ? 1u << 24 : 0u);
    }

    std::vector<unsigned> scanQueries;
    std::vector<int32_t> nameQueries;

    inline static const std::map<unsigned, unsigned> kScanCodes = {
        {'A', 0x1E}, {16, 0x2A}, {17, 0x1D}, {18, 0x38}, {19, 0x45}, {44, 0x54}, {91, 0x5B},
        {92, 0x5C}, {93, 0x5D}, {144, 0x45}, {160, 0x2A}, {161, 0x36}, {162, 0x1D}, {163, 0x1D},
        {164, 0x38}, {165, 0x38},
        {33, 0x49}, {34, 0x51}, {35, 0x4F}, {36, 0x47}, {37, 0x4B}, {38, 0x48}, {39, 0x4D},
        {40, 0x50}, {45, 0x52}, {46, 0x53},
        {103, 0x47}, {97, 0x4F},  // keypad 7 and 1
    };
    inline static const std::map<uint32_t, std::wstring> kNames = {
        {Param(0x1E, false), L"A"}, {Param(0x2A, false), L"SHIFT"}, {Param(0x36, false), L"RIGHT SHIFT"},
        {Param(0x1D, false), L"CTRL"}, {Param(0x38, false), L"ALT"}, {Param(0x45, false), L"PAUSE?"},
        {Param(0x54, false), L"SYSRQ"},
        {Param(0x47, false), L"Num 7"}, {Param(0x47, true), L"Home"},
        {Param(0x4F, false), L"Num 1"}, {Param(0x4F, true), L"End"},
        {Param(0x49, false), L"Num 9"}, {Param(0x49, true), L"Page Up"},
        {Param(0x51, false), L"Num 3"}, {Param(0x51, true), L"Page Down"},
        {Param(0x4B, false), L"Num 4"}, {Param(0x4B, true), L"Left"},
        {Param(0x48, false), L"Num 8"}, {Param(0x48, true), L"Up"},
        {Param(0x4D, false), L"Num 6"}, {Param(0x4D, true), L"Right"},
        {Param(0x50, false), L"Num 2"}, {Param(0x50, true), L"Down"},
        {Param(0x52, false), L"Num 0"}, {Param(0x52, true), L"Insert"},
        {Param(0x53, false), L"Num Del"}, {Param(0x53, true), L"Delete"},
    };
};

}  // namespace qx::test
