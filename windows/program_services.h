#pragma once
// What the program starts before its main window and ends after it: GDI+, the language, the
// toolkit and the first frame's images decoded ahead, the data folder, COM and OLE, the HID
// backend and the process-wide device manager. The entry point and the window benchmark share it,
// so the benchmark measures the program's own start.
#include <windows.h>

#include <memory>

#include "app/win32/hid_backend_choice.h"
#include "device/hid_device_manager.h"
#include "platform/pause_clock.h"
#include "platform/win32/win32_registry.h"
#include "toolkit/core/image_preload.h"

namespace qx {

class ProgramServices {
public:
    // clock paces the reports sent to keyboards; it must outlive this object.
    ProgramServices(HINSTANCE instance, PauseClock& clock);
    // In reverse: the device manager, the preload, OLE and COM, GDI+. Windows go before.
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    AppRegistry& Registry() { return registry_; }
    // NULL with real keyboards.
    sim::SimulatedHid* Simulator() { return backend_.simulator.get(); }
    sim::WireLog* Wire() { return backend_.wireLog.get(); }

private:
    ULONG_PTR gdiplusToken_ = 0;
    Win32Registry registry_;
    std::unique_ptr<QxUI::ImagePreload> preload_;
    HidBackendChoice backend_;
    std::unique_ptr<HidDeviceManager> manager_;
};

}  // namespace qx
