#pragma once
// One keyboard of a protocol family plugged into the simulated HID stack, the device manager
// opened on it, and the wire log recording every report and pause from then on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/device_types.h"
#include "device/hid_device_manager.h"
#include "sim/protocol_keyboards.h"
#include "sim/simulated_hid.h"

namespace qx::test {

class SessionFixture : public ::testing::Test {
protected:
    sim::WireLog log;
    sim::VirtualPauseClock clock{log};
    sim::SimulatedHid hid{log};
    std::unique_ptr<HidDeviceManager> manager;
    int keyboardId = 0;

    // Plugs the keyboard of deviceType with its decoding behaviour and opens it. Type 1 is never
    // detected by its own ids, so its keyboard borrows the type 3 model.
    // A keyboard connected before is unplugged first.
    void Connect(int deviceType) {
        if (keyboardId != 0) hid.Unplug(keyboardId);
        manager.reset();   // its shutdown releases the HID library, so it goes before the next one starts
        if (deviceType == 1) {
            sim::KeyboardModel model = *sim::ModelForDeviceType(3);
            model.deviceType = 1;
            keyboardId = hid.Plug(model, sim::MakeProtocolKeyboard(1));
        } else {
            keyboardId = hid.PlugDeviceType(deviceType);
        }
        ASSERT_NE(keyboardId, 0);
        manager = std::make_unique<HidDeviceManager>(hid, clock);
        for (const SupportedKeyboardRow& row : SupportedKeyboardTable()) {
            manager->AddSupportedDevice(row.vendorId, row.productId, row.interfacePattern);
        }
        Rescan();
        ASSERT_EQ(manager->DeviceCount(), 1u);
        log.Clear();
    }
    void Rescan() {
        manager->CloseAllDevices();
        manager->OpenMatchingDevice();
        manager->SetOpen(true);
    }
    template <typename Keyboard>
    Keyboard& KeyboardState() {
        auto* keyboard = dynamic_cast<Keyboard*>(hid.BehaviorOf(keyboardId));
        EXPECT_NE(keyboard, nullptr);
        return *keyboard;
    }
    sim::Faults& Fault() { return *hid.FaultsOf(keyboardId); }

    // Reports the keyboard's vendor interface has taken so far (what the fault counters count),
    // as long as the log was cleared only by Connect.
    unsigned ReportsSoFar() const {
        return static_cast<unsigned>(log.Only({sim::WireKind::SendFeature, sim::WireKind::Write}).size());
    }

    // The wire as short words: "res1", "pause2", "send", "get", "write", "read"; a failed report
    // gets a "!" appended.
    std::vector<std::string> Script(std::size_t from = 0) const {
        std::vector<std::string> words;
        const auto& events = log.Events();
        for (std::size_t i = from; i < events.size(); ++i) {
            const sim::WireEvent& e = events[i];
            std::string w;
            switch (e.kind) {
                case sim::WireKind::SendFeature: w = "send"; break;
                case sim::WireKind::GetFeature: w = "get"; break;
                case sim::WireKind::Write: w = "write"; break;
                case sim::WireKind::Read: w = "read"; break;
                case sim::WireKind::Pause: w = "pause" + std::to_string(e.ms); break;
                case sim::WireKind::TimerResolution: w = "res" + std::to_string(e.ms); break;
                case sim::WireKind::TimerRelease: w = "release" + std::to_string(e.ms); break;
                case sim::WireKind::Open: w = "open"; break;
                case sim::WireKind::Close: w = "close"; break;
            }
            if ((e.kind == sim::WireKind::SendFeature || e.kind == sim::WireKind::Write) && e.result < 0) w += "!";
            words.push_back(w);
        }
        return words;
    }
    std::vector<std::vector<uint8_t>> Sent(sim::WireKind kind) const {
        std::vector<std::vector<uint8_t>> reports;
        for (const sim::WireEvent& e : log.Only({kind})) reports.push_back(e.bytes);
        return reports;
    }
};

// Script building blocks.
inline void Append(std::vector<std::string>& script, std::initializer_list<const char*> words, int times = 1) {
    for (int i = 0; i < times; ++i) script.insert(script.end(), words.begin(), words.end());
}

// A feature command with read-back: resolution, 2 ms, the report, 2 ms, the answer.
inline void AppendCommand(std::vector<std::string>& script, int times = 1) {
    Append(script, {"res1", "pause2", "send", "pause2", "get"}, times);
}
// A feature frame of n reports: resolution, 2 ms, then each report followed by 2 ms.
inline void AppendFrame(std::vector<std::string>& script, int reports) {
    Append(script, {"res1", "pause2"});
    Append(script, {"send", "pause2"}, reports);
}

}  // namespace qx::test
