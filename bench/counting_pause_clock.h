#pragma once
// For benchmarks that compare an operation's elapsed time with the pauses it asks for: sleeps for
// real, as the program does, and adds up what it was asked to sleep.
#include "platform/pause_clock.h"

namespace qx::bench {

class CountingPauseClock : public SystemPauseClock {
public:
    void Pause(unsigned ms) override {
        pausedMs += ms;
        SystemPauseClock::Pause(ms);
    }
    double pausedMs = 0;
};

}  // namespace qx::bench
