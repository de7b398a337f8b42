// Google Benchmark: each controller operation on each connectable keyboard type with real sleeps.
// The counter "x_floor" is the elapsed time divided by the pauses the operation itself took (the
// floor no implementation of the protocol can go below), measured in the same iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "bench/counting_pause_clock.h"
#include "app/main_controller.h"
#include "platform/memory_registry.h"
#include "sim/simulated_hid.h"
#include "tests/controller/recording_view.h"

namespace {

// A connected keyboard of one type with a realistic store: a few key functions, five macros and
// painted keys.
struct Rig {
    explicit Rig(int deviceType) {
        dataDir = std::filesystem::temp_directory_path() / ("qxkb-bench-" + std::to_string(deviceType));
        std::filesystem::remove_all(dataDir);
        std::filesystem::create_directories(dataDir / "db");
        registry.keyExists = true;
        hid.PlugDeviceType(deviceType);
        std::wstring root = dataDir.wstring();
        root.push_back(std::filesystem::path::preferred_separator);
        controller = std::make_unique<qx::QxKBController>(manager, registry, view, root, QX_LAYOUT_DIR);
        controller->OnInitDialog();
        qx::ConfigDatabase& db = controller->Database();
        for (int m = 0; m < 5; ++m) {
            qx::MacroRow macro;
            macro.name = L"macro";
            macro.playTimes = 1;
            const int id = db.InsertMacro(macro);
            for (int s = 0; s < 6; ++s) {
                qx::MacroRecordRow step;
                step.macroId = id;
                step.type = s % 3 == 1 ? qx::kMacroStepDelay : (s % 3 == 0 ? qx::kMacroStepKeyDown : qx::kMacroStepKeyUp);
                step.value = s % 3 == 1 ? 30 : 0x41 + m;
                step.recordIndex = s;
                db.InsertMacroRecord(step);
            }
        }
        for (uint32_t key = 0x04; key < 0x0E; ++key) {
            qx::KeyMacroRow row;
            row.profile = 1;
            row.keyCode = static_cast<int>(key);
            row.macroType = qx::kKeyFunctionKey;
            row.macroValue = static_cast<int>(key + 1);
            row.macroDesc = L"key";
            db.SetKeyMacro(row);
        }
        view.keyboard.selected = {0x04, 0x05, 0x06};
        log.Clear();
    }
    ~Rig() {
        controller.reset();
        std::error_code ec;
        std::filesystem::remove_all(dataDir, ec);
    }

    std::filesystem::path dataDir;
    qx::sim::WireLog log;
    qx::sim::SimulatedHid hid{log};
    qx::bench::CountingPauseClock clock;
    qx::HidDeviceManager manager{hid, clock};
    qx::MemoryRegistry registry;
    qx::test::RecordingView view;
    std::unique_ptr<qx::QxKBController> controller;
};

using Operation = std::function<void(qx::QxKBController&)>;

void RunOperation(benchmark::State& state, int deviceType, const Operation& operation) {
    Rig rig(deviceType);
    double elapsedMs = 0;
    for (auto _ : state) {
        rig.clock.pausedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        operation(*rig.controller);
        elapsedMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.counters["floor_ms"] = rig.clock.pausedMs;
        rig.log.Clear();
    }
    const double floor = state.counters["floor_ms"];
    // An operation without pauses has no floor to compare with; its time alone says enough.
    if (floor > 0) state.counters["x_floor"] = elapsedMs / static_cast<double>(state.iterations()) / floor;
}

void RegisterAll() {
    qx::KeyMacroRow forward;
    forward.macroType = qx::kKeyFunctionMouse;
    forward.macroValue = 653;
    forward.macroDesc = L"Forward";
    const std::pair<const char*, Operation> operations[] = {
        {"ApplyLightMode", [](qx::QxKBController& c) { c.ApplyLightMode(1); }},
        {"ApplyKeyAssignments", [](qx::QxKBController& c) { c.ApplyKeyAssignments(); }},
        {"UploadMacros", [](qx::QxKBController& c) {
             // The library upload of each family: on its own for types 1 and 3, in front of the key
             // map for types 5 and 6; type 2 has none.
             if (c.DeviceType() == 5 || c.DeviceType() == 6) {
                 c.UploadMacrosOutput();
             } else {
                 c.UploadMacros();
             }
         }},
        {"SetSelectedKeysColor", [](qx::QxKBController& c) { c.SetSelectedKeysColor(0x336699); }},
        {"AssignKeyFunction", [forward](qx::QxKBController& c) {
             c.SetSelectedKey(0x10);
             c.AssignKeyFunction(forward);
         }},
        {"ChangeProfile", [](qx::QxKBController& c) { c.ChangeProfile(1); }},
    };
    for (int type : {2, 3, 5, 6}) {
        for (const auto& [name, operation] : operations) {
            // Type 2 has no library and keeps its key map itself: nothing to time.
            if (type == 2 && (std::string(name) == "UploadMacros" || std::string(name) == "ApplyKeyAssignments")) continue;
            const std::string label = std::string(name) + "/type" + std::to_string(type);
            benchmark::RegisterBenchmark(label.c_str(), [type, operation](benchmark::State& state) {
                RunOperation(state, type, operation);
            })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
