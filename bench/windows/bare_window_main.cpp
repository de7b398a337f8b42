// The bare window as a program of its own: started like the program (DPI awareness, GDI+, the
// toolkit and its skin), so the start-up benchmark compares like with like.
#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>

#include "bench/windows/bare_window.h"
#include "windows/main_window_host.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDPIAware();
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    qx::SetToolkitInstance(instance);
    {
        qxbench::BareWindow window;
        if (window.CreateBare()) {
            window.CenterWindow(nullptr);
            window.ShowModal(SW_SHOW);
        }
    }
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
}
