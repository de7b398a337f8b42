#pragma once
// The fixed pauses of the keyboard protocols behind a seam: the program sleeps for real, tests
// record each pause on the wire log instead of waiting.

namespace qx {

class PauseClock {
public:
    virtual ~PauseClock() = default;
    // Asks the system for a timer resolution of ms milliseconds (timeBeginPeriod), so that short
    // sleeps really last what they say. Never lowered again.
    virtual void RequestTimerResolution(unsigned ms) = 0;
    // Gives a resolution request back (timeEndPeriod). Only the output-report key-map upload
    // does so; the default does nothing.
    virtual void ReleaseTimerResolution(unsigned ms) { (void)ms; }
    virtual void Pause(unsigned ms) = 0;
};

// Sleeps for real: Sleep and timeBeginPeriod on Windows, the standard clock elsewhere.
class SystemPauseClock : public PauseClock {
public:
    void RequestTimerResolution(unsigned ms) override;
    void ReleaseTimerResolution(unsigned ms) override;
    void Pause(unsigned ms) override;
};

}  // namespace qx
