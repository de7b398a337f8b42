#pragma once
// The reference for every qxkb run: the window's controller driven directly on the same simulated
// keyboard, over its own copy of the data folders, writing its own wire log. A command is right
// when its wire log equals the one the controller writes for the same action.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_controller.h"
#include "device/device_types.h"
#include "linux/command_support.h"
#include "linux/settings_file.h"
#include "sim/simulated_hid.h"
#include "sim/wire_log_file.h"
#include "storage/utf8_text.h"
#include "tests/controller/recording_view.h"
#include "tests/linux/qxkb_process.h"

namespace qx::test {

class ControllerRig {
public:
    // deviceType 0 plugs nothing; chosenType is the --type of the run (0: none); a watcher leaves
    // the database to the controller (openOffline false).
    ControllerRig(const QxkbHome& home, int deviceType, const std::filesystem::path& wireLog, int chosenType = 0,
                  bool openOffline = true)
        : file_(log, wireLog.string()), settings_(home.SettingsFile()) {
        if (deviceType != 0) hid.PlugDeviceType(deviceType);
        std::filesystem::create_directories(home.DataRoot() / "db");
        registry_ = &settings_;
        if (chosenType != 0) {
            chosen_ = std::make_unique<linux_cli::OverriddenSettings>(settings_, L"DevType", std::to_wstring(chosenType));
            registry_ = chosen_.get();
        }
        manager = std::make_unique<HidDeviceManager>(hid, clock);
        std::wstring root = FromUtf8(home.DataRoot().string()) + L"/";
        controller = std::make_unique<QxKBController>(*manager, *registry_, view, root, QX_LAYOUT_DIR);
        controller->OpenCurrentModel();
        if (!controller->Database().IsOpen() && openOffline) {
            controller->Database().OpenForModel(root, ModelNameOf(controller->DeviceType()));
            controller->LoadCurrentModel();
        }
        // The window's keyboard view shows the stored colours of the profile.
        std::vector<KeyRgbRow> colours;
        controller->Database().GetKeyRgbs(controller->CurrentProfile(), colours);
        for (const KeyRgbRow& row : colours) view.keyboard.colours[static_cast<uint32_t>(row.keyCode)] = static_cast<uint32_t>(row.keyRgb);
    }
    ~ControllerRig() { Finish(); }
    // Ends the run as the process ends: the database closes, the keyboards are let go.
    void Finish() {
        controller.reset();
        manager.reset();
    }
    // The colour command: the keys are selected in the view, then painted.
    void Paint(std::vector<uint32_t> keys, uint32_t colour) {
        view.keyboard.selected = std::move(keys);
        controller->SetSelectedKeysColor(colour);
    }
    void Assign(uint32_t key, const KeyMacroRow& row) {
        controller->SetSelectedKey(key);
        controller->AssignKeyFunction(row);
    }
    int MacroId(const std::wstring& name) {
        const std::optional<MacroRow> macro = linux_cli::FindMacro(controller->Database(), name);
        return macro ? macro->macroId : 0;
    }

    sim::WireLog log;

private:
    sim::WireLogFile file_;

public:
    sim::SimulatedHid hid{log};
    sim::VirtualPauseClock clock{log};

private:
    linux_cli::SettingsFile settings_;
    std::unique_ptr<linux_cli::OverriddenSettings> chosen_;
    AppRegistry* registry_ = nullptr;

public:
    RecordingView view;
    std::unique_ptr<HidDeviceManager> manager;
    std::unique_ptr<QxKBController> controller;
};

}  // namespace qx::test
