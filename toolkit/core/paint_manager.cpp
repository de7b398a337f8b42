// Binding, control lists, message routing and teardown.
#include "toolkit/core/windows_include.h"  // before the other system headers
#include "toolkit/core/paint_manager.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/core/control_factory.h"
#include "toolkit/core/control_snapshot.h"
#include "toolkit/core/m_control.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/m_window.h"
#include "toolkit/core/manager.h"

namespace QxUI {

PaintManager::PaintManager()
    : m_owner(nullptr),
      m_initialised(FALSE),
      m_hWndPaint(nullptr),
      m_hDcPaint(nullptr),
      m_backColor(0xC8EBEBEB),
      m_borderColor(0xC8EBEBEB),
      m_captionRect{0, 0, 0, 0},
      m_maxWidth(0), m_maxHeight(0),
      m_minWidth(0), m_minHeight(0),
      m_lastDragX(0), m_lastDragY(0),
      m_dragArmed(FALSE),
      m_dragBitmap(nullptr),
      m_layered(FALSE),
      m_backImage(nullptr),
      m_backWidth(0), m_backHeight(0),
      m_overlayLevel(MSG_INFO),
      m_overlayAlpha(0),
      m_progressShown(0),
      m_progressTarget(0),
      m_overlayFont(L"Arial"),
      m_overlayRect{0, 0, 0, 0},
      m_mTimerId(0),
      m_lastTimerId(4096),
      m_active(FALSE),
      m_tracking(FALSE),
      m_leftPressed(FALSE),
      m_leftDblClk(FALSE),
      m_rightPressed(FALSE),
      m_rightDblClk(FALSE),
      m_captured(FALSE),
      m_windowDrag(TRUE),
      m_scrollV(0), m_scrollH(0),
      m_disabledText(0x808080),
      m_hover(nullptr),
      m_focus(nullptr),
      m_tooltipCtrlID(0),
      m_tooltip(nullptr),
      m_airBladder(nullptr),
      m_airBladderId(0),
      m_dispatchDepth(0),
      m_backMode(BACK_MODE_ORIGIN),
      m_backModeValue(4),
      m_caretRect{0, 0, 0, 0},
      m_caretPhase(FALSE),
      m_caretShown(FALSE),
      m_caretOwner(nullptr),
      m_caretColor(0xFE000000),
      m_backCacheValid(FALSE),
      m_animationMessage(::RegisterWindowMessageW(L"QxUI.PaintManager.AnimationTick")) {
    const FORMATETC formats[] = {
        {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI},
        {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
        {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
        {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF},
    };
    for (const FORMATETC& f : formats) AddSuportedFormat(f);
}

PaintManager::~PaintManager() {
    // Before anything goes: a precise-timer tick must not reach a half-destroyed manager.
    KillMTimer();
    if (m_tooltip && ::IsWindow(m_tooltip)) ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    DestroyAirBladder();
    if (m_dragBitmap) ::DeleteObject(m_dragBitmap);
    DestroyData();
    m_dispatchDepth = 0;
    DeleteRemoved();
    CriticalSectionLock lock(m_fontLock);
    for (auto& entry : m_fonts) delete entry.second;
    m_fonts.clear();
    for (auto& entry : m_systemFonts) delete entry.second;
    m_systemFonts.clear();
    for (HANDLE h : m_gdiFonts) ::RemoveFontMemResourceEx(h);
    m_gdiFonts.clear();
    m_fontCollections.clear();
}

BOOL PaintManager::IsLive() const { return m_hWndPaint && ::IsWindow(m_hWndPaint); }

void PaintManager::Init(HWND hwnd, MWindow* owner) {
    if (!hwnd || !::IsWindow(hwnd)) return;
    if (hwnd != m_hWndPaint) {
        if (m_hDcPaint && m_hWndPaint) ::ReleaseDC(m_hWndPaint, m_hDcPaint);
        m_hWndPaint = hwnd;
        m_hDcPaint = ::GetDC(hwnd);
    }
    m_owner = owner;
    // Fails harmlessly when OLE was not initialised on this thread.
    ::RegisterDragDrop(hwnd, static_cast<IDropTarget*>(this));
    SetTargetWnd(hwnd);
    CString font = Manager::GetProgramDirectory() + L"font\\Arial.ttf";
    if (::GetFileAttributesW(font) == INVALID_FILE_ATTRIBUTES)
        font = Manager::GetSkinDirectory() + L"font\\Arial.ttf";  // the skin may carry it instead
    if (::GetFileAttributesW(font) != INVALID_FILE_ATTRIBUTES) AddTempFont(L"Arial", font);
    m_initialised = TRUE;
    m_scrollV = 102;
    m_scrollH = 101;
    AddGDITempFont(106);
}

void PaintManager::GetClientRect(CRect& rect) const {
    rect.SetRectEmpty();
    if (IsLive()) ::GetClientRect(m_hWndPaint, &rect);
}

void PaintManager::GetWindowRect(CRect& rect) const {
    rect.SetRectEmpty();
    if (IsLive()) ::GetWindowRect(m_hWndPaint, &rect);
}

void PaintManager::GetClientSize(int& cx, int& cy) const {
    CRect r;
    GetClientRect(r);
    cx = r.Width();
    cy = r.Height();
}

void PaintManager::Invalidate() {
    if (IsLive()) ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
}

void PaintManager::InvalidateRect(CRect rect, BOOL erase) {
    if (!IsLive()) return;
    if (m_layered)
        ::InvalidateRect(m_hWndPaint, nullptr, TRUE);
    else
        ::InvalidateRect(m_hWndPaint, &rect, erase);
}

LRESULT PaintManager::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
    return IsLive() ? ::SendMessageW(m_hWndPaint, msg, wParam, lParam) : 0;
}

void PaintManager::SetCapture() {
    if (!IsLive()) return;
    ::SetCapture(m_hWndPaint);
    m_captured = TRUE;
}

void PaintManager::ReleaseCapture() {
    if (m_captured) ::ReleaseCapture();
    m_captured = FALSE;
}

// --- controls --------------------------------------------------------------------------------

MControl* PaintManager::CreateControl(UINT list, MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                      const wchar_t* title, int a, int b) {
    MControl* control = ControlFactory::Create(parent, className, id, rect, title, a, b);
    return control ? AddControl(list, control) : nullptr;
}

MControl* PaintManager::CreateArea(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                   const wchar_t* title, int a, int b) {
    return CreateControl(0, parent, className, id, rect, title, a, b);
}

MControl* PaintManager::CreateControl(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                      const wchar_t* title, int a, int b) {
    return CreateControl(1, parent, className, id, rect, title, a, b);
}

MControl* PaintManager::AddControl(UINT list, MControl* control) {
    if (!control) return nullptr;
    control->SetManager(this);  // also runs InitControl
    if (list == 0) {
        CriticalSectionLock lock(m_areaLock);
        m_areas.push_back(control);
    } else if (list == 1) {
        CriticalSectionLock lock(m_controlLock);
        m_controls.push_back(control);
    }
    return control;
}

MControl* PaintManager::GetControl(UINT id) {
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* c : m_controls) {
            if (c->GetControlID() == id) return c;
            if (MControl* found = c->GetControl(id)) return found;
        }
    }
    CriticalSectionLock lock(m_areaLock);
    for (MControl* c : m_areas) {
        if (c->GetControlID() == id) return c;
        if (MControl* found = c->GetControl(id)) return found;
    }
    return nullptr;
}

void PaintManager::Forget(MControl* control) {
    if (!control) return;
    auto within = [control](MControl* c) {
        for (; c; c = dynamic_cast<MControl*>(c->GetParantObject()))
            if (c == control) return true;
        return false;
    };
    if (within(m_hover)) {
        // The pressed control goes with its press and its capture.
        m_hover = nullptr;
        if (IsButtonPressed()) ReleaseCapture();
        m_leftPressed = m_rightPressed = m_dragArmed = FALSE;
    }
    if (within(m_focus)) m_focus = nullptr;
    if (within(m_caretOwner)) m_caretOwner = nullptr;
    if (m_tooltipCtrlID != 0 && m_tooltipCtrlID == static_cast<int>(control->GetControlID())) ClearTooltip();
    KillTimer(control);
    {
        CriticalSectionLock lock(m_animationLock);
        m_animations.erase(std::remove_if(m_animations.begin(), m_animations.end(), within), m_animations.end());
    }
}

void PaintManager::DisposeControl(MControl* control) {
    if (!control) return;
    Forget(control);
    if (m_dispatchDepth == 0) {
        delete control;
        return;
    }
    control->MarkRemoved();
    m_removed.push_back(control);
}

void PaintManager::DeleteRemoved() {
    // A destructor may remove more (its children go through DisposeControl too).
    while (!m_removed.empty()) {
        std::vector<MControl*> doomed;
        doomed.swap(m_removed);
        for (MControl* c : doomed) delete c;
    }
}

void PaintManager::RemoveControl(MControl* control) {
    if (!control) return;
    {
        CriticalSectionLock lock(m_controlLock);
        auto it = std::find(m_controls.begin(), m_controls.end(), control);
        if (it == m_controls.end()) return;
        m_controls.erase(it);
    }
    DisposeControl(control);
}

void PaintManager::DeleteList(std::vector<MControl*>& list, CriticalSection& lock) {
    std::vector<MControl*> doomed;
    {
        CriticalSectionLock guard(lock);
        doomed.swap(list);
    }
    for (MControl* c : doomed) DisposeControl(c);
}

void PaintManager::ClearAreaControls() { DeleteList(m_areas, m_areaLock); }
void PaintManager::ClearControls() { DeleteList(m_controls, m_controlLock); }

void PaintManager::ClearAllControls() {
    ClearAreaControls();
    ClearControls();
}

// --- routing ---------------------------------------------------------------------------------

LRESULT PaintManager::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    DispatchScope dispatch(*this);
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* c : ControlSnapshot(m_controls))
            if (c->OnWindowMessage(msg, wParam, lParam)) return 0;
    }
    if (msg == m_animationMessage) {
        OnAnimationTick();
        return 1;
    }
    CPoint point = CPoint::FromLParam(lParam);
    switch (msg) {
    case WM_PAINT: return OnPaint();
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (info) {
            if (m_minWidth > 0) info->ptMinTrackSize.x = m_minWidth;
            if (m_minHeight > 0) info->ptMinTrackSize.y = m_minHeight;
            if (m_maxWidth > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = m_maxWidth;
            if (m_maxHeight > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = m_maxHeight;
        }
        return 1;
    }
    case WM_DESTROY:
        // While the window still exists: OLE must drop its pointer to this drop target.
        if (IsLive()) ::RevokeDragDrop(m_hWndPaint);
        return 1;
    case WM_SIZE:
        m_backCacheValid = FALSE;
        return 1;
    case WM_CREATE:
    case WM_CHAR:
    case WM_MOUSEHOVER: return 1;
    case WM_NCDESTROY: DestroyData(); return 1;
    case WM_NCACTIVATE: OnNcActivateMessage(static_cast<BOOL>(wParam)); return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Consumed, so the default procedure never turns Alt+F4 and friends into commands.
        OnKeyDownMessage(wParam);
        return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP: return 0;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (lParam) return ::SendMessageW(reinterpret_cast<HWND>(lParam), msg + 0x2000, wParam, lParam);
        return 0;
    case WM_TIMER: OnTimerMessage(wParam); return 0;
    case WM_MOUSEMOVE: OnMouseMoveMessage(wParam, point); return 1;
    case WM_LBUTTONDOWN: OnLButtonDownMessage(wParam, point); return 1;
    case WM_LBUTTONUP: OnLButtonUpMessage(wParam, point); return 1;
    case WM_LBUTTONDBLCLK: OnLButtonDblClkMessage(wParam, point); return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: OnRButtonMessage(msg, wParam, point); return 1;
    case WM_MOUSEWHEEL: return OnMouseWheelMessage(wParam, lParam);
    case WM_MOUSELEAVE: OnMouseLeaveMessage(); return 1;
    default: return 0;
    }
}

BOOL PaintManager::PreTranslateMessage(MSG* msg) {
    if (!msg) return FALSE;
    DispatchScope dispatch(*this);
    bool ours = msg->hwnd && (msg->hwnd == m_hWndPaint || ::IsChild(m_hWndPaint, msg->hwnd));
    if (ours && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_TAB) {
        UINT modifier = GetModifierCode();
        if (modifier == 0 || modifier == 16) {
            MControl* next = modifier == 0 ? GetNextFocusableControl() : GetPrevFocusableControl();
            if (next != m_focus) {
                SetFocusControl(next);
                return TRUE;
            }
        }
    }
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        if (m_tooltip && ours) ::SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
        break;
    default: break;
    }
    return FALSE;
}

void PaintManager::OnDestroyMessage(HWND hwnd) {
    if (hwnd == m_hWndPaint) DestroyData();
}

void PaintManager::DestroyData() {
    if (!m_initialised) return;
    delete m_backImage;
    m_backImage = nullptr;
    m_backWidth = m_backHeight = 0;
    if (m_hDcPaint) ::ReleaseDC(m_hWndPaint, m_hDcPaint);
    m_hDcPaint = nullptr;
    KillMTimer();
    ClearTimers();
    ClearAreaControls();
    ClearControls();
    ClearImgResInfo();
    m_frame.Release();
    m_backCache.Release();
    m_backCacheValid = FALSE;
    m_hover = m_focus = m_caretOwner = nullptr;
    m_tracking = m_leftPressed = m_captured = FALSE;
    // The locks stay: they live as long as the manager, so a later Init can use them again.
    m_initialised = FALSE;
}

}  // namespace QxUI
