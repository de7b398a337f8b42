#include "app/main_controller.h"

#include <cstdio>
#include <cwctype>

namespace qx {
namespace {
const wchar_t kDeviceTypeValue[] = L"DevType";
constexpr int kDefaultDeviceType = 5;
constexpr int kFirstProfile = 1;
constexpr int kProfileCount = 5;

std::wstring Hex4(int value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%04X", static_cast<unsigned>(value) & 0xFFFFu);
    return text;
}
}  // namespace

QxKBController::QxKBController(HidDeviceManager& manager, AppRegistry& registry, MainView& view, std::wstring dataDir,
                               std::wstring programDir)
    : manager_(manager), registry_(registry), view_(view), dataDir_(std::move(dataDir)),
      programDir_(std::move(programDir)) {}

QxKBController::~QxKBController() {
    // The database closes before the layout tables and the keyboard list go with the members.
    database_.CloseDatabase();
}

int QxKBController::OnInitDialog() {
    OpenCurrentModel();
    FinishStart();
    return 1;
}

void QxKBController::FinishStart() {
    if (!startResendPending_) return;
    startResendPending_ = false;
    if (deviceType_ != 0) ResendProfile(currentProfile_);
}

void QxKBController::OpenCurrentModel() {
    FillSupportedKeyboards();
    view_.RegisterDeviceNotifications();
    RescanDevices(false);
    if (deviceType_ == 0) deviceType_ = RememberedDeviceType(registry_);
    LoadCurrentModel();
    ready_ = 1;
    startResendPending_ = true;
}

void QxKBController::FillSupportedKeyboards() {
    for (const SupportedKeyboardRow& row : SupportedKeyboardTable()) {
        supportedKeyboards_.push_back(SupportedKeyboard{row.displayName, row.deviceType, row.vendorId, row.productId});
        manager_.AddSupportedDevice(row.vendorId, row.productId, row.interfacePattern);
    }
}

void QxKBController::RescanDevices(bool refresh) {
    // The popups run their own message loops, in which the next device change can start a rescan
    // of its own. So every state change is made first and the messages come last, and a rescan
    // that was overtaken by a newer one shows none: the state is then the newer one's.
    const unsigned generation = ++rescanGeneration_;
    std::vector<int> messages;
    manager_.CloseAllDevices();
    manager_.OpenMatchingDevice();
    manager_.SetOpen(true);
    for (SupportedKeyboard& row : supportedKeyboards_) {
        const int index = manager_.FindDeviceIndex(row.vendorId, row.productId);
        row.managerIndex = index;
        if (index == -1) {
            if (!row.connected) continue;
            if (deviceType_ != row.deviceType) {
                // Gone while another keyboard took over: forget it quietly, so that it counts as
                // newly connected when the manager opens it again.
                row.connected = 0;
                continue;
            }
            connected_ = 0;
            row.connected = 0;
            view_.SetConnectionImage(L"sysbtn_usb_none.png");
            database_.CloseDatabase();
            deviceType_ = 0;
            if (ready_) messages.push_back(kTextDeviceNotConnected);
        } else if (!row.connected) {
            deviceType_ = row.deviceType;
            connected_ = 1;
            row.connected = 1;
            view_.SetConnectionImage(L"sysbtn_usb.png");
            database_.OpenForModel(dataDir_, ModelNameOf(deviceType_));
            WriteDeviceType(deviceType_);
            if (refresh) RefreshCurrentModel();
            if (ready_) messages.push_back(kTextDeviceConnected);
        }
    }
    for (int text : messages) {
        if (generation != rescanGeneration_) return;
        view_.ShowMessageBox(text, kMessageBoxWidth);
    }
}

void QxKBController::OnDeviceInterfaceChange(const std::wstring& interfaceName, unsigned event) {
    if (event != kDeviceArrival && event != kDeviceRemoveComplete) return;
    std::wstring name = interfaceName;
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    for (const SupportedKeyboard& row : supportedKeyboards_) {
        if (name.find(Hex4(row.vendorId)) != std::wstring::npos && name.find(Hex4(row.productId)) != std::wstring::npos &&
            name.find(L"MI_00") != std::wstring::npos) {
            RescanDevices(true);
            return;
        }
    }
}

bool QxKBController::OnControllerMessage(unsigned message, uintptr_t, intptr_t lParam, intptr_t& result) {
    if (message != kMessageSetKeysColor) return false;
    SetSelectedKeysColor(static_cast<uint32_t>(lParam));
    result = 1;
    return true;
}

void QxKBController::RefreshCurrentModel() {
    LoadCurrentModel();
    if (deviceType_ != 0) ResendProfile(currentProfile_);
}

void QxKBController::LoadCurrentModel() {
    currentProfile_ = ReadProfileNumber();
    if (currentProfile_ < kFirstProfile) {
        currentProfile_ = kFirstProfile;
        WriteProfileNumber(kFirstProfile);
    }
    if (deviceType_ == 2 || deviceType_ == 3) view_.SetProfileTitle(currentProfile_);
    view_.BuildLightingPage(deviceType_);
    layoutName_ = LayoutSectionForDevice(deviceType_, layoutName_);
    LoadKeyboardLayout({KeyboardLayoutFilePath(programDir_), layoutName_, deviceType_, currentProfile_},
                       view_.KeyboardView(), database_, layoutTables_);
    view_.RefreshMacroList();
    // The effect the profile holds, as the re-send would set it; the colour commands of types 5
    // and 6 send nothing while it is 0.
    std::wstring mode;
    database_.GetConfigValue(currentProfile_, kLightModeKey, mode);
    currentLightMode_ = DecimalTextToInt(mode);
}

void QxKBController::ChangeProfile(int profile) {
    currentProfile_ = profile;
    WriteProfileNumber(profile);
    view_.SetProfileTitle(profile);
    ResendProfile(profile);
}

void QxKBController::ResendProfile(int profile) {
    startResendPending_ = false;
    // Type 2 keeps a key map per profile: it is told which one is current before anything else.
    if (deviceType_ == 2) SelectProfileOnDevice(profile);
    UploadMacros();
    ApplyKeyAssignments();
    ApplyLightMode(profile);
}

bool QxKBController::ResetSettings() {
    if (!connected_) {
        view_.ShowMessageBox(kTextPleaseConnect, kMessageBoxWidth);
        return false;
    }
    view_.KeyboardView().ClearAllKeyColor();
    auto storeFirstLightModes = [this](int lastProfile) {
        for (int profile = 1; profile <= lastProfile; ++profile) database_.SetConfigValue(profile, kLightModeKey, L"1");
    };
    // The keyboard is reset while the stored functions still say which keys it holds.
    if (deviceType_ == 2) ResetDevice();
    {
        ConfigDatabase::Batch batch(database_);
        switch (deviceType_) {
            case 2:
                database_.ResetAllKeyData();
                storeFirstLightModes(kProfileCount);
                break;
            case 3:
                for (int profile = 1; profile <= kProfileCount; ++profile) database_.ResetProfileData(profile);
                storeFirstLightModes(kProfileCount);
                break;
            default:
                database_.ResetProfileData(currentProfile_);
                storeFirstLightModes(1);
                break;
        }
    }
    if (deviceType_ == 2 || deviceType_ == 3) {
        WriteProfileNumber(kFirstProfile);
        currentProfile_ = kFirstProfile;
        view_.SetProfileTitle(kFirstProfile);
    }
    view_.RefreshMacroList();
    ResendProfile(currentProfile_);
    view_.ShowMessageBox(kTextResetSuccessful, kMessageBoxWidth);
    return true;
}

int QxKBController::ReadDeviceType() { return ReadDecimalValue(registry_, kDeviceTypeValue); }

int QxKBController::RememberedDeviceType(AppRegistry& registry) {
    const int stored = ReadDecimalValue(registry, kDeviceTypeValue);
    return stored != 0 ? stored : kDefaultDeviceType;
}

void QxKBController::WriteDeviceType(int deviceType) { WriteDecimalValue(registry_, kDeviceTypeValue, deviceType); }

int QxKBController::ReadProfileNumber() {
    // An undefined type reads the key's unnamed default value, which is normally absent.
    return ReadDecimalValue(registry_, ModelNameOf(deviceType_));
}

void QxKBController::WriteProfileNumber(int profile) {
    const std::wstring model = ModelNameOf(deviceType_);
    if (!model.empty()) WriteDecimalValue(registry_, model, profile);
}

}  // namespace qx
