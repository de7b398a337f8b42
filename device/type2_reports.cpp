#include "device/type2_reports.h"

#include <algorithm>

#include "device/key_codes.h"
#include "device/key_functions.h"
#include "device/report_bytes.h"

namespace qx {
namespace {
constexpr uint8_t kEffectBase = 0xD2;

LargeFeatureReport Header(uint8_t reportId, uint8_t command, unsigned length) {
    LargeFeatureReport r{};
    r[0] = reportId;
    r[1] = 0x06;
    r[2] = kType2Marker0;
    r[3] = kType2Marker1;
    r[4] = command;
    PutLe16(r, 6, length);
    return r;
}

// Buttons of the BB AA and output-report families: left 01, middle 02, right 04.
uint8_t Type2Button(int value) {
    switch (value) {
        case 1: return 0x01;
        case 2: return 0x02;
        case 3: return 0x04;
        default: return 0x00;
    }
}
}  // namespace

std::optional<uint8_t> Type2EffectCode(int effect) {
    if (effect >= 1 && effect < kType2EffectCount) return static_cast<uint8_t>(kEffectBase + effect);
    if (effect == kType2EffectCount) return kType2EffectOff;
    return std::nullopt;
}

LargeFeatureReport BuildType2LightEffect(uint8_t effectCode) {
    LargeFeatureReport r = Header(0x02, 0x06, 1);
    r[8] = effectCode;
    return r;
}

LargeFeatureReport BuildType2ColourTable(const std::vector<KeyRgbRow>& colours) {
    LargeFeatureReport r = Header(0x05, kType2CustomColourEffect, 0x01B8);
    const std::size_t n = std::min(colours.size(), kType2ColourEntries);
    for (std::size_t i = 0; i < n; ++i) {
        const WireColour c = ColourToWire(static_cast<uint32_t>(colours[i].keyRgb));
        const std::size_t at = kType2ColourTableStart + 4 * i;
        r[at] = static_cast<uint8_t>(colours[i].keyCode & 0xFF);
        r[at + 1] = c.red;
        r[at + 2] = c.green;
        r[at + 3] = c.blue;
    }
    return r;
}

LargeFeatureReport BuildType2SelectProfile(int profile) {
    LargeFeatureReport r = Header(0x02, 0x05, 1);
    r[8] = static_cast<uint8_t>(profile);
    return r;
}

LargeFeatureReport BuildType2KeyFunction(uint8_t keyPosition, const KeyMacroRow& row) {
    LargeFeatureReport r = Header(0x03, keyPosition, 0x0F);
    if (row.macroType == 0) return r;
    r[0x08] = 0x01;
    if (row.macroType == kKeyFunctionMouse) {
        r[0x13] = 0x01;
        r[0x14] = MouseButtonBit(row.macroValue, false).value_or(0);
        return r;
    }
    r[0x09] = 0x01;
    r[0x0A] = 0x01;
    switch (row.macroType) {
        case kKeyFunctionKey:
            r[0x13] = 0x02;
            if (row.macroValue == 0 && row.macroValue2 >= 0xE0 && row.macroValue2 <= 0xE7) {
                // A modifier on its own is sent as the key it is, not as a modifier bit.
                r[0x15] = static_cast<uint8_t>(row.macroValue2);
            } else {
                r[0x14] = UsageOrModifierBit(row.macroValue2);
                r[0x15] = UsageOrModifierBit(row.macroValue);
            }
            break;
        case kKeyFunctionSystem: {
            r[0x13] = 0x02;
            const auto keys = SystemCommandKeys(row.macroValue).value_or(ModifiedUsage{});
            r[0x14] = keys.modifier;
            r[0x15] = keys.usage;
            break;
        }
        case kKeyFunctionMultimedia:
            r[0x13] = 0x03;
            r[0x15] = MultimediaUsage(row.macroValue).value_or(0);
            break;
        default:
            break;
    }
    return r;
}

LargeFeatureReport BuildType2ReadSlot(uint8_t slot) {
    LargeFeatureReport r = Header(0x02, slot, 0x0F);
    r[1] = 0x07;
    return r;
}

LargeFeatureReport BuildType2WriteSlot(uint8_t slot, const std::vector<uint8_t>& events) {
    LargeFeatureReport r = Header(0x04, slot, 0xC8);
    PutType2Events(r, kType2SlotEventsStart, events);
    return r;
}

LargeFeatureReport BuildType2BindKey(uint8_t keyPosition, uint8_t playTimes, uint8_t slot, uint8_t lengthCode,
                                     const std::vector<uint8_t>& events) {
    LargeFeatureReport r = Header(0x04, keyPosition, 0xD7);
    r[0x08] = 0x01;
    r[0x09] = 0x01;
    r[0x0A] = playTimes;
    r[0x13] = 0x04;
    r[0x14] = static_cast<uint8_t>(slot - kType2FirstSlot);
    r[0x15] = lengthCode;
    r[0x16] = 0x00;
    PutType2Events(r, kType2BindEventsStart, events);
    return r;
}

std::vector<uint8_t> Type2MacroEvents(const std::vector<MacroRecordRow>& steps) {
    std::vector<uint8_t> events;
    bool afterDelay = true;   // set at the start: the first event gets no pause in front
    auto add = [&](uint8_t a, uint8_t b, uint8_t c) {
        events.push_back(a);
        events.push_back(b);
        events.push_back(c);
    };
    for (const MacroRecordRow& step : steps) {
        uint8_t action = 0;
        uint8_t code = 0;
        switch (step.type) {
            case kMacroStepDelay: {
                const unsigned ms = static_cast<unsigned>(step.value);
                add(0x06, static_cast<uint8_t>(ms & 0xFF), static_cast<uint8_t>((ms >> 8) & 0xFF));
                afterDelay = true;
                continue;
            }
            case kMacroStepKeyDown: action = 0x84; code = VkToHidUsage(static_cast<uint32_t>(step.value)); break;
            case kMacroStepKeyUp: action = 0x04; code = VkToHidUsage(static_cast<uint32_t>(step.value)); break;
            case kMacroStepMouseDown: action = 0x81; code = Type2Button(step.value); break;
            case kMacroStepMouseUp: action = 0x01; code = Type2Button(step.value); break;
            default:
                add(0, 0, 0);   // unknown step: a blank event, the mark stays
                continue;
        }
        if (!afterDelay) add(0x06, 0x10, 0x00);
        add(action, code, 0x00);
        afterDelay = false;
    }
    return events;
}

uint8_t PutType2Events(LargeFeatureReport& report, std::size_t start, const std::vector<uint8_t>& events) {
    std::size_t end = std::min(start, report.size());
    const std::size_t room = (report.size() - end) / 3 * 3;
    const std::size_t n = std::min(events.size() / 3 * 3, room);
    std::copy_n(events.begin(), n, report.begin() + static_cast<std::ptrdiff_t>(end));
    end += n;
    return static_cast<uint8_t>((static_cast<long long>(start) - static_cast<long long>(end) - 3) & 0xFF);
}

}  // namespace qx
