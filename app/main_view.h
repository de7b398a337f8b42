#pragma once
// What the main controller asks of the main window. The real window draws with the toolkit;
// tests record the calls.
#include "resources/keyboard_layout_view.h"

namespace qx {

constexpr int kTextDeviceConnected = 500;      // "Device connected!"
constexpr int kTextDeviceNotConnected = 501;   // "Device not connected!"
constexpr int kConnectionMessageWidth = 260;

class MainView {
public:
    virtual ~MainView() = default;
    // Registers the window for the device-interface notifications (USB, disk, HID, network).
    virtual void RegisterDeviceNotifications() = 0;
    // The connection indicator: "sysbtn_usb.png" or "sysbtn_usb_none.png", 4 states.
    virtual void SetConnectionImage(const wchar_t* imageName) = 0;
    // The self-closing message popup with interface text textId, owned by the main window.
    virtual void ShowMessageBox(int textId, int width) = 0;
    // The profile button's title: interface text 30 + profile ("Profile A" ... "Profile E").
    virtual void SetProfileTitle(int profile) = 0;
    // Fills the lighting page with the effect list of deviceType.
    virtual void BuildLightingPage(int deviceType) = 0;
    // The keyboard view the layout file is loaded into.
    virtual KeyboardLayoutView& KeyboardView() = 0;
    // Reloads the macro panel's list from the open database.
    virtual void RefreshMacroList() = 0;
};

}  // namespace qx
