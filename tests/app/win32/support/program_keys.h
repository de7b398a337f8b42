// What the key-function tests of the running program need beyond its start: where its keys are
// (from the layout file it reads), its popups found by class or title, the rows of its menus,
// the key tip and the white outline on the screen, and the rows it leaves in its database.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// windows.h names a function of its own LoadKeyboardLayout; the layout loader is meant here.
#undef LoadKeyboardLayout
#include "resources/keyboard_layout.h"
#include "storage/config_database.h"
#include "tests/app/win32/support/running_program.h"
#include "tests/protocol/protocol_bytes.h"
#include "toolkit/controls/menu_layout.h"
#include "toolkit/core/air_bladder_geometry.h"

namespace qx {
namespace e2e {

// One key as the main window's keyboard view places it: client rectangle of the main window.
struct ProgramKey {
    std::wstring name;
    uint32_t code = 0;
    RECT rect{};
    POINT Centre() const { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
};

// The keyboard view's placement rules as the toolkit control applies them: the section's key
// offset is added to each key, the view's corner to every key on the window.
class KeyPlacementRecorder : public KeyboardLayoutView {
public:
    void ClearItem() override { keys.clear(); }
    void SetRect(const LayoutRect& rect) override { view = rect; }
    void SetKeyboardImage(const std::wstring&) override {}
    void SetKeyPosition(int x, int y) override { offset = {x, y}; }
    int AddKeyItem(const wchar_t* name, const wchar_t*, uint32_t code, const LayoutRect& r) override {
        const int dx = view.left + offset.x, dy = view.top + offset.y;
        keys.push_back({name ? name : L"", code, RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}});
        return static_cast<int>(keys.size()) - 1;
    }
    LayoutRect view;
    POINT offset{};
    std::vector<ProgramKey> keys;
};

// The layout of a keyboard type, read from the file beside the program.
struct ProgramLayout {
    LayoutRect view;
    std::vector<ProgramKey> keys;
    KeyboardLayoutTables tables;

    const ProgramKey& Key(const wchar_t* name) const {
        for (const ProgramKey& key : keys)
            if (key.name == name) return key;
        ADD_FAILURE() << "no key named " << std::string(name, name + wcslen(name));
        static const ProgramKey none;
        return none;
    }
    // A point of the view that lies on no key: a click there selects nothing.
    POINT EmptyPoint() const {
        for (int y = view.top + 2; y < view.bottom; y += 3)
            for (int x = view.left + 2; x < view.right; x += 3) {
                const POINT p{x, y};
                if (std::none_of(keys.begin(), keys.end(), [&](const ProgramKey& k) { return PtInRect(&k.rect, p); }))
                    return p;
            }
        ADD_FAILURE() << "the view has no point without a key";
        return {0, 0};
    }
};

inline ProgramLayout LoadProgramLayout(int type) {
    std::wstring dir = WindowsPath(QX_DRIVER_EXE);
    dir.resize(dir.find_last_of(L'\\') + 1);
    KeyPlacementRecorder recorder;
    ConfigDatabase noDatabase;   // closed: the loader makes no colour rows
    ProgramLayout layout;
    const LayoutLoadResult result =
        LoadKeyboardLayout({KeyboardLayoutFilePath(dir), LayoutSectionForDevice(type, kInitialLayoutSection), type, 1},
                           recorder, noDatabase, layout.tables);
    EXPECT_EQ(result, LayoutLoadResult::Loaded);
    layout.view = recorder.view;
    layout.keys = recorder.keys;
    return layout;
}

// --- the program's windows ------------------------------------------------------------------

// Top-level windows of process pid with that class (or any) and title (or any), visible ones only
// when visibleOnly; sorted left to right.
inline std::vector<HWND> ProgramWindows(DWORD pid, const wchar_t* className, const wchar_t* title,
                                        bool visibleOnly = true) {
    struct Query {
        DWORD pid;
        const wchar_t* className;
        const wchar_t* title;
        bool visibleOnly;
        std::vector<HWND> found;
    } query{pid, className, title, visibleOnly, {}};
    EnumWindows(
        [](HWND w, LPARAM p) {
            auto& q = *reinterpret_cast<Query*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != q.pid || (q.visibleOnly && !IsWindowVisible(w))) return TRUE;
            wchar_t text[128] = {};
            if (q.className && (!GetClassNameW(w, text, 128) || wcscmp(text, q.className) != 0)) return TRUE;
            if (q.title && (!GetWindowTextW(w, text, 128) || wcscmp(text, q.title) != 0)) return TRUE;
            q.found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    std::sort(query.found.begin(), query.found.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return query.found;
}

inline RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// The key-function menu's rows (36 high, 10 in from the sides, 12 above and below), laid out as
// the toolkit lays them out for a menu window as wide as `menu`.
inline QxUI::MenuColumn MenuRows(int width, int rows) {
    return QxUI::LayoutMenuColumn(QxUI::MenuMetrics{36, 10, true, 12, 12}, width, 12,
                                  std::vector<QxUI::MenuRowShape>(static_cast<size_t>(rows), {true, false}));
}
// A point well inside row `row` of `rows`, on the screen.
inline POINT MenuRowPoint(HWND menu, int row, int rows) {
    const RECT w = WindowRect(menu);
    const QxUI::CRect r = MenuRows(w.right - w.left, rows).rows[static_cast<size_t>(row)];
    return {w.left + r.right - 40, w.top + r.top + 18};
}

// Waits until Wine has mapped the window's own X window, so input sent now reaches it. The X
// window is looked up each time: Wine may make it only after the window shows.
inline bool WaitUntilViewable(HWND w) {
    return WaitFor([&] {
        const auto xid = reinterpret_cast<uintptr_t>(GetPropW(w, L"__wine_x11_whole_window"));
        return xid && IsWindowVisible(w) &&
               qxtest::RunUnixCommand({"sh", "-c", "xwininfo -id " + std::to_string(xid) + " | grep -q IsViewable"});
    });
}
// Clicks client point (x, y) of a popup of the program once it is on the screen.
inline bool ClickPopup(HWND popup, int x, int y) {
    if (!WaitUntilViewable(popup)) return false;
    const RECT r = WindowRect(popup);
    return ClickScreen({r.left + x, r.top + y});
}

// The text of a window of another process (WM_GETTEXT is passed across).
inline std::wstring WindowText(HWND w) {
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &copied)) return L"";
    return text;
}

// --- the screen -----------------------------------------------------------------------------

// Pixels of a screen rectangle, as 0xRRGGBB, row by row.
inline std::vector<uint32_t> ScreenPixels(RECT r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<uint32_t> pixels;
    if (w <= 0 || h <= 0) return pixels;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    if (BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY)) {
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels.assign(p, p + static_cast<size_t>(w) * h);
        for (uint32_t& px : pixels) px &= 0xFFFFFF;
    }
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

inline uint64_t PixelHash(const std::vector<uint32_t>& pixels) {
    uint64_t h = 1469598103934665603ull;
    for (uint32_t p : pixels) h = (h ^ p) * 1099511628211ull;
    return h;
}

// Waits until two looks `gap` ms apart give the same picture, one unlike `unlike`, so what is
// on the screen has stopped changing; `hash` keeps the last picture looked at.
inline bool WaitForSteadyPicture(const std::function<uint64_t()>& look, DWORD gap, uint64_t& hash, uint64_t unlike = 0) {
    return WaitFor([&] {
        hash = look();
        if (hash == unlike) return false;
        Sleep(gap);
        return look() == hash;
    });
}

// --- the fixture ----------------------------------------------------------------------------

class KeyFunctionProgramTest : public RunningProgramTest {
protected:
    // Starts the program on one simulated keyboard of `type` with that layout at hand.
    void StartType(int type, const wchar_t* language = L"1033") {
        type_ = type;
        layout_ = LoadProgramLayout(type);
        Start(std::to_wstring(type).c_str(), language);
    }
    // Ends the running program, so the next StartType begins from nothing stored.
    void StopAndForget() {
        ExitForNextCase();
        SetUp();
    }
    std::vector<HWND> Windows(const wchar_t* className, const wchar_t* title = nullptr, bool visibleOnly = true) const {
        return ProgramWindows(process_.dwProcessId, className, title, visibleOnly);
    }
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD ms = 15000) const {
        HWND found = nullptr;
        WaitFor(
            [&] {
                const auto w = Windows(className, title);
                found = w.empty() ? nullptr : w.front();
                return found != nullptr;
            },
            ms);
        return found;
    }
    std::vector<HWND> Menus(bool visibleOnly = true) const { return Windows(L"QxKBMenuWnd", nullptr, visibleOnly); }

    POINT ToScreen(POINT client) const {
        ClientToScreen(window_, &client);
        return client;
    }
    // Clicks the key and waits for the first-level menu at the pointer.
    HWND OpenMenuOn(const ProgramKey& key) {
        const POINT c = key.Centre();
        if (!qxtest::ClickAt(window_, c.x, c.y)) return nullptr;
        HWND menu = nullptr;
        const POINT at = ToScreen(c);
        WaitFor([&] {
            const auto menus = Menus();
            menu = menus.size() == 1 ? menus.front() : nullptr;
            return menu && WindowRect(menu).left == at.x && WindowRect(menu).top == at.y;
        });
        return menu;
    }
    // Points at a category row of the first-level menu (7 rows, in the order of the menu).
    bool PointAtRow(HWND menu, int row, int rows = 7) {
        POINT p = MenuRowPoint(menu, row, rows);
        // Two moves inside the row: the menu reports pointing on a move within it.
        return MoveToScreen({p.x - 6, p.y}) && MoveToScreen(p);
    }
    // The one submenu beside `menu`, waited for at the row it belongs to, with `rows` rows.
    HWND WaitForSubmenu(HWND menu, int row, int rows) {
        const RECT m = WindowRect(menu);
        const QxUI::MenuColumn first = MenuRows(m.right - m.left, 7);
        const QxUI::CRect r = first.rows[static_cast<size_t>(row)];
        const int expectedHeight = MenuRows(180, rows).height;
        HWND submenu = nullptr;
        WaitFor([&] {
            const auto all = Menus(false);
            const auto shown = Menus();
            submenu = nullptr;
            if (all.size() != 2 || shown.size() != 2) return false;
            submenu = shown[0] == menu ? shown[1] : shown[0];
            const RECT s = WindowRect(submenu);
            return s.left == m.left + r.right + 12 && s.top == m.top + r.top && s.bottom - s.top == expectedHeight;
        });
        return submenu;
    }
    // The "Set Successful!" popup came and went again.
    void ExpectConfirmation() {
        EXPECT_TRUE(WaitFor(PopupShown)) << "no message popup after the choice";
        ASSERT_TRUE(WaitFor([] { return !PopupShown(); }));
    }
    // Waits until the lines after `from` hold every report of `reports` in this order, each the
    // whole bytes of one line.
    bool WaitForReports(size_t from, const std::vector<std::string>& reports, DWORD ms = 15000) {
        size_t matched = 0;
        WaitFor(
            [&] {
                matched = ReportsInOrder(WireLines(), from, reports, true);
                return matched == reports.size();
            },
            ms);
        EXPECT_EQ(matched, reports.size()) << "the first report missing: "
                                           << (matched < reports.size() ? reports[matched] : std::string());
        return matched == reports.size();
    }
    // The key tip over `key`: the pointer rests on it and the tip window stands above its middle.
    bool TipShownOver(const ProgramKey& key) {
        const POINT c = key.Centre();
        const POINT anchor = ToScreen({(key.rect.left + key.rect.right) / 2, key.rect.top});
        const QxUI::CRect expected = QxUI::PlaceKeyTip(anchor);
        int nudge = 0;
        return WaitFor([&] {
            // The tip shows on the moves after the one that entered the key.
            qxtest::MoveTo(window_, c.x + (nudge++ % 2), c.y);
            const auto tips = Windows(nullptr, L"KeyboardTip Window");
            if (tips.empty()) return false;
            const RECT r = WindowRect(tips.front());
            return r.left == expected.left && r.top == expected.top && r.right == expected.right &&
                   r.bottom == expected.bottom;
        });
    }
    // White pixels down the key's left border (its middle half), after the pointer left the view
    // and a click on no key took the selection away: only a key with a function keeps its outline.
    int OutlinePixels(const ProgramKey& key) {
        const int h = key.rect.bottom - key.rect.top;
        const POINT top = ToScreen({key.rect.left, key.rect.top + h / 4});
        const std::vector<uint32_t> column = ScreenPixels(RECT{top.x, top.y, top.x + 1, top.y + h / 2});
        return static_cast<int>(std::count(column.begin(), column.end(), 0xFFFFFFu));
    }
    void DeselectKeys() {
        const POINT empty = layout_.EmptyPoint();
        ASSERT_TRUE(qxtest::ClickAt(window_, empty.x, empty.y));
    }
    // Waits until the outline of `key` is whole (true) or gone (false).
    bool WaitForOutline(const ProgramKey& key, bool whole) {
        const int h = key.rect.bottom - key.rect.top;
        return WaitFor([&] {
            const int white = OutlinePixels(key);
            return whole ? white == h / 2 : white < h / 8;
        });
    }

    int type_ = 0;
    ProgramLayout layout_;
};

// Feature-family frames go out as 64-byte slices behind report id 0.
inline std::vector<std::string> FeatureFrameReports(const std::vector<uint8_t>& frame) {
    std::vector<std::string> reports;
    for (size_t at = 0; at + 64 <= frame.size(); at += 64) {
        std::vector<uint8_t> report(65, 0);
        std::copy_n(frame.begin() + static_cast<long>(at), 64, report.begin() + 1);
        reports.push_back(sim::HexBytes(report));
    }
    return reports;
}

}  // namespace e2e
}  // namespace qx
