#pragma once
// What the main controller asks of the main window. The real window draws with the toolkit;
// tests record the calls.
#include <cstdint>
#include <vector>

#include "resources/keyboard_layout_view.h"

namespace qx {

constexpr int kTextDeviceConnected = 500;      // "Device connected!"
constexpr int kTextDeviceNotConnected = 501;   // "Device not connected!"
constexpr int kTextPleaseConnect = 502;        // "Please connect the device!"
constexpr int kTextResetSuccessful = 503;      // "Reset Successful!"
constexpr int kTextSetSuccessful = 505;        // "Set Successful!"
constexpr int kMessageBoxWidth = 260;          // every popup of the program

// A key of the keyboard view with the colour it shows (COLORREF, 0 for none).
struct KeyItemColour {
    uint32_t keyValue = 0;
    uint32_t color = 0;
};

// The keyboard view as the controller uses it: besides the layout load, the function tips shown
// on keys and the colours painted on the selected keys.
class MainKeyboardView : public KeyboardLayoutView {
public:
    // Clears the tip marks of every key.
    virtual void ResetTipKey() = 0;
    // Marks the key with keyValue with a tip; name and desc may be null (empty).
    virtual void SetTipKey(uint32_t keyValue, const wchar_t* name, const wchar_t* desc) = 0;
    // Repaints the view (UpdateControl(1, 0) after the tips changed).
    virtual void UpdateControl(int redraw, int flags) = 0;
    // Gives colour to every selected key.
    virtual void SetAllSelectColor(uint32_t colour) = 0;
    // Takes the colour off every key.
    virtual void ClearAllKeyColor() = 0;
    // Every key of the view in its order, with its colour.
    virtual std::vector<KeyItemColour> GetKeyItems() const = 0;
};

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
    // Selects or unselects the lighting page's effect button with control id buttonId.
    virtual void SetEffectButtonCheck(int buttonId, bool checked) = 0;
    // The keyboard view the layout file is loaded into.
    virtual MainKeyboardView& KeyboardView() = 0;
    // Reloads the macro panel's list from the open database.
    virtual void RefreshMacroList() = 0;
};

}  // namespace qx
