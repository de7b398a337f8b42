// Window timers (per-control, overlay, caret), the precise animation timer, overlays and caret.
#include <algorithm>

#include "toolkit/core/m_control.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

namespace {
// Native timer ids with fixed owners.
constexpr UINT kMessageTimeout = 66;
constexpr UINT kOverlayFade = 88;
constexpr UINT kProgressStep = 99;
constexpr UINT kCaretBlink = 6553;
}  // namespace

BOOL PaintManager::SetTimer(MControl* control, UINT key, UINT ms) {
    if (!control || !IsLive()) return FALSE;
    CriticalSectionLock lock(m_timerLock);
    for (ControlTimer& t : m_controlTimers) {
        if (t.window != m_hWndPaint || t.control != control || t.key != key) continue;
        if (!t.killed) return FALSE;
        if (!::SetTimer(m_hWndPaint, t.nativeId, ms, nullptr)) return FALSE;
        t.killed = FALSE;
        return TRUE;
    }
    UINT id = (m_lastTimerId + 1) % 240;
    if (!::SetTimer(m_hWndPaint, id, ms, nullptr)) return FALSE;
    m_lastTimerId = id;
    m_controlTimers.push_back(ControlTimer{m_hWndPaint, key, id, FALSE, control});
    return TRUE;
}

BOOL PaintManager::KillTimer(MControl* control, UINT key) {
    CriticalSectionLock lock(m_timerLock);
    for (ControlTimer& t : m_controlTimers)
        if (t.control == control && t.key == key && !t.killed) {
            if (IsLive()) ::KillTimer(t.window, t.nativeId);
            t.killed = TRUE;  // kept, so the key re-arms under the same native id
            return TRUE;
        }
    return FALSE;
}

BOOL PaintManager::KillTimer(MControl* control) {
    CriticalSectionLock lock(m_timerLock);
    BOOL any = FALSE;
    for (auto it = m_controlTimers.begin(); it != m_controlTimers.end();) {
        if (it->control == control) {
            if (!it->killed && ::IsWindow(it->window)) ::KillTimer(it->window, it->nativeId);
            it = m_controlTimers.erase(it);
            any = TRUE;
        } else {
            ++it;
        }
    }
    return any;
}

void PaintManager::ClearTimers() {
    CriticalSectionLock lock(m_timerLock);
    for (ControlTimer& t : m_controlTimers)
        if (!t.killed && ::IsWindow(t.window)) ::KillTimer(t.window, t.nativeId);
    m_controlTimers.clear();
}

void PaintManager::SetMTimer(UINT period) { m_mTimerId = CMTimer::SetTimer(period, CString(), FALSE); }
void PaintManager::KillMTimer(UINT id) { CMTimer::KillTimer(id); }

void PaintManager::KillMTimer() {
    CMTimer::KillTimer();
    m_mTimerId = 0;
}

BOOL PaintManager::AddMTimer(MControl* control) {
    CriticalSectionLock lock(m_animationLock);
    if (control && std::find(m_animations.begin(), m_animations.end(), control) == m_animations.end())
        m_animations.push_back(control);
    return TRUE;
}

BOOL PaintManager::DeletePnTimer(MControl* control) {
    CriticalSectionLock lock(m_animationLock);
    auto it = std::find(m_animations.begin(), m_animations.end(), control);
    if (it == m_animations.end()) return FALSE;
    m_animations.erase(it);
    return TRUE;
}

// Runs on the multimedia timer thread. The tick is handed to the user-interface thread, which
// then walks the animation list: control code never runs on two threads at once, so the list
// locks cannot be taken in opposite orders.
void PaintManager::OnMTimer(UINT id) {
    if (id == m_mTimerId && m_hWndPaint) ::PostMessageW(m_hWndPaint, m_animationMessage, id, 0);
}

void PaintManager::OnAnimationTick() {
    // Drop ticks that queued up while the thread was busy.
    MSG pending;
    while (::PeekMessageW(&pending, m_hWndPaint, m_animationMessage, m_animationMessage, PM_REMOVE)) {
    }
    std::vector<MControl*> due;
    {
        CriticalSectionLock lock(m_animationLock);
        for (MControl* c : m_animations)
            if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible()) due.push_back(c);
    }
    for (MControl* c : due) {
        CriticalSectionLock lock(m_animationLock);  // a control removed by an earlier tick is skipped
        if (std::find(m_animations.begin(), m_animations.end(), c) != m_animations.end()) c->OnTimer();
    }
}

void PaintManager::OnTimerMessage(UINT_PTR id) {
    if (id == kMessageTimeout || id == kOverlayFade || id == kProgressStep) {
        OnOverlayTimer(id);
        return;
    }
    if (id == kCaretBlink) {
        InvalidateCaret();
        m_caretPhase = !m_caretPhase;
        return;
    }
    std::vector<MControl*> due;
    {
        CriticalSectionLock lock(m_timerLock);
        for (ControlTimer& t : m_controlTimers)
            if (t.window == m_hWndPaint && t.nativeId == id && !t.killed) due.push_back(t.control);
    }
    for (MControl* c : due)
        if (!c->IsRemoved()) c->OnTimer();  // a handler of this tick may have removed it
}

// --- overlay -----------------------------------------------------------------------------------

void PaintManager::InvalidateOverlay() { InvalidateRect(CRect(m_overlayRect), FALSE); }

void PaintManager::SetMessage(CString text, CRect rect, MsgLevel level) {
    if (!IsLive()) return;
    ::KillTimer(m_hWndPaint, kMessageTimeout);
    ::KillTimer(m_hWndPaint, kOverlayFade);
    m_overlayAlpha = 255;
    m_overlayText = text;
    m_overlayLevel = level;
    m_overlayRect = rect;
    m_progressShown = 0;
    InvalidateOverlay();
    ::SetTimer(m_hWndPaint, kMessageTimeout, 3000, nullptr);
}

void PaintManager::SetProgress(int percent, CString text, CRect rect) {
    if (!IsLive() || percent == m_progressTarget) return;
    if (percent < 5) ::KillTimer(m_hWndPaint, kOverlayFade);
    m_overlayAlpha = 255;
    m_overlayText = text;
    m_progressTarget = percent;
    if (rect.IsRectEmpty()) {
        CRect client;
        GetClientRect(client);
        rect = CRect(client.left, client.bottom - 60, client.right, client.bottom - 2);
    }
    m_overlayRect = rect;
    if (m_progressTarget - m_progressShown < 6) {
        m_progressShown = m_progressTarget;
        InvalidateOverlay();
        if (m_progressShown > 99) ::SetTimer(m_hWndPaint, kOverlayFade, 50, nullptr);
    } else {
        ::SetTimer(m_hWndPaint, kProgressStep, 10, nullptr);
    }
}

void PaintManager::OnOverlayTimer(UINT_PTR id) {
    if (id == kMessageTimeout) {
        ::KillTimer(m_hWndPaint, kMessageTimeout);
        ::SetTimer(m_hWndPaint, kOverlayFade, 50, nullptr);
    } else if (id == kOverlayFade) {
        m_overlayAlpha -= 10;
        if (m_overlayAlpha < 20) {
            m_overlayAlpha = 0;
            m_progressShown = 0;
            ::KillTimer(m_hWndPaint, kOverlayFade);
            Invalidate();
        }
        InvalidateOverlay();
    } else if (id == kProgressStep) {
        m_progressShown += 2;
        if (m_progressShown >= m_progressTarget) {
            m_progressShown = m_progressTarget;
            ::KillTimer(m_hWndPaint, kProgressStep);
        }
        InvalidateOverlay();
        if (m_progressShown >= 100) ::SetTimer(m_hWndPaint, kOverlayFade, 50, nullptr);
    }
}

// --- caret -------------------------------------------------------------------------------------

void PaintManager::InvalidateCaret() { InvalidateRect(CRect(m_caretRect), FALSE); }

BOOL PaintManager::CreateCaret(HBITMAP bitmap, int width, int height) {
    if (!IsLive()) return FALSE;
    // The native caret is invisible here; it tells input methods where the text goes.
    BOOL ok = ::CreateCaret(m_hWndPaint, bitmap, width, height);
    m_caretRect.right = m_caretRect.left + width;
    m_caretRect.bottom = m_caretRect.top + height;
    return ok;
}

BOOL PaintManager::SetCaretPos(MControl* owner, int x, int y, DWORD colour) {
    if (!::SetCaretPos(x, y)) return FALSE;
    m_caretOwner = owner;
    m_caretColor = colour;
    InvalidateCaret();
    CRect r(m_caretRect);
    r.MoveToXY(x, y);
    m_caretRect = r;
    InvalidateCaret();
    return TRUE;
}

BOOL PaintManager::ShowCaret(BOOL show) {
    if ((show != FALSE) == (m_caretShown != FALSE)) return TRUE;
    m_caretShown = show;
    if (!IsLive()) return TRUE;
    if (show) {
        ::SetTimer(m_hWndPaint, kCaretBlink, ::GetCaretBlinkTime(), nullptr);
        if (!m_caretPhase) {
            InvalidateCaret();
            m_caretPhase = TRUE;
        }
    } else {
        ::KillTimer(m_hWndPaint, kCaretBlink);
        if (m_caretPhase) {
            InvalidateCaret();
            m_caretPhase = FALSE;
        }
    }
    return TRUE;
}

void PaintManager::DrawCaret(HDC hdc, const CRect& rect) {
    if (m_caretOwner && (!m_caretOwner->IsFocused() || ::GetFocus() != m_hWndPaint)) {
        if (IsLive()) ::KillTimer(m_hWndPaint, kCaretBlink);
        if (m_caretShown) {
            InvalidateCaret();
            m_caretShown = FALSE;
        }
        return;
    }
    if (!m_caretPhase || !m_caretShown || !m_caretOwner) return;
    CRect part;
    if (!part.IntersectRect(m_caretRect, rect)) return;
    Gdiplus::Graphics g(hdc);
    Gdiplus::SolidBrush brush(Gdiplus::Color((m_caretColor & 0x00FFFFFF) | 0xFE000000));
    g.FillRectangle(&brush, part.left, part.top, part.Width(), part.Height());
}

}  // namespace QxUI
