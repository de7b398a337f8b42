#pragma once
// What a stored key function (category 600-604 with its item) sends, in the terms every protocol
// family shares: modifier and usage of system commands, consumer usages of multimedia items and
// the mouse button bits of each family.
#include <cstdint>
#include <optional>
#include <vector>

#include "storage/config_rows.h"

namespace qx {

struct ModifiedUsage {
    uint8_t modifier = 0;   // modifier bits (0x01 left Ctrl ... 0x80 right GUI)
    uint8_t usage = 0;      // HID keyboard usage
};

// System command items 610-620 ("Close Window" ... "Lock PC"); nullopt for any other item.
std::optional<ModifiedUsage> SystemCommandKeys(int item);
// Consumer-control usage of multimedia items 630-636; nullopt for any other item.
std::optional<uint8_t> MultimediaUsage(int item);
// Button bit of mouse items 650-654. Forward and Backward swap bits between the feature and BB AA
// families (types 1, 2, 3) and the output-report family (types 5, 6).
std::optional<uint8_t> MouseButtonBit(int item, bool outputFamily);
// The low byte of ModifierUsageToBit: modifier usages become bits, other usages pass.
uint8_t UsageOrModifierBit(int value);

// 0-based position in macros of the first macro with macroId, or nullopt.
std::optional<int> MacroListIndex(const std::vector<MacroRow>& macros, int macroId);
// The list index as key entries carry it, one byte. nullopt when no macro has the id, and also
// when its index does not fit a byte: cut to a byte it would name another macro.
std::optional<uint8_t> MacroIndexByte(const std::vector<MacroRow>& macros, int macroId);

// Library size rule shared by the feature and output-report uploads: with macroCount macros and
// stepCount stored steps nothing is uploaded when 4 * (steps + 2 * macros) exceeds 2500.
constexpr int kMacroLibraryBudget = 2500;
bool MacroLibraryFits(int macroCount, int stepCount);

}  // namespace qx
