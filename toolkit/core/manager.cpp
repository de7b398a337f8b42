#include "toolkit/core/manager.h"

namespace QxUI {

HINSTANCE Manager::m_hInstance = nullptr;
ULONG_PTR Manager::m_gdiplusToken = 0;
Gdiplus::GdiplusStartupInput Manager::m_gdiplusStartupInput;
CString Manager::m_fontname = L"Arial";
int Manager::m_fontwidth = 13;
Gdiplus::Color Manager::m_select_color(254, 202, 81, 0);
bool Manager::m_win10system = true;

void Manager::InitGdiplus() {
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusStartupInput, nullptr);
    ::CoInitialize(nullptr);
    ::OleInitialize(nullptr);
}

void Manager::UnInitGdiplus() {
    if (m_gdiplusToken) Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    ::CoUninitialize();
    ::OleUninitialize();
}

static bool AltF4Held() {
    return (::GetAsyncKeyState(VK_MENU) & 0x8000) && (::GetAsyncKeyState(VK_F4) & 0x8000);
}

BOOL Manager::PreTranslateMessage(MSG*) { return AltF4Held() ? TRUE : FALSE; }

void Manager::MessageLoop() {
    MSG msg;
    // GetMessageW returns -1 on an invalid call: treat it like WM_QUIT rather than spin.
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

CString Manager::GetProgramDirectory() {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof(path) / sizeof(path[0])));
    CString dir(path, n);
    int slash = dir.ReverseFind(L'\\');
    if (slash < 0) slash = dir.ReverseFind(L'/');
    return slash >= 0 ? dir.Left(slash + 1) : CString(L".\\");
}

CString Manager::GetSkinDirectory() { return GetProgramDirectory() + L"skins\\" + GetTheme(); }

HINSTANCE Manager::GetToolkitModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&Manager::GetToolkitModule), &module);
    return module;
}

}  // namespace QxUI
