// qxkb-installed-probe PROGRAM.exe SECONDS: starts an installed QxKBDriver.exe, waits (at most
// SECONDS for each state) for its main window, for its settings (HKCU\SOFTWARE\QxKB LCID and
// DevType) and for a database under Documents\QxKB Files\db, then asks it to exit as its tray
// menu does and waits for the exit. Prints each state reached. Exit code: the program's (0 on an
// orderly end), or 10 no start, 11 no window, 12 no settings, 13 no database, 14 no exit.
// qxkb-installed-probe --window SECONDS: waits for a visible main window of a copy started
// elsewhere; 0 when it is there, 11 when not.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "app/win32/single_instance.h"

namespace {

// The main window's exit request (windows/qxkb_main_dlg.h: kMessageExitRequest, kExitRequestCode).
constexpr UINT kExitRequest = 1091;
constexpr LPARAM kExitRequestCode = 610;

template <typename F>
bool WaitFor(F done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return done();
        Sleep(50);
    }
    return true;
}

bool HasAppValue(const wchar_t* name) {
    DWORD size = 0;
    return RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\QxKB", name, RRF_RT_ANY, nullptr, nullptr, &size) ==
           ERROR_SUCCESS;
}

bool HasDatabase() {
    wchar_t docs[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, docs))) return false;
    const std::wstring pattern = std::wstring(docs) + L"\\QxKB Files\\db\\*.db";
    WIN32_FIND_DATAW found = {};
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: qxkb-installed-probe PROGRAM.exe|--window SECONDS\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const DWORD ms = static_cast<DWORD>(_wtoi(argv[2])) * 1000;
    if (exe == L"--window") {
        const bool shown = WaitFor([] {
            HWND window = qx::FindRunningMainWindow();
            return window && IsWindowVisible(window);
        }, ms);
        std::wprintf(shown ? L"main window shown\n" : L"no main window\n");
        return shown ? 0 : 11;
    }
    if (qx::FindRunningMainWindow()) {
        std::fwprintf(stderr, L"a QxKB window exists already\n");
        return 10;
    }
    std::wstring dir = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", exe.c_str(), GetLastError());
        return 10;
    }
    auto fail = [&](int code, const wchar_t* what) {
        std::fwprintf(stderr, L"%ls within %lu ms\n", what, ms);
        TerminateProcess(pi.hProcess, 99);
        return code;
    };

    HWND window = nullptr;
    const bool shown = WaitFor([&] {
        window = qx::FindRunningMainWindow();
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        return window && owner == pi.dwProcessId && IsWindowVisible(window);
    }, ms);
    if (!shown) return fail(11, L"no visible main window of the started process");
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    std::wprintf(L"main window \"%ls\"\n", title);

    if (!WaitFor([] { return HasAppValue(L"LCID") && HasAppValue(L"DevType"); }, ms))
        return fail(12, L"no LCID and DevType under HKCU\\SOFTWARE\\QxKB");
    std::wprintf(L"settings stored\n");
    if (!WaitFor(HasDatabase, ms)) return fail(13, L"no Documents\\QxKB Files\\db\\*.db");
    std::wprintf(L"database stored\n");

    PostMessageW(window, kExitRequest, 0, kExitRequestCode);
    if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return fail(14, L"the program did not exit");
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    std::wprintf(L"exit code %lu\n", code);
    std::fflush(stdout);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
