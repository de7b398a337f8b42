#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

class CScrollVertical;
class CScrollHorizontal;

// The container control: owns child controls, passes their notifications on to its own parent,
// and scrolls a content area larger than itself with its own vertical and horizontal bar (child
// controls 1 and 2, always its first two children). Children keep their rectangles in content
// coordinates: the window coordinates they would have with both bars at 0. The panel converts
// pointer points into content coordinates and draws the visible part of its content shifted
// by the scroll offset.
class QXUI_API MPanel : public MControlFont {
public:
    MPanel(MObject* parent, UINT id, CRect rect, BOOL visible);

    LRESULT OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    LRESULT OnControlUpdate(CRect rect, int flag, MControl* control) override;
    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    BOOL DrawSubControls(HDC& hdc, CRect paint) override;
    BOOL OnMousePointChange(CPoint& point) override;
    BOOL OnCheckMouseResponse(UINT flags, CPoint point) override;
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    void SetControlRect(CRect rect) override;
    void SetControlVisible(BOOL visible) override;
    void SetControlWndVisible(BOOL visible) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlScroll(int steps, UINT direction, CPoint point) override;
    void InvalidateRect(const RECT* rect, BOOL erase) override;

    // The panel factory: the names a panel may hold (NULL for others, nothing listed). List 0
    // appends to the area children, 1 to the child controls, other values to neither.
    virtual MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b);
    virtual MControl* CreateControl(UINT list, MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                    const wchar_t* title, int a, int b);
    virtual MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b);
    virtual BOOL OnControlKeyUp(UINT vk, UINT repeat, UINT modifier);

    CScrollVertical* GetScrollVertical() const { return m_vScroll; }
    CScrollHorizontal* GetScrollHorizontal() const { return m_hScroll; }
    void SetVirtualHeight(int height) { m_virtualHeight = height; }
    void SetVirtualWidth(int width) { m_virtualWidth = width; }
    int GetVirtualHeight() const { return m_virtualHeight; }
    int GetVirtualWidth() const { return m_virtualWidth; }
    void SetEnableScroll(BOOL enable) { m_scrollEnabled = enable; }
    BOOL GetEnableScroll() const { return m_scrollEnabled; }
    // How far the content is shifted: content point = window point + offset. (0, 0) while
    // the content fits or scrolling is off.
    CPoint GetScrollOffset() const;

protected:
    BOOL ContentFits() const;
    // The scroll position changed: every child's rendering (which may hold what lay under it)
    // is stale, and the panel repaints.
    void OnScrolled();

    BOOL m_initialised;
    int m_virtualHeight;
    int m_virtualWidth;
    CScrollVertical* m_vScroll;
    CScrollHorizontal* m_hScroll;
    int m_barThickness;
    BOOL m_scrollEnabled;
};

}  // namespace QxUI
