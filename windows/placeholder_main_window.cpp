#include "windows/placeholder_main_window.h"

#include <dbt.h>

#include <vector>

#include "app/win32/hid_backend_choice.h"
#include "app/win32/single_instance.h"
#include "device/hid_device_manager.h"
#include "sim/simulated_hid.h"

namespace qx {
namespace {
const wchar_t kClassName[] = L"QxKBPlaceholderMainWindow";
constexpr DWORD kMainWindowStyle = 0x96000000;  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
constexpr int kMainWidth = 1060;
constexpr int kMainHeight = 720;
}  // namespace

void SendDeviceInterfaceChange(HWND window, WPARAM event, const std::wstring& interfaceName) {
    // The broadcast carries the interface name inline after its fixed header.
    std::vector<BYTE> storage(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + (interfaceName.size() + 1) * sizeof(wchar_t));
    auto* info = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    info->dbcc_size = static_cast<DWORD>(storage.size());
    info->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    info->dbcc_classguid = GUID{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    interfaceName.copy(info->dbcc_name, interfaceName.size());
    SendMessageW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(info));
}

PlaceholderMainWindow::PlaceholderMainWindow(sim::SimulatedHid* simulator, DeviceChangeHandler onDeviceChange,
                                             StatusProvider status)
    : simulator_(simulator), onDeviceChange_(std::move(onDeviceChange)), status_(std::move(status)) {}

PlaceholderMainWindow::~PlaceholderMainWindow() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool PlaceholderMainWindow::Create() {
    if (hwnd_) return true;
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    hotplugMessage_ = RegisterWindowMessageW(kSimulatedHotplugMessage);
    hwnd_ = CreateWindowExW(0, kClassName, L"QxKBMainDlg", kMainWindowStyle, 0, 0, kMainWidth, kMainHeight, nullptr,
                            nullptr, wc.hInstance, this);
    return hwnd_ != nullptr;
}

void PlaceholderMainWindow::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK PlaceholderMainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<PlaceholderMainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PlaceholderMainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->OnMessage(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT PlaceholderMainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == hotplugMessage_ && hotplugMessage_ != 0) {
        OnSimulatedHotplug(wParam != 0, static_cast<int>(lParam));
        return 1;
    }
    switch (msg) {
    case WM_CREATE:
        SetPropW(hwnd_, kAppKeyName, reinterpret_cast<HANDLE>(1));
        return 0;
    case WM_DEVICECHANGE: {
        const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
        if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && header &&
            header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE && onDeviceChange_) {
            const auto* info = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
            onDeviceChange_(wParam, info->dbcc_name);
            Invalidate();
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        RemovePropW(hwnd_, kAppKeyName);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return 0;
    default: {
        LRESULT result = 0;
        if (onMessage_ && onMessage_(msg, wParam, lParam, result)) {
            Invalidate();
            return result;
        }
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
    }
}

void PlaceholderMainWindow::OnSimulatedHotplug(bool plug, int deviceType) {
    if (!simulator_) return;
    std::string path;
    if (plug) {
        path = simulator_->InterfaceZeroPath(simulator_->PlugDeviceType(deviceType));
    } else {
        for (int id : simulator_->PluggedKeyboards()) {
            if (sim::ModelForDeviceType(deviceType) && path.empty()) {
                const std::string candidate = simulator_->InterfaceZeroPath(id);
                auto model = sim::ModelForDeviceType(deviceType);
                char ids[32];
                wsprintfA(ids, "vid_%04x&pid_%04x", model->vendorId, model->productId);
                if (candidate.find(ids) != std::string::npos) {
                    path = candidate;
                    simulator_->Unplug(id);
                }
            }
        }
    }
    if (path.empty()) return;
    // Windows names interfaces in upper case in its broadcasts.
    std::wstring name(path.begin(), path.end());
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    SendDeviceInterfaceChange(hwnd_, plug ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, name);
}

void PlaceholderMainWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH background = CreateSolidBrush(RGB(0x16, 0x18, 0x1D));
    FillRect(dc, &client, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0xE8, 0xEA, 0xEE));
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    std::wstring text = L"QxKB\n\n" + (status_ ? status_() : std::wstring());
    RECT area = {40, 40, client.right - 40, client.bottom - 40};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_TOP | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(hwnd_, &ps);
}

}  // namespace qx
