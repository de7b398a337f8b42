// Google Benchmark: the lighting frame with real sleeps, and the bare sleeps as the baseline.
#include <benchmark/benchmark.h>

#include "bench/device/frame_timing.h"

namespace {

void BM_LightingFrame(benchmark::State& state) {
    qx::bench::FrameRig rig;
    for (auto _ : state) rig.SendFrame();
    state.counters["floor_ms"] = qx::bench::kFrameFloorMs;
}
BENCHMARK(BM_LightingFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(25);

void BM_PausesOnly(benchmark::State& state) {
    qx::bench::FrameRig rig;
    for (auto _ : state) rig.SleepOnly();
}
BENCHMARK(BM_PausesOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(25);

}  // namespace

BENCHMARK_MAIN();
