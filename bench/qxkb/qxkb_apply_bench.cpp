// Google Benchmark: the whole `qxkb apply` run on a simulated type-5 keyboard, a process start to
// exit, against the protocol's own pauses in the same run. The simulated keyboards sleep each
// pause for real and write it on the wire log, so "x_pauses" is the elapsed time over the sum of
// those pauses (the floor no implementation can go below); "startup_ms" is `qxkb show` on the
// same store, which starts and reads the same but sends nothing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "tests/linux/qxkb_process.h"

namespace {

// Sum of "pause Nms" lines in a wire log.
double PausedMs(const std::filesystem::path& wireLog) {
    std::ifstream in(wireLog);
    std::string line;
    double total = 0;
    while (std::getline(in, line)) {
        const std::size_t at = line.find(" pause ");
        if (at != std::string::npos) total += std::stod(line.substr(at + 7));
    }
    return total;
}

double Run(const qx::test::QxkbHome& home, const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    const qx::test::ProcessResult result = home.Run(args);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return result.exitCode == 0 ? ms : -1;
}

void ApplyTypeFive(benchmark::State& state) {
    const qx::test::QxkbHome home(std::filesystem::temp_directory_path() / "qxkb-apply-bench");
    const std::filesystem::path steps = home.Root() / "steps.txt";
    std::ofstream(steps) << "down A\ndelay 30\nup A\ndown B\ndelay 30\nup B\n";
    // A realistic store: macros on keys, key combinations, painted keys and an effect.
    const std::vector<std::vector<std::string>> setup = {
        {"macro", "create", "one", "--steps", steps.string()}, {"macro", "create", "two", "--steps", steps.string()},
        {"assign", "A", "--macro", "one"},  {"assign", "B", "--macro", "two"}, {"assign", "C", "--combo", "Ctrl+V"},
        {"assign", "D", "--multimedia", "Mute"}, {"colour", "ff0000", "Esc", "1", "2", "3", "Q", "W"}, {"effect", "6"},
    };
    for (const auto& args : setup) {
        std::vector<std::string> full = {"--simulate", "5"};
        full.insert(full.end(), args.begin(), args.end());
        if (Run(home, full) < 0) {
            state.SkipWithError("setting up the store failed");
            return;
        }
    }
    const std::filesystem::path wireLog = home.Root() / "apply.log";
    double elapsed = 0, paused = 0, startup = 0;
    for (auto _ : state) {
        const double ms = Run(home, {"--simulate", "5", "--wire-log", wireLog.string(), "apply"});
        const double show = Run(home, {"--simulate", "5", "show"});
        if (ms < 0 || show < 0) {
            state.SkipWithError("qxkb failed");
            return;
        }
        elapsed += ms;
        startup += show;
        paused += PausedMs(wireLog);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["elapsed_ms"] = elapsed / n;
    state.counters["pauses_ms"] = paused / n;
    state.counters["startup_ms"] = startup / n;
    if (paused > 0) state.counters["x_pauses"] = elapsed / paused;
}
BENCHMARK(ApplyTypeFive)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
