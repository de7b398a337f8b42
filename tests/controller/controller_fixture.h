#pragma once
// A controller on simulated keyboards, an in-memory registry and a temporary data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/main_controller.h"
#include "platform/memory_registry.h"
#include "sim/simulated_hid.h"
#include "tests/controller/recording_view.h"

namespace qx::test {

class ControllerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dataDir = std::filesystem::temp_directory_path() /
                  (std::string("qxkb-controller-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(dataDir);
        std::filesystem::create_directories(dataDir / "db");
        registry.keyExists = true;
    }
    void TearDown() override {
        controller.reset();
        manager.reset();
        std::error_code ec;
        std::filesystem::remove_all(dataDir, ec);
    }

    QxKBController& Start() {
        manager = std::make_unique<HidDeviceManager>(hid, clock);
        controller = std::make_unique<QxKBController>(*manager, registry, view, DataRoot(), QX_LAYOUT_DIR);
        controller->OnInitDialog();
        return *controller;
    }
    std::wstring DataRoot() const {
        std::wstring root = dataDir.wstring();
        root.push_back(std::filesystem::path::preferred_separator);
        return root;
    }
    std::filesystem::path DatabaseFile(const std::string& model) const { return dataDir / "db" / (model + "_data.db"); }
    // What Windows names in the device-change message for the keyboard's interface 0.
    std::wstring InterfaceZeroName(int keyboardId) const {
        const std::string path = hid.InterfaceZeroPath(keyboardId);
        std::wstring name(path.begin(), path.end());
        for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
        return name;
    }
    void Arrive(int keyboardId) { controller->OnDeviceInterfaceChange(InterfaceZeroName(keyboardId), kDeviceArrival); }
    void Remove(int keyboardId) {
        const std::wstring name = InterfaceZeroName(keyboardId);
        hid.Unplug(keyboardId);
        controller->OnDeviceInterfaceChange(name, kDeviceRemoveComplete);
    }
    std::size_t Opens() const { return log.Only({sim::WireKind::Open}).size(); }

    std::filesystem::path dataDir;
    sim::WireLog log;
    sim::VirtualPauseClock clock{log};
    sim::SimulatedHid hid{log};
    MemoryRegistry registry;
    RecordingView view;
    std::unique_ptr<HidDeviceManager> manager;
    std::unique_ptr<QxKBController> controller;
};

}  // namespace qx::test
