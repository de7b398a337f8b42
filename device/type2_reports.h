#pragma once
// Reports of the BB AA family (device type 2): 2048-byte feature reports, report id in byte 0 and
// the marker BB AA in bytes 2-3. Pure builders.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/hid_device_manager.h"
#include "storage/config_rows.h"

namespace qx {

constexpr uint8_t kType2Marker0 = 0xBB;
constexpr uint8_t kType2Marker1 = 0xAA;
constexpr uint8_t kType2CustomColourEffect = 0xC9;
constexpr uint8_t kType2EffectOff = 0x00;
constexpr int kType2EffectCount = 10;
constexpr std::size_t kType2ColourEntries = 126;
constexpr std::size_t kType2ColourTableStart = 8;
constexpr std::size_t kType2KeyEntryStart = 0x08;
constexpr std::size_t kType2KeyEntrySize = 15;       // bytes 0x08-0x16
constexpr uint8_t kType2FirstSlot = 0xB5;
constexpr uint8_t kType2LastSlot = 0xC5;
constexpr int kType2SlotCount = kType2LastSlot - kType2FirstSlot + 1;   // 17
constexpr std::size_t kType2SlotEventsStart = 0x08;
constexpr std::size_t kType2BindEventsStart = 0x17;
constexpr std::size_t kType2SlotUsedByte = 8;         // 0 in the answer of an empty slot
static_assert(kType2ColourTableStart + 4 * kType2ColourEntries <= kLargeFeatureReportSize);
static_assert(kType2SlotCount == 17);

// The effect code of effect 1-10: 0xD3 ... 0xDB, 0x00 for "Turn Off"; nullopt for 0 (nothing is
// sent) and for numbers outside the type's list.
std::optional<uint8_t> Type2EffectCode(int effect);

// 02 06 BB AA 06 00 01 00 E
LargeFeatureReport BuildType2LightEffect(uint8_t effectCode);
// 05 06 BB AA C9 00 B8 01, then key code (low byte), red, green, blue per row; at most 126 rows.
LargeFeatureReport BuildType2ColourTable(const std::vector<KeyRgbRow>& colours);
// 02 06 BB AA 05 00 01 00 p
LargeFeatureReport BuildType2SelectProfile(int profile);
// 03 06 BB AA K 00 0F 00 and the 15-byte key entry of row (macro_type 0: all zero).
LargeFeatureReport BuildType2KeyFunction(uint8_t keyPosition, const KeyMacroRow& row);

// Macro slots 0xB5-0xC5.
LargeFeatureReport BuildType2ReadSlot(uint8_t slot);
// 04 06 BB AA s 00 C8 00 with events from byte 8 (none: the slot is cleared).
LargeFeatureReport BuildType2WriteSlot(uint8_t slot, const std::vector<uint8_t>& events);
// 04 06 BB AA K 00 D7 00, 01 01 T, 0x13 = 04, 0x14 = slot number, 0x15 = lengthCode, events from 0x17.
LargeFeatureReport BuildType2BindKey(uint8_t keyPosition, uint8_t playTimes, uint8_t slot, uint8_t lengthCode,
                                     const std::vector<uint8_t>& events);

// The 3-byte events of a macro's steps, inserted pauses included (none before the first event).
std::vector<uint8_t> Type2MacroEvents(const std::vector<MacroRecordRow>& steps);
// Writes events into report from start, as many whole events as fit in the report. Returns
// (start - end - 3) mod 256, end being the offset after the last event written.
uint8_t PutType2Events(LargeFeatureReport& report, std::size_t start, const std::vector<uint8_t>& events);

}  // namespace qx
