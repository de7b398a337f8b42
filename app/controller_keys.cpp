// Key-function operations of the controller: tips in the keyboard view, the complete key maps of
// the feature and output-report families, the single keys, profile selection and reset of type 2.
#include "app/main_controller.h"
#include "device/key_codes.h"
#include "device/output_reports.h"
#include "device/protocol_sessions.h"
#include "device/type2_reports.h"

namespace qx {
namespace {
constexpr int kType2ResetProfiles = 4;   // the type-2 keyboard's profile 5 is never offered
}  // namespace

void QxKBController::ApplyKeyAssignments() {
    MainKeyboardView& keyboard = view_.KeyboardView();
    keyboard.ResetTipKey();
    std::vector<KeyMacroRow> functions;
    database_.GetKeyMacros(currentProfile_, functions);
    for (const KeyMacroRow& row : functions) {
        if (row.macroType != 0) keyboard.SetTipKey(static_cast<uint32_t>(row.keyCode), L"", row.macroDesc.c_str());
    }
    keyboard.UpdateControl(1, 0);
    switch (deviceType_) {
        case 1:
        case 3: SendKeyMapFeature(); return;
        case 5:
        case 6: SendKeyMapOutput(); return;
        default: return;   // type 2 holds its keys per profile; selecting the profile made them current
    }
}

void QxKBController::AssignKeyFunction(KeyMacroRow row) {
    row.profile = currentProfile_;
    row.keyCode = static_cast<int>(selectedKey_);
    database_.SetKeyMacro(row);
    MainKeyboardView& keyboard = view_.KeyboardView();
    keyboard.SetTipKey(static_cast<uint32_t>(row.keyCode), L"", row.macroDesc.c_str());
    keyboard.UpdateControl(1, 0);
    switch (deviceType_) {
        case 1:
        case 3: SendKeyMapFeature(); break;
        case 2: SendKeyFunctionType2(row); break;
        case 5:
        case 6: SendKeyMapOutput(); break;
        default: break;
    }
    // Confirmed whether or not a keyboard answered: the function is stored either way.
    view_.ShowMessageBox(kTextSetSuccessful, kMessageBoxWidth);
}

void QxKBController::SendKeyMapFeature() {
    // Type 3 goes to the manager even without a keyboard, which refuses it there.
    if (deviceType_ == 1 && !connected_) return;
    if (deviceType_ != 1 && deviceType_ != 3) return;
    const std::optional<FeatureKeyMapShape> shape = FeatureKeyMapShapeFor(deviceType_);
    const uint8_t profileByte = deviceType_ == 3 ? static_cast<uint8_t>(currentProfile_) : 0;
    std::vector<KeyMacroRow> functions;
    database_.GetKeyMacros(currentProfile_, functions);
    std::vector<MacroRow> macros;
    database_.GetMacros(macros);
    SendFeatureFrameSession(manager_, deviceIndex_, MakeFeatureCommand(kFeatureAnnounceKeyMap, profileByte, shape->reports),
                            BuildFeatureKeyMapFrame(deviceType_, functions, layoutTables_.keyIndex, macros));
}

void QxKBController::SendKeyMapOutput() {
    if (deviceType_ != 5 && deviceType_ != 6) return;
    PauseClock& clock = manager_.Clock();
    clock.RequestTimerResolution(1);
    // Key functions name macros by their place in the library, so the library goes first.
    UploadMacrosOutput();
    std::vector<KeyMacroRow> functions;
    database_.GetKeyMacros(currentProfile_, functions);
    std::vector<MacroRow> macros;
    database_.GetMacros(macros);
    SendOutputKeyTable(manager_, deviceIndex_, deviceType_,
                       BuildOutputKeyTable(functions, layoutTables_.keyIndex, macros));
    clock.ReleaseTimerResolution(1);
}

void QxKBController::SendKeyFunctionType2(const KeyMacroRow& row) {
    SelectProfileOnDevice(currentProfile_);
    if (row.keyCode == 0) return;
    if (row.macroType == kKeyFunctionMacro) {
        AssignMacroToKey(row);
        return;
    }
    SendType2Key(row);
}

void QxKBController::SendType2Key(const KeyMacroRow& row) {
    // A usage the 61-key keyboard has no key for (key code 0 included) has no position; nothing
    // can be sent for it.
    const uint8_t position = HidUsageToType2KeyPosition(static_cast<uint32_t>(row.keyCode));
    if (position == 0) return;
    manager_.SendFeature2048(BuildType2KeyFunction(position, row), deviceIndex_);
}

void QxKBController::SelectProfileOnDevice(int profile) {
    if (deviceType_ != 2) return;
    manager_.SendFeature2048(BuildType2SelectProfile(profile), deviceIndex_);
}

void QxKBController::ResetDevice() {
    if (deviceType_ != 2) return;
    for (int profile = 1; profile <= kType2ResetProfiles; ++profile) {
        SelectProfileOnDevice(profile);
        // Each profile's own keys go back to their defaults while that profile is selected on
        // the keyboard, since the stored functions of every profile are cleared afterwards.
        std::vector<KeyMacroRow> functions;
        database_.GetKeyMacros(profile, functions);
        for (KeyMacroRow row : functions) {
            if (HidUsageToType2KeyPosition(static_cast<uint32_t>(row.keyCode)) == 0) continue;
            row.macroType = 0;
            SelectProfileOnDevice(profile);
            SendType2Key(row);
        }
        manager_.SendFeature2048(BuildType2LightEffect(kType2CustomColourEffect), deviceIndex_);
        manager_.SendFeature2048(BuildType2ColourTable({}), deviceIndex_);
    }
    for (int slot = kType2FirstSlot; slot <= kType2LastSlot; ++slot) {
        LargeFeatureReport answer{};
        if (ReadMacroSlot(slot, answer) && answer[kType2SlotUsedByte] != 0) ClearMacroSlot(slot);
    }
}

}  // namespace qx
