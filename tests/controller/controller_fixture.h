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

    // A macro of (step type, value) pairs in the open store; returns its macro_id.
    int AddMacro(std::initializer_list<std::pair<int, int>> steps, int playTimes = 1) {
        MacroRow macro;
        macro.name = L"macro";
        macro.playTimes = playTimes;
        const int id = controller->Database().InsertMacro(macro);
        int index = 0;
        for (const auto& [type, value] : steps) {
            MacroRecordRow step;
            step.macroId = id;
            step.type = type;
            step.value = value;
            step.recordIndex = index++;
            controller->Database().InsertMacroRecord(step);
        }
        return id;
    }
    // The key-function menu's path: the key is selected in the view, then given the function.
    void Assign(uint32_t key, int type, int value, int value2 = 0, const std::wstring& desc = L"desc") {
        KeyMacroRow row;
        row.macroType = type;
        row.macroValue = value;
        row.macroValue2 = value2;
        row.macroDesc = desc;
        controller->SetSelectedKey(key);
        controller->AssignKeyFunction(row);
    }

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
