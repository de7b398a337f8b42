#include "platform/pause_clock.h"

#ifdef _WIN32
#include <windows.h>
#include <timeapi.h>
#else
#include <chrono>
#include <thread>
#endif

namespace qx {

void SystemPauseClock::RequestTimerResolution(unsigned ms) {
#ifdef _WIN32
    timeBeginPeriod(ms);
#else
    (void)ms;  // Linux timers are already fine-grained.
#endif
}

void SystemPauseClock::ReleaseTimerResolution(unsigned ms) {
#ifdef _WIN32
    timeEndPeriod(ms);
#else
    (void)ms;
#endif
}

void SystemPauseClock::Pause(unsigned ms) {
#ifdef _WIN32
    Sleep(ms);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
#endif
}

}  // namespace qx
