#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/c_string.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Thin wrapper of one native top-level window: class registration, the window procedure that
// routes every message to OnWindowMessage, creation, the modal loop, centring and null-safe
// forwarding functions (each returns 0/FALSE/NULL when there is no live window).
// The object belongs to its creator; the toolkit never deletes a window object.
class QXUI_API MWindow {
public:
    MWindow();
    virtual ~MWindow();
    virtual const wchar_t* GetWindowClassName() const;
    // NULL for an ordinary class; the system class this window wraps otherwise.
    virtual const wchar_t* GetSuperClassName() const;
    virtual BOOL ShowWindow(int nCmdShow);
    // Default: passes the message to m_oldWndProc. Never sees WM_NCDESTROY.
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called by ShowModal's loop; TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Called by Create after CreateWindowExW (also when creation failed).
    virtual BOOL OnInitDialog();
    // Called after WM_NCDESTROY, once the object is unbound from `hwnd`.
    virtual void OnDestroyMessage(HWND hwnd);

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetParentHwnd() const { return m_hParent; }
    BOOL RegisterWindowClass();
    BOOL RegisterSuperClass();

    // Creation. Returns the window (the existing one when already created), NULL on failure.
    HWND Create(HWND parent);
    HWND Create(HWND parent, CRect rect);
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect);
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect, HMENU menu);

    void SetIcon(UINT resourceId);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags = 0);

    BOOL GetClientRect(RECT* rect) const;
    BOOL GetWindowRect(RECT* rect) const;
    BOOL SetWindowTextW(const wchar_t* text);
    int GetWindowTextW(CString& text) const;
    int GetWindowTextLengthW() const;  // -1 without a window
    BOOL EnableWindow(BOOL enable);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL InvalidateRect(CRect rect, BOOL erase);
    HWND SetCapture();
    BOOL ReleaseCapture();
    HWND SetFocus();
    UINT_PTR SetTimer(UINT id, UINT ms, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT id);
    BOOL ClientToScreen(POINT* point) const;
    BOOL ClientToScreen(RECT* rect) const;
    BOOL ScreenToClient(POINT* point) const;
    BOOL ScreenToClient(RECT* rect) const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const RECT* rect, BOOL repaint = TRUE);
    BOOL DestroyWindow();
    LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Runs the modal loop until the window is gone or WM_QUIT arrives; the owner is disabled
    // meanwhile. Result: the wParam of the WM_CLOSE posted to this window (IDOK, IDYES, ...),
    // 0 when it closed otherwise, 0xFFFFFFFF without a window. WM_QUIT is posted again.
    UINT ShowModal(int nCmdShow = SW_SHOW);
    // Slides the window in (AnimateWindow, 2 s); no modal loop. -1 without a window, else 0.
    int AnimateShowModal(DWORD reserved1 = 0, DWORD reserved2 = 0);
    // Centres on `reference` (or on the parent/owner, or on the monitor's work area).
    void CenterWindow(MWindow* reference = nullptr);
    // Brings the window to the foreground, also from another thread's foreground.
    void BringToTop();

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    BOOL IsLive() const;
    // For destructors: a window that outlives its object is unbound first (its messages then
    // go to the default procedure) and destroyed, so it never calls into a dead object.
    void DetachAndDestroy();

    HWND m_hParent;
    HWND m_hWnd;
    WNDPROC m_oldWndProc;

private:
    static LRESULT Route(MWindow* window, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool property);
};

}  // namespace QxUI
