// Benchmarks of the main window under Wine, each against a baseline measured in the same run:
//   start  start-up to the first painted frame of QxKBDriver.exe on a simulated P74, and its peak
//          memory, against qxkb-bare-window.exe (the same window painting one background image);
//   paint  in this process: a hover repaint of one effect button and a full repaint of the main
//          window, against a full repaint of the bare window;
//   keys   in this process: a click on a key to the painted key-function menu, and the choice of
//          Mute to the end of the type-5 send, against the send's own pauses;
// The CPU time of both idle is measured from outside (tools/bench-window.sh): Wine reports no
// times for other processes.
// Usage: qxkb-window-bench.exe start [runs] | paint [frames] | keys [runs]
#include "bench/counting_pause_clock.h"
#include "resources/keyboard_layout.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "bench/windows/bare_window.h"
#include "platform/pause_clock.h"
#include "sim/wire_log.h"
#include "storage/config_database.h"
#include "tests/toolkit/support/real_input.h"
#include "windows/first_frame_signal.h"
#include "windows/key_function_menu.h"
#include "windows/key_menu_rules.h"
#include "windows/lighting_page_layout.h"
#include "windows/qxkb_main_dlg.h"
#include "windows/main_window_host.h"
#include "windows/program_services.h"


// windows.h names a function of its own LoadKeyboardLayout; the layout loader (declared before
// windows.h) is meant here.
#undef LoadKeyboardLayout

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
    ::SetEnvironmentVariableW(qx::kFirstFrameEventVariable, eventName.c_str());
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
    if (HWND window = WindowOf(child, title)) ::PostMessageW(window, qx::kMessageExitRequest, 0, qx::kExitRequestCode);
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

// The program's start-up in this process (as its entry point does it), on a simulated P74
// unless QXKB_SIMULATED_KEYBOARD says otherwise; the main window is created, centred and shown.
class ProgramInProcess {
public:
    ProgramInProcess() : services_(PrepareEnvironment(), clock) {}
    ~ProgramInProcess() {
        if (host_) {
            ::DestroyWindow(host_->Handle());
            Pump();
            host_.reset();
        }
    }
    HWND ShowMainWindow() {
        host_ = qx::CreateMainWindow(services_.Registry(), services_.Simulator());
        HWND main = host_->Handle();
        ::SetWindowPos(main, nullptr, (GetSystemMetrics(SM_CXSCREEN) - 1060) / 2,
                       (GetSystemMetrics(SM_CYSCREEN) - 720) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::ShowWindow(main, SW_SHOW);
        ::UpdateWindow(main);
        Pump();
        return main;
    }
    qx::sim::WireLog* Wire() { return services_.Wire(); }
    // The main window for the program's own modal run.
    std::unique_ptr<qx::MainWindowHost> CreateMain() {
        return qx::CreateMainWindow(services_.Registry(), services_.Simulator());
    }

    qx::bench::CountingPauseClock clock;  // before the services, which send through it

private:
    // A simulated P74 unless the caller chose keyboards; the module the toolkit loads from.
    static HINSTANCE PrepareEnvironment() {
        // The C runtime's copy of the environment is what the backend choice reads.
        if (!std::getenv("QXKB_SIMULATED_KEYBOARD")) _putenv("QXKB_SIMULATED_KEYBOARD=5");
        SetProcessDPIAware();
        return ::GetModuleHandleW(nullptr);
    }

    qx::ProgramServices services_;
    std::unique_ptr<qx::MainWindowHost> host_;
};

double BareFullRepaint(int frames) {
    qxbench::BareWindow bare;
    HWND window = bare.CreateBare();
    bare.CenterWindow(nullptr);
    Pump();
    const double ms = FullRepaint(window, frames);
    bare.DestroyWindow();
    Pump();
    return ms;
}

int RunPaint(int frames) {
    ProgramInProcess program;
    const double bareFull = BareFullRepaint(frames);
    HWND main = program.ShowMainWindow();
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
    return 0;
}

// Where the main window's keyboard view places a key of the P74: the view's corner and the
// section's key offset added to the key's rectangle, read with the program's own layout loader.
class KeyFinder : public qx::KeyboardLayoutView {
public:
    explicit KeyFinder(const wchar_t* name) : name_(name) {}
    void ClearItem() override {}
    void SetRect(const qx::LayoutRect& rect) override { view_ = rect; }
    void SetKeyboardImage(const std::wstring&) override {}
    void SetKeyPosition(int x, int y) override { offset_ = {x, y}; }
    int AddKeyItem(const wchar_t* name, const wchar_t*, uint32_t, const qx::LayoutRect& r) override {
        if (name && name_ == name)
            centre = {view_.left + offset_.x + (r.left + r.right) / 2, view_.top + offset_.y + (r.top + r.bottom) / 2};
        return 0;
    }
    POINT centre{};

private:
    std::wstring name_;
    qx::LayoutRect view_;
    POINT offset_{};
};

POINT KeyCentre(const wchar_t* name) {
    KeyFinder finder(name);
    qx::ConfigDatabase noDatabase;  // closed: the loader stores nothing
    qx::KeyboardLayoutTables tables;
    qx::LoadKeyboardLayout({qx::KeyboardLayoutFilePath(BinDir()), qx::LayoutSectionForDevice(5, qx::kInitialLayoutSection),
                            5, 1},
                           finder, noDatabase, tables);
    return finder.centre;
}

std::atomic<double> g_pressTaken{0};
std::atomic<double> g_lastWrite{0};

LRESULT CALLBACK NotePress(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_LBUTTONDOWN && g_pressTaken == 0)
        g_pressTaken = Now();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// A visible window of this process with that class (hidden menu windows may exist too).
HWND VisibleWindow(const wchar_t* className) {
    struct Query {
        const wchar_t* className;
        HWND found;
    } query{className, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* q = reinterpret_cast<Query*>(data);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            wchar_t name[32] = {};
            ::GetClassNameW(window, name, 32);
            if (pid != ::GetCurrentProcessId() || std::wcscmp(name, q->className) != 0 || !::IsWindowVisible(window))
                return TRUE;
            q->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Waits, with a bound, until done() holds; this thread owns no window.
template <typename F>
bool WaitUntil(F done, double ms = 5000) {
    const double start = Now();
    while (!done()) {
        if (Now() - start > ms) return false;
        ::Sleep(1);
    }
    return true;
}

// The measurements run beside the window's own modal loop, as the program runs it: real clicks
// from xdotool, the window watched from this thread.
struct KeyFigures {
    std::vector<double> open, send, pauses;
    std::string failure;
};

void MeasureKeys(HWND main, DWORD uiThread, const POINT (&keys)[2], int runs, qx::bench::CountingPauseClock& clock, KeyFigures& out) {
    if (!WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; })) {
        out.failure = "the main window did not show";
        return;
    }
    HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, NotePress, nullptr, uiThread);
    for (int i = 0; i < runs && out.failure.empty(); ++i) {
        // Two keys in turn: a click on the key that is already selected selects nothing.
        const POINT key = keys[i % 2];
        if (!qxtest::MoveTo(main, key.x, key.y)) {
            out.failure = "xdotool failed";
            break;
        }
        g_pressTaken = 0;
        // From the moment the program takes the press from its queue to the menu on screen with
        // nothing left to paint.
        if (!qxtest::RunXdotool({"click", "1"})) {
            out.failure = "xdotool failed";
            break;
        }
        HWND menu = nullptr;
        RECT dirty;
        if (!WaitUntil([&] {
                menu = VisibleWindow(L"QxKBMenuWnd");
                return menu && g_pressTaken > 0 && !::GetUpdateRect(menu, &dirty, FALSE);
            })) {
            out.failure = "round " + std::to_string(i) + std::string(": the menu did not open: ") + (menu ? "shown" : "not shown") +
                          (g_pressTaken > 0 ? ", press seen" : ", no press seen");
            break;
        }
        out.open.push_back(Now() - g_pressTaken);
        // What the menus post when Multimedia is pointed at and Mute is clicked.
        ::SendMessageW(main, qx::kMessageKeyMenu, 11, qx::kCategoryMultimedia);
        clock.pausedMs = 0;
        g_lastWrite = 0;
        const double t0 = Now();
        ::PostMessageW(main, qx::kMessageKeySubmenu, 2, 636);
        // The send is over once no report followed the last one for 300 ms.
        if (!WaitUntil([&] { return g_lastWrite > 0 && Now() - g_lastWrite > 300; })) {
            out.failure = "nothing was sent";
            break;
        }
        out.send.push_back(g_lastWrite - t0);
        out.pauses.push_back(clock.pausedMs);
        // The confirmation closes itself after about two seconds.
        WaitUntil([&] {
            HWND box = ::FindWindowW(nullptr, L"QxKBMsgBox");
            return !box || !::IsWindowVisible(box);
        }, 10000);
        // Its modal loop has given the main window back once the window answers and is enabled.
        ::SendMessageW(main, WM_NULL, 0, 0);
        WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; });
    }
    ::UnhookWindowsHookEx(hook);
}

// A click on a key to the first painted frame of the key-function menu, and the choice of
// Multimedia > Mute to the end of the type-5 key-map send, against the send's own pauses.
int RunKeys(int runs) {
    ProgramInProcess program;
    const double bareFull = BareFullRepaint(50);
    const POINT keys[2] = {KeyCentre(L"A"), KeyCentre(L"S")};
    if (!keys[0].x || !keys[1].x) {
        std::fprintf(stderr, "the layout has no key A or S\n");
        return 1;
    }
    auto host = program.CreateMain();
    qx::sim::WireLog* wire = program.Wire();
    if (!host || !wire) {
        std::fprintf(stderr, "the keys benchmark needs the simulated keyboard\n");
        return 1;
    }
    wire->SetSink([](const qx::sim::WireEvent& e) {
        if (e.kind == qx::sim::WireKind::Write) g_lastWrite = Now();
    });
    HWND main = host->Handle();
    KeyFigures figures;
    std::thread measure([&] {
        MeasureKeys(main, ::GetWindowThreadProcessId(main, nullptr), keys, runs, program.clock, figures);
        if (!figures.failure.empty()) {
            std::fprintf(stderr, "%s\n", figures.failure.c_str());
        } else {
            const double o = Median(figures.open), sd = Median(figures.send), p = Median(figures.pauses);
            std::printf("bare background full repaint:   %.2f ms\n", bareFull);
            std::printf("click on a key -> menu painted: %.2f ms, ratio %.2f to the bare repaint\n", o, o / bareFull);
            std::printf("Mute chosen -> end of the send: %.2f ms, the send's own pauses %.0f ms, ratio %.2f\n", sd, p,
                        p > 0 ? sd / p : 0.0);
        }
        std::fflush(stdout);
        std::fflush(stderr);
        // The program's exit request ends the process from the window's thread.
        ::PostMessageW(main, qx::kMessageExitRequest, 0, qx::kExitRequestCode);
    });
    qx::RunMainWindowModal(*host);
    measure.join();
    return figures.failure.empty() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    const int count = argc > 2 ? _wtoi(argv[2]) : 0;
    if (mode == L"start") return RunStart(count > 0 ? count : 5);
    if (mode == L"paint") return RunPaint(count > 0 ? count : 50);
    if (mode == L"keys") return RunKeys(count > 0 ? count : 5);
    std::fprintf(stderr, "usage: qxkb-window-bench start [runs] | paint [frames] | keys [runs]\n");
    return 2;
}
