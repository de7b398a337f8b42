// The bare window as a program of its own: started like the program (DPI awareness, GDI+, COM,
// the toolkit and its skin), so the start-up benchmark compares like with like.
#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>
#include <ole2.h>

#include <memory>
#include <vector>

#include "bench/windows/bare_window.h"
#include "windows/main_window_host.h"
#include "windows/main_window_images.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDPIAware();
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    qx::SetToolkitInstance(instance);
    // Its one image is decoded ahead as the program's are.
    auto preload = std::make_unique<QxUI::ImagePreload>(std::vector<QxUI::CString>{QxUI::CString(qx::image::kBackground)});
    CoInitialize(nullptr);
    OleInitialize(nullptr);
    {
        qxbench::BareWindow window;
        if (window.CreateBare()) {
            window.CenterWindow(nullptr);
            window.ShowModal(SW_SHOW);
        }
    }
    OleUninitialize();
    CoUninitialize();
    preload.reset();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
}
