// Lighting operations of the controller: the stored effect of a profile, effect choices and the
// custom colours painted on keys.
#include <string>

#include "app/main_controller.h"
#include "device/device_types.h"
#include "device/output_reports.h"
#include "device/protocol_sessions.h"
#include "device/type2_reports.h"

namespace qx {
namespace {
// The effect buttons of a type: control ids first..last, effect = id - (first - 1); one button
// per effect of the type's list.
struct EffectButtonRange {
    int first = 0;
    int last = -1;
};

EffectButtonRange EffectButtonsOf(int deviceType) {
    const DeviceTypeInfo* info = FindDeviceType(deviceType);
    if (!info) return {};
    int first = 0;
    switch (info->family) {
        case ProtocolFamily::Feature: first = 45; break;
        case ProtocolFamily::BbAa: first = 61; break;
        case ProtocolFamily::OutputReport: first = 71; break;
        case ProtocolFamily::None: return {};
    }
    return {first, first + info->effectCount - 1};
}
}  // namespace

void QxKBController::ApplyLightMode(int profile) {
    std::wstring value;
    // A closed database or a missing row leaves the text empty: mode 0, nothing is sent.
    database_.GetConfigValue(profile, kLightModeKey, value);
    currentLightMode_ = DecimalTextToInt(value);
    const EffectButtonRange buttons = EffectButtonsOf(deviceType_);
    for (int id = buttons.first; id <= buttons.last; ++id) {
        view_.SetEffectButtonCheck(id, id - (buttons.first - 1) == currentLightMode_);
    }
    SendLightMode();
}

void QxKBController::SendLightMode() {
    if (!connected_) return;
    const uint8_t mode = static_cast<uint8_t>(currentLightMode_);
    switch (deviceType_) {
        case 2:
            // Effect 0 has no code: nothing is sent for it.
            if (const auto code = Type2EffectCode(currentLightMode_)) {
                manager_.SendFeature2048(BuildType2LightEffect(*code), deviceIndex_);
            }
            return;
        case 3: SendType3ModeSession(manager_, deviceIndex_, currentProfile_, mode); return;
        case 5:
        case 6: SendLightModeOutput(currentLightMode_); return;
        default: {
            std::vector<KeyRgbRow> colours;
            database_.GetKeyRgbs(currentProfile_, colours);
            SendFeatureFrameSession(manager_, deviceIndex_,
                                    MakeFeatureCommand(kFeatureAnnounceLighting, 0, kType1LightingReports),
                                    BuildType1LightingFrame(mode, colours, layoutTables_.lightIndex));
            return;
        }
    }
}

void QxKBController::SendLightModeOutput(int mode) {
    // The stored effect decides whether anything goes out, also for the custom-colour mode 19.
    if (currentLightMode_ == 0) return;
    if (deviceType_ != 5 && deviceType_ != 6) return;
    SendOutputLightMode(manager_, deviceIndex_, deviceType_, static_cast<uint8_t>(mode));
}

void QxKBController::ChooseLightMode(int mode) {
    currentLightMode_ = mode;
    database_.SetConfigValue(currentProfile_, kLightModeKey, std::to_wstring(mode));
    SendLightMode();
}

void QxKBController::SetSelectedKeysColor(uint32_t colour) {
    MainKeyboardView& keyboard = view_.KeyboardView();
    keyboard.SetAllSelectColor(colour);
    {
        // One commit for the whole keyboard instead of one per key.
        ConfigDatabase::Batch batch(database_);
        for (const KeyItemColour& key : keyboard.GetKeyItems()) {
            KeyRgbRow row;
            row.profile = currentProfile_;
            row.light = kKeyRgbLight;
            row.keyCode = static_cast<int>(key.keyValue);
            row.keyRgb = static_cast<int>(key.color);
            database_.UpdateKeyRgb(row);
        }
    }
    switch (deviceType_) {
        case 1:
            currentLightMode_ = kCustomColourMode;
            SendLightMode();
            return;
        case 2: SendType2ColourTable(); return;
        case 3:
            SendColourUploadFeature();
            currentLightMode_ = kCustomColourMode;
            SendLightMode();
            return;
        case 5:
        case 6:
            SendLightModeOutput(kOutputCustomColourMode);
            if (currentLightMode_ != 0) SendColourUploadOutput();
            return;
        default: return;
    }
}

void QxKBController::SendType2ColourTable() {
    std::vector<KeyRgbRow> colours;
    database_.GetKeyRgbs(currentProfile_, colours);
    manager_.SendFeature2048(BuildType2LightEffect(kType2CustomColourEffect), deviceIndex_);
    manager_.SendFeature2048(BuildType2ColourTable(colours), deviceIndex_);
}

// Types 3, 5 and 6 keep one colour table, loaded from profile 1's colours whatever profile is shown.
void QxKBController::SendColourUploadFeature() {
    std::vector<KeyRgbRow> colours;
    database_.GetKeyRgbs(1, colours);
    SendFeatureFrameSession(manager_, deviceIndex_,
                            MakeFeatureCommand(kFeatureAnnounceColours, kFeatureColourTarget, kType3ColourReports),
                            BuildType3ColourFrame(colours, layoutTables_.lightIndex));
}

void QxKBController::SendColourUploadOutput() {
    std::vector<KeyRgbRow> colours;
    database_.GetKeyRgbs(1, colours);
    SendOutputColourTable(manager_, deviceIndex_, deviceType_,
                          BuildOutputColourTable(colours, layoutTables_.lightIndex));
}

}  // namespace qx
