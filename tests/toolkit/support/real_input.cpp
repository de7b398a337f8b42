#include "tests/toolkit/support/real_input.h"

#include <cstdio>
#include <string>

namespace qxtest {

namespace {
std::wstring Widen(const std::string& text) {
    std::wstring out;
    int n = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (n > 1) {
        out.resize(static_cast<size_t>(n - 1));
        ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), n);
    }
    return out;
}

// One word for the shell, whatever it holds.
std::string ShellQuoted(const std::string& word) {
    std::string out = "'";
    for (char c : word) out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// One argument of a Windows command line (the rules CommandLineToArgvW reads back).
std::wstring WindowsQuoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') out.append(backslashes * 2 + 1, L'\\');
        else out.append(backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

bool WaitForFile(const std::wstring& path, std::string& content, DWORD maxMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        FILE* f = _wfopen(path.c_str(), L"rb");
        if (f) {
            char buffer[32] = {};
            size_t n = fread(buffer, 1, sizeof(buffer) - 1, f);
            fclose(f);
            // The shell writes the status and a newline; a partial write is read again.
            if (n > 0 && buffer[n - 1] == '\n') {
                content.assign(buffer, n);
                return true;
            }
        }
        if (::GetTickCount() - start > maxMs) return false;
        ::Sleep(5);
    }
}

// Runs a shell command line as a Unix process. Wine starts an ELF binary as a Unix process,
// but its handle cannot be waited for: the shell leaves the exit status in a file that is
// watched instead.
bool RunShell(std::string script) {
    static int counter = 0;
    std::string marker = "/tmp/qx-xdotool-" + std::to_string(::GetCurrentProcessId()) + "-" +
                         std::to_string(++counter) + ".status";
    script = "{ " + script + "; }; echo $? > " + marker + ".part && mv " + marker + ".part " + marker;
    std::wstring command = L"/bin/sh -c " + WindowsQuoted(Widen(script));
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread) ::CloseHandle(process.hThread);
    if (process.hProcess) ::CloseHandle(process.hProcess);
    std::wstring windowsMarker = L"Z:" + Widen(marker);
    for (wchar_t& c : windowsMarker)
        if (c == L'/') c = L'\\';
    std::string status;
    bool finished = WaitForFile(windowsMarker, status, 15000);
    ::DeleteFileW(windowsMarker.c_str());
    return finished && status == "0\n";
}

// A window Wine has just shown may not be mapped on the X server yet, and input sent then lands
// on whatever lies below it: waits (bounded) until X reports the window's own X window viewable.
// Checked once per window.
bool WaitUntilMapped(HWND window) {
    static HWND checked = nullptr;
    HWND top = ::GetAncestor(window, GA_ROOT);
    if (!top || top == checked) return true;
    auto xid = reinterpret_cast<uintptr_t>(::GetPropW(top, L"__wine_x11_whole_window"));
    if (!xid) return true;  // not an X-backed window: nothing to wait for
    std::string id = std::to_string(xid);
    bool mapped = RunShell("i=0; until xwininfo -id " + id + " 2>/dev/null | grep -q IsViewable; do i=$((i+1)); "
                           "[ $i -gt 500 ] && exit 1; sleep 0.01; done");
    if (mapped) checked = top;
    return mapped;
}
}  // namespace

bool RunXdotool(const std::vector<std::string>& arguments) {
    std::string script = "xdotool";
    for (const std::string& a : arguments) script += " " + ShellQuoted(a);
    return RunShell(script);
}

bool RunUnixCommand(const std::vector<std::string>& argv) {
    std::string script;
    for (const std::string& a : argv) script += (script.empty() ? "" : " ") + ShellQuoted(a);
    return !script.empty() && RunShell(script);
}

bool MoveTo(HWND window, int x, int y) {
    if (!WaitUntilMapped(window)) return false;
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    // No --sync: it never returns when the pointer is already there.
    return RunXdotool({"mousemove", std::to_string(p.x), std::to_string(p.y)});
}

bool MoveTo(HWND window, QxUI::CPoint point) { return MoveTo(window, point.x, point.y); }

bool ClickAt(HWND window, int x, int y, int button) {
    return MoveTo(window, x, y) && RunXdotool({"click", std::to_string(button)});
}

bool DoubleClickAt(HWND window, int x, int y) {
    return MoveTo(window, x, y) && RunXdotool({"click", "--repeat", "2", "--delay", "60", "1"});
}

bool ButtonDown(int button) { return RunXdotool({"mousedown", std::to_string(button)}); }
bool ButtonUp(int button) { return RunXdotool({"mouseup", std::to_string(button)}); }

bool Wheel(int notches) {
    if (notches == 0) return true;
    int count = notches > 0 ? notches : -notches;
    return RunXdotool({"click", "--repeat", std::to_string(count), "--delay", "30", notches > 0 ? "4" : "5"});
}

bool KeyPress(const char* keys) { return RunXdotool({"key", keys}); }
bool KeyDown(const char* key) { return RunXdotool({"keydown", key}); }
bool KeyUp(const char* key) { return RunXdotool({"keyup", key}); }
bool TypeText(const char* utf8) { return RunXdotool({"type", "--delay", "40", utf8}); }

}  // namespace qxtest
