#pragma once
// The main window's seam served on a terminal: the keyboard view is a list of the layout's keys
// (names, their colours and which of them a command selected), and
// the window's popups become lines on the output.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "storage/config_rows.h"

namespace qx::linux_cli {

struct ConsoleKey {
    uint32_t code = 0;
    std::wstring name;   // the layout's label, e.g. "Shift"
    std::wstring desc;   // the layout's description, e.g. "Left Shift"
    uint32_t colour = 0;
};

// A key looked up by what the user typed; error holds the reason when key is empty.
struct KeyLookup {
    std::optional<ConsoleKey> key;
    std::wstring error;
};

// The text in lower case: typed names are compared so.
std::wstring Folded(const std::wstring& text);

class ConsoleKeyboardView : public MainKeyboardView {
public:
    // KeyboardLayoutView
    void ClearItem() override;
    void SetRect(const LayoutRect&) override {}
    void SetKeyboardImage(const std::wstring&) override {}
    void SetKeyPosition(int, int) override {}
    int AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue, const LayoutRect& rect) override;
    // MainKeyboardView
    // Tips are the window's hover texts: a terminal has nowhere to show them.
    void ResetTipKey() override {}
    void SetTipKey(uint32_t, const wchar_t*, const wchar_t*) override {}
    void UpdateControl(int, int) override {}
    void SetAllSelectColor(uint32_t colour) override;
    void ClearAllKeyColor() override;
    std::vector<KeyItemColour> GetKeyItems() const override;

    // A key by its label or its description, case-insensitive, or by its code as "0x04". A label
    // that several keys share ("Shift") only names a key through its description.
    KeyLookup FindKey(const std::wstring& text) const;
    // The keys a colour command paints next.
    void Select(std::vector<uint32_t> codes) { selected_ = std::move(codes); }
    // The stored colours the window would show, so that painting some keys keeps the others.
    void ShowColours(const std::vector<KeyRgbRow>& rows);
    // The label of code, or its description when other keys share the label (so FindKey finds it
    // again), or its hexadecimal code when the layout lacks it.
    std::wstring NameOf(uint32_t code) const;

private:
    std::vector<ConsoleKey> keys_;
    std::vector<uint32_t> selected_;
};

class ConsoleView : public MainView {
public:
    // Popups go to out in language (2052 Chinese, English otherwise).
    ConsoleView(std::ostream& out, int language) : out_(out), language_(language) {}

    void RegisterDeviceNotifications() override {}
    void SetConnectionImage(const wchar_t*) override {}
    void ShowMessageBox(int textId, int width) override;
    void SetProfileTitle(int) override {}
    void BuildLightingPage(int) override {}
    void SetEffectButtonCheck(int, bool) override {}
    MainKeyboardView& KeyboardView() override { return keyboard_; }
    void RefreshMacroList() override {}

    ConsoleKeyboardView& Keyboard() { return keyboard_; }
    int Language() const { return language_; }

private:
    std::ostream& out_;
    int language_;
    ConsoleKeyboardView keyboard_;
};

}  // namespace qx::linux_cli
