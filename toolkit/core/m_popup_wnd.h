#pragma once
#include "toolkit/core/c_point.h"
#include "toolkit/core/m_object.h"
#include "toolkit/core/m_window.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

class MControl;

// A popup that hosts controls through a paint manager of its own, like a small dialog (its
// MObject part is the parent of the controls it creates, their notifications arrive in
// OnMessage), and closes itself as soon as another window is activated. `SetParent` names the
// object it reports to (usually the control that opened it).
class QXUI_API MPopupWnd : public MWindow, public MObject {
public:
    MPopupWnd();
    ~MPopupWnd() override;

    const wchar_t* GetWindowClassName() const override { return L"MPopupWnd"; }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;

    virtual MObject* GetParent() { return m_parent; }
    virtual void InitUI(CRect client);
    virtual void UISize(CRect client);
    virtual LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam);
    virtual LRESULT OnUserCloseWindow(UINT wParam, LPARAM lParam);
    virtual void CloseWindow();
    virtual BOOL OnCreate(CREATESTRUCTW* cs);
    virtual BOOL OnSize(UINT type, int cx, int cy);
    virtual BOOL OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseLeave(UINT wParam, LPARAM lParam);
    virtual BOOL OnMouseHover(UINT wParam, LPARAM lParam);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual BOOL OnLButtonDown(UINT flags, CPoint point);
    virtual BOOL OnLButtonUp(UINT flags, CPoint point);
    virtual BOOL OnLButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnRButtonDown(UINT flags, CPoint point);
    virtual BOOL OnRButtonUp(UINT flags, CPoint point);
    virtual BOOL OnRButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnKeyDown(UINT vk, UINT repeat, UINT flags);
    virtual BOOL OnNcHitTest(CPoint point);
    virtual BOOL OnGetMinMaxInfo(MINMAXINFO* info);
    virtual BOOL OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params);
    virtual BOOL OnNcActivate(BOOL active);
    virtual BOOL OnWindowPosChanging(WINDOWPOS* pos);
    virtual BOOL OnWindowPosChanged(WINDOWPOS* pos);
    virtual BOOL OnPaint();
    virtual void OnTimer(UINT id);
    virtual BOOL OnNcPaint();
    virtual BOOL OnClose();
    virtual BOOL PostNcDestroy();
    virtual BOOL OnDestroy();

    // MObject part: notifications of the hosted controls go to OnMessage, repaint requests to
    // the paint manager.
    const wchar_t* GetClassNameW() const override { return L"MPopupWnd"; }
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    LRESULT OnControlUpdate(CRect rect, int flag, MControl* control) override;

    void SetParent(MObject* parent) { m_parent = parent; }
    // The parent's OnMessage(0, code, wParam, lParam); 0 without a parent.
    BOOL SendMessageToParent(UINT code, WPARAM wParam, LPARAM lParam);

    MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b);
    MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b);
    MControl* GetControl(UINT id) { return m_paintManager.GetControl(id); }
    void SetLayeredWindow(BOOL layered) { m_paintManager.SetLayeredWindow(layered); }
    void SetScrollResID(UINT vertical, UINT horizontal) { m_paintManager.SetScrollResID(vertical, horizontal); }
    BOOL LoadBKImage(CString file) { return m_paintManager.LoadBKImage(file); }
    BOOL LoadBKImage(UINT resId, CString type) { return m_paintManager.LoadBKImage(resId, type); }
    void SetBackMode(enumBackMode mode, int value) { m_paintManager.SetBackMode(mode, value); }
    // Constant alpha (alpha != 255) or colour key (transparent colour != 0xFFFFFF).
    void SetupBackTranslucent();
    PaintManager* GetPaintManager() { return &m_paintManager; }

protected:
    PaintManager m_paintManager;
    COLORREF m_transparentColor;
    BYTE m_alpha;
    MObject* m_parent;
    BOOL m_inPosChanged;
};

}  // namespace QxUI
