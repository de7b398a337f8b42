#include "toolkit/core/m_window.h"

#include "toolkit/core/manager.h"

namespace QxUI {

namespace {
const wchar_t kControlProperty[] = L"Control";
}

MWindow::MWindow() : m_hParent(nullptr), m_hWnd(nullptr), m_oldWndProc(::DefWindowProcW) {}

MWindow::~MWindow() { DetachAndDestroy(); }

void MWindow::DetachAndDestroy() {
    if (!IsLive()) return;
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    if (::GetPropW(hwnd, kControlProperty) == this) ::RemovePropW(hwnd, kControlProperty);
    if (reinterpret_cast<MWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)) == this)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    // A superclassed system window still needs its own procedure for the rest of its life.
    if (m_oldWndProc != ::DefWindowProcW)
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldWndProc));
    ::DestroyWindow(hwnd);
}

const wchar_t* MWindow::GetWindowClassName() const { return L"MWindow"; }
const wchar_t* MWindow::GetSuperClassName() const { return nullptr; }

BOOL MWindow::ShowWindow(int nCmdShow) {
    if (!m_hWnd || m_hWnd == reinterpret_cast<HWND>(-1)) return 0;
    return ::ShowWindow(m_hWnd, nCmdShow);
}

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_oldWndProc, m_hWnd, msg, wParam, lParam);
}

BOOL MWindow::PreTranslateMessage(MSG*) { return FALSE; }
BOOL MWindow::OnInitDialog() { return TRUE; }
void MWindow::OnDestroyMessage(HWND) {}

BOOL MWindow::IsLive() const { return m_hWnd && ::IsWindow(m_hWnd); }

BOOL MWindow::RegisterWindowClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = Manager::m_hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc)) return TRUE;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? TRUE : FALSE;
}

BOOL MWindow::RegisterSuperClass() {
    const wchar_t* super = GetSuperClassName();
    if (!super) return FALSE;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(nullptr, super, &wc) && !::GetClassInfoExW(Manager::m_hInstance, super, &wc))
        return FALSE;
    m_oldWndProc = wc.lpfnWndProc;
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = Manager::m_hInstance;
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc)) return TRUE;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? TRUE : FALSE;
}

HWND MWindow::Create(HWND parent) {
    return Create(parent, L"PnClient", 0x80B, 0, CRect(0, 0, 800, 600), nullptr);
}

HWND MWindow::Create(HWND parent, CRect rect) { return Create(parent, L"PnClient", 0x80B, 0, rect, nullptr); }

HWND MWindow::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect) {
    return Create(parent, title, style, exStyle, rect, nullptr);
}

HWND MWindow::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect, HMENU menu) {
    if (IsLive()) return m_hWnd;
    m_hParent = parent;
    BOOL registered = GetSuperClassName() ? RegisterSuperClass() : RegisterWindowClass();
    if (!registered) return nullptr;
    HWND hwnd = ::CreateWindowExW(exStyle, GetWindowClassName(), title, style, rect.left, rect.top, rect.Width(),
                                  rect.Height(), parent, menu, Manager::m_hInstance, this);
    // WM_NCCREATE already stored the handle; a failed creation leaves NULL.
    m_hWnd = hwnd;
    OnInitDialog();
    return m_hWnd;
}

void MWindow::SetIcon(UINT resourceId) {
    if (!IsLive()) return;
    HICON big = static_cast<HICON>(::LoadImageW(Manager::m_hInstance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    HICON small = static_cast<HICON>(::LoadImageW(Manager::m_hInstance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

DWORD MWindow::GetStyle() const { return IsLive() ? static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)) : 0; }
DWORD MWindow::GetExStyle() const { return IsLive() ? static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)) : 0; }

static BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    if (!hwnd || !::IsWindow(hwnd)) return FALSE;
    DWORD old = static_cast<DWORD>(::GetWindowLongW(hwnd, index));
    DWORD value = (old & ~remove) | add;
    if (value == old) return FALSE;
    ::SetWindowLongW(hwnd, index, static_cast<LONG>(value));
    if (swpFlags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL MWindow::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) { return ModifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags); }
BOOL MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags) { return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags); }

BOOL MWindow::GetClientRect(RECT* rect) const { return IsLive() && rect ? ::GetClientRect(m_hWnd, rect) : FALSE; }
BOOL MWindow::GetWindowRect(RECT* rect) const { return IsLive() && rect ? ::GetWindowRect(m_hWnd, rect) : FALSE; }
BOOL MWindow::SetWindowTextW(const wchar_t* text) { return IsLive() ? ::SetWindowTextW(m_hWnd, text) : FALSE; }

int MWindow::GetWindowTextW(CString& text) const {
    text.Empty();
    if (!IsLive()) return 0;
    int n = ::GetWindowTextLengthW(m_hWnd);
    if (n <= 0) return 0;
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, &buffer[0], n + 1);
    text = CString(buffer.c_str(), static_cast<size_t>(got > 0 ? got : 0));
    return got;
}

int MWindow::GetWindowTextLengthW() const { return IsLive() ? ::GetWindowTextLengthW(m_hWnd) : -1; }
BOOL MWindow::EnableWindow(BOOL enable) { return IsLive() ? ::EnableWindow(m_hWnd, enable) : FALSE; }
BOOL MWindow::IsWindowEnabled() const { return IsLive() ? ::IsWindowEnabled(m_hWnd) : FALSE; }
BOOL MWindow::IsWindowVisible() const { return IsLive() ? ::IsWindowVisible(m_hWnd) : FALSE; }
BOOL MWindow::IsIconic() const { return IsLive() ? ::IsIconic(m_hWnd) : FALSE; }
BOOL MWindow::IsZoomed() const { return IsLive() ? ::IsZoomed(m_hWnd) : FALSE; }
BOOL MWindow::InvalidateRect(CRect rect, BOOL erase) { return IsLive() ? ::InvalidateRect(m_hWnd, &rect, erase) : FALSE; }
HWND MWindow::SetCapture() { return IsLive() ? ::SetCapture(m_hWnd) : nullptr; }
BOOL MWindow::ReleaseCapture() { return IsLive() ? ::ReleaseCapture() : FALSE; }
HWND MWindow::SetFocus() { return IsLive() ? ::SetFocus(m_hWnd) : nullptr; }
UINT_PTR MWindow::SetTimer(UINT id, UINT ms, TIMERPROC proc) { return IsLive() ? ::SetTimer(m_hWnd, id, ms, proc) : 0; }
BOOL MWindow::KillTimer(UINT id) { return IsLive() ? ::KillTimer(m_hWnd, id) : FALSE; }
BOOL MWindow::ClientToScreen(POINT* p) const { return IsLive() && p ? ::ClientToScreen(m_hWnd, p) : FALSE; }
BOOL MWindow::ScreenToClient(POINT* p) const { return IsLive() && p ? ::ScreenToClient(m_hWnd, p) : FALSE; }

BOOL MWindow::ClientToScreen(RECT* r) const {
    if (!IsLive() || !r) return FALSE;
    return ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&r->left)) &&
           ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}

BOOL MWindow::ScreenToClient(RECT* r) const {
    if (!IsLive() || !r) return FALSE;
    return ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->left)) &&
           ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}

BOOL MWindow::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return IsLive() ? ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags) : FALSE;
}

BOOL MWindow::MoveWindow(int x, int y, int w, int h, BOOL repaint) {
    return IsLive() ? ::MoveWindow(m_hWnd, x, y, w, h, repaint) : FALSE;
}

BOOL MWindow::MoveWindow(const RECT* r, BOOL repaint) {
    return r ? MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint) : FALSE;
}

BOOL MWindow::DestroyWindow() { return IsLive() ? ::DestroyWindow(m_hWnd) : FALSE; }
LRESULT MWindow::SendMessageW(UINT msg, WPARAM w, LPARAM l) { return IsLive() ? ::SendMessageW(m_hWnd, msg, w, l) : 0; }
BOOL MWindow::PostMessageW(UINT msg, WPARAM w, LPARAM l) { return IsLive() ? ::PostMessageW(m_hWnd, msg, w, l) : FALSE; }

UINT MWindow::ShowModal(int nCmdShow) {
    if (!IsLive()) return 0xFFFFFFFF;
    HWND hwnd = m_hWnd;
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    ::ShowWindow(hwnd, nCmdShow);
    if (owner) ::EnableWindow(owner, FALSE);

    auto releaseOwner = [owner] {
        if (!owner) return;
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    };

    UINT result = 0;
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (::IsWindow(hwnd)) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got < 0) break;  // invalid call: leave rather than spin
        if (msg.message == WM_CLOSE && msg.hwnd == hwnd) {
            result = static_cast<UINT>(msg.wParam);
            // Before the window goes away, so that activation returns to the owner.
            releaseOwner();
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    releaseOwner();
    if (quit) ::PostQuitMessage(quitCode);
    return result;
}

int MWindow::AnimateShowModal(DWORD, DWORD) {
    if (!IsLive()) return -1;
    ::AnimateWindow(m_hWnd, 2000, AW_SLIDE | AW_VER_POSITIVE);
    return 0;
}

void MWindow::CenterWindow(MWindow* reference) {
    if (!IsLive()) return;
    DWORD style = GetStyle();
    bool child = (style & WS_CHILD) != 0;
    HWND ref = (reference && reference->m_hWnd) ? reference->m_hWnd
                                                 : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    CRect area, centre;
    if (child) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        if (ref && ::IsWindow(ref)) {
            ::GetClientRect(ref, &centre);
            ::MapWindowPoints(ref, parent, reinterpret_cast<POINT*>(&centre), 2);
        } else {
            centre = area;
        }
    } else {
        if (ref && (!::IsWindowVisible(ref) || ::IsIconic(ref))) ref = nullptr;
        HMONITOR monitor = ::MonitorFromWindow(ref ? ref : m_hWnd, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(monitor, &info);
        area = info.rcWork;
        if (ref)
            ::GetWindowRect(ref, &centre);
        else
            centre = area;
    }
    int w = window.Width(), h = window.Height();
    int x = (centre.left + centre.right) / 2 - w / 2;
    int y = (centre.top + centre.bottom) / 2 - h / 2;
    if (x + w > area.right) x = area.right - w;
    if (y + h > area.bottom) y = area.bottom - h;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop() {
    if (!IsLive()) return;
    HWND foreground = ::GetForegroundWindow();
    DWORD foregroundThread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    DWORD thisThread = ::GetCurrentThreadId();
    if (foregroundThread == thisThread) {
        ::SetForegroundWindow(m_hWnd);
    } else {
        if (foregroundThread) ::AttachThreadInput(thisThread, foregroundThread, TRUE);
        ::AllowSetForegroundWindow(ASFW_ANY);
        ::SetForegroundWindow(m_hWnd);
        if (foregroundThread) ::AttachThreadInput(thisThread, foregroundThread, FALSE);
    }
    ::ShowWindow(m_hWnd, ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
}

LRESULT MWindow::Route(MWindow* window, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool property) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        window = static_cast<MWindow*>(cs->lpCreateParams);
        if (window) {
            window->m_hWnd = hwnd;
            if (property)
                ::SetPropW(hwnd, kControlProperty, window);
            else
                ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        }
    }
    if (msg == WM_NCDESTROY) {
        if (!window) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        LRESULT result = ::CallWindowProcW(window->m_oldWndProc, hwnd, msg, wParam, lParam);
        if (property)
            ::RemovePropW(hwnd, kControlProperty);
        else
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->m_hWnd = nullptr;
        window->OnDestroyMessage(hwnd);
        return result;
    }
    if (!window) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    return window->OnWindowMessage(msg, wParam, lParam);
}

LRESULT CALLBACK MWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<MWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return Route(window, hwnd, msg, wParam, lParam, false);
}

LRESULT CALLBACK MWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* window = static_cast<MWindow*>(::GetPropW(hwnd, kControlProperty));
    return Route(window, hwnd, msg, wParam, lParam, true);
}

}  // namespace QxUI
