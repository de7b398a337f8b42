#pragma once
// One copy per user: the named mutex "QxKB", and the window property of the same name that lets
// a second copy find the first one's main window.
#include <windows.h>

namespace qx {

extern const wchar_t kAppKeyName[];   // "QxKB": mutex, window property and registry subkey

// Takes the mutex. Returns false when another copy holds it (the handle is closed again then).
bool AcquireSingleInstance();
// The first top-level window carrying the "QxKB" property, or nullptr.
HWND FindRunningMainWindow();
// Brings that window to the front at normal size. False when none was found.
bool FrontRunningCopy();

}  // namespace qx
