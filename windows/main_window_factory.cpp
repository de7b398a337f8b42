// The main window the entry point runs.
#include <windows.h>

#include "app/win32/app_paths.h"
#include "toolkit/core/manager.h"
#include "app/language.h"
#include "app/main_controller.h"
#include "windows/main_window_host.h"
#include "windows/main_window_images.h"
#include "windows/qxkb_main_dlg.h"

namespace qx {
namespace {
class MainDialogHost : public MainWindowHost {
public:
    MainDialogHost(AppRegistry& registry, sim::SimulatedHid* simulator)
        : dialog_(registry, simulator, GetDocumentsDataDir(), GetModuleDir()) {
        dialog_.CreateMainWindow();
    }
    HWND Handle() const override { return dialog_.GetSafeHwnd(); }
    QxKBMainDlg& Dialog() { return dialog_; }

private:
    QxKBMainDlg dialog_;
};
}  // namespace

void SetToolkitInstance(HINSTANCE instance) { QxUI::Manager::SetInstance(instance); }

std::unique_ptr<QxUI::ImagePreload> PreloadFirstFrameImages(AppRegistry& registry) {
    const int deviceType = QxKBController::RememberedDeviceType(registry);
    std::vector<QxUI::CString> files;
    for (const std::wstring& file : FirstFrameImages(deviceType, CurrentLanguage())) files.emplace_back(file.c_str());
    return std::make_unique<QxUI::ImagePreload>(files);
}

std::unique_ptr<MainWindowHost> CreateMainWindow(AppRegistry& registry, sim::SimulatedHid* simulator) {
    return std::make_unique<MainDialogHost>(registry, simulator);
}

void RunMainWindowModal(MainWindowHost& window) {
    auto& host = static_cast<MainDialogHost&>(window);
    if (!host.Handle()) return;
    // Centred on the work area of the nearest monitor, then run until it is closed.
    host.Dialog().CenterWindow(nullptr);
    host.Dialog().ShowModal(SW_SHOW);
}

}  // namespace qx
