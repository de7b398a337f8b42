#include "linux/function_names.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <sstream>

#include "app/language.h"
#include "device/key_codes.h"
#include "resources/raw_input_event.h"
#include "resources/ui_texts.h"
#include "storage/utf8_text.h"
#include "windows/key_menu_rules.h"
#include "windows/lighting_page_layout.h"
#include "windows/macro_recording.h"

namespace qx::linux_cli {
namespace {

// Folded, and the dash of "Volume—" as the '-' anyone types.
std::wstring DashFolded(std::wstring text) {
    std::replace(text.begin(), text.end(), L'\u2014', L'-');
    return Folded(text);
}

bool NamesText(int textId, const std::wstring& typed) {
    const std::wstring wanted = DashFolded(typed);
    return DashFolded(GetUIText(textId, kLangEnglish)) == wanted || DashFolded(GetUIText(textId, kLangChinese)) == wanted;
}

std::optional<long long> Decimal(const std::wstring& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::wstring Trimmed(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L" \t\r");
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t\r") - first + 1);
}

struct Modifier {
    const wchar_t* name;
    int virtualKey;
};
// The sided codes the key combination dialog captures (VK_LSHIFT ... VK_RMENU).
constexpr Modifier kModifiers[] = {{L"Shift", 160}, {L"Left Shift", 160}, {L"Right Shift", 161},
                                   {L"Ctrl", 162},  {L"Left Ctrl", 162},  {L"Right Ctrl", 163},
                                   {L"Alt", 164},   {L"Left Alt", 164},   {L"Right Alt", 165}};

struct MouseButton {
    const wchar_t* name;
    int code;
    const wchar_t* recordedName;   // what the macro recorder stores as the step's text
};
constexpr MouseButton kMouseButtons[] = {{L"left", kMouseCodeLeft, L"mouse_left"},
                                         {L"middle", kMouseCodeMiddle, L"mouse_middle"},
                                         {L"right", kMouseCodeRight, L"mouse_right"}};

}  // namespace

std::vector<EffectName> EffectNamesOf(int deviceType) {
    std::vector<EffectName> names;
    const LightEffectFamily* family = LightEffectFamilyOf(deviceType);
    if (!family) return names;
    for (const LightEffectButton& button : family->buttons) names.push_back({EffectNumberOfButton(button.id), button.textId});
    return names;
}

Parsed<int> ParseEffect(int deviceType, const std::wstring& text) {
    const std::vector<EffectName> names = EffectNamesOf(deviceType);
    if (names.empty()) return Parsed<int>::Fail(L"this keyboard type has no light effects");
    if (const auto number = Decimal(text)) {
        if (*number >= 1 && *number <= static_cast<long long>(names.size())) return {static_cast<int>(*number), {}};
        return Parsed<int>::Fail(L"effect " + text + L" is not between 1 and " + std::to_wstring(names.size()));
    }
    for (const EffectName& name : names) {
        if (NamesText(name.textId, text)) return {name.effect, {}};
    }
    return Parsed<int>::Fail(L"unknown effect '" + text + L"' (see qxkb effect --list)");
}

Parsed<uint32_t> ParseColour(const std::wstring& text) {
    std::wstring digits = text;
    if (!digits.empty() && digits[0] == L'#') {
        digits.erase(0, 1);
    } else if (digits.size() > 2 && digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X')) {
        digits.erase(0, 2);
    }
    if (digits.size() != 6) return Parsed<uint32_t>::Fail(L"bad colour '" + text + L"': expected six hexadecimal digits RRGGBB");
    uint32_t rgb = 0;
    for (wchar_t c : digits) {
        const wchar_t lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        uint32_t nibble = 0;
        if (lower >= L'0' && lower <= L'9') {
            nibble = static_cast<uint32_t>(lower - L'0');
        } else if (lower >= L'a' && lower <= L'f') {
            nibble = static_cast<uint32_t>(lower - L'a' + 10);
        } else {
            return Parsed<uint32_t>::Fail(L"bad colour '" + text + L"': expected six hexadecimal digits RRGGBB");
        }
        rgb = rgb * 16 + nibble;
    }
    const uint32_t red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return {red | (green << 8) | (blue << 16), {}};
}

std::wstring ColourText(uint32_t colour) {
    wchar_t text[16];
    std::swprintf(text, 16, L"#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

Parsed<KeyMacroRow> ParseMenuFunction(int category, const std::wstring& text, int language) {
    for (const KeyMenuItem& item : SubmenuItems(category)) {
        if (NamesText(item.textId, text)) return {SubmenuChoiceRecord(category, item.id, GetUIText(item.textId, language)), {}};
    }
    std::wstring choices;
    for (const KeyMenuItem& item : SubmenuItems(category)) {
        choices += (choices.empty() ? L"" : L", ") + GetUIText(item.textId, kLangEnglish);
    }
    return Parsed<KeyMacroRow>::Fail(L"unknown name '" + text + L"'; one of: " + choices);
}

std::wstring MenuItemText(int category, int item, int language) {
    for (const KeyMenuItem& entry : SubmenuItems(category)) {
        if (entry.id == item) return GetUIText(entry.textId, language);
    }
    return {};
}

Parsed<KeyMacroRow> ParseCombination(const std::wstring& text, const ConsoleKeyboardView& keys) {
    // The last '+' splits, so that the key itself may be '+' ("Shift++" is Shift and '+').
    std::wstring modifierText, keyText = Trimmed(text);
    const std::size_t plus = keyText.size() > 1 ? keyText.rfind(L'+', keyText.size() - 2) : std::wstring::npos;
    if (plus != std::wstring::npos) {
        modifierText = Trimmed(keyText.substr(0, plus));
        keyText = Trimmed(keyText.substr(plus + 1));
    }
    int modifier = 0;
    std::wstring modifierName;
    if (!modifierText.empty()) {
        for (const Modifier& m : kModifiers) {
            if (DashFolded(m.name) == DashFolded(modifierText)) {
                modifier = m.virtualKey;
                modifierName = m.name;
            }
        }
        if (modifier == 0) {
            return Parsed<KeyMacroRow>::Fail(L"unknown modifier '" + modifierText + L"'; one of Shift, Ctrl, Alt, Right Shift, Right Ctrl, Right Alt");
        }
    }
    const KeyLookup key = keys.FindKey(keyText);
    if (!key.key) return Parsed<KeyMacroRow>::Fail(key.error);
    KeyMacroRow row;
    row.macroType = kCategoryKeyCombination;
    row.macroValue = static_cast<int>(key.key->code);
    row.macroValue2 = modifier ? VkToHidUsage(static_cast<uint32_t>(modifier)) : 0;
    row.macroDesc = modifier ? modifierName + L"+" + key.key->name : key.key->name;
    return {row, {}};
}

uint32_t UsageToVirtualKey(uint32_t usage) {
    if (usage == 0) return 0;
    for (uint32_t vk = 1; vk < 256; ++vk) {
        if (VkToHidUsage(vk) == usage) return vk;
    }
    return 0;
}

Parsed<std::vector<MacroRecordRow>> ParseMacroSteps(const std::string& text, const ConsoleKeyboardView& keys) {
    std::vector<MacroRecordRow> steps;
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    while (std::getline(lines, raw)) {
        ++number;
        const std::wstring line = Trimmed(FromUtf8(raw));
        if (line.empty() || line[0] == L'#') continue;
        const std::size_t space = line.find_first_of(L" \t");
        const std::wstring verb = DashFolded(line.substr(0, space));
        const std::wstring argument = space == std::wstring::npos ? L"" : Trimmed(line.substr(space));
        const auto bad = [&](const std::wstring& why) {
            return Parsed<std::vector<MacroRecordRow>>::Fail(L"line " + std::to_wstring(number) + L": " + why);
        };
        if (verb == L"delay") {
            const auto ms = Decimal(argument);
            if (!ms || *ms > kMaxRecordedDelayMs) {
                return bad(L"delay needs milliseconds from 0 to " + std::to_wstring(kMaxRecordedDelayMs));
            }
            steps.push_back(DelayStep(static_cast<int>(*ms)));
        } else if (verb == L"down" || verb == L"up") {
            const KeyLookup key = keys.FindKey(argument);
            if (!key.key) return bad(key.error);
            const uint32_t vk = UsageToVirtualKey(key.key->code);
            if (vk == 0) return bad(L"key '" + argument + L"' cannot be played by a macro");
            // Recorded as the recorder records the key's event.
            steps.push_back(EventStep({kRawKindKeyboard, verb == L"up", static_cast<int>(vk), keys.NameOf(key.key->code)}));
        } else if (verb == L"mouse-down" || verb == L"mouse-up") {
            const MouseButton* button = nullptr;
            for (const MouseButton& b : kMouseButtons) {
                if (DashFolded(argument) == b.name) button = &b;
            }
            if (!button) return bad(L"unknown mouse button '" + argument + L"'; one of left, middle, right");
            steps.push_back(EventStep({kRawKindMouse, verb == L"mouse-up", button->code, button->recordedName}));
        } else {
            return bad(L"unknown step '" + verb + L"'; one of down, up, delay, mouse-down, mouse-up");
        }
    }
    if (steps.empty()) return Parsed<std::vector<MacroRecordRow>>::Fail(L"the steps file holds no steps");
    return {steps, {}};
}

std::wstring StepText(const MacroRecordRow& step) {
    switch (step.type) {
        case kMacroStepDelay: return L"delay " + std::to_wstring(step.value);
        case kMacroStepKeyDown: return L"down " + step.desc;
        case kMacroStepKeyUp: return L"up " + step.desc;
        case kMacroStepMouseDown:
        case kMacroStepMouseUp: {
            std::wstring button = step.desc;
            for (const MouseButton& b : kMouseButtons) {
                if (b.code == step.value) button = b.name;
            }
            return (step.type == kMacroStepMouseDown ? L"mouse-down " : L"mouse-up ") + button;
        }
        default: return L"# step of type " + std::to_wstring(step.type);
    }
}

}  // namespace qx::linux_cli
