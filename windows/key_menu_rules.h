#pragma once
// The key-function menu's fixed content and the rules it follows that need no window: its rows,
// the assignment record each choice makes, the key combination dialog's capture and texts, and
// where the popups go. Portable, so they are tested natively.
#include <cstdint>
#include <string>
#include <vector>

#include "storage/config_rows.h"

namespace qx {

// Categories of the first-level menu (also the macro_type of their records).
constexpr int kCategorySystem = 600;
constexpr int kCategoryMultimedia = 601;
constexpr int kCategoryMacro = 602;
constexpr int kCategoryMouse = 603;
constexpr int kCategoryKeyCombination = 604;
constexpr int kCategoryLight = 605;
constexpr int kItemDefault = 0;

struct KeyMenuItem {
    int id = 0;
    int textId = 0;
    bool hasSubmenu = false;
};

// The first-level rows top to bottom.
const std::vector<KeyMenuItem>& FirstLevelMenuItems();
// The rows of the submenu of category 600, 601 or 603 top to bottom; empty for any other id.
const std::vector<KeyMenuItem>& SubmenuItems(int category);
// Whether category opens a submenu (600, 601, 603) rather than a dialog.
bool CategoryHasSubmenu(int category);
// The submenu category item belongs to, 0 when no submenu lists it.
int CategoryOfSubmenuItem(int itemId);

// Assignment records; profile and key_code are the assignment's business.
KeyMacroRow DefaultKeyRecord();
KeyMacroRow SubmenuChoiceRecord(int category, int itemId, const std::wstring& itemText);
KeyMacroRow MacroChoiceRecord(int macroId, const std::wstring& macroName);

// What the key combination dialog captured: virtual-key codes and their names.
struct KeyCombination {
    int keyCode = 0;
    int modifierCode = 0;
    std::wstring modifierName;
    std::wstring keyName;
};
// The sided Shift, Ctrl and Alt codes (160-165) are modifiers, every other code a key.
bool IsCombinationModifier(int virtualKey);
// One captured key event: a modifier replaces the modifier part, any other key the key part.
// Events without a name count for nothing.
void CaptureCombinationKey(KeyCombination& combination, int virtualKey, const std::wstring& name);
// The edit field's text: "Ctrl + A", "Ctrl", "A" or empty.
std::wstring CombinationDisplayText(const KeyCombination& combination);
// The stored description: "Ctrl+A", or the key name alone while the modifier code is below 1.
std::wstring CombinationDescription(const KeyCombination& combination);
// The 604 record; both codes go through the virtual-key to HID usage table.
KeyMacroRow KeyCombinationRecord(const KeyCombination& combination);

// Placement (screen pixels).
struct ScreenPoint {
    int x = 0;
    int y = 0;
};
// The colour dialog after a frame selection: below right of the cursor.
ScreenPoint LightDialogOrigin(ScreenPoint cursor);
// A category's popup: right of the row's top-right corner.
ScreenPoint CategoryPopupOrigin(ScreenPoint rowTopRight);
// The macro choice dialog's height for macroCount stored macros.
int MacroDialogHeight(int macroCount);
constexpr int kMacroDialogWidth = 136;

}  // namespace qx
