#pragma once
// Which HID stack the program talks to. QXKB_SIMULATED_KEYBOARD names simulated keyboards to plug
// in at start ("5", "3,6", or "none" for the simulator without a keyboard); when it is unset,
// empty or "hardware", the program uses hidapi and real keyboards.
#include <memory>
#include <string>

#include "device/hid_api.h"
#include "sim/simulated_hid.h"

namespace qx {

struct HidBackendChoice {
    std::unique_ptr<sim::WireLog> wireLog;        // only with the simulator
    std::unique_ptr<sim::SimulatedHid> simulator; // only with the simulator
    std::unique_ptr<HidApi> hardware;             // only without it
    HidApi& Api() { return simulator ? static_cast<HidApi&>(*simulator) : *hardware; }
};

HidBackendChoice ChooseHidBackend();
// Writes the simulator's wire log to the file named by QXKB_WIRE_LOG, if both exist.
void SaveWireLog(const HidBackendChoice& choice);

// The registered window message that plugs (wParam 1) or unplugs (wParam 0) a simulated keyboard
// of device type lParam in the running program.
extern const wchar_t kSimulatedHotplugMessage[];

}  // namespace qx
