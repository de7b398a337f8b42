#pragma once
// Times an 18-report lighting frame (count 0x4C0) on a simulated keyboard with real sleeps,
// against the floor of its own pauses: 2 ms before the frame and 2 ms after each report.
#include <chrono>
#include <vector>

#include "device/hid_device_manager.h"
#include "sim/simulated_hid.h"

namespace qx::bench {

constexpr unsigned kFrameCount = 0x4C0;
constexpr unsigned kFrameReports = kFrameCount / 64 - 1;          // 18
constexpr double kFrameFloorMs = 2.0 + kFrameReports * 2.0;       // 38 ms of pauses

struct FrameRig {
    sim::WireLog log;
    sim::SimulatedHid hid{log};
    SystemPauseClock clock;
    HidDeviceManager manager{hid, clock};
    std::vector<uint8_t> frame = std::vector<uint8_t>(kFrameCount, 0x5A);

    FrameRig() {
        hid.PlugDeviceType(3);
        manager.AddSupportedDevice(0x0C45, 0x8006, L"mi_00");
        manager.OpenMatchingDevice();
        manager.SetOpen(true);
    }
    void SendFrame() {
        manager.SendFeatureFrame(frame, kFrameCount, 0, false);
        log.Clear();
    }
    // The same pauses without any report: what the system's sleep really gives.
    void SleepOnly() {
        clock.RequestTimerResolution(1);
        for (unsigned i = 0; i < kFrameReports + 1; ++i) clock.Pause(2);
    }
};

template <typename F>
double MillisecondsPerCall(F&& f, int calls) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) f();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}

}  // namespace qx::bench
