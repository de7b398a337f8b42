#pragma once
// What the user types, turned into what the window's menus and buttons would have made: light
// effects by number or name, key functions by the names of the key-function menu, colours as
// hexadecimal text. Names come from the interface texts and are accepted in English and Chinese
// alike, whatever language the output is in.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "linux/console_view.h"
#include "storage/config_rows.h"

namespace qx::linux_cli {

// A result or the one line that says why there is none.
template <class T>
struct Parsed {
    std::optional<T> value;
    std::wstring error;
    static Parsed Fail(std::wstring why) { return {std::nullopt, std::move(why)}; }
};

// The effect list of deviceType: effect number (from 1) and the text id of its name.
struct EffectName {
    int effect = 0;
    int textId = 0;
};
std::vector<EffectName> EffectNamesOf(int deviceType);
// "3" or "Breathing" / "循环呼吸" (case-insensitive) to the effect number of deviceType's list.
Parsed<int> ParseEffect(int deviceType, const std::wstring& text);

// "ff8000", "#FF8000" or "0xff8000" (red, green, blue) to a COLORREF (red in the low byte).
Parsed<uint32_t> ParseColour(const std::wstring& text);
// A COLORREF as "#RRGGBB".
std::wstring ColourText(uint32_t colour);

// The categories of the key-function menu (600 system, 601 multimedia, 603 mouse): the item by its
// menu text, with desc in language.
Parsed<KeyMacroRow> ParseMenuFunction(int category, const std::wstring& text, int language);
// The menu text of a stored item, empty when the item is not in category's menu.
std::wstring MenuItemText(int category, int item, int language);
// "Ctrl+A", "Right Alt+F4" or "Esc": an optional Shift, Ctrl or Alt (left unless "Right ...")
// and one key of the layout, as the key combination dialog records it.
Parsed<KeyMacroRow> ParseCombination(const std::wstring& text, const ConsoleKeyboardView& keys);

// Virtual-key code of a HID keyboard usage, the inverse of VkToHidUsage; 0 when none maps.
uint32_t UsageToVirtualKey(uint32_t usage);

// A macro's steps from a text file's lines: "down KEY", "up KEY", "delay MS",
// "mouse-down BUTTON", "mouse-up BUTTON" (left, middle, right); blank lines and lines starting
// with '#' are skipped. The first bad line fails the whole file, naming its line number.
Parsed<std::vector<MacroRecordRow>> ParseMacroSteps(const std::string& text, const ConsoleKeyboardView& keys);
// One step as a line of that file.
std::wstring StepText(const MacroRecordRow& step);

}  // namespace qx::linux_cli
