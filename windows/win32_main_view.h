#pragma once
// The main view for the placeholder window: device notifications for real, and the indicator,
// messages and profile title kept as status lines until the toolkit's window draws them.
#include <windows.h>

#include <string>

#include "app/main_view.h"

namespace qx {
class QxKBController;

class Win32MainView : public MainView {
public:
    void Attach(HWND window) { window_ = window; }

    void RegisterDeviceNotifications() override;
    void SetConnectionImage(const wchar_t* imageName) override;
    void ShowMessageBox(int textId, int width) override;
    void SetProfileTitle(int profile) override;

    std::wstring StatusText(const QxKBController& controller) const;

private:
    HWND window_ = nullptr;
    std::wstring connectionImage_;
    std::wstring lastMessage_;
    int profileTitle_ = 0;
};

}  // namespace qx
