#pragma once
// The main view for the placeholder window: device notifications for real, and the indicator,
// messages and profile title kept as status lines until the toolkit's window draws them.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "app/main_view.h"

namespace qx {
class QxKBController;

// Keeps what the layout load and the controller gave, for the status text.
class StatusKeyboardView : public MainKeyboardView {
public:
    void ClearItem() override {
        keys.clear();
        tips.clear();
        image.clear();
    }
    void SetRect(const LayoutRect&) override {}
    void SetKeyboardImage(const std::wstring& file) override { image = file; }
    void SetKeyPosition(int, int) override {}
    int AddKeyItem(const wchar_t*, const wchar_t*, uint32_t keyValue, const LayoutRect&) override {
        keys.push_back(keyValue);
        return static_cast<int>(keys.size()) - 1;
    }
    void ResetTipKey() override { tips.clear(); }
    void SetTipKey(uint32_t keyValue, const wchar_t*, const wchar_t* desc) override { tips[keyValue] = desc ? desc : L""; }
    void UpdateControl(int, int) override {}
    // The placeholder has no key selection, so no key ever gets a colour.
    void SetAllSelectColor(uint32_t) override {}
    void ClearAllKeyColor() override {}
    std::vector<KeyItemColour> GetKeyItems() const override {
        std::vector<KeyItemColour> items;
        for (uint32_t key : keys) items.push_back({key, 0});
        return items;
    }
    std::vector<uint32_t> keys;
    std::map<uint32_t, std::wstring> tips;
    std::wstring image;
};

class Win32MainView : public MainView {
public:
    void Attach(HWND window) { window_ = window; }

    void RegisterDeviceNotifications() override;
    void SetConnectionImage(const wchar_t* imageName) override;
    void ShowMessageBox(int textId, int width) override;
    void SetProfileTitle(int profile) override;
    void BuildLightingPage(int deviceType) override { lightingPageType_ = deviceType; }
    // The status text shows the controller's current effect; there are no buttons yet.
    void SetEffectButtonCheck(int, bool) override {}
    MainKeyboardView& KeyboardView() override { return keyboard_; }
    void RefreshMacroList() override {}

    std::wstring StatusText(const QxKBController& controller) const;

private:
    HWND window_ = nullptr;
    std::wstring connectionImage_;
    std::wstring lastMessage_;
    int profileTitle_ = 0;
    int lightingPageType_ = 0;
    StatusKeyboardView keyboard_;
};

}  // namespace qx
