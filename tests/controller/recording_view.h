#pragma once
#include <functional>
// A main view that records what the controller asked of the window.
#include <map>
#include <string>
#include <vector>

#include "app/main_view.h"

namespace qx::test {

// The keyboard view's side of a layout load: the picture and the keys it was given.
class RecordingKeyboardView : public MainKeyboardView {
public:
    std::wstring image;
    std::vector<uint32_t> keys;
    int clears = 0;
    // Key tips as they stand, and how often they were reset and the view repainted.
    std::map<uint32_t, std::wstring> tips;
    int tipResets = 0;
    int repaints = 0;
    // The keys a click would have selected, and the colours the keys show.
    std::vector<uint32_t> selected;
    std::map<uint32_t, uint32_t> colours;

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
    void ResetTipKey() override {
        ++tipResets;
        tips.clear();
    }
    void SetTipKey(uint32_t keyValue, const wchar_t*, const wchar_t* desc) override {
        tips[keyValue] = desc ? desc : L"";
    }
    void UpdateControl(int, int) override { ++repaints; }
    void SetAllSelectColor(uint32_t colour) override {
        for (uint32_t key : selected) colours[key] = colour;
    }
    void ClearAllKeyColor() override { colours.clear(); }
    std::vector<KeyItemColour> GetKeyItems() const override {
        std::vector<KeyItemColour> items;
        for (uint32_t key : keys) {
            const auto found = colours.find(key);
            items.push_back({key, found == colours.end() ? 0u : found->second});
        }
        return items;
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
        // What may happen while the real popup runs its own message loop.
        if (whileMessageShows) {
            auto nested = std::move(whileMessageShows);
            whileMessageShows = nullptr;
            nested(textId);
        }
    }
    std::function<void(int textId)> whileMessageShows;
    void SetProfileTitle(int profile) override { profileTitles.push_back(profile); }
    void BuildLightingPage(int deviceType) override { lightingPages.push_back(deviceType); }
    void SetEffectButtonCheck(int buttonId, bool checked) override { effectChecks[buttonId] = checked; }
    MainKeyboardView& KeyboardView() override { return keyboard; }
    // The effect buttons marked selected.
    std::vector<int> CheckedEffects() const {
        std::vector<int> ids;
        for (const auto& [id, checked] : effectChecks) {
            if (checked) ids.push_back(id);
        }
        return ids;
    }
    std::map<int, bool> effectChecks;
    void RefreshMacroList() override { ++macroListRefreshes; }
    std::vector<int> lightingPages;
    RecordingKeyboardView keyboard;
    int macroListRefreshes = 0;
    int lastWidth = 0;
};

}  // namespace qx::test
