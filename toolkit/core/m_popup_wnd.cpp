#include "toolkit/core/m_popup_wnd.h"

#include "toolkit/core/m_control.h"
#include "toolkit/core/popup_message_router.h"

namespace QxUI {

MPopupWnd::MPopupWnd() : m_transparentColor(0xF1F1F1), m_alpha(255), m_parent(nullptr), m_inPosChanged(FALSE) {}

// The window must not outlive the paint manager and the handlers it calls into.
MPopupWnd::~MPopupWnd() {
    if (IsLive()) ::RevokeDragDrop(m_hWnd);  // WM_DESTROY will not reach the paint manager now
    DetachAndDestroy();
}

LRESULT MPopupWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RoutePopupMessage<false>(*this, msg, wParam, lParam, &result)) return result;
    result = m_paintManager.OnWindowMessage(msg, wParam, lParam);
    if (result) return result;
    return ::CallWindowProcW(m_oldWndProc, m_hWnd, msg, wParam, lParam);
}

BOOL MPopupWnd::PreTranslateMessage(MSG* msg) { return m_paintManager.PreTranslateMessage(msg); }

BOOL MPopupWnd::OnInitDialog() {
    m_paintManager.Init(m_hWnd, this);
    m_paintManager.EnableWndDrag(FALSE);
    RECT client = {0, 0, 0, 0};
    GetClientRect(&client);
    InitUI(CRect(client));
    return TRUE;
}

void MPopupWnd::OnDestroyMessage(HWND hwnd) {
    if (hwnd && hwnd == m_paintManager.GetPaintWnd()) m_paintManager.OnDestroyMessage(hwnd);
    PostNcDestroy();
}

void MPopupWnd::InitUI(CRect) {}
void MPopupWnd::UISize(CRect) {}
LRESULT MPopupWnd::OnMessage(UINT, UINT, UINT, LPARAM) { return 0; }

LRESULT MPopupWnd::OnUserCloseWindow(UINT wParam, LPARAM lParam) {
    PostMessageW(WM_CLOSE, wParam, lParam);
    return 1;
}

void MPopupWnd::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

BOOL MPopupWnd::OnCreate(CREATESTRUCTW*) {
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & 0xFF3BFFFF) | 0x06000008));
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return TRUE;
}

BOOL MPopupWnd::OnSize(UINT, int, int) {
    RECT client;
    if (!GetClientRect(&client)) return 0;
    UISize(CRect(client));
    ::InvalidateRect(m_hWnd, &client, FALSE);
    return 0;
}

BOOL MPopupWnd::OnMouseMove(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnMouseLeave(UINT, LPARAM) { return 0; }
BOOL MPopupWnd::OnMouseHover(UINT, LPARAM) { return 0; }
BOOL MPopupWnd::OnMouseWheel(UINT, short, CPoint) { return 0; }
BOOL MPopupWnd::OnLButtonDown(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnLButtonUp(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnLButtonDblClk(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnRButtonDown(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnRButtonUp(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnRButtonDblClk(UINT, CPoint) { return 0; }
BOOL MPopupWnd::OnKeyDown(UINT, UINT, UINT) { return 0; }
BOOL MPopupWnd::OnNcHitTest(CPoint) { return 0; }
BOOL MPopupWnd::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
BOOL MPopupWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { return 0; }

// A popup lives only while it is the active window: losing activation closes it.
BOOL MPopupWnd::OnNcActivate(BOOL active) {
    if (!active) PostMessageW(WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL MPopupWnd::OnWindowPosChanging(WINDOWPOS*) { return 0; }

BOOL MPopupWnd::OnWindowPosChanged(WINDOWPOS* pos) {
    if (!pos || !IsLive() || m_inPosChanged) return TRUE;
    // Raising the popup with a frame change reports a position change again: answered once.
    m_inPosChanged = TRUE;
    WINDOWPOS now = *pos;  // read before the nested call may reuse the structure
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
    SendMessageW(WM_MOVE, 0, MAKELPARAM(now.x, now.y));
    SendMessageW(WM_SIZE, 0, MAKELPARAM(now.cx, now.cy));
    OnSize(0, now.cx, now.cy);
    m_inPosChanged = FALSE;
    return TRUE;
}

BOOL MPopupWnd::OnPaint() { return 0; }
void MPopupWnd::OnTimer(UINT) {}
BOOL MPopupWnd::OnNcPaint() { return 0; }
BOOL MPopupWnd::OnClose() { return TRUE; }
BOOL MPopupWnd::PostNcDestroy() { return 0; }
BOOL MPopupWnd::OnDestroy() { return 0; }

LRESULT MPopupWnd::OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    return OnMessage(id, code, wParam, lParam);
}

LRESULT MPopupWnd::OnControlUpdate(CRect rect, int flag, MControl* control) {
    return m_paintManager.OnControlUpdate(rect, flag, control);
}

BOOL MPopupWnd::SendMessageToParent(UINT code, WPARAM wParam, LPARAM lParam) {
    if (!m_parent) return 0;
    auto w = static_cast<UINT>(wParam);
    // A control parent hears it as a message of its own; any other owner as a notification.
    if (auto* control = dynamic_cast<MControl*>(m_parent)) return static_cast<BOOL>(control->OnMessage(0, code, w, lParam));
    return static_cast<BOOL>(m_parent->OnBaseMessage(0, code, w, lParam));
}

MControl* MPopupWnd::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    return m_paintManager.CreateControl(1, this, className, id, rect, title, a, b);
}

MControl* MPopupWnd::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    return m_paintManager.CreateControl(0, this, className, id, rect, title, a, b);
}

void MPopupWnd::SetupBackTranslucent() {
    if (!IsLive()) return;
    if (m_alpha != 255) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, 0, m_alpha, LWA_ALPHA);
    } else if (m_transparentColor != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, m_transparentColor, 255, LWA_COLORKEY);
    }
}

}  // namespace QxUI
