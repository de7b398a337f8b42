#include "device/key_functions.h"

#include <array>

#include "device/key_codes.h"

namespace qx {
namespace {
constexpr int kFirstSystemItem = 610;
constexpr std::array<ModifiedUsage, 11> kSystemCommands = {{
    {0x04, 0x3D},   // 610 Close Window: Alt+F4
    {0x04, 0x2B},   // 611 Toggle Window: Alt+Tab
    {0x08, 0x07},   // 612 Show Desktop: Win+D
    {0x01, 0x1D},   // 613 Undo: Ctrl+Z
    {0x01, 0x04},   // 614 Select All: Ctrl+A
    {0x01, 0x09},   // 615 Find: Ctrl+F
    {0x01, 0x11},   // 616 New: Ctrl+N
    {0x01, 0x13},   // 617 Print: Ctrl+P
    {0x01, 0x16},   // 618 Save: Ctrl+S
    {0x08, 0x15},   // 619 Run: Win+R
    {0x08, 0x0F},   // 620 Lock PC: Win+L
}};
constexpr int kFirstMultimediaItem = 630;
constexpr std::array<uint8_t, 7> kMultimedia = {0xCD, 0xB7, 0xB6, 0xB5, 0xE9, 0xEA, 0xE2};
constexpr int kFirstMouseItem = 650;
constexpr std::array<uint8_t, 5> kMouseBitsFeature = {0x01, 0x04, 0x02, 0x08, 0x10};
constexpr std::array<uint8_t, 5> kMouseBitsOutput = {0x01, 0x04, 0x02, 0x10, 0x08};

template <typename T, std::size_t N>
std::optional<T> Lookup(const std::array<T, N>& table, int first, int item) {
    if (item < first || item >= first + static_cast<int>(N)) return std::nullopt;
    return table[static_cast<std::size_t>(item - first)];
}
}  // namespace

std::optional<ModifiedUsage> SystemCommandKeys(int item) { return Lookup(kSystemCommands, kFirstSystemItem, item); }

std::optional<uint8_t> MultimediaUsage(int item) { return Lookup(kMultimedia, kFirstMultimediaItem, item); }

std::optional<uint8_t> MouseButtonBit(int item, bool outputFamily) {
    return Lookup(outputFamily ? kMouseBitsOutput : kMouseBitsFeature, kFirstMouseItem, item);
}

uint8_t UsageOrModifierBit(int value) {
    return static_cast<uint8_t>(ModifierUsageToBit(static_cast<uint32_t>(value)) & 0xFF);
}

std::optional<int> MacroListIndex(const std::vector<MacroRow>& macros, int macroId) {
    for (std::size_t i = 0; i < macros.size(); ++i) {
        if (macros[i].macroId == macroId) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<uint8_t> MacroIndexByte(const std::vector<MacroRow>& macros, int macroId) {
    const auto index = MacroListIndex(macros, macroId);
    if (!index || *index > 0xFF) return std::nullopt;
    return static_cast<uint8_t>(*index);
}

bool MacroLibraryFits(int macroCount, int stepCount) {
    const long long need = 4LL * (static_cast<long long>(stepCount) + 2LL * macroCount);
    return need <= kMacroLibraryBudget;
}

}  // namespace qx
