#pragma once
// The main window's controller: which keyboard model is current and whether it is connected,
// which profile is shown, the model's configuration database, and the orders in which stored
// settings are sent again when a keyboard arrives or the profile changes.
#include <string>
#include <vector>

#include "app/main_view.h"
#include "device/device_types.h"
#include "device/hid_device_manager.h"
#include "platform/app_registry.h"
#include "resources/keyboard_layout.h"
#include "storage/config_database.h"

namespace qx {

struct SupportedKeyboard {
    std::wstring displayName;
    int deviceType = 0;
    int vendorId = 0;
    int productId = 0;
    int connected = 0;
    int managerIndex = -1;
};

constexpr unsigned kDeviceArrival = 0x8000;          // DBT_DEVICEARRIVAL
constexpr unsigned kDeviceRemoveComplete = 0x8004;   // DBT_DEVICEREMOVECOMPLETE

class QxKBController {
public:
    // manager, registry and view must outlive the controller. dataDir is the data root
    // (Documents\QxKB Files\) the model databases live under; programDir holds the layout file.
    QxKBController(HidDeviceManager& manager, AppRegistry& registry, MainView& view, std::wstring dataDir,
                   std::wstring programDir);
    ~QxKBController();
    QxKBController(const QxKBController&) = delete;
    QxKBController& operator=(const QxKBController&) = delete;

    // Start of the controller: keyboard table, notifications, first scan (no messages), the
    // remembered model when none is connected, first refresh. Returns 1.
    int OnInitDialog();

    void FillSupportedKeyboards();
    // Re-opens the keyboard and follows the connection state; refresh re-sends a newly
    // connected keyboard's settings at once.
    void RescanDevices(bool refresh);
    // A device interface came or went: rescans when its upper-cased name carries a supported
    // keyboard's vendor and product id and "MI_00" (interface 0 stands for the whole keyboard).
    void OnDeviceInterfaceChange(const std::wstring& interfaceName, unsigned event);
    // Re-reads and re-sends everything of the current model.
    void RefreshCurrentModel();
    // Makes profile current, remembers it for the model and shows it.
    void ChangeProfile(int profile);

    int ReadDeviceType();
    void WriteDeviceType(int deviceType);
    int ReadProfileNumber();
    void WriteProfileNumber(int profile);

    int DeviceType() const { return deviceType_; }
    bool IsConnected() const { return connected_ != 0; }
    bool IsReady() const { return ready_ != 0; }
    int CurrentProfile() const { return currentProfile_; }
    int DeviceIndex() const { return deviceIndex_; }
    const std::vector<SupportedKeyboard>& SupportedKeyboards() const { return supportedKeyboards_; }
    ConfigDatabase& Database() { return database_; }
    const std::wstring& LayoutName() const { return layoutName_; }
    const KeyboardLayoutTables& LayoutTables() const { return layoutTables_; }
    HidDeviceManager& Manager() { return manager_; }

private:
    HidDeviceManager& manager_;
    AppRegistry& registry_;
    MainView& view_;
    std::wstring dataDir_;
    std::wstring programDir_;

    int deviceType_ = 0;
    int connected_ = 0;
    int ready_ = 0;
    int currentProfile_ = 1;
    int deviceIndex_ = 0;
    std::wstring layoutName_ = kInitialLayoutSection;
    std::vector<SupportedKeyboard> supportedKeyboards_;
    ConfigDatabase database_;
    KeyboardLayoutTables layoutTables_;
};

}  // namespace qx
