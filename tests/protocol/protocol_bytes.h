#pragma once
// Byte helpers for the protocol tests: reports written as hex text, slices of reports, and
// stored rows built in one line.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "sim/wire_log.h"
#include "storage/config_rows.h"

namespace qx::test {

// "02 06 BB AA" -> {0x02, 0x06, 0xBB, 0xAA}.
inline std::vector<uint8_t> Hex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    std::string part;
    while (in >> part) bytes.push_back(static_cast<uint8_t>(std::strtoul(part.c_str(), nullptr, 16)));
    return bytes;
}

inline std::vector<uint8_t> Slice(std::span<const uint8_t> bytes, std::size_t at, std::size_t n) {
    if (at >= bytes.size()) return {};
    n = std::min(n, bytes.size() - at);
    return std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
}

inline std::string HexText(std::span<const uint8_t> bytes) {
    return sim::HexBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}
inline std::string HexText(std::initializer_list<uint8_t> bytes) { return sim::HexBytes(std::vector<uint8_t>(bytes)); }

// The bytes at offset equal the hex text.
inline ::testing::AssertionResult BytesAt(std::span<const uint8_t> bytes, std::size_t at, const std::string& hex) {
    const std::vector<uint8_t> want = Hex(hex);
    const std::vector<uint8_t> got = Slice(bytes, at, want.size());
    if (got == want) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at 0x" << std::hex << at << ": got [" << sim::HexBytes(got)
                                         << "], want [" << sim::HexBytes(want) << "]";
}

// Every byte in [from, to) is zero.
inline ::testing::AssertionResult ZeroFrom(std::span<const uint8_t> bytes, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < bytes.size(); ++i) {
        if (bytes[i] != 0) {
            return ::testing::AssertionFailure() << "byte 0x" << std::hex << i << " is 0x" << int(bytes[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

inline KeyRgbRow Colour(int keyCode, int colorref, int profile = 1) {
    KeyRgbRow row;
    row.profile = profile;
    row.light = kKeyRgbLight;
    row.keyCode = keyCode;
    row.keyRgb = colorref;
    return row;
}

inline KeyMacroRow Function(int keyCode, int type, int value = 0, int value2 = 0, int profile = 1) {
    KeyMacroRow row;
    row.profile = profile;
    row.keyCode = keyCode;
    row.macroType = type;
    row.macroValue = value;
    row.macroValue2 = value2;
    return row;
}

inline MacroRow Macro(int id, int playTimes = 1) {
    MacroRow row;
    row.macroId = id;
    row.playTimes = playTimes;
    return row;
}

inline MacroRecordRow Step(int type, int value) {
    MacroRecordRow row;
    row.type = type;
    row.value = value;
    return row;
}

// Virtual-key code of the letter A.
constexpr int kVkA = 0x41;

}  // namespace qx::test
