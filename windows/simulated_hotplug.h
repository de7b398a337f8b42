#pragma once
// Plugging and unplugging simulated keyboards in the running program from outside
// (qxkb-hotplug): the window then sees the WM_DEVICECHANGE Windows would send for the
// keyboard's interface 0.
#include <windows.h>

#include <string>

namespace qx {
namespace sim { class SimulatedHid; }

// Sends `window` the broadcast Windows sends when a device interface comes or goes.
void SendDeviceInterfaceChange(HWND window, WPARAM event, const std::wstring& interfaceName);

class SimulatedHotplug {
public:
    explicit SimulatedHotplug(sim::SimulatedHid* simulator);
    // True when `msg` is the hotplug request (wParam 1 plug, 0 unplug; lParam the device type);
    // the keyboard is then plugged or unplugged and `window` told so.
    bool Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    sim::SimulatedHid* simulator_;
    UINT message_;
};

}  // namespace qx
