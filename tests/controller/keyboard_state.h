#pragma once
// What a simulated keyboard decoded from the wire, compared with what the controller has stored
// for its current profile: the keyboard holds the stored settings when these checks pass.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/main_controller.h"
#include "device/feature_reports.h"
#include "device/key_codes.h"
#include "device/output_reports.h"
#include "device/type2_reports.h"
#include "sim/protocol_keyboards.h"

namespace qx::test {

inline int StoredLightMode(QxKBController& c, int profile) {
    std::wstring value;
    c.Database().GetConfigValue(profile, L"lightmode", value);
    return DecimalTextToInt(value);
}

inline std::vector<KeyMacroRow> StoredFunctions(QxKBController& c, int profile) {
    std::vector<KeyMacroRow> rows;
    c.Database().GetKeyMacros(profile, rows);
    return rows;
}

inline std::vector<MacroRow> StoredMacros(QxKBController& c) {
    std::vector<MacroRow> rows;
    c.Database().GetMacros(rows);
    return rows;
}

inline std::vector<MacroRecordRow> StoredSteps(QxKBController& c, int macroId) {
    std::vector<MacroRecordRow> rows;
    c.Database().GetMacroRecords(macroId, rows);
    return rows;
}

// Light index -> colour of the stored colours of profile that have a light slot.
inline std::map<int, uint32_t> StoredLedColours(QxKBController& c, int profile) {
    std::vector<KeyRgbRow> rows;
    c.Database().GetKeyRgbs(profile, rows);
    std::map<int, uint32_t> leds;
    for (const KeyRgbRow& row : rows) {
        const auto found = c.LayoutTables().lightIndex.find(static_cast<uint32_t>(row.keyCode));
        if (found != c.LayoutTables().lightIndex.end()) leds[found->second] = static_cast<uint32_t>(row.keyRgb);
    }
    return leds;
}

// Types 1 and 3: key map of the current profile (type 1 keeps one, filed under 0), its effect,
// and the macro library.
inline void ExpectFeatureKeyboardMatches(QxKBController& c, const sim::FeatureKeyboard& kb, bool customColours = false) {
    const int type = c.DeviceType();
    const int slot = type == 1 ? 0 : c.CurrentProfile();
    const std::vector<MacroRow> macros = StoredMacros(c);
    std::map<int, sim::Event4> expected;
    for (const KeyMacroRow& row : StoredFunctions(c, c.CurrentProfile())) {
        const auto index = c.LayoutTables().keyIndex.find(static_cast<uint32_t>(row.keyCode));
        if (row.macroType == 0 || index == c.LayoutTables().keyIndex.end()) continue;
        if (const auto entry = FeatureKeyEntry(row, macros); entry && *entry != sim::Event4{}) {
            expected[index->second] = *entry;
        }
    }
    const auto map = kb.keyMap.find(slot);
    ASSERT_NE(map, kb.keyMap.end()) << "no key map arrived for profile slot " << slot;
    EXPECT_EQ(map->second, expected);

    const auto mode = kb.lightMode.find(slot);
    ASSERT_NE(mode, kb.lightMode.end());
    EXPECT_EQ(mode->second, customColours ? 0x80 : StoredLightMode(c, c.CurrentProfile()));

    std::vector<std::optional<std::vector<sim::Event4>>> library;
    for (const MacroRow& macro : macros) {
        const std::vector<MacroRecordRow> steps = StoredSteps(c, macro.macroId);
        if (steps.empty()) {
            library.emplace_back(std::nullopt);
        } else {
            library.emplace_back(FeatureMacroEvents(steps));
        }
    }
    EXPECT_EQ(kb.macros, library);
    if (type == 1) EXPECT_EQ(kb.ledColours, StoredLedColours(c, c.CurrentProfile()));
    EXPECT_EQ(kb.protocolErrors, 0);
}

// Type 2: the keyboard's current profile, each stored key of it (functions and bound macros) and
// its effect.
inline void ExpectType2KeyboardMatches(QxKBController& c, const sim::Type2Keyboard& kb) {
    const int profile = c.CurrentProfile();
    EXPECT_EQ(kb.currentProfile, profile);
    std::map<int, std::array<uint8_t, 15>> keys;
    std::map<int, std::vector<uint8_t>> bound;
    for (const KeyMacroRow& row : StoredFunctions(c, profile)) {
        const uint8_t position = HidUsageToType2KeyPosition(static_cast<uint32_t>(row.keyCode));
        if (row.macroType == 0 || position == 0) continue;
        if (row.macroType == kKeyFunctionMacro) {
            bound[position] = Type2MacroEvents(StoredSteps(c, row.macroValue));
            continue;
        }
        const LargeFeatureReport report = BuildType2KeyFunction(position, row);
        std::array<uint8_t, 15> entry{};
        std::copy_n(report.begin() + 8, 15, entry.begin());
        keys[position] = entry;
    }
    std::map<int, std::array<uint8_t, 15>> held;
    if (const auto found = kb.keyEntries.find(profile); found != kb.keyEntries.end()) held = found->second;
    std::map<int, std::vector<uint8_t>> heldBound;
    if (const auto found = kb.boundEvents.find(profile); found != kb.boundEvents.end()) heldBound = found->second;
    for (const auto& [position, events] : heldBound) held.erase(position);
    EXPECT_EQ(held, keys);
    EXPECT_EQ(heldBound, bound);
    const auto code = Type2EffectCode(StoredLightMode(c, profile));
    ASSERT_TRUE(code.has_value());
    const auto effect = kb.effect.find(profile);
    ASSERT_NE(effect, kb.effect.end());
    EXPECT_EQ(effect->second, *code);
    EXPECT_EQ(kb.protocolErrors, 0);
}

// Types 5 and 6: every key slot sends its stored function or its factory default, the effect and
// the macro library.
inline void ExpectOutputKeyboardMatches(QxKBController& c, const sim::OutputKeyboard& kb) {
    const std::vector<MacroRow> macros = StoredMacros(c);
    const std::vector<uint8_t> table =
        BuildOutputKeyTable(StoredFunctions(c, c.CurrentProfile()), c.LayoutTables().keyIndex, macros);
    for (int ki = 1; ki <= kOutputMaxSlot; ++ki) {
        const std::size_t at = 3 * static_cast<std::size_t>(ki - 1);
        std::array<uint8_t, 3> expected{table[at], table[at + 1], table[at + 2]};
        // Both types upload the first 384 bytes: type 5 six chunks of 56 and a fixed last chunk of
        // 48 bytes (the factory defaults of slots 113-128), type 6 sixteen chunks of 24.
        if (at + 3 > 384) continue;
        if (c.DeviceType() == 5 && at >= 336) expected = DefaultKeyEntry(ki - 1);
        EXPECT_EQ(kb.KeyEntry(ki), expected) << "key slot " << ki;
    }
    EXPECT_EQ(kb.lightMode, StoredLightMode(c, c.CurrentProfile()));
    std::vector<std::vector<sim::Event4>> library;
    for (const MacroRow& macro : macros) library.push_back(OutputMacroEvents(StoredSteps(c, macro.macroId)));
    if (!macros.empty()) EXPECT_EQ(kb.macros, library);
    EXPECT_EQ(kb.protocolErrors, 0);
}

// The check for whichever family behavior belongs to.
inline void ExpectKeyboardMatchesStore(QxKBController& c, sim::KeyboardBehavior* behavior) {
    ASSERT_NE(behavior, nullptr);
    if (auto* feature = dynamic_cast<sim::FeatureKeyboard*>(behavior)) {
        ExpectFeatureKeyboardMatches(c, *feature);
    } else if (auto* type2 = dynamic_cast<sim::Type2Keyboard*>(behavior)) {
        ExpectType2KeyboardMatches(c, *type2);
    } else if (auto* output = dynamic_cast<sim::OutputKeyboard*>(behavior)) {
        ExpectOutputKeyboardMatches(c, *output);
    } else {
        FAIL() << "not a protocol keyboard";
    }
}

}  // namespace qx::test
