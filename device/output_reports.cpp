#include "device/output_reports.h"

#include <algorithm>

#include "device/key_codes.h"
#include "device/key_functions.h"
#include "device/report_bytes.h"

namespace qx {
namespace {
std::optional<int> Find(const std::map<uint32_t, int>& table, int keyCode) {
    const auto it = table.find(static_cast<uint32_t>(keyCode));
    if (it == table.end()) return std::nullopt;
    return it->second;
}

uint8_t OutputButton(int value) {
    switch (value) {
        case 1: return 0x01;
        case 2: return 0x02;
        case 3: return 0x04;
        default: return 0x00;
    }
}

std::vector<uint8_t> DefaultKeyTable() {
    std::vector<uint8_t> table(kOutputTableSize, 0);
    for (int k = 0; k < kOutputDefaultKeySlots; ++k) PutBytes(table, 3 * static_cast<std::size_t>(k), DefaultKeyEntry(k));
    return table;
}

// Overwrites entry with the bytes of a stored function; false when the function leaves the default.
bool PutOutputKeyEntry(std::span<uint8_t> entry, const KeyMacroRow& row, const std::vector<MacroRow>& macros) {
    switch (row.macroType) {
        case kKeyFunctionKey:
            entry[0] = 0x20;
            entry[1] = UsageOrModifierBit(row.macroValue2);
            entry[2] = UsageOrModifierBit(row.macroValue);
            return true;
        case kKeyFunctionSystem:
            entry[0] = 0x20;
            if (const auto keys = SystemCommandKeys(row.macroValue)) {
                entry[1] = keys->modifier;
                entry[2] = keys->usage;
            }
            return true;
        case kKeyFunctionMultimedia:
            entry[0] = 0x30;
            if (const auto usage = MultimediaUsage(row.macroValue)) {
                entry[1] = *usage;
                entry[2] = 0x00;
            }
            return true;
        case kKeyFunctionMouse:
            entry[0] = 0x10;
            if (const auto bit = MouseButtonBit(row.macroValue, true)) {
                entry[1] = *bit;
                entry[2] = 0x00;
            }
            return true;
        case kKeyFunctionMacro:
            if (const auto index = MacroIndexByte(macros, row.macroValue)) {
                entry[0] = 0x71;
                entry[1] = *index;
                entry[2] = 0x00;
                return true;
            }
            return false;
        default:
            return false;
    }
}
}  // namespace

std::size_t OutputChunkSize(int deviceType) { return deviceType == 6 ? 24 : 56; }

OutputReport BuildOutputStart() { return OutputReport{kOutputReportId, 0x01, 0x00, 0x01}; }

OutputReport BuildOutputEnd() { return OutputReport{kOutputReportId, 0x02, 0x00, 0x02}; }

OutputReport BuildOutputLightEffect(int deviceType, uint8_t mode) {
    OutputReport r{};
    r[0] = kOutputReportId;
    r[1] = deviceType == 6 ? 0x24 : 0x00;
    r[2] = 0x03;
    r[3] = kOutputEffectCommand;
    r[4] = deviceType == 6 ? 0x18 : 0x38;
    r[8] = 0x00;
    r[9] = mode;
    r[0x0A] = 0x04;
    r[0x0D] = 0x01;
    r[0x0E] = 0xFF;
    r[0x0F] = 0xFF;
    r[0x10] = 0xFF;
    r[0x1C] = 0x01;
    return r;
}

OutputReport BuildOutputChunk(uint8_t command, uint8_t length, unsigned offset, const std::vector<uint8_t>& table,
                              std::size_t dataBytes) {
    OutputReport r{};
    r[0] = kOutputReportId;
    r[3] = command;
    r[4] = length;
    PutLe16(r, 5, offset);
    if (offset < table.size()) {
        const std::size_t n =
            std::min({table.size() - offset, kOutputReportSize - kOutputChunkData, dataBytes});
        std::copy_n(table.begin() + static_cast<std::ptrdiff_t>(offset), n, r.begin() + kOutputChunkData);
    }
    return r;
}

std::vector<uint8_t> BuildOutputColourTable(const std::vector<KeyRgbRow>& colours,
                                            const std::map<uint32_t, int>& lightIndex) {
    std::vector<uint8_t> table(kOutputTableSize, 0);
    for (const KeyRgbRow& row : colours) {
        const auto li = Find(lightIndex, row.keyCode);
        if (!li || *li < 1 || *li > kOutputMaxSlot) continue;
        const WireColour c = ColourToWire(static_cast<uint32_t>(row.keyRgb));
        const std::size_t at = 3 * static_cast<std::size_t>(*li - 1);
        table[at] = c.red;
        table[at + 1] = c.green;
        table[at + 2] = c.blue;
    }
    return table;
}

std::vector<uint8_t> BuildOutputKeyTable(const std::vector<KeyMacroRow>& functions,
                                         const std::map<uint32_t, int>& keyIndex,
                                         const std::vector<MacroRow>& macros) {
    std::vector<uint8_t> table = DefaultKeyTable();
    for (const KeyMacroRow& row : functions) {
        if (row.macroType == 0) continue;
        const auto ki = Find(keyIndex, row.keyCode);
        if (!ki || *ki < 1 || *ki > kOutputMaxSlot) continue;
        PutOutputKeyEntry(std::span<uint8_t>(table).subspan(3 * static_cast<std::size_t>(*ki - 1), 3), row, macros);
    }
    return table;
}

OutputReport BuildType5FixedKeyMapChunk() {
    OutputReport r = BuildOutputChunk(kOutputKeyMapChunk, 0x30, 0x150, DefaultKeyTable(), 56);
    return r;
}

std::vector<std::array<uint8_t, 4>> OutputMacroEvents(const std::vector<MacroRecordRow>& steps) {
    std::vector<std::array<uint8_t, 4>> events;
    for (const MacroRecordRow& step : steps) {
        if (step.type == kMacroStepDelay) {
            if (events.empty()) continue;   // nothing to wait after yet
            const unsigned ms = ClampDelayMs(step.value);
            events.back()[0] = static_cast<uint8_t>(ms & 0xFF);
            events.back()[1] = static_cast<uint8_t>(ms >> 8);
            continue;
        }
        std::array<uint8_t, 4> e{};
        switch (step.type) {
            case kMacroStepKeyDown: e[2] = 0x8A; e[3] = VkToHidUsage(static_cast<uint32_t>(step.value)); break;
            case kMacroStepKeyUp: e[2] = 0x0A; e[3] = VkToHidUsage(static_cast<uint32_t>(step.value)); break;
            case kMacroStepMouseDown: e[2] = 0x81; e[3] = OutputButton(step.value); break;
            case kMacroStepMouseUp: e[2] = 0x01; e[3] = OutputButton(step.value); break;
            default: break;
        }
        events.push_back(e);
    }
    return events;
}

std::optional<std::vector<uint8_t>> BuildOutputMacroStream(const std::vector<MacroSteps>& library) {
    std::vector<std::vector<std::array<uint8_t, 4>>> blocks;
    std::size_t frameSize = 2 * library.size();
    for (const MacroSteps& m : library) {
        blocks.push_back(OutputMacroEvents(m.steps));
        frameSize += 4 + 4 * blocks.back().size();
        if (frameSize > kMaxOutputMacroFrame) return std::nullopt;
    }
    std::vector<uint8_t> stream(kOutputMacroStreamHeader + frameSize, 0);
    stream[0] = 0xAA;
    stream[1] = 0x55;
    std::span<uint8_t> frame = std::span<uint8_t>(stream).subspan(kOutputMacroStreamHeader);
    std::size_t at = 2 * library.size();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        PutLe16(frame, 2 * i, static_cast<unsigned>(at + kOutputMacroStreamHeader));
        PutLe16(frame, at, static_cast<unsigned>(blocks[i].size()));
        for (std::size_t e = 0; e < blocks[i].size(); ++e) PutBytes(frame, at + 4 + 4 * e, blocks[i][e]);
        at += 4 + 4 * blocks[i].size();
    }
    return stream;
}

}  // namespace qx
