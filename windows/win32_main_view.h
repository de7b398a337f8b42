#pragma once
// The main view for the placeholder window: device notifications for real, and the indicator,
// messages and profile title kept as status lines until the toolkit's window draws them.
#include <windows.h>

#include <string>

#include "app/main_view.h"

namespace qx {
class QxKBController;

// Keeps what the layout load gave, for the status text.
class StatusKeyboardView : public KeyboardLayoutView {
public:
    void ClearItem() override {
        keys = 0;
        image.clear();
    }
    void SetRect(const LayoutRect&) override {}
    void SetKeyboardImage(const std::wstring& file) override { image = file; }
    void SetKeyPosition(int, int) override {}
    int AddKeyItem(const wchar_t*, const wchar_t*, uint32_t, const LayoutRect&) override { return ++keys; }
    int keys = 0;
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
    KeyboardLayoutView& KeyboardView() override { return keyboard_; }
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
