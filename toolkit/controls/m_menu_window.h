#pragma once
#include <vector>

#include "toolkit/controls/menu_layout.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/m_object.h"
#include "toolkit/core/m_window.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

class MControl;
class MenuItem;

// What MenuWnd and QxKBMenuWnd share: a popup window with its own paint manager whose rows
// ("MenuItem" controls, owned through the manager) stand in one column. The menu reports to
// its creator only by posting one message: wParam 11 while a row is hovered, 2 when one is
// chosen, lParam the row's id. The window part routes native messages; the MObject part is the
// rows' owner.
class QXUI_API MMenuWindow : public MWindow, public MObject {
public:
    ~MMenuWindow() override;

    const wchar_t* GetWindowClassName() const override { return L"MMenuWindow"; }
    const wchar_t* GetSuperClassName() const override { return nullptr; }
    BOOL ShowWindow(int nCmdShow) override { return MWindow::ShowWindow(nCmdShow); }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override { return m_paintManager.PreTranslateMessage(msg); }
    BOOL OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;
    virtual MObject* GetParent() { return m_parentObject; }
    // Applies the recorded row changes once and lays the rows out.
    virtual void InitUI(CRect client);
    virtual void UISize(CRect client) {}
    // Posts the menu message to the parent window (wParam = the row's wParam, lParam = its id);
    // a choice (code 2) closes the menu, also when there is no parent window.
    virtual LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam);
    virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
    virtual void CloseWindow();
    virtual BOOL OnCreate(CREATESTRUCTW* cs);
    virtual BOOL OnSize(UINT type, int cx, int cy) { return 0; }
    // The manager does the input and painting work: these only observe and return 0.
    virtual BOOL OnMouseMove(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnMouseLeave(UINT wParam, LPARAM lParam) { return 0; }
    virtual BOOL OnMouseHover(UINT wParam, LPARAM lParam) { return 0; }
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point) { return 0; }
    virtual BOOL OnLButtonDown(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnLButtonUp(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnLButtonDblClk(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnRButtonDown(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnRButtonUp(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnRButtonDblClk(UINT flags, CPoint point) { return 0; }
    virtual BOOL OnKeyDown(UINT vk, UINT repeat, UINT flags) { return 0; }
    virtual BOOL OnNcHitTest(CPoint point) { return 0; }
    virtual BOOL OnGetMinMaxInfo(MINMAXINFO* info) { return 0; }
    virtual BOOL OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params) { return 0; }
    virtual BOOL OnNcActivate(BOOL active) { return 0; }
    virtual BOOL OnWindowPosChanging(WINDOWPOS* pos) { return 0; }
    virtual BOOL OnWindowPosChanged(WINDOWPOS* pos) { return 0; }
    virtual BOOL OnPaint() { return 0; }
    virtual BOOL OnTimer(UINT id) { return 0; }
    virtual BOOL OnNcPaint() { return 0; }
    virtual BOOL OnClose() { return 1; }
    virtual BOOL PostNcDestroy() { return 0; }
    virtual BOOL OnDestroy() { return 0; }

    const wchar_t* GetClassNameW() const override { return L"MMenuWindow"; }
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    LRESULT OnControlUpdate(CRect rect, int flag, MControl* control) override;

    // Creates the window at `point`, `width` by `width` until the rows are laid out, with a
    // background image drawn in `mode` with `backParam`, as a layered window. Non-zero when the
    // window exists.
    BOOL Create(HWND parent, CPoint point, UINT message, CString backFile, int backParam, int width,
                enumBackMode mode);
    BOOL Create(HWND parent, CPoint point, UINT message, UINT backResId, int backParam, int width,
                enumBackMode mode);
    // Without background or layering, at the current menu width.
    BOOL Create(HWND parent, CPoint point, UINT message);

    // Adds a row and lays the rows out again; a text wider than the menu widens it. -1.
    int AddMenu(CString text, UINT id, CString iconFile, int popup, int unused);
    int AddMenu(CString text, UINT id, int iconResId, int popup, int unused);
    int AddSeparator(UINT id, CString imageFile);
    // Image behind hovered and pressed rows, from the skin directory; FALSE when it does not
    // load (rows are then filled with the hover colour). Rows take it at the next layout.
    BOOL SetRowHoverImage(CString file, int unused);

    BOOL LoadBKImage(CString file) { return m_paintManager.LoadBKImage(file); }
    BOOL LoadBKImage(UINT resId, CString type) { return m_paintManager.LoadBKImage(resId, type); }
    void SetBackMode(enumBackMode mode, int value) { m_paintManager.SetBackMode(mode, value); }
    void SetScrollResID(UINT vertical, UINT horizontal) { m_paintManager.SetScrollResID(vertical, horizontal); }
    void SetLayeredWindow(BOOL layered) { m_paintManager.SetLayeredWindow(layered); }
    MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
        return m_paintManager.CreateControl(0, this, className, id, rect, title, a, b);
    }
    MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
        return m_paintManager.CreateControl(1, this, className, id, rect, title, a, b);
    }
    MControl* GetControl(UINT id) { return m_paintManager.GetControl(id); }
    PaintManager* GetPaintManager() { return &m_paintManager; }

    void SetupBackTranslucent();
    void SetupRegion(int corner);
    LRESULT SendMessageToParent(UINT id, UINT code, UINT wParam, LPARAM lParam) {
        return OnMessage(id, code, wParam, lParam);
    }
    void SetParent(MObject* parent) { m_parentObject = parent; }

    // Row changes recorded before the window exists, applied by InitUI. A row is found by its
    // title; a check of -1 leaves the check alone.
    void SetItemTitle(CString item, CString title);
    void SetItemVisible(CString item, int visible);
    void SetItemEnable(CString item, int enable);
    void SetItemCheck(CString item, int check);

    int GetMenuWidth() const { return m_menuWidth; }

protected:
    MMenuWindow(MObject* parent, const MenuMetrics& metrics, Gdiplus::ARGB textColor);
    // Lays every row out and fits the window to them (width kept, height from the rows).
    void SetMenuPoint();
    // QxKBMenuWnd rows may lead to a further menu; MenuWnd ignores the popup argument.
    virtual void ApplyPopup(MenuItem* row, int popup) {}
    MenuItem* AddRow(CString text, UINT id);
    MenuItem* FindRow(const CString& title);

    struct PendingChange {
        CString item;
        CString title;
        int visible;
        int enabled;
        int check;
    };
    PendingChange& Pending(const CString& item);

    PaintManager m_paintManager;
    MObject* m_parentObject;
    UINT m_message;
    CString m_fontName;
    int m_fontSize;
    Gdiplus::FontStyle m_fontStyle;
    int m_iconWidth;
    int m_menuWidth;
    int m_rowFrameWidth;
    MenuMetrics m_metrics;
    Gdiplus::Image* m_rowHoverImage;
    int m_rowHoverWidth;
    int m_rowHoverHeight;
    Gdiplus::ARGB m_textColor;
    Gdiplus::ARGB m_hoverTextColor;
    Gdiplus::ARGB m_hoverFillColor;
    std::vector<PendingChange> m_pending;
    COLORREF m_transparentColor;
    int m_alpha;

private:
    BOOL CreateMenuWindow(HWND parent, CPoint point, int width);
    bool m_reframing;
};

}  // namespace QxUI
