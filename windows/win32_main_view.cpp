#include "windows/win32_main_view.h"

#include <dbt.h>

#include "app/main_controller.h"
#include "device/hid_device_manager.h"

namespace qx {
namespace {
// USB device, disk, HID and network adapter interface classes.
const GUID kNotificationClasses[] = {
    {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}},
    {0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},
    {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}},
    {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}},
};
}  // namespace

void Win32MainView::RegisterDeviceNotifications() {
    for (const GUID& cls : kNotificationClasses) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
        filter.dbcc_size = 32;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = cls;
        RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

void Win32MainView::SetConnectionImage(const wchar_t* imageName) {
    connectionImage_ = imageName;
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Win32MainView::ShowMessageBox(int textId, int) {
    lastMessage_ = textId == kTextDeviceConnected      ? L"Device connected!"
                   : textId == kTextDeviceNotConnected ? L"Device not connected!"
                                                       : std::to_wstring(textId);
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Win32MainView::SetProfileTitle(int profile) { profileTitle_ = profile; }

std::wstring Win32MainView::StatusText(const QxKBController& controller) const {
    std::wstring text = L"Model: " + ModelNameOf(controller.DeviceType()) + L" (device type " +
                        std::to_wstring(controller.DeviceType()) + L")\n";
    text += controller.IsConnected() ? L"Connected" : L"Not connected";
    if (const HidDeviceEntry* entry = g_hidDeviceManager ? g_hidDeviceManager->Device(0) : nullptr) {
        text += L": " + entry->manufacturer + L" " + entry->product;
    }
    text += L"\nIndicator: " + connectionImage_;
    text += L"\nProfile: " + std::to_wstring(controller.CurrentProfile());
    text += L"\nLayout: " + controller.LayoutName() + L", " + std::to_wstring(keyboard_.keys.size()) + L" keys, picture " +
            keyboard_.image;
    text += L"\nLight effect: " + std::to_wstring(controller.CurrentLightMode()) + L", " +
            std::to_wstring(keyboard_.tips.size()) + L" keys with functions";
    if (!lastMessage_.empty()) text += L"\nLast message: " + lastMessage_;
    return text;
}

}  // namespace qx
