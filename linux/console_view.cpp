#include "linux/console_view.h"

#include <cwchar>
#include <cwctype>

#include "resources/ui_texts.h"
#include "storage/utf8_text.h"

namespace qx::linux_cli {
std::wstring Folded(const std::wstring& text) {
    std::wstring folded = text;
    for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return folded;
}

namespace {

std::optional<uint32_t> HexCode(const std::wstring& text) {
    if (text.size() < 3 || text.size() > 6 || text[0] != L'0' || (text[1] != L'x' && text[1] != L'X')) return std::nullopt;
    uint32_t value = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const wchar_t c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i])));
        if (c >= L'0' && c <= L'9') {
            value = value * 16 + static_cast<uint32_t>(c - L'0');
        } else if (c >= L'a' && c <= L'f') {
            value = value * 16 + static_cast<uint32_t>(c - L'a' + 10);
        } else {
            return std::nullopt;
        }
    }
    return value;
}

}  // namespace

void ConsoleKeyboardView::ClearItem() {
    keys_.clear();
    selected_.clear();
}

int ConsoleKeyboardView::AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue, const LayoutRect&) {
    keys_.push_back({keyValue, name ? name : L"", desc ? desc : L"", 0});
    return static_cast<int>(keys_.size()) - 1;
}

void ConsoleKeyboardView::SetAllSelectColor(uint32_t colour) {
    for (ConsoleKey& key : keys_) {
        for (uint32_t code : selected_) {
            if (key.code == code) key.colour = colour;
        }
    }
}

void ConsoleKeyboardView::ClearAllKeyColor() {
    for (ConsoleKey& key : keys_) key.colour = 0;
}

std::vector<KeyItemColour> ConsoleKeyboardView::GetKeyItems() const {
    std::vector<KeyItemColour> items;
    items.reserve(keys_.size());
    for (const ConsoleKey& key : keys_) items.push_back({key.code, key.colour});
    return items;
}

void ConsoleKeyboardView::ShowColours(const std::vector<KeyRgbRow>& rows) {
    for (ConsoleKey& key : keys_) {
        key.colour = 0;
        for (const KeyRgbRow& row : rows) {
            if (static_cast<uint32_t>(row.keyCode) == key.code) key.colour = static_cast<uint32_t>(row.keyRgb);
        }
    }
}

KeyLookup ConsoleKeyboardView::FindKey(const std::wstring& text) const {
    if (const std::optional<uint32_t> code = HexCode(text)) {
        for (const ConsoleKey& key : keys_) {
            if (key.code == *code) return {key, {}};
        }
        return {std::nullopt, L"no key with code " + text + L" on this keyboard"};
    }
    const std::wstring wanted = Folded(text);
    std::vector<const ConsoleKey*> byName;
    for (const ConsoleKey& key : keys_) {
        if (Folded(key.name) == wanted) byName.push_back(&key);
    }
    if (byName.size() == 1) return {*byName.front(), {}};
    for (const ConsoleKey& key : keys_) {
        if (Folded(key.desc) == wanted) return {key, {}};
    }
    if (byName.empty()) return {std::nullopt, L"unknown key '" + text + L"'"};
    std::wstring choices;
    for (const ConsoleKey* key : byName) choices += (choices.empty() ? L"'" : L" or '") + key->desc + L"'";
    return {std::nullopt, L"key '" + text + L"' is ambiguous: say " + choices};
}

std::wstring ConsoleKeyboardView::NameOf(uint32_t code) const {
    for (const ConsoleKey& key : keys_) {
        if (key.code != code) continue;
        const std::wstring label = Folded(key.name);
        int sharing = 0;
        for (const ConsoleKey& other : keys_) sharing += Folded(other.name) == label ? 1 : 0;
        return sharing == 1 || key.desc.empty() ? key.name : key.desc;
    }
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%02X", code);
    return text;
}

void ConsoleView::ShowMessageBox(int textId, int) {
    out_ << ToUtf8(GetUIText(textId, language_)) << std::endl;
}

}  // namespace qx::linux_cli
