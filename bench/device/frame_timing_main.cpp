// frame-timing [calls]: the lighting frame's elapsed time per call with real sleeps, as a ratio to
// its floor of pauses (38 ms) and to the same sleeps measured alone in this run.
#include <cstdio>
#include <cstdlib>

#include "bench/device/frame_timing.h"

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::atoi(argv[1]) : 25;
    qx::bench::FrameRig rig;
    rig.SendFrame();  // warm-up: first timer resolution request, caches
    const double sleeps = qx::bench::MillisecondsPerCall([&] { rig.SleepOnly(); }, calls);
    const double frame = qx::bench::MillisecondsPerCall([&] { rig.SendFrame(); }, calls);
    std::printf("lighting frame (18 reports): %.2f ms per call over %d calls\n", frame, calls);
    std::printf("pauses alone (19 x 2 ms):    %.2f ms per call\n", sleeps);
    std::printf("ratio to the 38 ms floor:    %.3f\n", frame / qx::bench::kFrameFloorMs);
    std::printf("ratio to the measured sleeps: %.3f\n", frame / sleeps);
    return 0;
}
