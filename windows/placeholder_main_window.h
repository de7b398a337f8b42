#pragma once
// A plain Win32 main window that stands in until the toolkit's dialog takes over: the right
// title, style, size and single-instance mark, device-change messages, and a status text.
#include <windows.h>

#include <functional>
#include <string>

#include "windows/main_window_host.h"

namespace qx {

class PlaceholderMainWindow : public MainWindowHost {
public:
    using DeviceChangeHandler = std::function<void(WPARAM event, const std::wstring& interfaceName)>;
    using StatusProvider = std::function<std::wstring()>;
    // Offered every message the window does not handle itself; true when it answered.
    using MessageHandler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    PlaceholderMainWindow(sim::SimulatedHid* simulator, DeviceChangeHandler onDeviceChange, StatusProvider status);
    ~PlaceholderMainWindow() override;

    bool Create();
    HWND Handle() const override { return hwnd_; }
    void Invalidate();
    void SetMessageHandler(MessageHandler handler) { onMessage_ = std::move(handler); }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnSimulatedHotplug(bool plug, int deviceType);
    void Paint();

    HWND hwnd_ = nullptr;
    UINT hotplugMessage_ = 0;
    sim::SimulatedHid* simulator_;
    DeviceChangeHandler onDeviceChange_;
    StatusProvider status_;
    MessageHandler onMessage_;
};

// Sends the window the WM_DEVICECHANGE that Windows sends when a device interface comes or goes.
void SendDeviceInterfaceChange(HWND window, WPARAM event, const std::wstring& interfaceName);

}  // namespace qx
