#pragma once
#include <vector>

#include "toolkit/core/m_object.h"
#include "toolkit/core/m_window.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

class MControl;

// The top-level window the application derives its windows from. It owns one PaintManager
// (controls, painting, input) and turns native messages into the virtual handlers below. The
// dialog's MObject part is the parent of the controls it creates: their notifications arrive
// in OnMessage(id, code, wParam, lParam). Close it with DoOK/DoCancel/DoYes/DoNo/DoClose; the
// result comes back from ShowModal.
class QXUI_API MDialog : public MWindow, public MObject {
public:
    MDialog();
    ~MDialog() override;

    const wchar_t* GetWindowClassName() const override;
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;

    virtual POINT GetAirBladderPoint(MControl* control, UINT type);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(CRect client);
    virtual void UISize(CRect client);
    virtual LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam);
    virtual LRESULT OnUserCloseWindow(WPARAM result, LPARAM lParam);
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
    virtual BOOL OnDestroy();
    virtual BOOL PostNcDestroy();

    // MObject part: identity "MDialog"; notifications go to OnMessage, repaint requests to the
    // paint manager.
    const wchar_t* GetClassNameW() const override;
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    LRESULT OnControlUpdate(CRect rect, int flag, MControl* control) override;

    BOOL LoadBKImage(CString file) { return m_paintManager.LoadBKImage(file); }
    BOOL LoadBKImage(UINT resId, CString type) { return m_paintManager.LoadBKImage(resId, type); }
    void SetBackMode(enumBackMode mode, int value) { m_paintManager.SetBackMode(mode, value); }
    void SetScrollResID(UINT vertical, UINT horizontal) { m_paintManager.SetScrollResID(vertical, horizontal); }
    void SetLayeredWindow(BOOL layered) { m_paintManager.SetLayeredWindow(layered); }
    void EnableWndDrag(BOOL enable) { m_paintManager.EnableWndDrag(enable); }
    // A transient message; an empty rectangle means a 200-pixel strip near the bottom edge.
    void SetMessage(CString text, CRect rect, MsgLevel level);
    void SetProgress(int percent, CString text, CRect rect) { m_paintManager.SetProgress(percent, text, rect); }
    // Constant alpha (m_alpha != 255) or colour key (m_transparentColor != 0xFFFFFF).
    void SetupBackTranslucent();
    void SetTooltip(CString text, CRect rect) { m_paintManager.SetTooltip(text, rect); }
    void ClearTooltip() { m_paintManager.ClearTooltip(); }
    void SetTooltipCtrlID(int id) { m_tooltipCtrlID = id; }
    int GetTooltipCtrlID() const { return m_tooltipCtrlID; }
    // FALSE for a point with a zero coordinate.
    BOOL SetAirBladderMsg(const wchar_t* text, POINT screenPoint, AIRBLADDER_TYPE type);
    // Controls made by the factory; they belong to the paint manager. NULL for unknown names.
    MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b);
    MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b);
    MControl* GetControl(UINT id) { return m_paintManager.GetControl(id); }
    std::vector<MControl*>* GetControls() { return m_paintManager.GetControls(); }
    BOOL RemoveControl(MControl* control);
    void SetFocusControl(MControl* control) { m_paintManager.SetFocusControl(control); }
    void SetMTimer(UINT period) { m_paintManager.SetMTimer(period); }
    void KillMTimer(UINT id) { m_paintManager.KillMTimer(id); }
    void DoOK();
    void DoCancel();
    void DoClose();
    void DoYes();
    void DoNo();
    PaintManager* GetPaintManager() { return &m_paintManager; }

    // The window's drop shadow (see MShadow): created after the window, limits kept there.
    void CreateShadow(BOOL show, bool force = false) { m_paintManager.CreateShadow(show, force); }
    BOOL SetSize(int size) { return m_paintManager.SetSize(size); }
    BOOL SetSharpness(UINT sharpness) { return m_paintManager.SetSharpness(sharpness); }
    BOOL SetDarkness(UINT darkness) { return m_paintManager.SetDarkness(darkness); }
    BOOL SetPosition(int x, int y) { return m_paintManager.SetPosition(x, y); }
    BOOL SetShadowColor(DWORD colour) { return m_paintManager.SetShadowColor(colour); }
    BOOL SetShadowImage(const wchar_t* file) { return m_paintManager.SetShadowImage(file); }
    BOOL SetShadowImage(UINT resId) { return m_paintManager.SetShadowImage(resId); }
    BOOL SetShadowCorner(RECT corners) { return m_paintManager.SetShadowCorner(corners); }
    void SetShadowShow(BOOL show) { m_paintManager.SetShadowShow(show); }
    void DisableShadow(BOOL disable) { m_paintManager.DisableShadow(disable); }

    int m_roundCorner;

protected:
    void SetupRegion(int diameter);

    PaintManager m_paintManager;
    COLORREF m_transparentColor;
    int m_alpha;
    int m_messageOffset;
    int m_tooltipCtrlID;
    RECT m_clientRect;
};

}  // namespace QxUI
