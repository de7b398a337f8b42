#pragma once
#include "toolkit/core/c_point.h"
#include "toolkit/core/ui_enums.h"
#include "toolkit/core/windows_include.h"

namespace QxUI {

// The message table every popup window shares: each message goes to its handler, whose result
// is ignored. Returns true for the two messages answered at once (erase and user close), with
// the answer in *result; every other message then goes on to the caller's default handling.
// `Focus` is false for windows without focus handlers (the control popup).
template <bool Focus, typename Window>
bool RoutePopupMessage(Window& w, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CPoint point = CPoint::FromLParam(lParam);
    UINT flags = static_cast<UINT>(wParam);
    switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_USERCLOSEWINDOW: *result = w.OnUserCloseWindow(flags, lParam); return true;
    case WM_CREATE: w.OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); break;
    case WM_DESTROY: w.OnDestroy(); break;
    case WM_SIZE: w.OnSize(flags, point.x, point.y); break;
    case WM_PAINT: w.OnPaint(); break;
    case WM_CLOSE: w.OnClose(); break;
    case WM_WINDOWPOSCHANGING: w.OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_WINDOWPOSCHANGED: w.OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_NCACTIVATE: w.OnNcActivate(static_cast<BOOL>(wParam)); break;
    case WM_TIMER: w.OnTimer(flags); break;
    case WM_MOUSEMOVE: w.OnMouseMove(flags, point); break;
    case WM_LBUTTONDOWN: w.OnLButtonDown(flags, point); break;
    case WM_LBUTTONUP: w.OnLButtonUp(flags, point); break;
    case WM_LBUTTONDBLCLK: w.OnLButtonDblClk(flags, point); break;
    case WM_RBUTTONDOWN: w.OnRButtonDown(flags, point); break;
    case WM_RBUTTONUP: w.OnRButtonUp(flags, point); break;
    case WM_RBUTTONDBLCLK: w.OnRButtonDblClk(flags, point); break;
    case WM_MOUSEHOVER: w.OnMouseHover(flags, lParam); break;
    case WM_MOUSELEAVE: w.OnMouseLeave(flags, lParam); break;
    case WM_SETFOCUS:
        if constexpr (Focus) w.OnSetFocus(nullptr);
        break;
    case WM_KILLFOCUS:
        if constexpr (Focus) w.OnKillFocus(nullptr);
        break;
    default: break;
    }
    return false;
}

}  // namespace QxUI
