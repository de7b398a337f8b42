// qxkb-hotplug plug|unplug DEVICE_TYPE: plugs or unplugs a simulated keyboard in the running
// program, which then sees the device-change message Windows would send. Exit code 0 when the
// program's window was found, 1 on bad arguments, 2 when no copy runs.
#include <windows.h>

#include <cwchar>

#include "app/win32/hid_backend_choice.h"
#include "app/win32/single_instance.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (std::wcscmp(argv[1], L"plug") != 0 && std::wcscmp(argv[1], L"unplug") != 0)) {
        std::fwprintf(stderr, L"usage: qxkb-hotplug plug|unplug DEVICE_TYPE\n");
        return 1;
    }
    const int deviceType = _wtoi(argv[2]);
    HWND window = qx::FindRunningMainWindow();
    if (!window) {
        std::fwprintf(stderr, L"no running QxKB window\n");
        return 2;
    }
    const UINT message = RegisterWindowMessageW(qx::kSimulatedHotplugMessage);
    const bool plug = std::wcscmp(argv[1], L"plug") == 0;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, plug ? 1 : 0, deviceType, SMTO_NORMAL, 10000, &result);
    return 0;
}
