#include "windows/key_menu_rules.h"

#include "device/key_codes.h"

namespace qx {
namespace {

const std::vector<KeyMenuItem> kFirstLevel = {
    {kCategorySystem, 50, true},         {kCategoryMultimedia, 51, true}, {kCategoryMacro, 52, true},
    {kCategoryMouse, 53, true},          {kCategoryKeyCombination, 54, true}, {kCategoryLight, 55, true},
    {kItemDefault, 56, false}};

const std::vector<KeyMenuItem> kSystem = {{610, 60}, {611, 61}, {612, 62}, {613, 63}, {614, 64}, {615, 65},
                                          {616, 66}, {617, 67}, {618, 68}, {619, 69}, {620, 70}};
const std::vector<KeyMenuItem> kMultimedia = {{630, 75}, {631, 76}, {632, 77}, {633, 78},
                                              {634, 79}, {635, 80}, {636, 81}};
// Middle and right button ids are not in screen order: 652 is the right button and comes second.
const std::vector<KeyMenuItem> kMouse = {{650, 82}, {652, 83}, {651, 84}, {653, 85}, {654, 86}};
const std::vector<KeyMenuItem> kNone;

constexpr int kFirstModifierKey = 160;   // VK_LSHIFT
constexpr int kLastModifierKey = 165;    // VK_RMENU

}  // namespace

const std::vector<KeyMenuItem>& FirstLevelMenuItems() { return kFirstLevel; }

const std::vector<KeyMenuItem>& SubmenuItems(int category) {
    switch (category) {
    case kCategorySystem: return kSystem;
    case kCategoryMultimedia: return kMultimedia;
    case kCategoryMouse: return kMouse;
    default: return kNone;
    }
}

bool CategoryHasSubmenu(int category) { return !SubmenuItems(category).empty(); }

int CategoryOfSubmenuItem(int itemId) {
    for (int category : {kCategorySystem, kCategoryMultimedia, kCategoryMouse})
        for (const KeyMenuItem& item : SubmenuItems(category))
            if (item.id == itemId) return category;
    return 0;
}

KeyMacroRow DefaultKeyRecord() { return KeyMacroRow{}; }

KeyMacroRow SubmenuChoiceRecord(int category, int itemId, const std::wstring& itemText) {
    KeyMacroRow row;
    row.macroType = category;
    row.macroValue = itemId;
    row.macroDesc = itemText;
    return row;
}

KeyMacroRow MacroChoiceRecord(int macroId, const std::wstring& macroName) {
    KeyMacroRow row;
    row.macroType = kCategoryMacro;
    row.macroValue = macroId;
    row.macroDesc = macroName;
    return row;
}

bool IsCombinationModifier(int virtualKey) {
    return virtualKey >= kFirstModifierKey && virtualKey <= kLastModifierKey;
}

void CaptureCombinationKey(KeyCombination& combination, int virtualKey, const std::wstring& name) {
    if (name.empty()) return;
    if (IsCombinationModifier(virtualKey)) {
        combination.modifierCode = virtualKey;
        combination.modifierName = name;
    } else {
        combination.keyCode = virtualKey;
        combination.keyName = name;
    }
}

std::wstring CombinationDisplayText(const KeyCombination& combination) {
    if (!combination.modifierName.empty() && !combination.keyName.empty())
        return combination.modifierName + L" + " + combination.keyName;
    if (!combination.modifierName.empty()) return combination.modifierName;
    return combination.keyName;
}

std::wstring CombinationDescription(const KeyCombination& combination) {
    if (combination.modifierCode < 1) return combination.keyName;
    return combination.modifierName + L"+" + combination.keyName;
}

KeyMacroRow KeyCombinationRecord(const KeyCombination& combination) {
    KeyMacroRow row;
    row.macroType = kCategoryKeyCombination;
    row.macroValue = VkToHidUsage(static_cast<uint32_t>(combination.keyCode));
    row.macroValue2 = VkToHidUsage(static_cast<uint32_t>(combination.modifierCode));
    row.macroDesc = CombinationDescription(combination);
    return row;
}

ScreenPoint LightDialogOrigin(ScreenPoint cursor) { return {cursor.x + 8, cursor.y + 12}; }

ScreenPoint CategoryPopupOrigin(ScreenPoint rowTopRight) { return {rowTopRight.x + 12, rowTopRight.y}; }

int MacroDialogHeight(int macroCount) {
    if (macroCount <= 0) return 35;
    if (macroCount >= 6) return 215;
    return 36 * macroCount + 35;
}

}  // namespace qx
