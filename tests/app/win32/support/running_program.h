// The real program started under Wine on simulated keyboards, and what it leaves behind: its wire
// log, the model's database and the registry. Shared by the end-to-end tests of its windows.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/win32/single_instance.h"
#include "sim/wire_log.h"
#include "storage/config_database.h"
#include "tests/toolkit/support/real_input.h"
#include "windows/first_frame_signal.h"

namespace qx {
namespace e2e {

inline std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

// Waits, pumping nothing (the window belongs to another process), until done() or ms passed.
inline bool WaitFor(const std::function<bool()>& done, DWORD ms = 15000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return done();
        Sleep(20);
    }
    return true;
}

inline std::wstring DataDir() {
    wchar_t docs[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, docs);
    return std::wstring(docs) + L"\\QxKB Files\\";
}

inline std::wstring ReadAppValue(const wchar_t* name) {
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\QxKB", name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"<none>";
    return data;
}

// Writes a value of the program's registry key before it starts, as it would have stored it.
inline void WriteAppValue(const wchar_t* name, const wchar_t* value) {
    HKEY key;
    RegCreateKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QxKB", &key);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

inline std::wstring ModelOf(int type) {
    switch (type) {
        case 2: return L"QxKBRS40";
        case 3: return L"QxKBRS40-24G";
        default: return L"QxKB74";
    }
}

inline std::wstring StoredValue(int type, int profile, const wchar_t* key) {
    ConfigDatabase db;
    if (!db.OpenForModel(DataDir(), ModelOf(type))) return L"<no database>";
    std::wstring value = L"<none>";
    db.GetConfigValue(profile, key, value);
    return value;
}

inline std::vector<KeyMacroRow> StoredKeyFunctions(int type, int profile = 1) {
    ConfigDatabase db;
    std::vector<KeyMacroRow> rows;
    if (db.OpenForModel(DataDir(), ModelOf(type))) db.GetKeyMacros(profile, rows);
    return rows;
}
inline std::vector<KeyRgbRow> StoredKeyColours(int type, int profile = 1) {
    ConfigDatabase db;
    std::vector<KeyRgbRow> rows;
    if (db.OpenForModel(DataDir(), ModelOf(type))) db.GetKeyRgbs(profile, rows);
    return rows;
}
inline std::vector<MacroRow> StoredMacros(int type) {
    ConfigDatabase db;
    std::vector<MacroRow> rows;
    if (db.OpenForModel(DataDir(), ModelOf(type))) db.GetMacros(rows);
    return rows;
}
inline std::vector<MacroRecordRow> StoredSteps(int type, int macroId) {
    ConfigDatabase db;
    std::vector<MacroRecordRow> rows;
    if (db.OpenForModel(DataDir(), ModelOf(type))) db.GetMacroRecords(macroId, rows);
    return rows;
}

// Mute on a key, the function the tests store ahead and choose in the menus.
inline KeyMacroRow MuteOn(int profile, int keyCode, int macroType = kKeyFunctionMultimedia) {
    KeyMacroRow row;
    row.profile = profile;
    row.keyCode = keyCode;
    row.macroType = macroType;
    row.macroValue = 636;
    row.macroDesc = L"Mute";
    return row;
}

inline bool MoveToScreen(POINT p) { return qxtest::RunXdotool({"mousemove", std::to_string(p.x), std::to_string(p.y)}); }
inline bool ClickScreen(POINT p, int button = 1) { return MoveToScreen(p) && qxtest::RunXdotool({"click", std::to_string(button)}); }

template <size_t N>
std::string HexStart(const std::array<uint8_t, N>& bytes) {
    return sim::HexBytes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 16), 16);
}

// How many of `reports` the lines from `from` on hold in this order, each on a line after the
// one before: found as the start of a line's bytes, or as its whole bytes when `whole`.
inline size_t ReportsInOrder(const std::vector<std::string>& lines, size_t from, const std::vector<std::string>& reports,
                             bool whole) {
    size_t found = 0;
    for (size_t i = from; i < lines.size() && found < reports.size(); ++i)
        if (lines[i].find("[" + reports[found] + (whole ? "]" : "")) != std::string::npos) ++found;
    return found;
}

class RunningProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindRunningMainWindow(), nullptr) << "another copy is running";
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        wireLog_ = std::wstring(temp) + L"qxkb-main-window-wire.log";
        DeleteFileW(wireLog_.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\QxKB");
        for (int type : {2, 3, 5}) DeleteFileW((DataDir() + L"db\\" + ModelOf(type) + L"_data.db").c_str());
    }
    void TearDown() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                PostMessageW(window_, 1091, 0, 610);
                if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 9);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    // Starts the program on simulated keyboards and waits until its window is shown, centred and
    // has sent its first settings.
    void Start(const wchar_t* keyboards, const wchar_t* language = L"1033") {
        if (language) WriteAppValue(L"LCID", language);
        SetEnvironmentVariableW(L"QXKB_SIMULATED_KEYBOARD", keyboards);
        SetEnvironmentVariableW(L"QXKB_WIRE_LOG", wireLog_.c_str());
        // The program sets this event after its first frame; its start-up re-send follows within
        // the same message.
        static int starts = 0;
        wchar_t frameEvent[64];
        swprintf(frameEvent, 64, L"QxKBTestFirstFrame%lu_%d", GetCurrentProcessId(), ++starts);
        HANDLE firstFrame = CreateEventW(nullptr, TRUE, FALSE, frameEvent);
        ASSERT_NE(firstFrame, nullptr);
        SetEnvironmentVariableW(kFirstFrameEventVariable, frameEvent);
        STARTUPINFOW si = {sizeof si};
        std::wstring exe = WindowsPath(QX_DRIVER_EXE);
        std::wstring command = L"\"" + exe + L"\"";
        const bool started = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                            &si, &process_);
        const bool painted = started && WaitForSingleObject(firstFrame, 30000) == WAIT_OBJECT_0;
        CloseHandle(firstFrame);
        SetEnvironmentVariableW(kFirstFrameEventVariable, nullptr);
        ASSERT_TRUE(started);
        ASSERT_TRUE(painted) << "no first frame within 30 s";
        ASSERT_TRUE(WaitFor([&] { return (window_ = FindRunningMainWindow()) != nullptr; }, 30000));
        const int left = (GetSystemMetrics(SM_CXSCREEN) - 1060) / 2;
        ASSERT_TRUE(WaitFor([&] {
            RECT r;
            return IsWindowVisible(window_) && GetWindowRect(window_, &r) && r.left == left;
        }));
        // The answer comes after the first WM_PAINT has returned, so after the start-up re-send.
        DWORD_PTR ignored;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
    }
    // Ends the program through its exit request, expecting code 0, so a table's next case can
    // start it again.
    void ExitForNextCase() {
        PostMessageW(window_, 1091, 0, 610);
        EXPECT_EQ(WaitExit(15000), 0);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = {};
    }
    long WaitExit(DWORD ms) {
        if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }
    std::vector<std::string> WireLines() {
        std::vector<std::string> lines;
        FILE* f = _wfopen(wireLog_.c_str(), L"rb");
        if (!f) return lines;
        std::string text;
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        fclose(f);
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // Waits for a line after `from` that holds `bytes`.
    bool WaitForWire(size_t from, const std::string& bytes, DWORD ms = 15000) {
        return WaitFor(
            [&] {
                std::vector<std::string> lines = WireLines();
                for (size_t i = from; i < lines.size(); ++i)
                    if (lines[i].find(bytes) != std::string::npos) return true;
                return false;
            },
            ms);
    }
    void Click(int x, int y, int button = 1) { ASSERT_TRUE(qxtest::ClickAt(window_, x, y, button)); }
    static bool PopupShown() {
        HWND box = FindWindowW(nullptr, L"QxKBMsgBox");
        return box && IsWindowVisible(box);
    }

    std::wstring wireLog_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

}  // namespace e2e
}  // namespace qx
