#pragma once
// Small helpers shared by the report builders: little-endian fields, colours on the wire and
// bounds-checked writes into fixed report buffers.
#include <cstddef>
#include <cstdint>
#include <span>

namespace qx {

// A Windows COLORREF (red in the low byte) as the keyboards want it: red, green, blue.
struct WireColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

constexpr WireColour ColourToWire(uint32_t colorref) {
    return {static_cast<uint8_t>(colorref & 0xFF), static_cast<uint8_t>((colorref >> 8) & 0xFF),
            static_cast<uint8_t>((colorref >> 16) & 0xFF)};
}

constexpr uint32_t WireToColour(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) | (static_cast<uint32_t>(blue) << 16);
}

// Writes value's low 16 bits at out[at], low byte first; nothing when the field does not fit.
inline void PutLe16(std::span<uint8_t> out, std::size_t at, unsigned value) {
    if (at + 2 > out.size()) return;
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

inline unsigned GetLe16(std::span<const uint8_t> in, std::size_t at) {
    if (at + 2 > in.size()) return 0;
    return static_cast<unsigned>(in[at]) | (static_cast<unsigned>(in[at + 1]) << 8);
}

// Copies bytes to out[at...]; false (and nothing written) when they would not fit.
inline bool PutBytes(std::span<uint8_t> out, std::size_t at, std::span<const uint8_t> bytes) {
    if (at > out.size() || bytes.size() > out.size() - at) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) out[at + i] = bytes[i];
    return true;
}

// Delays of macro steps are carried as 16-bit milliseconds; anything outside is clamped.
constexpr unsigned ClampDelayMs(int ms) {
    return ms < 0 ? 0u : ms > 0xFFFF ? 0xFFFFu : static_cast<unsigned>(ms);
}

}  // namespace qx
