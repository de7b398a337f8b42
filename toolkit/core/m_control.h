#pragma once
#include <vector>

#include "toolkit/core/c_string.h"
#include "toolkit/core/critical_section.h"
#include "toolkit/core/m_object.h"

namespace QxUI {

class PaintManager;

// A position given relative to a span: kind 0 offset from an end, 1 from the centre,
// 2 a percentage.
struct PN_POSITION_ITEM {
    int kind;
    BOOL fromEnd;
    int value;
};

// Base of every visual element: a rectangle in its window's client area (client coordinates),
// state flags, child controls, input dispatch, drawing and repaint requests. A control has no
// native window; it draws into the window's off-screen buffer and reports to its parent object
// through OnBaseMessage. It owns its children (deleted with it); it belongs to its parent.
class QXUI_API MControl : public MObject {
public:
    MControl(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled, BOOL mouseResponse);
    ~MControl() override;
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    const wchar_t* GetClassNameW() const override;  // "PnControl"

    virtual void InitControl(PaintManager* manager);
    virtual BOOL PtInRect(CPoint point);
    virtual void DrawControl(HDC& hdc, CRect paint) = 0;
    virtual BOOL DrawSubControls(HDC& hdc, CRect paint);
    virtual BOOL IsDraw(CPoint point);
    virtual void SetUpdate(BOOL valid, DWORD colour);
    virtual BOOL SetControlFocus(BOOL focus);
    virtual void InitUI(CRect rect);
    virtual BOOL OnMousePointChange(CPoint& point);
    virtual BOOL OnCheckMouseResponse(UINT flags, CPoint point);
    // Every native message of the window is offered to the top-level controls first;
    // non-zero stops the paint manager's own routing.
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam);
    virtual void SetControlRect(CRect rect);
    virtual void SetControlVisible(BOOL visible);
    virtual void SetControlWndVisible(BOOL visible);
    virtual void SetControlEnabled(BOOL enabled);
    virtual BOOL OnControlTimer();
    virtual HBITMAP GetControlDropBitmap();
    virtual BOOL OnControlMouseMove(UINT flags, CPoint point);
    virtual BOOL OnControlSetCursor(UINT flags, CPoint point);
    virtual BOOL OnControlLButtonDown(UINT flags, CPoint point);
    virtual BOOL OnControlLButtonUp(UINT flags, CPoint point);
    virtual BOOL OnControlLButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnControlScroll(int steps, UINT direction, CPoint point);
    virtual BOOL OnControlRButtonDown(UINT flags, CPoint point);
    virtual BOOL OnControlRButtonUp(UINT flags, CPoint point);
    virtual BOOL OnControlRButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier);
    virtual void OnPositionChange();
    virtual void InvalidateRect(const RECT* rect, BOOL erase);

    // Geometry and state; the setters request a repaint from the parent where it shows.
    void SetRect(CRect rect);
    void SetRect(int x, int y, int cx, int cy);
    void SetVisible(BOOL visible);
    void SetVisible(BOOL visible, BOOL repaint);
    void SetEnabled(BOOL enabled);
    BOOL IsParentVisible();
    void SetTooltip(const wchar_t* text);
    void SetTooltip(CString text, CRect rect);
    void ClearTooltip();
    int SetCursorEx(const wchar_t* name);
    void UpdateControl(BOOL invalidateCache = TRUE, BOOL force = FALSE);
    void UpdateControl(CRect rect, BOOL invalidateCache, BOOL force);
    void UpdateAControl(BOOL flag, BOOL force = FALSE);
    // Marks the cache valid and (re)makes the memory DC when the size changed.
    void UpdateMemDC(HDC& hdc, int cx, int cy);
    void UpdateAnimateDC(HDC& hdc, int cx, int cy);
    // Paints area children, the control itself and its children where they meet `paint`.
    void Draw(HDC& hdc, CRect paint);

    MControl* GetControl(UINT id);
    int RemoveControl(MControl* child);
    void RemoveAllControl();
    // Takes ownership of `child` (list 0: area children, otherwise child controls).
    void AddChildControl(MControl* child, UINT list = 1);
    void AddMTimer();

    // Input entry points, called by the paint manager or by a parent control.
    BOOL OnMouseMove(UINT flags, CPoint point);
    BOOL OnLButtonDown(UINT flags, CPoint point);
    BOOL OnLButtonUp(UINT flags, CPoint point);
    BOOL OnLButtonDblClk(UINT flags, CPoint point);
    BOOL OnRButtonDown(UINT flags, CPoint point);
    BOOL OnRButtonUp(UINT flags, CPoint point);
    BOOL OnRButtonDblClk(UINT flags, CPoint point);
    BOOL OnScroll(int steps, UINT direction, CPoint point);
    BOOL OnKeyDown(UINT vk, UINT repeat, UINT modifier);
    BOOL OnKeyUp(UINT vk, UINT repeat, UINT modifier);
    BOOL OnTimer();
    void OnFocus(BOOL focus) { SetControlFocus(focus); }
    BOOL IsFocusControl();
    // Notification to the parent: OnBaseMessage(own id, code, wParam, lParam).
    LRESULT SendMessageW(UINT code, WPARAM wParam = 0, LPARAM lParam = 0);
    static int PositionItem2Value(const PN_POSITION_ITEM& item, int from, int to);

    MControl* GetNextFocusableControl() { return nullptr; }
    MControl* GetPrevFocusableControl() { return nullptr; }
    MControl* GetFocusControl() { return nullptr; }

    CRect GetRect() const { return CRect(m_rect); }
    UINT GetControlID() const { return m_id; }
    std::vector<MControl*>* GetControls() { return &m_controls; }
    std::vector<MControl*>* GetAreaControls() { return &m_areas; }
    MObject* GetParantObject() const { return m_parent; }
    void SetParent(MObject* parent) { m_parent = parent; }
    PaintManager* GetManager() const { return m_manager; }
    void SetManager(PaintManager* manager);
    BOOL IsVisible() const { return m_visible; }
    BOOL IsEnabled() const { return m_enabled; }
    BOOL IsFocused() const { return m_focused; }
    BOOL IsTabStop() const { return m_tabStop; }
    void SetTabStop(BOOL tabStop) { m_tabStop = tabStop; }
    BOOL GetRresponse() const { return m_mouseResponse; }
    void SetRresponse(BOOL response) { m_mouseResponse = response; }
    BOOL IsRunTimer() const { return m_runTimer; }
    void SetRunTimer(BOOL run) { m_runTimer = run; }
    BOOL GetDblClk() const { return m_dblClkMode; }
    BOOL IsKeyDown() const { return m_keyDown; }
    BOOL UseImageECM() const { return m_imageEffect; }
    BOOL GetUpdate() const { return m_cacheValid; }
    CString GetTooltip() const { return m_tooltip; }
    BOOL IsDragDrop() const { return m_draggable; }
    void SetDragDrop(BOOL drag) { m_draggable = drag; }
    HBITMAP GetDropBitmap() { return GetControlDropBitmap(); }
    void SetTooltipCtrlID(int) {}
    int GetTooltipCtrlID() const { return 0; }
    HDC GetMemDC() const { return m_memDC; }
    // The looks of the look strip drawn since the cache was last rebuilt, one bit each.
    unsigned GetLooksDrawn() const { return m_looksDrawn; }
    void SetLooksDrawn(unsigned looks) { m_looksDrawn = looks; }
    // Set when the control left its list; it is deleted once the current message is dispatched.
    BOOL IsRemoved() const { return m_removed; }
    // Marks this control and its descendants.
    void MarkRemoved();

protected:
    // The point a child receives: panels' scroll bars (ids 1 and 2) get it unchanged.
    static CPoint ChildPoint(MControl* child, const CPoint& original, const CPoint& changed);
    void SetFocusToSelf();
    void RequestUpdate(CRect rect, BOOL invalidateCache);
    // Deletes a child that has left this control's lists, through the manager when there is one.
    void DeleteChild(MControl* child);

    MObject* m_parent;
    PaintManager* m_manager;
    UINT m_id;
    RECT m_rect;
    BOOL m_visible;
    BOOL m_enabled;
    BOOL m_draggable;
    BOOL m_mouseResponse;
    BOOL m_tabStop;
    BOOL m_dblClkMode;
    BOOL m_pressedInside;
    BOOL m_keyDown;
    BOOL m_focused;
    UINT m_hotKey;
    UINT m_hotKeyModifier;
    BOOL m_cacheValid;
    BOOL m_animationFrame;
    BOOL m_runTimer;
    BOOL m_imageEffect;
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    CriticalSection m_areaLock;
    CriticalSection m_controlLock;
    MControl* m_captureChild;
    int m_memWidth;
    int m_memHeight;
    HBITMAP m_memBitmap;
    HDC m_memDC;
    HGDIOBJ m_memOldBitmap;
    unsigned m_looksDrawn = 0;
    int m_animWidth;
    int m_animHeight;
    HBITMAP m_animBitmap;
    HDC m_animDC;
    HGDIOBJ m_animOldBitmap;
    CString m_tooltip;
    HCURSOR m_cursor;
    BOOL m_outsideTracking;
    BOOL m_dblClkNotify;
    BOOL m_keyNotify;
    BOOL m_outside;
    BOOL m_removed;
};

}  // namespace QxUI
