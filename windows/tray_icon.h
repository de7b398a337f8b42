#pragma once
// The program's notification-area icon: added when the main window starts, removed before the
// process ends however it ends, with a one-item menu that ends the program.
#include <windows.h>

#include <string>

namespace qx {

constexpr UINT kTrayCallbackMessage = 1090;
constexpr UINT kTrayIconId = 109;
constexpr UINT kTrayExitCommand = 100;

class TrayIcon {
public:
    ~TrayIcon() { Remove(); }
    // Adds the icon for `window`; the icon handle is kept until Remove.
    bool Add(HWND window, HICON icon, const wchar_t* tip);
    // Only when an icon was added: clears the handle and deletes the icon from the tray.
    void Remove();
    bool IsAdded() const { return icon_ != nullptr; }
    // The tray's menu at the cursor, owned by `window`; choosing Exit sends WM_COMMAND 100.
    static void ShowMenu(HWND window, const std::wstring& exitText);

private:
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
};

}  // namespace qx
