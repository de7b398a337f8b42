// The main window the entry point runs: for now the plain Win32 placeholder around the controller.
#include <windows.h>

#include "app/main_controller.h"
#include "app/win32/app_paths.h"
#include "device/hid_device_manager.h"
#include "windows/main_window_host.h"
#include "windows/placeholder_main_window.h"
#include "windows/win32_main_view.h"
#include "toolkit/core/manager.h"

namespace qx {
namespace {
class PlaceholderHost : public MainWindowHost {
public:
    PlaceholderHost(AppRegistry& registry, sim::SimulatedHid* simulator)
        : view_(), controller_(*g_hidDeviceManager, registry, view_, GetDocumentsDataDir(), GetModuleDir()),
          window_(simulator, [this](WPARAM event, const std::wstring& name) {
              controller_.OnDeviceInterfaceChange(name, static_cast<unsigned>(event));
          }, [this] { return view_.StatusText(controller_); }) {
        window_.SetMessageHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            intptr_t answer = 0;
            if (!controller_.OnControllerMessage(msg, wParam, lParam, answer)) return false;
            result = answer;
            return true;
        });
        if (window_.Create()) {
            view_.Attach(window_.Handle());
            controller_.OnInitDialog();
        }
    }
    HWND Handle() const override { return window_.Handle(); }

private:
    Win32MainView view_;
    QxKBController controller_;
    PlaceholderMainWindow window_;
};
}  // namespace

void SetToolkitInstance(HINSTANCE instance) {
    QxUI::Manager::SetInstance(instance);
}

std::unique_ptr<MainWindowHost> CreateMainWindow(AppRegistry& registry, sim::SimulatedHid* simulator) {
    return std::make_unique<PlaceholderHost>(registry, simulator);
}

void RunMainWindowModal(MainWindowHost& window) {
    HWND hwnd = window.Handle();
    if (!hwnd) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG msg;
    while (IsWindow(hwnd)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for an outer loop
            break;
        }
        if (got < 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace qx
