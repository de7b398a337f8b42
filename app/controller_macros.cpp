// Macro operations of the controller: the libraries of the feature and output-report families
// and the seventeen macro slots of type 2.
#include <algorithm>

#include "app/main_controller.h"
#include "device/key_codes.h"
#include "device/key_functions.h"
#include "device/output_reports.h"
#include "device/protocol_sessions.h"
#include "device/type2_reports.h"

namespace qx {

std::vector<MacroSteps> QxKBController::ReadMacroLibrary(const std::vector<MacroRow>& macros) {
    std::vector<MacroSteps> library;
    library.reserve(macros.size());
    for (const MacroRow& macro : macros) {
        MacroSteps entry{macro, {}};
        database_.GetMacroRecords(macro.macroId, entry.steps);
        library.push_back(std::move(entry));
    }
    return library;
}

bool QxKBController::MacroLibraryAllowed(int macroCount) {
    return MacroLibraryFits(macroCount, database_.CountMacroRecords());
}

void QxKBController::UploadMacros() {
    if (deviceType_ == 2 || deviceType_ == 5 || deviceType_ == 6) return;
    std::vector<MacroRow> macros;
    database_.GetMacros(macros);
    if (!MacroLibraryAllowed(static_cast<int>(macros.size()))) return;
    // Only the directory's first 100 macros reach the keyboard.
    if (macros.size() > kFeatureMacroDirectoryEntries) macros.resize(kFeatureMacroDirectoryEntries);
    const std::optional<std::vector<uint8_t>> frame = BuildFeatureMacroFrame(ReadMacroLibrary(macros));
    if (!frame) return;   // larger than the keyboard's library: it keeps the previous one
    SendFeatureMacroSession(manager_, deviceIndex_, *frame);
}

void QxKBController::UploadMacrosOutput() {
    if (deviceType_ != 5 && deviceType_ != 6) return;
    std::vector<MacroRow> macros;
    database_.GetMacros(macros);
    if (macros.empty() || !MacroLibraryAllowed(static_cast<int>(macros.size()))) return;
    const std::optional<std::vector<uint8_t>> stream = BuildOutputMacroStream(ReadMacroLibrary(macros));
    if (!stream) return;
    SendOutputMacroStream(manager_, deviceIndex_, deviceType_, *stream);
}

bool QxKBController::ReadMacroSlot(int slot, LargeFeatureReport& answer) {
    answer = BuildType2ReadSlot(static_cast<uint8_t>(slot));
    if (manager_.SendFeature2048AndRead(answer, deviceIndex_)) return true;
    answer.fill(0);
    return false;
}

void QxKBController::ClearMacroSlot(int slot) {
    manager_.SendFeature2048(BuildType2WriteSlot(static_cast<uint8_t>(slot), {}), deviceIndex_);
}

int QxKBController::FindFreeMacroSlot() {
    for (int slot = kType2FirstSlot; slot <= kType2LastSlot; ++slot) {
        LargeFeatureReport answer{};
        // A read that never reached a keyboard says nothing about the slot.
        if (ReadMacroSlot(slot, answer) && answer[kType2SlotUsedByte] == 0) return slot;
    }
    return 0;
}

uint8_t QxKBController::EncodeMacroEvents(int macroId, LargeFeatureReport& report, int start) {
    std::vector<MacroRecordRow> steps;
    database_.GetMacroRecords(macroId, steps);
    const std::size_t from = static_cast<std::size_t>(std::clamp<int>(start, 0, static_cast<int>(report.size())));
    return PutType2Events(report, from, Type2MacroEvents(steps));
}

void QxKBController::AssignMacroToKey(const KeyMacroRow& row) {
    const uint8_t position = HidUsageToType2KeyPosition(static_cast<uint32_t>(row.keyCode));
    if (position == 0) return;
    const int slot = FindFreeMacroSlot();
    if (slot == 0) return;   // all 17 slots hold macros: the function stays stored only
    LargeFeatureReport write = BuildType2WriteSlot(static_cast<uint8_t>(slot), {});
    const uint8_t lengthCode = EncodeMacroEvents(row.macroValue, write, static_cast<int>(kType2SlotEventsStart));
    manager_.SendFeature2048(write, deviceIndex_);

    int playTimes = 1;   // kept when the macro is no longer stored
    database_.GetMacroPlayTimes(row.macroValue, playTimes);
    LargeFeatureReport bind =
        BuildType2BindKey(position, static_cast<uint8_t>(playTimes), static_cast<uint8_t>(slot), lengthCode, {});
    EncodeMacroEvents(row.macroValue, bind, static_cast<int>(kType2BindEventsStart));
    manager_.SendFeature2048(bind, deviceIndex_);
}

}  // namespace qx
