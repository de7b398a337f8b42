#include "app/win32/single_instance.h"

namespace qx {

const wchar_t kAppKeyName[] = L"QxKB";

bool AcquireSingleInstance() {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, kAppKeyName);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    // The handle stays open until the process ends: it is what marks the running copy.
    return true;
}

HWND FindRunningMainWindow() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w && IsWindow(w); w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetPropW(w, kAppKeyName)) return w;
    }
    return nullptr;
}

bool FrontRunningCopy() {
    HWND w = FindRunningMainWindow();
    if (!w) return false;
    SetForegroundWindow(w);
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    BringWindowToTop(w);
    return true;
}

}  // namespace qx
