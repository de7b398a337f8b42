#pragma once
// Which HID stack the program talks to. QXKB_SIMULATED_KEYBOARD names simulated keyboards to plug
// in at start ("5", "3,6", or "none" for the simulator without a keyboard); when it is unset,
// empty or "hardware", the program uses hidapi and real keyboards.
#include <memory>
#include <string>

#include "device/hid_api.h"
#include "sim/simulated_hid.h"
#include "sim/wire_log_file.h"

namespace qx {

struct HidBackendChoice {
    std::unique_ptr<sim::WireLog> wireLog;        // only with the simulator
    std::unique_ptr<sim::SimulatedHid> simulator; // only with the simulator
    std::unique_ptr<sim::WireLogFile> wireLogFile; // with the simulator and QXKB_WIRE_LOG
    std::unique_ptr<HidApi> hardware;             // only without it
    HidApi& Api() { return simulator ? static_cast<HidApi&>(*simulator) : *hardware; }
};

// With the simulator, QXKB_WIRE_LOG names a file that receives every wire event as it happens.
HidBackendChoice ChooseHidBackend();

// The registered window message that plugs (wParam 1) or unplugs (wParam 0) a simulated keyboard
// of device type lParam in the running program.
extern const wchar_t kSimulatedHotplugMessage[];

}  // namespace qx
