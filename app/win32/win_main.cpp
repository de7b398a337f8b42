// Entry point: one copy per user, then the program's services (GDI+, language, data folder,
// COM/OLE, the process-wide HID device manager) and the main window run modally; the window goes
// before the services.
#include <windows.h>

#include "app/win32/debug_privilege.h"
#include "app/win32/single_instance.h"
#include "platform/pause_clock.h"
#include "windows/main_window_host.h"
#include "windows/program_services.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDPIAware();
    if (!qx::AcquireSingleInstance()) {
        qx::FrontRunningCopy();
        return 0;
    }
    qx::EnableDebugPrivilege();

    qx::SystemPauseClock clock;
    qx::ProgramServices services(instance, clock);
    {
        auto mainWindow = qx::CreateMainWindow(services.Registry(), services.Simulator());
        qx::RunMainWindowModal(*mainWindow);
    }
    return 1;
}
