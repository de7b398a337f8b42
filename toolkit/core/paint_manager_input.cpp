// Mouse and keyboard routing, hover, press and focus state.
#include <cstdlib>

#include "toolkit/core/control_snapshot.h"
#include "toolkit/core/m_control.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

namespace {
const CPoint kNowhere(-1, -1);
}

UINT PaintManager::GetModifierCode() {
    UINT code = 0;
    if (::GetKeyState(VK_MENU) & 0x8000)
        code = 18;
    else if (::GetKeyState(VK_SHIFT) & 0x8000)
        code = 16;
    if (::GetKeyState(VK_CONTROL) & 0x8000) code |= 17;
    return code;
}

// The topmost (last) responsive control of the control list under the point.
MControl* PaintManager::HitTest(CPoint point) {
    CriticalSectionLock lock(m_controlLock);
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if ((*it)->PtInRect(point) && (*it)->GetRresponse()) return *it;
    return nullptr;
}

void PaintManager::OnMouseMoveMessage(WPARAM wParam, CPoint point) {
    UINT flags = static_cast<UINT>(wParam);
    if (!m_tracking && IsLive()) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWndPaint, 400};
        m_tracking = ::TrackMouseEvent(&tme);
    }
    if (m_dragArmed && (wParam & MK_LBUTTON)) {
        m_lastDragX = point.x;
        m_lastDragY = point.y;
    }
    if (m_hover && m_hover->PtInRect(point) && m_hover->OnCheckMouseResponse(flags, point) && m_tracking) {
        m_hover->OnMouseMove(flags, point);
        return;
    }
    if (m_hover) ClearTooltip();
    if (IsButtonPressed()) {
        // While a button is held on a control, that control alone gets the moves, also those
        // outside it (it holds the capture): no other control turns hover. A scroll thumb dragged
        // past the end of its bar must still reach the end of the track however fast the pointer
        // leaves, and a control that only acts inside itself (the keyboard view's frame) checks
        // the point itself. Inside, its capture child keeps the move while it is pressed inside.
        if (m_hover) m_hover->OnMouseMove(flags, point);
        return;
    }
    if (!m_tracking) {
        m_hover = nullptr;
        return;
    }
    {
        // Every control sees the move, so that those the mouse left drop their hover look.
        CriticalSectionLock lock(m_controlLock);
        for (MControl* c : ControlSnapshot(m_controls)) c->OnMouseMove(flags, point);
    }
    m_hover = HitTest(point);
}

void PaintManager::OnMouseLeaveMessage() {
    ClearTooltip();
    m_tracking = FALSE;
    if (IsButtonPressed()) return;
    if (m_hover) m_hover->OnMouseMove(0, kNowhere);
    m_hover = nullptr;
}

void PaintManager::OnLButtonDownMessage(WPARAM wParam, CPoint point) {
    UINT flags = static_cast<UINT>(wParam);
    m_leftDblClk = FALSE;
    if (m_focus && m_focus != m_hover) {
        m_focus->SetControlFocus(FALSE);
        m_focus = nullptr;
    }
    // A press can arrive without a move first (a click right after the window appeared).
    if (!m_hover) m_hover = HitTest(point);
    MControl* hover = m_hover;
    if (hover && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(point) &&
        hover->OnCheckMouseResponse(flags, point)) {
        if (hover->IsDragDrop() && hover->IsEnabled()) {
            m_dragArmed = TRUE;
            if (m_dragBitmap) ::DeleteObject(m_dragBitmap);
            m_dragBitmap = hover->GetDropBitmap();
        }
        m_leftPressed = TRUE;
        m_focus = hover;
        BOOL handled = hover->OnLButtonDown(flags, point);
        if (!m_captured && (!m_hover || m_hover->OnCheckMouseResponse(flags, point))) {
            SetCapture();
            return;
        }
        if (handled) return;
    }
    if (m_windowDrag && IsLive()) {
        ReleaseCapture();
        POINT screen = point;
        ::ClientToScreen(m_hWndPaint, &screen);
        ::SendMessageW(m_hWndPaint, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
}

void PaintManager::OnLButtonUpMessage(WPARAM wParam, CPoint point) {
    m_leftPressed = FALSE;
    if (!m_rightPressed) ReleaseCapture();
    m_dragArmed = FALSE;
    MControl* hover = m_hover;
    if (hover && hover->IsVisible() && hover->GetRresponse()) {
        BOOL inside = hover->GetRect().PtInRect(point);
        hover->OnLButtonUp(static_cast<UINT>(wParam), point);
        // The handler may have removed the control; Forget() then cleared m_hover already.
        if (!inside && m_hover == hover) m_hover = nullptr;
    } else {
        m_hover = nullptr;
    }
}

void PaintManager::OnLButtonDblClkMessage(WPARAM wParam, CPoint point) {
    m_leftDblClk = TRUE;
    MControl* hover = m_hover;
    if (hover && hover->IsVisible() && hover->GetRresponse()) {
        BOOL inside = hover->GetRect().PtInRect(point);
        hover->OnLButtonDblClk(static_cast<UINT>(wParam), point);
        if (!inside && m_hover == hover) m_hover = nullptr;
    }
}

// The right button works like the left one, capture included, without drag arming and without
// window dragging: a right press on no control does nothing.
void PaintManager::OnRButtonMessage(UINT msg, WPARAM wParam, CPoint point) {
    UINT flags = static_cast<UINT>(wParam);
    if (msg == WM_RBUTTONDOWN) {
        m_rightDblClk = FALSE;
        if (m_focus && m_focus != m_hover) {
            m_focus->SetControlFocus(FALSE);
            m_focus = nullptr;
        }
        if (!m_hover) m_hover = HitTest(point);
        MControl* hover = m_hover;
        if (hover && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(point) &&
            hover->OnCheckMouseResponse(flags, point)) {
            m_rightPressed = TRUE;
            m_focus = hover;
            hover->OnRButtonDown(flags, point);
            if (!m_captured && m_hover && m_hover->OnCheckMouseResponse(flags, point)) SetCapture();
        }
        return;
    }
    MControl* hover = m_hover;
    if (msg == WM_RBUTTONUP) {
        m_rightPressed = FALSE;
        if (!m_leftPressed) ReleaseCapture();
    } else {
        m_rightDblClk = TRUE;
    }
    if (!hover || !hover->IsVisible() || !hover->GetRresponse()) {
        if (msg == WM_RBUTTONUP) m_hover = nullptr;
        return;
    }
    BOOL inside = hover->GetRect().PtInRect(point);
    if (msg == WM_RBUTTONUP)
        hover->OnRButtonUp(flags, point);
    else
        hover->OnRButtonDblClk(flags, point);
    if (!inside && m_hover == hover) m_hover = nullptr;
}

BOOL PaintManager::OnMouseWheelMessage(WPARAM wParam, LPARAM lParam) {
    if (!IsLive()) return 0;
    POINT p = CPoint::FromLParam(lParam);
    ::ScreenToClient(m_hWndPaint, &p);
    CPoint point(p);
    int delta = static_cast<short>(HIWORD(wParam));
    int steps = std::abs(delta / 120);
    UINT direction = (delta / 120 <= 0) ? 1 : 0;
    BOOL any = FALSE;
    for (int i = 0; i < steps; ++i) {
        if (m_hover && m_hover->OnScroll(1, direction, point)) {
            any = TRUE;
            continue;
        }
        CriticalSectionLock lock(m_controlLock);
        for (MControl* c : ControlSnapshot(m_controls))
            if (c->OnScroll(1, direction, point)) {
                any = TRUE;
                break;
            }
    }
    return any;
}

void PaintManager::OnNcActivateMessage(BOOL active) {
    m_active = active;
    if (!active) {
        m_tracking = FALSE;
        m_captured = FALSE;
        m_leftDblClk = FALSE;
        if (m_leftPressed) {
            m_leftPressed = m_rightPressed = FALSE;
            if (m_hover) m_hover->OnLButtonUp(0, kNowhere);
        } else if (m_rightPressed) {
            m_rightPressed = FALSE;
            if (m_hover) m_hover->OnRButtonUp(0, kNowhere);
        } else if (m_hover) {
            m_hover->OnMouseMove(0, kNowhere);
        }
        m_hover = nullptr;
    }
    Invalidate();
}

void PaintManager::OnKeyDownMessage(WPARAM vk) {
    UINT modifier = GetModifierCode();
    UINT key = static_cast<UINT>(vk);
    if (m_hover && m_hover->OnKeyDown(key, 1, modifier)) return;
    CriticalSectionLock lock(m_controlLock);
    for (MControl* c : ControlSnapshot(m_controls))
        if (c->OnKeyDown(key, 1, modifier)) return;
}

namespace {
bool Focusable(MControl* c) { return c->IsVisible() && c->IsEnabled() && c->IsTabStop(); }
}  // namespace

MControl* PaintManager::GetNextFocusableControl() {
    CriticalSectionLock lock(m_controlLock);
    size_t start = 0;
    if (m_focus) {
        for (size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i] == m_focus) start = i + 1;
        for (size_t i = start; i < m_controls.size(); ++i)
            if (Focusable(m_controls[i])) return m_controls[i];
    }
    for (MControl* c : m_controls)
        if (Focusable(c)) return c;
    return nullptr;
}

MControl* PaintManager::GetPrevFocusableControl() {
    CriticalSectionLock lock(m_controlLock);
    if (m_focus) {
        size_t end = 0;  // index of the focus control
        for (size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i] == m_focus) end = i;
        for (size_t i = end; i-- > 0;)
            if (Focusable(m_controls[i])) return m_controls[i];
    }
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if (Focusable(*it)) return *it;
    return nullptr;
}

void PaintManager::SetFocusControl(MControl* control) {
    if (control == m_focus) return;
    if (m_focus) m_focus->SetControlFocus(FALSE);
    if (control) control->SetControlFocus(TRUE);
    m_focus = control;
}

void PaintManager::TakeFocus(MControl* control) {
    if (m_focus && m_focus != control) m_focus->SetControlFocus(FALSE);
    if (control) control->SetControlFocus(TRUE);
    m_focus = control;
}

}  // namespace QxUI
