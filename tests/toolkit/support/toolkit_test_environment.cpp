#include "tests/toolkit/support/toolkit_test_environment.h"

#include "toolkit/core/manager.h"

namespace qxtest {

void InitToolkitForTests() {
    QxUI::Manager::SetInstance(::GetModuleHandleW(nullptr));
    QxUI::Manager::InitGdiplus();
    ::CreateDirectoryW((QxUI::Manager::GetProgramDirectory() + L"skins").GetString(), nullptr);
    ::CreateDirectoryW(TestSkinDirectory().GetString(), nullptr);
}

void ShutdownToolkitForTests() { QxUI::Manager::UnInitGdiplus(); }

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // keep it for whoever asked
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

QxUI::CString TestSkinDirectory() { return QxUI::Manager::GetSkinDirectory(); }

QxUI::CString ScreenshotPath(const wchar_t* name) {
    QxUI::CString dir = QxUI::Manager::GetProgramDirectory() + L"screenshots\\";
    ::CreateDirectoryW(dir.GetString(), nullptr);
    return dir + name;
}

QxUI::CString TestFontPath() { return QxUI::Manager::GetProgramDirectory() + L"font\\Arial.ttf"; }

}  // namespace qxtest
