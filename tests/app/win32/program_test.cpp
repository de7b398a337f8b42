// QxKBDriver.exe itself under Wine: the main window, the single-instance rule, hotplug of a
// simulated keyboard from outside, and an orderly end.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "app/win32/single_instance.h"

namespace qx {
namespace {

std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

struct Process {
    PROCESS_INFORMATION info = {};
    bool Start(const std::wstring& exe, const std::wstring& args) {
        STARTUPINFOW si = {sizeof si};
        std::wstring command = L"\"" + exe + L"\" " + args;
        return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info);
    }
    // The exit code, or -1 when it is still running after ms.
    long WaitExit(DWORD ms) {
        if (WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        return static_cast<long>(code);
    }
    ~Process() {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

// The program runs in its own process: every state it reaches is waited for, with a bound,
// never read once. True when `done` held within about ms milliseconds.
template <typename F>
bool WaitFor(F done, DWORD ms = 30000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return done();
        Sleep(20);
    }
    return true;
}

HWND WaitForMainWindow(DWORD ms) {
    HWND window = nullptr;
    WaitFor([&] { return (window = FindRunningMainWindow()) != nullptr; }, ms);
    return window;
}

DWORD HighStyle(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & 0xFFFF0000u; }

std::wstring ReadAppValue(const wchar_t* name) {
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\QxKB", name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
        return L"<none>";
    }
    return data;
}

std::wstring DataDir() {
    wchar_t docs[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, docs);
    return std::wstring(docs) + L"\\QxKB Files\\";
}

long RunTool(const std::wstring& args) {
    Process tool;
    if (!tool.Start(WindowsPath(QX_HOTPLUG_EXE), args)) return -2;
    return tool.WaitExit(20000);
}

TEST(Program, RunsOnceFrontsTheFirstCopyFollowsHotplugAndEndsInOrder) {
    ASSERT_EQ(FindRunningMainWindow(), nullptr) << "another copy is running";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\QxKB");
    const std::wstring database = DataDir() + L"db\\QxKBRS40-24G_data.db";
    DeleteFileW(database.c_str());
    SetEnvironmentVariableW(L"QXKB_SIMULATED_KEYBOARD", L"none");

    Process first;
    ASSERT_TRUE(first.Start(WindowsPath(QX_DRIVER_EXE), L""));
    HWND window = WaitForMainWindow(30000);
    ASSERT_NE(window, nullptr);

    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"QxKBMainDlg");
    // The window exists (and carries its mark) before the entry point shows and centres it.
    EXPECT_TRUE(WaitFor([&] { return HighStyle(window) == 0x96000000u; })) << std::hex << HighStyle(window);
    RECT r = {};
    const int centredLeft = (GetSystemMetrics(SM_CXSCREEN) - 1060) / 2;
    WaitFor([&] { return GetWindowRect(window, &r) && r.left == centredLeft; });
    EXPECT_EQ(r.right - r.left, 1060);
    EXPECT_EQ(r.bottom - r.top, 720);
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - 1060) / 2, 1);
    EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - 720) / 2, 1);

    // First start: the key and a language were created, the data folder exists, the default
    // model is remembered only once a keyboard was seen.
    EXPECT_TRUE(WaitFor([] { return ReadAppValue(L"LCID") != L"<none>"; }));
    EXPECT_EQ(ReadAppValue(L"DevType"), L"<none>");
    EXPECT_TRUE(WaitFor([] {
        DWORD attributes = GetFileAttributesW((DataDir() + L"db").c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }));

    // A second copy ends at once with 0 and leaves the first one in front.
    ShowWindow(window, SW_MINIMIZE);
    Process second;
    ASSERT_TRUE(second.Start(WindowsPath(QX_DRIVER_EXE), L""));
    EXPECT_EQ(second.WaitExit(30000), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window); })) << "shown at normal size again";
    EXPECT_EQ(FindRunningMainWindow(), window);

    // Hotplug of a simulated RS40 reaches the program as a device change.
    EXPECT_EQ(RunTool(L"plug 3"), 0);
    EXPECT_TRUE(WaitFor([] { return ReadAppValue(L"DevType") == L"3"; })) << ReadAppValue(L"DevType");
    EXPECT_TRUE(WaitFor([] { return ReadAppValue(L"QxKBRS40-24G") == L"1"; })) << ReadAppValue(L"QxKBRS40-24G");
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesW(database.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        << "the model's database was created";
    EXPECT_EQ(RunTool(L"unplug 3"), 0);
    EXPECT_EQ(RunTool(L"bogus"), 1);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitExit(30000), 1) << "a normal run returns 1";
    EXPECT_EQ(RunTool(L"plug 3"), 2) << "no copy runs any more";
}

}  // namespace
}  // namespace qx
