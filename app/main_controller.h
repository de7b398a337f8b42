#pragma once
// The main window's controller: which keyboard model is current and whether it is connected,
// which profile is shown, the model's configuration database, and the orders in which stored
// settings are sent again when a keyboard arrives or the profile changes.
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "device/device_types.h"
#include "device/feature_reports.h"
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
// The profile's stored light effect in t_configdata.
constexpr wchar_t kLightModeKey[] = L"lightmode";
// Posted by the colour dialog with the chosen COLORREF in lParam.
constexpr unsigned kMessageSetKeysColor = 1834;

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
    // The same start without sending anything: a command-line run sends only what its command
    // changes, not the whole profile first.
    void OpenCurrentModel();
    // The start's re-send, for a window that shows its first frame before the keyboard is
    // brought up to date: after OpenCurrentModel, sends the current profile unless a re-send
    // has happened since (an arrival, a profile change, a reset); later calls send nothing.
    void FinishStart();

    void FillSupportedKeyboards();
    // Re-opens the keyboard and follows the connection state; refresh re-sends a newly
    // connected keyboard's settings at once.
    void RescanDevices(bool refresh);
    // A device interface came or went: rescans when its upper-cased name carries a supported
    // keyboard's vendor and product id and "MI_00" (interface 0 stands for the whole keyboard).
    void OnDeviceInterfaceChange(const std::wstring& interfaceName, unsigned event);
    // The private window messages the controller answers: true with result set when message is
    // one of them, false for every other message.
    bool OnControllerMessage(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    // Re-reads and re-sends everything of the current model.
    void RefreshCurrentModel();
    // Re-reads the current model (profile number, lighting page, layout, macro list, the
    // profile's effect) without sending anything.
    void LoadCurrentModel();
    // Makes profile current, remembers it for the model and shows it.
    void ChangeProfile(int profile);

    // The reset command: without a keyboard "Please connect the device!" and false. Otherwise the
    // keyboard (type 2) and the stored settings go back to their defaults, the current profile's
    // settings are sent again and "Reset Successful!" is shown.
    bool ResetSettings();

    // Lighting. The current light mode is the shown profile's effect, counted from 1.
    // Loads the profile's stored effect, marks its button and sends it.
    void ApplyLightMode(int profile);
    // Sends the current light mode; nothing while no keyboard is connected.
    void SendLightMode();
    // Types 5 and 6: start, effect mode, end; nothing while the current light mode is 0.
    void SendLightModeOutput(int mode);
    // An effect button was chosen: stores mode as the profile's effect and sends it.
    void ChooseLightMode(int mode);
    // Paints colour on the selected keys, stores every key's colour for the current profile and
    // sends the colours.
    void SetSelectedKeysColor(uint32_t colour);

    // Key functions.
    // Shows the current profile's functions as key tips and sends its key map.
    void ApplyKeyAssignments();
    // Stores row as the selected key's function in the current profile, shows and sends it, then
    // confirms with "Set Successful!".
    void AssignKeyFunction(KeyMacroRow row);
    // Types 1 and 3: the complete key map of the current profile.
    void SendKeyMapFeature();
    // Types 5 and 6: the macro library, then the complete key map of the current profile.
    void SendKeyMapOutput();
    // Type 2: selects the current profile, then sends the one key of row (or binds its macro).
    void SendKeyFunctionType2(const KeyMacroRow& row);
    // Type 2: makes profile the keyboard's current one.
    void SelectProfileOnDevice(int profile);
    // Type 2: keys of profiles 1-4 to their defaults, custom colours cleared, used macro slots emptied.
    void ResetDevice();

    // Macros.
    // Types 1 and 3: the whole macro library as one frame.
    void UploadMacros();
    // Types 5 and 6: the whole macro library as a stream; nothing without macros.
    void UploadMacrosOutput();
    // Type 2: the first slot (0xB5-0xC5) whose answer says empty, 0 when all are used.
    int FindFreeMacroSlot();
    // Type 2: reads slot; answer receives the keyboard's answer (zero when none came). False when
    // the read failed.
    bool ReadMacroSlot(int slot, LargeFeatureReport& answer);
    void ClearMacroSlot(int slot);
    // Type 2: writes the macro's 3-byte events into report from start; returns
    // (start - end - 3) mod 256, end being the offset after the last event.
    uint8_t EncodeMacroEvents(int macroId, LargeFeatureReport& report, int start);
    // Type 2: writes the macro named by row.macroValue into a free slot and binds row's key to it.
    void AssignMacroToKey(const KeyMacroRow& row);

    // The key the keyboard view reported last; AssignKeyFunction gives it the new function.
    void SetSelectedKey(uint32_t keyValue) { selectedKey_ = keyValue; }
    uint32_t SelectedKey() const { return selectedKey_; }
    int CurrentLightMode() const { return currentLightMode_; }

    int ReadDeviceType();
    // The type shown while no keyboard is attached: the one stored last, or type 5 when none was.
    static int RememberedDeviceType(AppRegistry& registry);
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
    // Re-sends the settings of profile in the order every arrival, profile change and reset uses.
    void ResendProfile(int profile);
    // Type 2: the key function report of row's key; nothing for a key the keyboard lacks.
    void SendType2Key(const KeyMacroRow& row);
    void SendType2ColourTable();
    void SendColourUploadFeature();
    void SendColourUploadOutput();
    std::vector<MacroSteps> ReadMacroLibrary(const std::vector<MacroRow>& macros);
    bool MacroLibraryAllowed(int macroCount);

    HidDeviceManager& manager_;
    AppRegistry& registry_;
    MainView& view_;
    std::wstring dataDir_;
    std::wstring programDir_;

    int deviceType_ = 0;
    int connected_ = 0;
    int ready_ = 0;
    int currentProfile_ = 1;
    int currentLightMode_ = 0;
    uint32_t selectedKey_ = 0;
    // Counts rescans, so one overtaken by a rescan inside its popups shows no stale messages.
    unsigned rescanGeneration_ = 0;
    // Set by OpenCurrentModel until the start's re-send is done or made needless.
    bool startResendPending_ = false;
    int deviceIndex_ = 0;
    std::wstring layoutName_ = kInitialLayoutSection;
    std::vector<SupportedKeyboard> supportedKeyboards_;
    ConfigDatabase database_;
    KeyboardLayoutTables layoutTables_;
};

}  // namespace qx
