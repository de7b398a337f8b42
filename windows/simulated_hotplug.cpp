#include "windows/simulated_hotplug.h"

#include <dbt.h>

#include <vector>

#include "app/win32/hid_backend_choice.h"
#include "sim/simulated_hid.h"

namespace qx {

void SendDeviceInterfaceChange(HWND window, WPARAM event, const std::wstring& interfaceName) {
    // The broadcast carries the interface name inline after its fixed header.
    std::vector<BYTE> storage(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + (interfaceName.size() + 1) * sizeof(wchar_t));
    auto* info = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    info->dbcc_size = static_cast<DWORD>(storage.size());
    info->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    info->dbcc_classguid = GUID{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    interfaceName.copy(info->dbcc_name, interfaceName.size());
    SendMessageW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(info));
}

SimulatedHotplug::SimulatedHotplug(sim::SimulatedHid* simulator)
    : simulator_(simulator), message_(RegisterWindowMessageW(kSimulatedHotplugMessage)) {}

bool SimulatedHotplug::Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != message_ || message_ == 0) return false;
    if (!simulator_) return true;
    const int deviceType = static_cast<int>(lParam);
    std::string path;
    if (wParam != 0) {
        path = simulator_->InterfaceZeroPath(simulator_->PlugDeviceType(deviceType));
    } else if (auto model = sim::ModelForDeviceType(deviceType)) {
        char ids[32];
        wsprintfA(ids, "vid_%04x&pid_%04x", model->vendorId, model->productId);
        for (int id : simulator_->PluggedKeyboards()) {
            const std::string candidate = simulator_->InterfaceZeroPath(id);
            if (candidate.find(ids) != std::string::npos) {
                path = candidate;
                simulator_->Unplug(id);
                break;
            }
        }
    }
    if (path.empty()) return true;
    // Windows names interfaces in upper case in its broadcasts.
    std::wstring name(path.begin(), path.end());
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    SendDeviceInterfaceChange(window, wParam != 0 ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, name);
    return true;
}

}  // namespace qx
