#pragma once
// Simulated keyboards that understand their protocol family: they decode what they are sent into
// the state a real keyboard would hold (key map, light effect, per-LED colours, macro library or
// type-2 macro slots) and answer slot reads as the keyboard does. Reports a keyboard could not make
// sense of are counted, never acted on.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "sim/simulated_hid.h"

namespace qx::sim {

using Event4 = std::array<uint8_t, 4>;

// Feature family (types 1 and 3): commands with read-back, frames announced by them. A frame
// takes effect once all its announced reports have arrived.
class FeatureKeyboard : public KeyboardBehavior {
public:
    explicit FeatureKeyboard(int deviceType) : deviceType_(deviceType) {}
    void OnFeatureReport(const std::vector<uint8_t>& report) override;

    // Profile 0 holds what type 1 is sent (it has no profiles on the wire).
    std::map<int, int> lightMode;                            // profile -> effect
    std::map<int, uint32_t> ledColours;                      // light index -> COLORREF, set colours only
    std::map<int, std::map<int, Event4>> keyMap;             // profile -> key index -> entry (non-zero)
    // Macro library by list index: the events of a block, nullopt for a macro without steps.
    std::vector<std::optional<std::vector<Event4>>> macros;
    int framesApplied = 0;
    int macroLibraries = 0;
    int saves = 0;
    int ends = 0;
    int protocolErrors = 0;

private:
    enum class Frame { None, Lighting, Colours, KeyMap, Macros };
    void Command(const std::vector<uint8_t>& data);
    void Apply();
    void ApplyLighting();
    void ApplyColours();
    void ApplyKeyMap();
    void ApplyMacros();

    int deviceType_;
    Frame pending_ = Frame::None;
    int pendingProfile_ = 0;
    unsigned pendingReports_ = 0;
    std::vector<uint8_t> frame_;
};

// BB AA family (type 2): one key map and light setting per profile on the keyboard, 17 macro slots.
class Type2Keyboard : public KeyboardBehavior {
public:
    static constexpr int kSlots = 17;
    void OnFeatureReport(const std::vector<uint8_t>& report) override;
    void AnswerFeatureReport(std::vector<uint8_t>& answer) override;

    int currentProfile = 1;
    std::map<int, std::map<int, std::array<uint8_t, 15>>> keyEntries;   // profile -> key position -> 0x08-0x16
    std::map<int, std::map<int, std::vector<uint8_t>>> boundEvents;     // profile -> key position -> events
    std::map<int, uint8_t> effect;                                      // profile -> effect code
    std::map<int, std::vector<Event4>> colourTable;                     // profile -> code, r, g, b
    std::array<std::vector<uint8_t>, kSlots> slots;                     // events; empty = free
    int slotReads = 0;
    int protocolErrors = 0;

private:
    std::optional<int> pendingRead_;
};

// Output-report family (types 5 and 6): tables arrive in chunks between start and end and take
// effect with the end report.
class OutputKeyboard : public KeyboardBehavior {
public:
    explicit OutputKeyboard(int deviceType);
    std::optional<std::vector<uint8_t>> OnOutputReport(const std::vector<uint8_t>& report) override;

    int lightMode = 0;
    std::vector<uint8_t> colourTable;   // 400 bytes: slot li at 3 (li - 1)
    std::vector<uint8_t> keyTable;      // 400 bytes: slot ki at 3 (ki - 1)
    std::vector<std::vector<Event4>> macros;
    int sessions = 0;
    int macroLibraries = 0;
    int protocolErrors = 0;

    // COLORREF of light slot li (0 when none), and the 3 bytes key slot ki sends.
    uint32_t LedColour(int li) const;
    std::array<uint8_t, 3> KeyEntry(int ki) const;

private:
    void Chunk(const std::vector<uint8_t>& report, std::vector<uint8_t>& target, std::size_t capacity);
    void ApplyMacroStream();

    int deviceType_;
    bool inSession_ = false;
    std::optional<int> stagedMode_;
    std::optional<std::vector<uint8_t>> stagedColours_;
    std::optional<std::vector<uint8_t>> stagedKeys_;
    std::optional<std::vector<uint8_t>> stagedMacros_;
    std::size_t macroExtent_ = 0;
};

// The protocol-aware keyboard of a device type (1, 2, 3, 5, 6); the echoing default for others.
std::unique_ptr<KeyboardBehavior> MakeProtocolKeyboard(int deviceType);

}  // namespace qx::sim
