// Google Benchmark: each send order of each device type on a simulated keyboard, sleeping for
// real. The pauses a session takes are recorded on the wire as it sleeps; their sum is the floor
// no implementation can beat, and "ratio" is the measured time over that floor (1.0 = nothing
// but the pauses). "floor_ms" is the floor of one run of the session.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

#include "device/device_types.h"
#include "device/feature_reports.h"
#include "device/hid_device_manager.h"
#include "device/key_codes.h"
#include "device/output_reports.h"
#include "device/protocol_sessions.h"
#include "device/type2_reports.h"
#include "sim/protocol_keyboards.h"
#include "sim/simulated_hid.h"

namespace qx::bench {
namespace {

// Sleeps as the program does and notes every pause on the wire log.
class RecordingSystemClock : public PauseClock {
public:
    explicit RecordingSystemClock(sim::WireLog& log) : log_(log) {}
    void RequestTimerResolution(unsigned ms) override { real_.RequestTimerResolution(ms); }
    void ReleaseTimerResolution(unsigned ms) override { real_.ReleaseTimerResolution(ms); }
    void Pause(unsigned ms) override {
        log_.Add(sim::WireEvent{sim::WireKind::Pause, {}, ms});
        real_.Pause(ms);
    }

private:
    sim::WireLog& log_;
    SystemPauseClock real_;
};

struct Rig {
    sim::WireLog log;
    sim::SimulatedHid hid{log};
    RecordingSystemClock clock{log};
    std::unique_ptr<HidDeviceManager> manager;

    explicit Rig(int deviceType) {
        if (deviceType == 1) {
            sim::KeyboardModel model = *sim::ModelForDeviceType(3);
            model.deviceType = 1;
            hid.Plug(model, sim::MakeProtocolKeyboard(1));
        } else {
            hid.PlugDeviceType(deviceType);
        }
        manager = std::make_unique<HidDeviceManager>(hid, clock);
        for (const SupportedKeyboardRow& row : SupportedKeyboardTable()) {
            manager->AddSupportedDevice(row.vendorId, row.productId, row.interfacePattern);
        }
        manager->OpenMatchingDevice();
        manager->SetOpen(true);
        log.Clear();
    }
};

// A full keyboard's worth of data: 104 keys with colours and functions, a few macros.
struct Data {
    std::map<uint32_t, int> index;
    std::vector<KeyRgbRow> colours;
    std::vector<KeyMacroRow> functions;
    std::vector<MacroRow> macros;
    std::vector<MacroSteps> library;

    Data() {
        for (int i = 0; i < 104; ++i) {
            const int code = 0x04 + i;
            index[static_cast<uint32_t>(code)] = i + 1;
            colours.push_back(KeyRgbRow{i, 1, kKeyRgbLight, code, 0x010203 * (i + 1)});
            functions.push_back(KeyMacroRow{i, 1, code, kKeyFunctionKey, 0x04 + (i % 26), 0xE0, 0, L""});
        }
        for (int m = 0; m < 5; ++m) {
            MacroSteps macro{MacroRow{m + 1, L"", 1, 0, 0}, {}};
            for (int s = 0; s < 20; ++s) {
                macro.steps.push_back(MacroRecordRow{s, m + 1, s % 2 ? 3 : 2, s, 0x41 + m, L""});
                macro.steps.push_back(MacroRecordRow{s, m + 1, 1, s, 20, L""});
            }
            library.push_back(macro);
            macros.push_back(macro.macro);
        }
    }
};

const Data& TestData() {
    static const Data data;
    return data;
}

void RunSession(benchmark::State& state, int deviceType, const std::function<void(HidDeviceManager&)>& session) {
    Rig rig(deviceType);
    double elapsedMs = 0;
    double floorMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        session(*rig.manager);
        elapsedMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        floorMs += rig.log.TotalPauseMs();
        rig.log.Clear();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorMs / runs;
    state.counters["ratio"] = floorMs > 0 ? elapsedMs / floorMs : 0.0;
}

constexpr int kRuns = 4;

#define QX_SESSION(name, type, body)                                                               \
    void BM_##name(benchmark::State& state) { RunSession(state, type, [](HidDeviceManager& m) body); } \
    BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kRuns)

// ---- Types 1 and 3 ----
QX_SESSION(Type1Lighting, 1, {
    SendFeatureFrameSession(m, 0, MakeFeatureCommand(kFeatureAnnounceLighting, 0, kType1LightingReports),
                            BuildType1LightingFrame(kCustomColourMode, TestData().colours, TestData().index));
});
QX_SESSION(Type1KeyMap, 1, {
    SendFeatureFrameSession(m, 0, MakeFeatureCommand(kFeatureAnnounceKeyMap, 0, kType1KeyMapReports),
                            BuildFeatureKeyMapFrame(1, TestData().functions, TestData().index, TestData().macros));
});
QX_SESSION(Type1Macros, 1, { SendFeatureMacroSession(m, 0, *BuildFeatureMacroFrame(TestData().library)); });
QX_SESSION(Type3Mode, 3, { SendType3ModeSession(m, 0, 2, 5); });
QX_SESSION(Type3Colours, 3, {
    SendFeatureFrameSession(m, 0, MakeFeatureCommand(kFeatureAnnounceColours, kFeatureColourTarget, kType3ColourReports),
                            BuildType3ColourFrame(TestData().colours, TestData().index));
    SendType3ModeSession(m, 0, 2, kCustomColourMode);
});
QX_SESSION(Type3KeyMap, 3, {
    SendFeatureFrameSession(m, 0, MakeFeatureCommand(kFeatureAnnounceKeyMap, 2, kType3KeyMapReports),
                            BuildFeatureKeyMapFrame(3, TestData().functions, TestData().index, TestData().macros));
});
QX_SESSION(Type3Macros, 3, { SendFeatureMacroSession(m, 0, *BuildFeatureMacroFrame(TestData().library)); });

// ---- Type 2 ----
QX_SESSION(Type2Effect, 2, { m.SendFeature2048(BuildType2LightEffect(*Type2EffectCode(3)), 0); });
QX_SESSION(Type2Colours, 2, {
    m.SendFeature2048(BuildType2LightEffect(kType2CustomColourEffect), 0);
    m.SendFeature2048(BuildType2ColourTable(TestData().colours), 0);
});
QX_SESSION(Type2KeyFunction, 2, {
    m.SendFeature2048(BuildType2SelectProfile(1), 0);
    m.SendFeature2048(BuildType2KeyFunction(HidUsageToType2KeyPosition(0x04), TestData().functions[0]), 0);
});
// The free-slot search at its longest (17 reads), then the slot and the binding.
QX_SESSION(Type2MacroAssignment, 2, {
    for (uint8_t s = kType2FirstSlot; s <= kType2LastSlot; ++s) {
        LargeFeatureReport read = BuildType2ReadSlot(s);
        m.SendFeature2048AndRead(read, 0);
    }
    const std::vector<uint8_t> events = Type2MacroEvents(TestData().library[0].steps);
    LargeFeatureReport write = BuildType2WriteSlot(kType2LastSlot, {});
    const uint8_t code = PutType2Events(write, kType2SlotEventsStart, events);
    m.SendFeature2048(write, 0);
    m.SendFeature2048(BuildType2BindKey(0x0B, 1, kType2LastSlot, code, events), 0);
    m.SendFeature2048(BuildType2WriteSlot(kType2LastSlot, {}), 0);
});

// ---- Types 5 and 6 ----
void OutputColours(HidDeviceManager& m, int type) {
    SendOutputLightMode(m, 0, type, kOutputCustomColourMode);
    SendOutputColourTable(m, 0, type, BuildOutputColourTable(TestData().colours, TestData().index));
}
void OutputKeys(HidDeviceManager& m, int type) {
    m.Clock().RequestTimerResolution(1);
    SendOutputMacroStream(m, 0, type, *BuildOutputMacroStream(TestData().library));
    SendOutputKeyTable(m, 0, type, BuildOutputKeyTable(TestData().functions, TestData().index, TestData().macros));
    m.Clock().ReleaseTimerResolution(1);
}
QX_SESSION(Type5Colours, 5, { OutputColours(m, 5); });
QX_SESSION(Type5MacrosAndKeys, 5, { OutputKeys(m, 5); });
QX_SESSION(Type6LightMode, 6, { SendOutputLightMode(m, 0, 6, 4); });
QX_SESSION(Type6Colours, 6, { OutputColours(m, 6); });
QX_SESSION(Type6MacrosAndKeys, 6, { OutputKeys(m, 6); });

}  // namespace
}  // namespace qx::bench

BENCHMARK_MAIN();
