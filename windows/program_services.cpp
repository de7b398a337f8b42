#include "windows/program_services.h"

#include <objbase.h>
#include <ole2.h>
#include <gdiplus.h>

#include "app/directory_path.h"
#include "app/language.h"
#include "app/win32/app_paths.h"
#include "platform/win32/win32_directory_ops.h"
#include "windows/main_window_host.h"

namespace qx {

ProgramServices::ProgramServices(HINSTANCE instance, PauseClock& clock) {
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken_, &gdiplusInput, nullptr);
    ChooseStartupLanguage(registry_, GetUserDefaultUILanguage());
    SetToolkitInstance(instance);
    // The first frame's images are decoded on a second thread while the window is made.
    preload_ = PreloadFirstFrameImages(registry_);

    Win32DirectoryOps directories;
    EnsureDirectoryPath(GetDocumentsDataDir() + L"db", directories);

    CoInitialize(nullptr);
    OleInitialize(nullptr);

    backend_ = ChooseHidBackend();
    manager_ = std::make_unique<HidDeviceManager>(backend_.Api(), clock);
    g_hidDeviceManager = manager_.get();
}

ProgramServices::~ProgramServices() {
    g_hidDeviceManager = nullptr;
    manager_.reset();
    preload_.reset();
    OleUninitialize();
    CoUninitialize();
    Gdiplus::GdiplusShutdown(gdiplusToken_);
}

}  // namespace qx
