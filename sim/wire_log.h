#pragma once
// Everything that crosses the simulated wire, in order: reports out, answers in, and the pauses
// the manager took between them (recorded by VirtualPauseClock instead of sleeping).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/pause_clock.h"

namespace qx::sim {

enum class WireKind {
    SendFeature,     // hid_send_feature_report: bytes as sent
    GetFeature,      // hid_get_feature_report: bytes as answered
    Write,           // hid_write: bytes as written
    Read,            // hid_read_timeout: bytes received, empty on timeout
    Pause,           // Sleep(ms)
    TimerResolution, // timeBeginPeriod(ms)
    Open,            // hid_open_path
    Close,           // hid_close
    TimerRelease,    // timeEndPeriod(ms)
};

struct WireEvent {
    WireKind kind;
    std::vector<uint8_t> bytes;
    unsigned ms = 0;       // pauses, resolutions and read waits
    int deviceType = 0;    // the simulated keyboard it concerns, 0 for pauses
    int result = 0;        // what the call returned to the manager
};

class WireLog {
public:
    // Called with every event as it is added, before it is kept; for logs that must be complete
    // however the program ends.
    using Sink = std::function<void(const WireEvent&)>;
    void SetSink(Sink sink) { sink_ = std::move(sink); }
    void Add(WireEvent event) {
        if (sink_) sink_(event);
        events_.push_back(std::move(event));
    }
    const std::vector<WireEvent>& Events() const { return events_; }
    void Clear() { events_.clear(); }

    // Only the events of the given kinds, for assertions that ignore the rest.
    std::vector<WireEvent> Only(std::initializer_list<WireKind> kinds) const;
    // Reports sent to keyboards (SendFeature and Write).
    std::vector<std::vector<uint8_t>> SentReports() const;
    // Sum of recorded pauses, in milliseconds.
    unsigned TotalPauseMs() const;

private:
    std::vector<WireEvent> events_;
    Sink sink_;
};

// Hex dump in a form that can be pasted back into a test: "04 18 00 ...".
std::string HexBytes(const std::vector<uint8_t>& bytes, std::size_t limit = SIZE_MAX);
// One line for an event; reports are cut after `byteLimit` bytes.
std::string DescribeEvent(const WireEvent& event, std::size_t byteLimit = 16);

// Records pauses on a wire log instead of waiting.
class VirtualPauseClock : public PauseClock {
public:
    explicit VirtualPauseClock(WireLog& log) : log_(log) {}
    void RequestTimerResolution(unsigned ms) override;
    void ReleaseTimerResolution(unsigned ms) override;
    void Pause(unsigned ms) override;

private:
    WireLog& log_;
};

}  // namespace qx::sim
