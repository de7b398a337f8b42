#pragma once
// Fixed conversions between the key numbering schemes the program meets: Windows virtual-key
// codes (macro recorder, custom key dialog), HID keyboard usages (layout file, stored key
// functions) and the slot numbers of particular keyboards. Pure functions without state; an
// input no table lists gives the stated default, so any value is safe to pass.
#include <array>
#include <cstdint>

namespace qx {

// HID keyboard usage (usage page 0x07) of a virtual-key code, or 0 when the key has none.
// Besides the real codes 0-255 the recorder produces the pseudo codes 301, 302 and 666.
// The generic VK_SHIFT/VK_CONTROL/VK_MENU (0x10-0x12) give 0: only the sided codes map.
uint8_t VkToHidUsage(uint32_t virtualKey);

// Modifier bit (0x01 left Ctrl ... 0x80 right GUI) of the modifier usages 0xE0-0xE7; every other
// value comes back unchanged, so ordinary usages pass through the same call.
uint32_t ModifierUsageToBit(uint32_t usage);

// Key position byte the type-2 keyboard (61 keys) uses to address a key, or 0 for a usage that
// keyboard has no key for.
uint8_t HidUsageToType2KeyPosition(uint32_t usage);

// Kinds of the factory key entries of the output-report keyboards.
constexpr uint8_t kKeyEntryNone = 0x00;
constexpr uint8_t kKeyEntryKeyboard = 0x20;   // second byte modifier bits, third byte usage
constexpr uint8_t kKeyEntryConsumer = 0x30;   // second byte the consumer usage (page 0x0C)
constexpr uint8_t kKeyEntryInternal = 0xA0;   // second byte a keyboard-internal function code

constexpr int kDefaultKeySlots = 131;         // 0-based key slots 0-130
constexpr int kKeyEntrySize = 3;

using KeyEntry = std::array<uint8_t, kKeyEntrySize>;   // kind, second byte, third byte

// Factory function of the 0-based key slot k of the output-report keyboards (types 5 and 6).
// A slot outside 0-130 has no function: 00 00 00.
KeyEntry DefaultKeyEntry(int k);

}  // namespace qx
