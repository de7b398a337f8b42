#pragma once
// Reports of the output-report family (device types 5 and 6): 64-byte output reports with report
// id 4, tables uploaded in chunks between a start and an end report. Pure builders.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "device/feature_reports.h"
#include "device/hid_device_manager.h"
#include "storage/config_rows.h"

namespace qx {

constexpr uint8_t kOutputReportId = 0x04;
constexpr uint8_t kOutputColourChunk = 0x0B;
constexpr uint8_t kOutputKeyMapChunk = 0x09;
constexpr uint8_t kOutputMacroChunk = 0x15;
constexpr uint8_t kOutputEffectCommand = 0x06;
constexpr std::size_t kOutputChunkData = 8;             // data start in a chunk report
constexpr std::size_t kOutputTableSize = 400;           // colour table and key table
constexpr int kOutputMaxSlot = 133;                     // last 1-based slot of a 400-byte table
constexpr uint8_t kOutputCustomColourMode = 19;
constexpr int kOutputDefaultKeySlots = 131;
static_assert(3 * kOutputMaxSlot <= kOutputTableSize);
static_assert(kOutputChunkData + 56 == kOutputReportSize);

// Chunk geometry of one device type: 56 data bytes per chunk on type 5, 24 on type 6.
std::size_t OutputChunkSize(int deviceType);

OutputReport BuildOutputStart();
OutputReport BuildOutputEnd();
// The light effect report of type 5 or 6 with mode in byte 9.
OutputReport BuildOutputLightEffect(int deviceType, uint8_t mode);
// A chunk: 04 00 00 command L offset-low offset-high 00, then dataBytes (at most 56) bytes of table
// from offset, fewer when the table ends there; the rest stays 0.
OutputReport BuildOutputChunk(uint8_t command, uint8_t length, unsigned offset, const std::vector<uint8_t>& table,
                              std::size_t dataBytes);

// 400-byte colour table: slot li (1-133) at 3 (li - 1) as red, green, blue.
std::vector<uint8_t> BuildOutputColourTable(const std::vector<KeyRgbRow>& colours,
                                            const std::map<uint32_t, int>& lightIndex);
// 400-byte key table: the defaults of slots 1-131, then every stored function of a slot 1-133.
std::vector<uint8_t> BuildOutputKeyTable(const std::vector<KeyMacroRow>& functions,
                                         const std::map<uint32_t, int>& keyIndex,
                                         const std::vector<MacroRow>& macros);
// Type 5's seventh key-map chunk: the factory defaults of 0-based slots 112-129, whatever is stored.
OutputReport BuildType5FixedKeyMapChunk();

// One macro's 4-byte events (delay after the action, action, code); delays before the first action
// are dropped, later ones replace the delay of the action before them.
std::vector<std::array<uint8_t, 4>> OutputMacroEvents(const std::vector<MacroRecordRow>& steps);
// The stream of the library: AA 55 and 14 zeros, then directory and blocks. nullopt when the frame
// would exceed 3200 bytes.
constexpr std::size_t kOutputMacroStreamHeader = 16;
constexpr std::size_t kMaxOutputMacroFrame = 3200;
std::optional<std::vector<uint8_t>> BuildOutputMacroStream(const std::vector<MacroSteps>& library);

}  // namespace qx
