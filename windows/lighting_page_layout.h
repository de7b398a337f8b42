#pragma once
// The lighting page's effect buttons: which family of buttons a keyboard type shows, their
// titles and icons, and where each button sits. Pure data and arithmetic, shared by the window
// and its tests.
#include <vector>

#include "resources/keyboard_layout_view.h"

namespace qx {

struct LightEffectButton {
    int id;           // control id
    int textId;       // title, an interface text
    const wchar_t* icon;  // under the skin directory
};

struct LightEffectFamily {
    int firstId;
    int lastId;
    int iconStates;
    bool rowBackground;           // "img_lightmode_row_bkg.png" behind each row
    int buttonHeight;
    std::vector<int> rowTops;
    std::vector<int> order;       // ids in placement order, four a row
    std::vector<LightEffectButton> buttons;  // in id order
};

constexpr int kFirstEffectButtonId = 45;
constexpr int kLastEffectButtonId = 88;
constexpr int kEffectColumnWidth = 160;
constexpr wchar_t kLightModeGroup[] = L"LIGHTMODE-GROUP";

// The family of deviceType's buttons; NULL for types without a lighting page.
const LightEffectFamily* LightEffectFamilyOf(int deviceType);
// The button's rectangle in the main window; empty for an id the family does not hold.
LayoutRect LightEffectButtonRect(const LightEffectFamily& family, int id);
// The stored effect number of a button id, counted from 1 in its family; 0 for other ids.
int EffectNumberOfButton(int id);

}  // namespace qx
