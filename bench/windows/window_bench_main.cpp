// Benchmarks of the main window under Wine, each against a baseline measured in the same run:
//   start  start-up to the first painted frame of QxKBDriver.exe on a simulated P74, and its peak
//          memory, against qxkb-bare-window.exe (the same window painting one background image);
//   paint  in this process: a hover repaint of one effect button and a full repaint of the main
//          window, against a full repaint of the bare window;
// The CPU time of both idle is measured from outside (tools/bench-window.sh): Wine reports no
// times for other processes.
// Usage: qxkb-window-bench.exe start [runs] | paint [frames]
#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/directory_path.h"
#include "app/language.h"
#include "app/win32/app_paths.h"
#include "app/win32/hid_backend_choice.h"
#include "bench/windows/bare_window.h"
#include "device/hid_device_manager.h"
#include "platform/pause_clock.h"
#include "platform/win32/win32_directory_ops.h"
#include "platform/win32/win32_registry.h"
#include "windows/lighting_page_layout.h"
#include "windows/main_window_host.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::wstring BinDir() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

// --- other processes ------------------------------------------------------------------------

struct Child {
    PROCESS_INFORMATION process = {};
    double firstFrameMs = -1;   // from CreateProcess to the end of the first WM_PAINT
    double peakWorkingSetMb = 0;
    double peakPrivateMb = 0;
};

// Starts a program and waits (bounded) for the event it sets after its first painted frame.
Child Launch(const std::wstring& exe) {
    Child child;
    static int serial = 0;
    const std::wstring eventName = L"QxKBFirstFrame" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                                   std::to_wstring(++serial);
    HANDLE firstFrame = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ::SetEnvironmentVariableW(L"QXKB_FIRST_FRAME_EVENT", eventName.c_str());
    STARTUPINFOW si = {sizeof si};
    std::wstring command = L"\"" + exe + L"\"";
    const double start = Now();
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &child.process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", exe.c_str());
        ::CloseHandle(firstFrame);
        return child;
    }
    if (::WaitForSingleObject(firstFrame, 60000) == WAIT_OBJECT_0) child.firstFrameMs = Now() - start;
    ::CloseHandle(firstFrame);
    PROCESS_MEMORY_COUNTERS memory = {sizeof memory};
    if (::GetProcessMemoryInfo(child.process.hProcess, &memory, sizeof memory)) {
        child.peakWorkingSetMb = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
        child.peakPrivateMb = static_cast<double>(memory.PeakPagefileUsage) / (1024.0 * 1024.0);
    }
    return child;
}

HWND WindowOf(const Child& child, const wchar_t* title) {
    struct Search {
        DWORD pid;
        const wchar_t* title;
        HWND found;
    } search{child.process.dwProcessId, title, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            wchar_t text[64] = {};
            ::GetWindowTextW(window, text, 64);
            if (pid != s->pid || std::wcscmp(text, s->title) != 0) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The program's own exit request; a program that does not end in time is killed.
void Stop(Child& child, const wchar_t* title) {
    if (!child.process.hProcess) return;
    if (HWND window = WindowOf(child, title)) ::PostMessageW(window, 1091, 0, 610);
    if (::WaitForSingleObject(child.process.hProcess, 15000) != WAIT_OBJECT_0) ::TerminateProcess(child.process.hProcess, 9);
    ::CloseHandle(child.process.hProcess);
    ::CloseHandle(child.process.hThread);
    child.process = {};
}

int RunStart(int runs) {
    const std::wstring program = BinDir() + L"QxKBDriver.exe", bare = BinDir() + L"qxkb-bare-window.exe";
    if (!::GetEnvironmentVariableW(L"QXKB_SIMULATED_KEYBOARD", nullptr, 0))
        ::SetEnvironmentVariableW(L"QXKB_SIMULATED_KEYBOARD", L"5");
    std::vector<double> programMs, bareMs, programMb, bareMb, programPrivate, barePrivate;
    // The first round warms the file cache and creates the database; it is not counted.
    for (int round = 0; round <= runs; ++round) {
        Child b = Launch(bare);
        Stop(b, L"QxKBBareWindow");
        Child p = Launch(program);
        Stop(p, L"QxKBMainDlg");
        if (round == 0) continue;
        if (b.firstFrameMs < 0 || p.firstFrameMs < 0) {
            std::fprintf(stderr, "a first frame never came\n");
            return 1;
        }
        bareMs.push_back(b.firstFrameMs);
        programMs.push_back(p.firstFrameMs);
        bareMb.push_back(b.peakWorkingSetMb);
        programMb.push_back(p.peakWorkingSetMb);
        barePrivate.push_back(b.peakPrivateMb);
        programPrivate.push_back(p.peakPrivateMb);
    }
    const double pm = Median(programMs), bm = Median(bareMs);
    std::printf("start-up to first frame (median of %d): program %.1f ms, bare window %.1f ms, ratio %.2f (goal <= 1.3)\n",
                runs, pm, bm, pm / bm);
    const double pw = Median(programMb), bw = Median(bareMb), pp = Median(programPrivate), bp = Median(barePrivate);
    std::printf("peak working set: program %.1f MB, bare window %.1f MB, ratio %.2f (goal <= 2)\n", pw, bw, pw / bw);
    std::printf("peak private bytes: program %.1f MB, bare window %.1f MB, ratio %.2f\n", pp, bp, pp / bp);
    return 0;
}

// --- in this process ------------------------------------------------------------------------

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

template <typename F>
double MsPerFrame(int frames, F frame) {
    frame();
    const double start = Now();
    for (int i = 0; i < frames; ++i) frame();
    return (Now() - start) / frames;
}

double FullRepaint(HWND window, int frames) {
    return MsPerFrame(frames, [&] {
        ::InvalidateRect(window, nullptr, FALSE);
        ::UpdateWindow(window);
    });
}

int RunPaint(int frames) {
    if (!::GetEnvironmentVariableW(L"QXKB_SIMULATED_KEYBOARD", nullptr, 0))
        ::SetEnvironmentVariableW(L"QXKB_SIMULATED_KEYBOARD", L"5");
    SetProcessDPIAware();
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    qx::Win32Registry registry;
    qx::ChooseStartupLanguage(registry, GetUserDefaultUILanguage());
    qx::SetToolkitInstance(::GetModuleHandleW(nullptr));
    qx::Win32DirectoryOps directories;
    qx::EnsureDirectoryPath(qx::GetDocumentsDataDir() + L"db", directories);
    ::OleInitialize(nullptr);
    qx::HidBackendChoice backend = qx::ChooseHidBackend();
    qx::SystemPauseClock clock;
    auto manager = std::make_unique<qx::HidDeviceManager>(backend.Api(), clock);
    qx::g_hidDeviceManager = manager.get();

    double bareFull = 0;
    {
        qxbench::BareWindow bare;
        HWND window = bare.CreateBare();
        bare.CenterWindow(nullptr);
        Pump();
        bareFull = FullRepaint(window, frames);
        bare.DestroyWindow();
        Pump();
    }
    auto host = qx::CreateMainWindow(registry, backend.simulator.get());
    HWND main = host->Handle();
    RECT r;
    ::GetWindowRect(main, &r);
    ::SetWindowPos(main, nullptr, (GetSystemMetrics(SM_CXSCREEN) - 1060) / 2, (GetSystemMetrics(SM_CYSCREEN) - 720) / 2,
                   0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(main, SW_SHOW);
    ::UpdateWindow(main);
    Pump();
    const double mainFull = FullRepaint(main, frames);

    // The pointer alternately on the first effect button and just above it: each move changes
    // that one button's look and repaints its rectangle.
    const qx::LightEffectFamily& family = *qx::LightEffectFamilyOf(5);
    const qx::LayoutRect button = qx::LightEffectButtonRect(family, family.firstId);
    const LPARAM on = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    const LPARAM off = MAKELPARAM((button.left + button.right) / 2, button.top - 4);
    int n = 0, repainted = 0;
    const double hover = MsPerFrame(frames * 2, [&] {
        ::SendMessageW(main, WM_MOUSEMOVE, 0, (n++ % 2) ? off : on);
        RECT dirty;
        if (::GetUpdateRect(main, &dirty, FALSE)) ++repainted;
        ::UpdateWindow(main);
    });
    std::printf("bare background full repaint: %.3f ms\n", bareFull);
    std::printf("main window full repaint:     %.3f ms, ratio %.2f\n", mainFull, mainFull / bareFull);
    std::printf("effect button hover repaint:  %.3f ms, ratio %.2f (%d of %d moves repainted)\n", hover,
                hover / bareFull, repainted, frames * 2 + 1);
    ::DestroyWindow(main);
    Pump();
    host.reset();
    manager.reset();
    qx::g_hidDeviceManager = nullptr;
    ::OleUninitialize();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    const int count = argc > 2 ? _wtoi(argv[2]) : 0;
    if (mode == L"start") return RunStart(count > 0 ? count : 5);
    if (mode == L"paint") return RunPaint(count > 0 ? count : 50);
    std::fprintf(stderr, "usage: qxkb-window-bench start [runs] | paint [frames]\n");
    return 2;
}
