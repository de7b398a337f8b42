#pragma once
// One run of qxkb: the HID stack (hidraw, or simulated keyboards with a wire log), the settings
// file, the console view, the device manager and the window's controller over them, started the
// way the window starts but without sending anything.
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_controller.h"
#include "linux/console_view.h"
#include "linux/hidraw_backend.h"
#include "linux/settings_file.h"
#include "sim/simulated_hid.h"
#include "sim/wire_log_file.h"

namespace qx::linux_cli {

struct SessionOptions {
    // Simulated keyboards to plug in ("5", "3,6", "none"); empty for hidraw.
    std::optional<std::string> simulate;
    std::string wireLog;              // with simulate: every wire event goes to this file
    int deviceType = 0;               // the model to work on when none is connected; 0: remembered
    std::filesystem::path dataRoot;   // holds db/
    std::filesystem::path settingsFile;
    std::filesystem::path layoutDirectory;
    int language = 0;
    // A command works on the model's database also without a keyboard; the watcher leaves it to
    // the controller, which opens the database of whichever keyboard arrives.
    bool openDatabaseWithoutKeyboard = true;
};

// The simulated keyboards keep their protocol's pauses: each is slept and written to the wire log.
class SimulatedPauseClock : public PauseClock {
public:
    explicit SimulatedPauseClock(sim::WireLog& log) : record_(log) {}
    void RequestTimerResolution(unsigned ms) override;
    void ReleaseTimerResolution(unsigned ms) override;
    void Pause(unsigned ms) override;

private:
    sim::VirtualPauseClock record_;
    SystemPauseClock sleep_;
};

// A simulator on log with a keyboard of each type in list ("5", "3,6", "none"); nullptr, and the
// error line in error, when an item is not a supported type.
std::unique_ptr<sim::SimulatedHid> SimulateKeyboards(const std::string& list, sim::WireLog& log, std::wstring& error);

class Session {
public:
    Session(const SessionOptions& options, std::ostream& out);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Starts the controller and opens the model's database also without a keyboard. An error
    // line when the wire log, the layout or the database cannot be had.
    std::optional<std::wstring> Start();

    QxKBController& Controller() { return *controller_; }
    ConsoleView& View() { return view_; }
    HidApi& Api();
    HidDeviceManager& Manager() { return *manager_; }
    sim::SimulatedHid* Simulator() { return simulator_.get(); }
    HidrawBackend* Hidraw() { return hidraw_.get(); }
    std::wstring DataRootText() const;

    // The stored colours of the current profile, shown on the keyboard view.
    void ShowStoredColours();

private:
    SessionOptions options_;
    std::unique_ptr<sim::WireLog> log_;
    std::unique_ptr<sim::WireLogFile> logFile_;
    std::unique_ptr<sim::SimulatedHid> simulator_;
    std::unique_ptr<HidrawBackend> hidraw_;
    std::unique_ptr<PauseClock> clock_;
    SettingsFile settings_;
    std::unique_ptr<OverriddenSettings> chosenModel_;
    ConsoleView view_;
    std::unique_ptr<HidDeviceManager> manager_;
    std::unique_ptr<QxKBController> controller_;
};

}  // namespace qx::linux_cli
