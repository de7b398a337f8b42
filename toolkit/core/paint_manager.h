#pragma once
#include <map>
#include <memory>
#include <vector>

#include "toolkit/core/c_rect.h"
#include "toolkit/core/c_string.h"
#include "toolkit/core/critical_section.h"
#include "toolkit/core/drop_target.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/m_shadow.h"
#include "toolkit/core/m_timer.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/ui_enums.h"

namespace QxUI {

class MControl;
class MObject;
class MWindow;
class MAirBladder;

// The engine behind one toolkit window: owns the window's controls in two ordered lists (area
// controls, painted first and deaf to input; ordinary controls in creation = paint = z order),
// routes mouse and keyboard input to them with hover, press and focus state, composes the whole
// client area in an off-screen 32-bit buffer (optionally pushed as a per-pixel-alpha layered
// window), and serves the controls' tooltips, timers, caret, overlays, image and font caches.
// Embedded in its window object; deleting it deletes every control it holds.
class QXUI_API PaintManager : public CMTimer, public CIDropTarget {
public:
    PaintManager();
    ~PaintManager() override;

    void OnMTimer(UINT id) override;
    bool OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD* effect) override;

    // --- Binding and window access ---------------------------------------------------------
    // Binds the manager to `hwnd` (ignored when not a live window).
    void Init(HWND hwnd, MWindow* owner);
    HWND GetPaintWnd() const { return m_hWndPaint; }
    HDC GetPaintDC() const { return m_hDcPaint; }
    MWindow* GetMDialog() const { return m_owner; }
    std::vector<MControl*>* GetControls() { return &m_controls; }
    std::vector<MControl*>* GetAreaControls() { return &m_areas; }
    void GetClientRect(CRect& rect) const;
    void GetWindowRect(CRect& rect) const;
    void GetClientSize(int& cx, int& cy) const;
    void Invalidate();
    void InvalidateRect(CRect rect, BOOL erase = FALSE);
    LRESULT SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
    void SetCapture();
    void ReleaseCapture();
    BOOL IsCaptured() const { return m_captured; }
    void SetCaptionRect(CRect rect) { m_captionRect = rect; }
    CRect GetCaptionRect() const { return CRect(m_captionRect); }
    void SetWindowMaxSize(int cx, int cy) { m_maxWidth = cx; m_maxHeight = cy; }
    void SetWindowMixSize(int cx, int cy) { m_minWidth = cx; m_minHeight = cy; }
    CSize GetWindowMinSize() const { return CSize(m_minWidth, m_minHeight); }
    void SetLayeredWindow(BOOL layered) { m_layered = layered; }
    BOOL IsLayered() const { return m_layered; }
    void EnableWndDrag(BOOL enable) { m_windowDrag = enable; }
    // Background image from the skin directory; FALSE if it cannot be loaded (the old one is
    // gone either way).
    BOOL LoadBKImage(CString file);
    BOOL LoadBKImage(UINT resId, CString type);
    void SetBackMode(enumBackMode mode, int value);
    void SetBackColor(Gdiplus::Color inner, Gdiplus::Color border);
    void SetScrollResID(UINT vertical, UINT horizontal) { m_scrollV = vertical; m_scrollH = horizontal; }
    UINT GetScrollVID() const { return m_scrollV; }
    UINT GetScrollHID() const { return m_scrollH; }
    COLORREF GetDefaultEnabledColor() const { return m_disabledText; }
    void SetDefaultEnabledColor(COLORREF colour) { m_disabledText = colour; }

    // --- Controls -------------------------------------------------------------------------
    // Factory: list 0 appends to the area list, 1 to the control list, others to neither
    // (panels keep such children themselves). NULL for an unknown or empty class name.
    MControl* CreateControl(UINT list, MObject* parent, const wchar_t* className, UINT id, CRect rect,
                            const wchar_t* title, int a, int b);
    MControl* CreateArea(MObject* parent, const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a,
                         int b);
    MControl* CreateControl(MObject* parent, const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                            int a, int b);
    // Takes ownership of a control made elsewhere, binds it to this manager (InitControl runs)
    // and appends it like CreateControl does. Returns `control`.
    MControl* AddControl(UINT list, MControl* control);
    MControl* GetControl(UINT id);
    void RemoveControl(MControl* control);
    void ClearAreaControls();
    void ClearControls();
    void ClearAllControls();
    // Deletes a control that has left its list (after Forget). While a message of the window is
    // being dispatched, a handler of that control may still be running, so the delete waits
    // until the outermost dispatch ends; the control is marked removed and skipped by walks.
    void DisposeControl(MControl* control);
    // Drops every pointer the manager keeps to `control` or one of its descendants: hover and
    // press (with the capture), focus, caret owner, tooltip, timers and animation entry.
    void Forget(MControl* control);
    // Repaint request of `control` for `rect` (see the paint cycle in the source).
    LRESULT OnControlUpdate(CRect rect, BOOL invalidateCache, MControl* control);
    void SetFocusControl(MControl* control);
    // `control` takes the focus even when it already has it: the old focus control (if another)
    // gets SetControlFocus(FALSE), `control` SetControlFocus(TRUE). Used by a pressed control.
    void TakeFocus(MControl* control);
    MControl* GetFocusControl() const { return m_focus; }
    MControl* GetHoverControl() const { return m_hover; }
    MControl* GetNextFocusableControl();
    MControl* GetPrevFocusableControl();

    // --- Images and fonts (cached for the life of the manager) ------------------------------
    ImgResInfo* AddImgResInfo(const wchar_t* file, int count);
    ImgResInfo* AddImgResInfo(UINT resId, CString type, int count, BOOL fromApplication);
    void ClearImgResInfo();
    Gdiplus::FontFamily* AddTempFont(const wchar_t* name, const wchar_t* path);
    Gdiplus::FontFamily* AddTempFont(const wchar_t* name, UINT resId);
    void AddGDITempFont(UINT resId);
    // The font registered under `name`, or a cached family of that exact name, or on systems
    // before Windows 10 the first cached font (PickTempFont); otherwise a system family of that
    // name (cached). NULL when none exists. Owned by the manager.
    Gdiplus::FontFamily* FindTempFont(const wchar_t* name);
    void ClearTempFont();

    // --- Tooltips, balloon, overlay, caret ------------------------------------------------
    void SetTooltip(const wchar_t* text, CRect rect = CRect());
    void ClearTooltip();
    void SetTooltipCtrlID(int id) { m_tooltipCtrlID = id; }
    int GetTooltipCtrlID() const { return m_tooltipCtrlID; }
    HWND GetTooltipWindow() const { return m_tooltip; }
    BOOL SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);
    BOOL ShowAirBladder(int nCmdShow, int id);
    // The balloon window, NULL until the first SetAirBladderMsg. Owned by the manager.
    MAirBladder* GetAirBladder() const { return m_airBladder; }
    void SetMessage(CString text, CRect rect, MsgLevel level);
    void SetProgress(int percent, CString text, CRect rect);
    int GetOverlayAlpha() const { return m_overlayAlpha; }
    int GetProgressShown() const { return m_progressShown; }
    CRect GetOverlayRect() const { return CRect(m_overlayRect); }
    BOOL CreateCaret(HBITMAP bitmap, int width, int height);
    BOOL ShowCaret(BOOL show);
    // The caret owner is the control being edited; `colour` is its text colour (ARGB).
    BOOL SetCaretPos(MControl* owner, int x, int y, DWORD colour = 0xFE000000);
    MControl* GetCurrentCaretObject() const { return m_caretOwner; }
    void DrawCaret(HDC hdc, const CRect& rect);

    // --- Timers ----------------------------------------------------------------------------
    BOOL SetTimer(MControl* control, UINT key, UINT ms);
    BOOL KillTimer(MControl* control, UINT key);
    BOOL KillTimer(MControl* control);
    void ClearTimers();
    void SetMTimer(UINT period);
    void KillMTimer(UINT id);
    void KillMTimer();
    BOOL AddMTimer(MControl* control);
    BOOL DeletePnTimer(MControl* control);

    // --- Window shadow (paint_manager_shadow.cpp) -------------------------------------------
    // Registers the shadow window class (again when `force`), sets the show flag and creates
    // the shadow of the paint window; the setters below keep the shadow's limits.
    void CreateShadow(BOOL show, bool force = false);
    BOOL SetSize(int size);
    BOOL SetSharpness(UINT sharpness);
    BOOL SetDarkness(UINT darkness);
    BOOL SetPosition(int x, int y);
    BOOL SetShadowColor(DWORD colour);
    BOOL SetShadowImage(const wchar_t* file);
    BOOL SetShadowImage(UINT resId);
    BOOL SetShadowCorner(RECT corners);
    void SetShadowShow(BOOL show);
    void DisableShadow(BOOL disable);
    MShadow* GetShadow() { return &m_shadow; }

    // --- Message entry points used by the window objects ----------------------------------
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    BOOL PreTranslateMessage(MSG* msg);
    void OnDestroyMessage(HWND hwnd);
    void DestroyData();
    // Destroys and deletes the balloon window (the destructor's part for popups).
    void DestroyAirBladder();

    // Composes the client area into `surface` (resized to the client size). Everything inside
    // `dirty` is fresh; in layered mode the whole client area is drawn. Used by the paint cycle,
    // and by tests and tools that want to see exactly what the window shows.
    BOOL PaintToSurface(OffScreenSurface& surface, const CRect& dirty);
    // Modifier code of the keyboard state: 18 Alt, else 16 Shift, else 0; OR 17 with Ctrl.
    static UINT GetModifierCode();

private:
    struct ControlTimer {
        HWND window;
        UINT key;
        UINT nativeId;
        BOOL killed;
        MControl* control;
    };

    LRESULT OnPaint();
    void DrawBackground(HDC hdc, const CRect& client, const CRect& dirty);
    void DrawOverlay(HDC hdc);
    void PresentLayered(HDC windowDC, const OffScreenSurface& surface);
    MControl* HitTest(CPoint point);
    void OnMouseMoveMessage(WPARAM wParam, CPoint point);
    void OnMouseLeaveMessage();
    void OnLButtonDownMessage(WPARAM wParam, CPoint point);
    void OnLButtonUpMessage(WPARAM wParam, CPoint point);
    void OnLButtonDblClkMessage(WPARAM wParam, CPoint point);
    void OnRButtonMessage(UINT msg, WPARAM wParam, CPoint point);
    BOOL OnMouseWheelMessage(WPARAM wParam, LPARAM lParam);
    void OnNcActivateMessage(BOOL active);
    void OnKeyDownMessage(WPARAM vk);
    void OnTimerMessage(UINT_PTR id);
    void OnOverlayTimer(UINT_PTR id);
    void OnAnimationTick();
    void InvalidateOverlay();
    void InvalidateCaret();
    HWND EnsureTooltipWindow();
    void DeleteList(std::vector<MControl*>& list, CriticalSection& lock);
    BOOL IsLive() const;
    // Counts nested dispatches; the last one out deletes the controls removed meanwhile.
    class DispatchScope {
    public:
        explicit DispatchScope(PaintManager& manager) : m_manager(manager) { ++m_manager.m_dispatchDepth; }
        ~DispatchScope() {
            if (--m_manager.m_dispatchDepth == 0) m_manager.DeleteRemoved();
        }
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;

    private:
        PaintManager& m_manager;
    };
    void DeleteRemoved();
    bool IsButtonPressed() const { return m_leftPressed || m_rightPressed; }
    void InvalidateBackground() { m_backCacheValid = FALSE; }

    MWindow* m_owner;
    BOOL m_initialised;
    HWND m_hWndPaint;
    HDC m_hDcPaint;
    Gdiplus::ARGB m_backColor;
    Gdiplus::ARGB m_borderColor;
    RECT m_captionRect;
    int m_maxWidth, m_maxHeight;
    int m_minWidth, m_minHeight;
    int m_lastDragX, m_lastDragY;
    BOOL m_dragArmed;
    HBITMAP m_dragBitmap;
    BOOL m_layered;
    Gdiplus::Image* m_backImage;
    int m_backWidth, m_backHeight;
    CString m_overlayText;
    MsgLevel m_overlayLevel;
    int m_overlayAlpha;
    int m_progressShown;
    int m_progressTarget;
    CString m_overlayFont;
    RECT m_overlayRect;
    UINT m_mTimerId;
    UINT m_lastTimerId;
    BOOL m_active;
    BOOL m_tracking;
    BOOL m_leftPressed;
    BOOL m_leftDblClk;
    BOOL m_rightPressed;
    BOOL m_rightDblClk;
    BOOL m_captured;
    BOOL m_windowDrag;
    UINT m_scrollV, m_scrollH;
    COLORREF m_disabledText;
    MControl* m_hover;
    MControl* m_focus;
    int m_tooltipCtrlID;
    HWND m_tooltip;
    MAirBladder* m_airBladder;
    int m_airBladderId;
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    std::vector<MControl*> m_animations;
    std::vector<MControl*> m_removed;
    int m_dispatchDepth;
    enumBackMode m_backMode;
    int m_backModeValue;
    RECT m_caretRect;
    BOOL m_caretPhase;
    BOOL m_caretShown;
    MControl* m_caretOwner;
    DWORD m_caretColor;
    std::map<CString, ImgResInfo*> m_imagesByName;
    std::map<UINT, ImgResInfo*> m_imagesByAppId;
    std::map<UINT, ImgResInfo*> m_imagesByToolkitId;
    std::vector<ControlTimer> m_controlTimers;
    std::map<CString, Gdiplus::FontFamily*> m_fonts;
    std::map<CString, Gdiplus::FontFamily*> m_systemFonts;
    std::vector<HANDLE> m_gdiFonts;
    std::vector<std::unique_ptr<Gdiplus::PrivateFontCollection>> m_fontCollections;

    CriticalSection m_areaLock;
    CriticalSection m_controlLock;
    CriticalSection m_animationLock;
    CriticalSection m_imageLock;
    CriticalSection m_timerLock;
    CriticalSection m_fontLock;

    // The frame buffer and the pre-rendered background, kept between paints.
    OffScreenSurface m_frame;
    OffScreenSurface m_backCache;
    BOOL m_backCacheValid;
    UINT m_animationMessage;
    MShadow m_shadow;
};

}  // namespace QxUI
