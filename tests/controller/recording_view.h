#pragma once
// A main view that records what the controller asked of the window.
#include <string>
#include <vector>

#include "app/main_view.h"

namespace qx::test {

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
    int lastWidth = 0;
};

}  // namespace qx::test
