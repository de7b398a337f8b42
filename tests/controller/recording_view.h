#pragma once
// A main view that records what the controller asked of the window.
#include <string>
#include <vector>

#include "app/main_view.h"

namespace qx::test {

// The keyboard view's side of a layout load: the picture and the keys it was given.
class RecordingKeyboardView : public KeyboardLayoutView {
public:
    std::wstring image;
    std::vector<uint32_t> keys;
    int clears = 0;

    void ClearItem() override {
        ++clears;
        keys.clear();
        image.clear();
    }
    void SetRect(const LayoutRect&) override {}
    void SetKeyboardImage(const std::wstring& file) override { image = file; }
    void SetKeyPosition(int, int) override {}
    int AddKeyItem(const wchar_t*, const wchar_t*, uint32_t keyValue, const LayoutRect&) override {
        keys.push_back(keyValue);
        return static_cast<int>(keys.size());
    }
};

class RecordingView : public MainView {
public:
    int notificationRegistrations = 0;
    std::vector<std::wstring> connectionImages;
    std::vector<int> messages;
    std::vector<int> profileTitles;

    void RegisterDeviceNotifications() override { ++notificationRegistrations; }
    void SetConnectionImage(const wchar_t* imageName) override { connectionImages.push_back(imageName); }
    void ShowMessageBox(int textId, int width) override {
        messages.push_back(textId);
        lastWidth = width;
    }
    void SetProfileTitle(int profile) override { profileTitles.push_back(profile); }
    void BuildLightingPage(int deviceType) override { lightingPages.push_back(deviceType); }
    KeyboardLayoutView& KeyboardView() override { return keyboard; }
    void RefreshMacroList() override { ++macroListRefreshes; }
    std::vector<int> lightingPages;
    RecordingKeyboardView keyboard;
    int macroListRefreshes = 0;
    int lastWidth = 0;
};

}  // namespace qx::test
