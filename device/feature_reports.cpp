#include "device/feature_reports.h"

#include <algorithm>

#include "device/key_codes.h"
#include "device/key_functions.h"
#include "device/report_bytes.h"

namespace qx {
namespace {
constexpr uint8_t kEndMarker0 = 0xAA;
constexpr uint8_t kEndMarker1 = 0x55;

ModeRecord BaseModeRecord(uint8_t mode, uint8_t byte1, uint8_t byte9, uint8_t byte10) {
    return {mode, byte1, 0x00, 0xFF, 0xFF, 0x00, 0x0F, 0x07, 0x01, byte9, byte10, 0x00, 0x00, 0x00,
            kEndMarker0, kEndMarker1};
}

void PutEndMarker(std::vector<uint8_t>& frame) {
    if (frame.size() < 2) return;
    frame[frame.size() - 2] = kEndMarker0;
    frame[frame.size() - 1] = kEndMarker1;
}

std::optional<int> Find(const std::map<uint32_t, int>& table, int keyCode) {
    const auto it = table.find(static_cast<uint32_t>(keyCode));
    if (it == table.end()) return std::nullopt;
    return it->second;
}

// Feature-family mouse button codes of macro steps: left 01, middle 04, right 02.
std::optional<uint8_t> FeatureMacroButton(int value) {
    switch (value) {
        case 1: return 0x01;
        case 2: return 0x04;
        case 3: return 0x02;
        default: return std::nullopt;
    }
}
}  // namespace

FeatureCommand MakeFeatureCommand(uint8_t command, uint8_t byte2, uint8_t reportCount) {
    FeatureCommand c{};
    c[0] = kFeaturePrefix;
    c[1] = command;
    c[kFeatureProfileByte] = byte2;
    c[kFeatureCountByte] = reportCount;
    return c;
}

ModeRecord Type1TableModeRecord(int entry) {
    if (entry == kType1ModeTableEntries) return BaseModeRecord(kCustomColourMode, 0x01, 0x0F, 0x0C);
    return BaseModeRecord(static_cast<uint8_t>(entry), 0x01, 0x10, 0x0C);
}

ModeRecord Type1CurrentModeRecord(uint8_t mode) { return BaseModeRecord(mode, 0x00, 0x10, 0x0C); }

ModeRecord Type3CurrentModeRecord(uint8_t mode) { return BaseModeRecord(mode, 0x00, 0x0F, 0x0F); }

std::vector<uint8_t> BuildType1LightingFrame(uint8_t mode, const std::vector<KeyRgbRow>& colours,
                                             const std::map<uint32_t, int>& lightIndex) {
    std::vector<uint8_t> frame(kType1LightingFrameSize, 0);
    for (int k = 1; k <= kType1ModeTableEntries; ++k) {
        const ModeRecord r = Type1TableModeRecord(k);
        PutBytes(frame, static_cast<std::size_t>(k - 1) * kModeRecordSize, r);
    }
    for (int j = 0; j < kType1LedCount; ++j) frame[kType1LedTable + 4 * static_cast<std::size_t>(j)] = kType1LedMarker;
    for (const KeyRgbRow& row : colours) {
        const auto li = Find(lightIndex, row.keyCode);
        if (!li || *li < 0 || *li >= kType1LedCount) continue;
        const WireColour c = ColourToWire(static_cast<uint32_t>(row.keyRgb));
        const std::size_t at = kType1LedTable + 4 * static_cast<std::size_t>(*li);
        frame[at + 1] = c.red;
        frame[at + 2] = c.green;
        frame[at + 3] = c.blue;
    }
    PutBytes(frame, kType1CurrentModeRecord, Type1CurrentModeRecord(mode));
    return frame;
}

FeatureCommand BuildType3ModeReport(uint8_t mode) {
    FeatureCommand report{};
    const ModeRecord r = Type3CurrentModeRecord(mode);
    std::copy(r.begin(), r.end(), report.begin());
    return report;
}

std::vector<uint8_t> BuildType3ColourFrame(const std::vector<KeyRgbRow>& colours,
                                           const std::map<uint32_t, int>& lightIndex) {
    std::vector<uint8_t> frame(kType3ColourFrameSize, 0);
    for (int j = 0; j < kType3ColourEntries; ++j) frame[4 * static_cast<std::size_t>(j)] = static_cast<uint8_t>(j);
    for (const KeyRgbRow& row : colours) {
        const auto li = Find(lightIndex, row.keyCode);
        if (!li || *li < 0 || *li > kType3MaxLightIndex) continue;
        const WireColour c = ColourToWire(static_cast<uint32_t>(row.keyRgb));
        const std::size_t at = 4 * static_cast<std::size_t>(*li);
        frame[at] = static_cast<uint8_t>(*li);
        frame[at + 1] = c.red;
        frame[at + 2] = c.green;
        frame[at + 3] = c.blue;
    }
    PutEndMarker(frame);
    return frame;
}

std::optional<FeatureKeyMapShape> FeatureKeyMapShapeFor(int deviceType) {
    // The last entry must end in front of the two marker bytes: (size - 2) / 4 - 1.
    if (deviceType == 1) return FeatureKeyMapShape{kType1KeyMapReports, 640, 158};
    if (deviceType == 3) return FeatureKeyMapShape{kType3KeyMapReports, 576, 142};
    return std::nullopt;
}

std::optional<std::array<uint8_t, 4>> FeatureKeyEntry(const KeyMacroRow& row, const std::vector<MacroRow>& macros) {
    switch (row.macroType) {
        case kKeyFunctionKey:
            return std::array<uint8_t, 4>{0x02, UsageOrModifierBit(row.macroValue2), UsageOrModifierBit(row.macroValue),
                                          0x00};
        case kKeyFunctionSystem: {
            const auto keys = SystemCommandKeys(row.macroValue).value_or(ModifiedUsage{});
            return std::array<uint8_t, 4>{0x02, keys.modifier, keys.usage, 0x00};
        }
        case kKeyFunctionMultimedia:
            return std::array<uint8_t, 4>{0x03, MultimediaUsage(row.macroValue).value_or(0), 0x00, 0x00};
        case kKeyFunctionMouse:
            return std::array<uint8_t, 4>{0x01, 0x01, MouseButtonBit(row.macroValue, false).value_or(0), 0x00};
        case kKeyFunctionMacro: {
            const auto index = MacroIndexByte(macros, row.macroValue);
            if (!index) return std::nullopt;
            const int playTimes = macros[*index].playTimes;
            return std::array<uint8_t, 4>{0x06, *index, static_cast<uint8_t>(playTimes > 1 ? 1 : 0),
                                          static_cast<uint8_t>(playTimes & 0xFF)};
        }
        default:
            return std::nullopt;
    }
}

std::vector<uint8_t> BuildFeatureKeyMapFrame(int deviceType, const std::vector<KeyMacroRow>& functions,
                                             const std::map<uint32_t, int>& keyIndex,
                                             const std::vector<MacroRow>& macros) {
    const auto shape = FeatureKeyMapShapeFor(deviceType);
    if (!shape) return {};
    std::vector<uint8_t> frame(shape->size, 0);
    for (const KeyMacroRow& row : functions) {
        if (row.macroType == 0) continue;
        const auto ki = Find(keyIndex, row.keyCode);
        if (!ki || *ki < 0 || *ki > shape->maxKeyIndex) continue;
        const auto entry = FeatureKeyEntry(row, macros);
        if (entry) PutBytes(frame, 4 * static_cast<std::size_t>(*ki), *entry);
    }
    PutEndMarker(frame);
    return frame;
}

std::vector<std::array<uint8_t, 4>> FeatureMacroEvents(const std::vector<MacroRecordRow>& steps) {
    std::vector<std::array<uint8_t, 4>> events;
    bool afterDelay = false;   // the delay mark: clear at the start of each block
    for (const MacroRecordRow& step : steps) {
        std::array<uint8_t, 4> event{};
        switch (step.type) {
            case kMacroStepDelay: {
                const unsigned ms = static_cast<unsigned>(step.value);   // the low 16 bits travel
                events.push_back({static_cast<uint8_t>(ms & 0xFF), static_cast<uint8_t>((ms >> 8) & 0xFF), 0x00, 0x50});
                afterDelay = true;
                continue;
            }
            case kMacroStepKeyDown: event = {0x00, 0x00, VkToHidUsage(static_cast<uint32_t>(step.value)), 0xB0}; break;
            case kMacroStepKeyUp: event = {0x00, 0x00, VkToHidUsage(static_cast<uint32_t>(step.value)), 0x30}; break;
            case kMacroStepMouseDown:
            case kMacroStepMouseUp:
                if (const auto button = FeatureMacroButton(step.value)) {
                    event = {0x00, 0x00, *button, static_cast<uint8_t>(step.type == kMacroStepMouseDown ? 0x90 : 0x10)};
                }
                break;
            default:
                events.push_back({0, 0, 0, 0});   // unknown step: a blank event, the mark stays
                continue;
        }
        if (!afterDelay && !events.empty()) events.push_back({0x0A, 0x00, 0x00, 0x50});
        events.push_back(event);
        afterDelay = false;
    }
    return events;
}

std::optional<std::vector<uint8_t>> BuildFeatureMacroFrame(const std::vector<MacroSteps>& library) {
    std::vector<uint8_t> frame(kFeatureMacroBlocksStart, 0);
    std::size_t p = kFeatureMacroBlocksStart;
    const std::size_t count = std::min(library.size(), kFeatureMacroDirectoryEntries);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t dir = 4 * i;
        if (library[i].steps.empty()) {
            std::fill_n(frame.begin() + static_cast<std::ptrdiff_t>(dir), 4, 0xFF);
            continue;
        }
        const auto events = FeatureMacroEvents(library[i].steps);
        const std::size_t blockSize = 8 + 4 * events.size();
        if (p + blockSize + kFeatureFrameReport > kMaxFeatureMacroFrame) return std::nullopt;
        PutLe16(frame, dir, static_cast<unsigned>(p));
        frame.resize(p + blockSize, 0);
        PutLe16(frame, p, static_cast<unsigned>(events.size()));
        for (std::size_t e = 0; e < events.size(); ++e) PutBytes(frame, p + 8 + 4 * e, events[e]);
        p += blockSize;
    }
    const std::size_t reports = (p + kFeatureFrameReport - 1) / kFeatureFrameReport + 1;
    if (reports * kFeatureFrameReport > kMaxFeatureMacroFrame) return std::nullopt;
    frame.resize(reports * kFeatureFrameReport, 0);
    PutEndMarker(frame);
    return frame;
}

}  // namespace qx
