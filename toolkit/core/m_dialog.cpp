#include "toolkit/core/m_dialog.h"

#include "toolkit/core/m_control.h"

namespace QxUI {

MDialog::MDialog()
    : m_roundCorner(0),
      m_transparentColor(0xFFFFFF),
      m_alpha(255),
      m_messageOffset(0),
      m_tooltipCtrlID(0),
      m_clientRect{0, 0, 0, 0} {}

// The window must not outlive the paint manager and the handlers it calls into.
MDialog::~MDialog() {
    if (IsLive()) ::RevokeDragDrop(m_hWnd);  // WM_DESTROY will not reach the paint manager now
    DetachAndDestroy();
}

const wchar_t* MDialog::GetWindowClassName() const { return L"MDialog"; }
const wchar_t* MDialog::GetClassNameW() const { return L"MDialog"; }

LRESULT MDialog::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    CPoint point = CPoint::FromLParam(lParam);
    switch (msg) {
    case WM_CREATE: OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), point.x, point.y); break;
    case WM_PAINT: OnPaint(); break;
    case WM_CLOSE: OnClose(); break;
    case WM_ERASEBKGND: return 1;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_NCACTIVATE: OnNcActivate(static_cast<BOOL>(wParam)); break;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), 1, 0); break;
    case WM_TIMER: OnTimer(static_cast<UINT>(wParam)); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(static_cast<UINT>(wParam), point); break;
    case WM_MOUSEHOVER: OnMouseHover(static_cast<UINT>(wParam), lParam); break;
    case WM_MOUSELEAVE: OnMouseLeave(static_cast<UINT>(wParam), lParam); break;
    case WM_USERCLOSEWINDOW: return OnUserCloseWindow(wParam, lParam);
    default: break;
    }
    // The handlers above only observe: the paint manager and the default procedure always
    // see the message too.
    LRESULT result = m_paintManager.OnWindowMessage(msg, wParam, lParam);
    if (result) return result;
    return ::CallWindowProcW(m_oldWndProc, m_hWnd, msg, wParam, lParam);
}

BOOL MDialog::PreTranslateMessage(MSG* msg) { return m_paintManager.PreTranslateMessage(msg); }

BOOL MDialog::OnInitDialog() {
    m_paintManager.Init(m_hWnd, this);
    CRect client;
    if (GetClientRect(&client)) m_clientRect = client;
    InitUI(CRect(m_clientRect));
    return TRUE;
}

void MDialog::OnDestroyMessage(HWND hwnd) {
    if (hwnd && hwnd == m_paintManager.GetPaintWnd()) m_paintManager.OnDestroyMessage(hwnd);
    PostNcDestroy();
}

POINT MDialog::GetAirBladderPoint(MControl* control, UINT type) {
    POINT p = {0, 0};
    if (!control) return p;
    CRect r = control->GetRect();
    p.y = r.bottom;
    p.x = type == 0 ? r.left : type == 1 ? r.left + (r.right - r.left) / 2 : r.right;
    ClientToScreen(&p);
    return p;
}

void MDialog::OnMinimize() { ShowWindow(SW_MINIMIZE); }
void MDialog::OnMaximize() { ShowWindow(IsZoomed() ? SW_RESTORE : SW_MAXIMIZE); }
void MDialog::InitUI(CRect) {}
void MDialog::UISize(CRect) {}
LRESULT MDialog::OnMessage(UINT, UINT, UINT, LPARAM) { return 0; }

LRESULT MDialog::OnUserCloseWindow(WPARAM result, LPARAM lParam) {
    PostMessageW(WM_CLOSE, result, lParam);
    return 1;
}

BOOL MDialog::OnCreate(CREATESTRUCTW*) {
    // No caption or sizing frame: the toolkit draws the whole window itself.
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & 0xFF3BFFFF) | 0x06000008));
    return TRUE;
}

BOOL MDialog::OnSize(UINT, int, int) {
    if (!IsIconic()) {
        SetupRegion(IsZoomed() ? 0 : m_roundCorner);
        SetupBackTranslucent();
    }
    CRect client;
    if (GetClientRect(&client)) m_clientRect = client;
    // WM_SIZE also arrives during creation, before InitUI; UISize must cope with that.
    if (client.Width() > 1 && client.Height() > 1) UISize(client);
    InvalidateRect(client, FALSE);
    return 0;
}

BOOL MDialog::OnMouseMove(UINT, CPoint) { return 0; }
BOOL MDialog::OnMouseLeave(UINT, LPARAM) { return 0; }
BOOL MDialog::OnMouseHover(UINT, LPARAM) { return 0; }
BOOL MDialog::OnMouseWheel(UINT, short, CPoint) { return 0; }
BOOL MDialog::OnLButtonDown(UINT, CPoint) { return 0; }
BOOL MDialog::OnLButtonUp(UINT, CPoint) { return 0; }
BOOL MDialog::OnLButtonDblClk(UINT, CPoint) { return 0; }
BOOL MDialog::OnRButtonDown(UINT, CPoint) { return 0; }
BOOL MDialog::OnRButtonUp(UINT, CPoint) { return 0; }
BOOL MDialog::OnRButtonDblClk(UINT, CPoint) { return 0; }
BOOL MDialog::OnKeyDown(UINT, UINT, UINT) { return 0; }
BOOL MDialog::OnNcHitTest(CPoint) { return 0; }
BOOL MDialog::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
BOOL MDialog::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { return 0; }
BOOL MDialog::OnNcActivate(BOOL) { return 0; }
BOOL MDialog::OnWindowPosChanging(WINDOWPOS*) { return 1; }
BOOL MDialog::OnWindowPosChanged(WINDOWPOS*) { return 1; }
BOOL MDialog::OnPaint() { return 0; }
void MDialog::OnTimer(UINT) {}
BOOL MDialog::OnNcPaint() { return 0; }
BOOL MDialog::OnClose() { return 1; }
BOOL MDialog::OnDestroy() { return 0; }
BOOL MDialog::PostNcDestroy() { return 0; }

LRESULT MDialog::OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    return OnMessage(id, code, wParam, lParam);
}

LRESULT MDialog::OnControlUpdate(CRect rect, int flag, MControl* control) {
    return m_paintManager.OnControlUpdate(rect, flag, control);
}

void MDialog::SetMessage(CString text, CRect rect, MsgLevel level) {
    if (rect.IsRectEmpty() || rect.IsRectNull()) {
        CRect client;
        GetClientRect(&client);
        int m = (client.right - client.left) / 2;
        rect = CRect(m - 100, client.bottom - 60, m + 100, client.bottom - 2);
        rect.OffsetRect(0, m_messageOffset);
    }
    m_paintManager.SetMessage(text, rect, level);
}

void MDialog::SetupBackTranslucent() {
    if (!IsLive()) return;
    if (m_alpha != 255) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(m_alpha), LWA_ALPHA);
    } else if (m_transparentColor != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, m_transparentColor, 255, LWA_COLORKEY);
    }
}

void MDialog::SetupRegion(int diameter) {
    if (diameter <= 0 || !IsLive()) return;
    CRect window;
    GetWindowRect(&window);
    window.MoveToXY(0, 0);
    HRGN region = ::CreateRoundRectRgn(0, 0, window.Width() + 1, window.Height() + 1, diameter, diameter);
    // The window owns the region from here on.
    if (region && !::SetWindowRgn(m_hWnd, region, TRUE)) ::DeleteObject(region);
}

BOOL MDialog::SetAirBladderMsg(const wchar_t* text, POINT screenPoint, AIRBLADDER_TYPE type) {
    if (screenPoint.x == 0 || screenPoint.y == 0) return FALSE;
    if (!m_paintManager.SetAirBladderMsg(text, screenPoint, type, AIRBLADDER_MODE_BELOW)) return FALSE;
    m_paintManager.ShowAirBladder(SW_SHOW, 0);
    return TRUE;
}

MControl* MDialog::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    return m_paintManager.CreateControl(1, this, className, id, rect, title, a, b);
}

MControl* MDialog::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    return m_paintManager.CreateControl(0, this, className, id, rect, title, a, b);
}

BOOL MDialog::RemoveControl(MControl* control) {
    m_paintManager.RemoveControl(control);
    return TRUE;
}

void MDialog::DoOK() { PostMessageW(WM_USERCLOSEWINDOW, IDOK, 0); }
void MDialog::DoCancel() { PostMessageW(WM_USERCLOSEWINDOW, IDCANCEL, 0); }
void MDialog::DoClose() { PostMessageW(WM_USERCLOSEWINDOW, IDCANCEL, 0); }
void MDialog::DoYes() { PostMessageW(WM_USERCLOSEWINDOW, IDYES, 0); }
void MDialog::DoNo() { PostMessageW(WM_USERCLOSEWINDOW, IDNO, 0); }

}  // namespace QxUI
