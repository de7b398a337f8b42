#pragma once
// Reports of the feature family (device types 1 and 3): 64-byte command reports answered by a
// read-back, and the data frames announced by them (lighting, colours, key map, macro library).
// Pure builders: stored rows and layout tables in, bytes out.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "storage/config_rows.h"

namespace qx {

constexpr std::size_t kFeatureCommandSize = 64;   // data bytes; the manager adds report id 0
using FeatureCommand = std::array<uint8_t, kFeatureCommandSize>;

constexpr uint8_t kFeaturePrefix = 0x04;
constexpr uint8_t kFeatureStart = 0x18;
constexpr uint8_t kFeatureSave = 0x02;
constexpr uint8_t kFeatureEnd = 0xF0;
constexpr uint8_t kFeatureAnnounceLighting = 0x13;
constexpr uint8_t kFeatureAnnounceColours = 0x23;
constexpr uint8_t kFeatureAnnounceKeyMap = 0x11;
constexpr uint8_t kFeatureMacroStart = 0x19;
constexpr uint8_t kFeatureAnnounceMacros = 0x15;
constexpr uint8_t kFeatureColourTarget = 0x81;    // byte 2 of the colour announce
constexpr std::size_t kFeatureProfileByte = 2;
constexpr std::size_t kFeatureCountByte = 8;

// 04 cmd, optionally with byte 2 and the report count N in byte 8.
FeatureCommand MakeFeatureCommand(uint8_t command, uint8_t byte2 = 0, uint8_t reportCount = 0);

// Frame sizes: reports of 64 data bytes.
constexpr std::size_t kFeatureFrameReport = 64;
constexpr uint8_t kType1LightingReports = 0x12;
constexpr std::size_t kType1LightingFrameSize = kType1LightingReports * kFeatureFrameReport;   // 1152
constexpr uint8_t kType3ModeReports = 1;
constexpr uint8_t kType3ColourReports = 9;
constexpr std::size_t kType3ColourFrameSize = kType3ColourReports * kFeatureFrameReport;        // 576
constexpr uint8_t kType1KeyMapReports = 10;
constexpr uint8_t kType3KeyMapReports = 9;
constexpr std::size_t kMaxFeatureMacroFrame = 3200;
constexpr std::size_t kFeatureMacroDirectoryEntries = 100;
constexpr std::size_t kFeatureMacroBlocksStart = 0x190;

// Mode records (16 bytes) and where they lie in the type 1 lighting frame.
constexpr std::size_t kModeRecordSize = 16;
using ModeRecord = std::array<uint8_t, kModeRecordSize>;
constexpr int kType1ModeTableEntries = 20;
constexpr std::size_t kType1LedTable = 0x200;
constexpr int kType1LedCount = 144;            // light indexes 0-143
constexpr std::size_t kType1CurrentModeRecord = 0x440;
constexpr uint8_t kCustomColourMode = 0x80;     // types 1 and 3: keys show their own colours
constexpr uint8_t kType1LedMarker = 0x80;
static_assert(kType1LedTable + kType1LedCount * 4 == kType1CurrentModeRecord);
static_assert(kType1CurrentModeRecord + kModeRecordSize <= kType1LightingFrameSize);

constexpr int kType3ColourEntries = 126;        // entries 0-125 carry their own index
constexpr int kType3MaxLightIndex = 142;        // the last entry in front of the end marker
static_assert((kType3MaxLightIndex + 1) * 4 <= kType3ColourFrameSize - 2);

// Type 1: entry k of the fixed table (1-20); type 1 and type 3 current-mode records.
ModeRecord Type1TableModeRecord(int entry);
ModeRecord Type1CurrentModeRecord(uint8_t mode);
ModeRecord Type3CurrentModeRecord(uint8_t mode);

// The type 1 lighting frame: 20 table records, the 144 LED entries (80 r g b) of the colours whose
// key code has a light index 0-143, and the current-mode record. Colours without a light index, or
// beyond the LED table, are skipped.
std::vector<uint8_t> BuildType1LightingFrame(uint8_t mode, const std::vector<KeyRgbRow>& colours,
                                             const std::map<uint32_t, int>& lightIndex);
// The one data report of a type 3 effect change: the current-mode record, then zeros.
FeatureCommand BuildType3ModeReport(uint8_t mode);
// The type 3 colour frame: entry j = j r g b, light indexes above 142 skipped, AA 55 at the end.
std::vector<uint8_t> BuildType3ColourFrame(const std::vector<KeyRgbRow>& colours,
                                           const std::map<uint32_t, int>& lightIndex);

// Key map frame geometry per type: 10 or 9 reports, the end marker in the last two bytes.
struct FeatureKeyMapShape {
    uint8_t reports;
    std::size_t size;
    int maxKeyIndex;   // the last key index whose 4-byte entry lies in front of the end marker
};
std::optional<FeatureKeyMapShape> FeatureKeyMapShapeFor(int deviceType);

// The 4-byte entry of one stored function; nullopt when it sends nothing (type 0, unknown type,
// or a macro that is not in macros).
std::optional<std::array<uint8_t, 4>> FeatureKeyEntry(const KeyMacroRow& row, const std::vector<MacroRow>& macros);
// The whole key map frame of type 1 or 3 (empty for other types).
std::vector<uint8_t> BuildFeatureKeyMapFrame(int deviceType, const std::vector<KeyMacroRow>& functions,
                                             const std::map<uint32_t, int>& keyIndex,
                                             const std::vector<MacroRow>& macros);

// One macro of the library: its steps in record_index order.
struct MacroSteps {
    MacroRow macro;
    std::vector<MacroRecordRow> steps;
};

// The 4-byte events of one macro's block (inserted pauses included).
std::vector<std::array<uint8_t, 4>> FeatureMacroEvents(const std::vector<MacroRecordRow>& steps);
// The macro library frame: directory of the first 100 macros, their blocks, zero padding to a
// whole number of reports plus one, AA 55 at the end. nullopt when it would exceed 3200 bytes.
std::optional<std::vector<uint8_t>> BuildFeatureMacroFrame(const std::vector<MacroSteps>& library);

}  // namespace qx
