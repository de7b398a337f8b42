// Entry point: one copy per user, language, data folder, GDI+, COM/OLE, the process-wide HID
// device manager and the main window run modally; then everything is torn down in reverse.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <gdiplus.h>

#include <memory>

#include "app/directory_path.h"
#include "app/language.h"
#include "app/win32/app_paths.h"
#include "app/win32/debug_privilege.h"
#include "app/win32/hid_backend_choice.h"
#include "app/win32/single_instance.h"
#include "device/hid_device_manager.h"
#include "platform/pause_clock.h"
#include "platform/win32/win32_directory_ops.h"
#include "platform/win32/win32_registry.h"
#include "windows/main_window_host.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDPIAware();
    if (!qx::AcquireSingleInstance()) {
        qx::FrontRunningCopy();
        return 0;
    }
    qx::EnableDebugPrivilege();

    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    qx::Win32Registry registry;
    qx::ChooseStartupLanguage(registry, GetUserDefaultUILanguage());

    qx::SetToolkitInstance(instance);
    // The first frame's images are decoded on a second thread while the window is made.
    auto preload = qx::PreloadFirstFrameImages(registry);

    qx::Win32DirectoryOps directories;
    qx::EnsureDirectoryPath(qx::GetDocumentsDataDir() + L"db", directories);

    CoInitialize(nullptr);
    OleInitialize(nullptr);

    qx::HidBackendChoice backend = qx::ChooseHidBackend();
    qx::SystemPauseClock clock;
    auto manager = std::make_unique<qx::HidDeviceManager>(backend.Api(), clock);
    qx::g_hidDeviceManager = manager.get();

    auto mainWindow = qx::CreateMainWindow(registry, backend.simulator.get());
    qx::RunMainWindowModal(*mainWindow);

    CoUninitialize();
    OleUninitialize();
    preload.reset();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    manager.reset();
    qx::g_hidDeviceManager = nullptr;
    mainWindow.reset();
    return 1;
}
