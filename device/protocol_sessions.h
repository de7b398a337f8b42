#pragma once
// The fixed send orders of the feature and output-report families over the device manager:
// which commands frame a table, in which order the chunks go and where the pauses lie. Results of
// the sends are not examined (the keyboard's answers change nothing in the program).
#include <cstdint>
#include <vector>

#include "device/feature_reports.h"
#include "device/hid_device_manager.h"

namespace qx {

constexpr unsigned kMacroUploadPauseMs = 30;
constexpr unsigned kOutputChunkPauseMs = 1;

// Feature family: one command with read-back.
void SendFeatureCommand(HidDeviceManager& manager, int index, const FeatureCommand& command);
// start, announce (announce's N says how many reports frame carries), the frame, save, end. A frame
// stopped by a failed report is still followed by save and end.
void SendFeatureFrameSession(HidDeviceManager& manager, int index, const FeatureCommand& announce,
                             const std::vector<uint8_t>& frame);
// Type 3 effect: start, announce N = 1 with P = profile, the mode report without read-back, save, end.
void SendType3ModeSession(HidDeviceManager& manager, int index, int profile, uint8_t mode);
// Macro library: 04 19, announce 04 15 N, 30 ms, the frame, 30 ms, save (no end command).
void SendFeatureMacroSession(HidDeviceManager& manager, int index, const std::vector<uint8_t>& frame);

// Output-report family. Type 5 writes without reading; type 6 waits for the receiver's answer.
void SendOutputLightMode(HidDeviceManager& manager, int index, int deviceType, uint8_t mode);
// Colour table upload: type 5 seven chunks of 56 (the last announcing 0x30), type 6 sixteen of 24.
void SendOutputColourTable(HidDeviceManager& manager, int index, int deviceType, const std::vector<uint8_t>& table);
// Key table upload: type 5 six chunks and the fixed default chunk, type 6 sixteen chunks.
void SendOutputKeyTable(HidDeviceManager& manager, int index, int deviceType, const std::vector<uint8_t>& table);
// Macro stream upload: start, chunks while the offset is within the stream, end.
void SendOutputMacroStream(HidDeviceManager& manager, int index, int deviceType, const std::vector<uint8_t>& stream);

}  // namespace qx
