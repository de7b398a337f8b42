#include "windows/tray_icon.h"

#include <windows.h>
#include <shellapi.h>

namespace qx {

bool TrayIcon::Add(HWND window, HICON icon, const wchar_t* tip) {
    if (!window || !icon) return false;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon;
    lstrcpynW(data.szTip, tip ? tip : L"", ARRAYSIZE(data.szTip));
    window_ = window;
    icon_ = icon;
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TrayIcon::Remove() {
    if (!icon_) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyIcon(icon_);
    icon_ = nullptr;
}

void TrayIcon::ShowMenu(HWND window, const std::wstring& exitText) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuW(menu, MF_STRING, kTrayExitCommand, exitText.c_str());
    POINT cursor;
    GetCursorPos(&cursor);
    // The owner must be in front, or the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    DestroyMenu(menu);
}

}  // namespace qx
