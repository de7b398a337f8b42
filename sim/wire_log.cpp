#include "sim/wire_log.h"

#include <algorithm>
#include <cstdio>

namespace qx::sim {

std::vector<WireEvent> WireLog::Only(std::initializer_list<WireKind> kinds) const {
    std::vector<WireEvent> result;
    for (const WireEvent& e : events_) {
        if (std::find(kinds.begin(), kinds.end(), e.kind) != kinds.end()) result.push_back(e);
    }
    return result;
}

std::vector<std::vector<uint8_t>> WireLog::SentReports() const {
    std::vector<std::vector<uint8_t>> result;
    for (const WireEvent& e : events_) {
        if (e.kind == WireKind::SendFeature || e.kind == WireKind::Write) result.push_back(e.bytes);
    }
    return result;
}

unsigned WireLog::TotalPauseMs() const {
    unsigned total = 0;
    for (const WireEvent& e : events_) {
        if (e.kind == WireKind::Pause) total += e.ms;
    }
    return total;
}

std::string HexBytes(const std::vector<uint8_t>& bytes, std::size_t limit) {
    std::string text;
    const std::size_t n = std::min(limit, bytes.size());
    for (std::size_t i = 0; i < n; ++i) {
        char part[4];
        std::snprintf(part, sizeof part, "%02X", bytes[i]);
        if (i) text += ' ';
        text += part;
    }
    if (n < bytes.size()) text += " ...";
    return text;
}

std::string DescribeEvent(const WireEvent& event, std::size_t byteLimit) {
    static const char* const names[] = {"send-feature", "get-feature", "write", "read",
                                        "pause", "timer-resolution", "open", "close", "timer-release"};
    std::string text = names[static_cast<int>(event.kind)];
    if (event.kind == WireKind::Pause || event.kind == WireKind::TimerResolution ||
        event.kind == WireKind::TimerRelease || event.kind == WireKind::Read) {
        text += " " + std::to_string(event.ms) + "ms";
    }
    if (!event.bytes.empty()) text += " [" + HexBytes(event.bytes, byteLimit) + "]";
    return text;
}

void VirtualPauseClock::RequestTimerResolution(unsigned ms) {
    log_.Add(WireEvent{WireKind::TimerResolution, {}, ms});
}

void VirtualPauseClock::ReleaseTimerResolution(unsigned ms) {
    log_.Add(WireEvent{WireKind::TimerRelease, {}, ms});
}

void VirtualPauseClock::Pause(unsigned ms) { log_.Add(WireEvent{WireKind::Pause, {}, ms}); }

}  // namespace qx::sim
