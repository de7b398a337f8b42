#include "toolkit/controls/c_timer_button.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CTimerButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CTimerButton(p, id, r, t, a, b);
});

namespace {
constexpr DWORD kCountdownMs = 10000;
// Ticks closer together than this do not re-render: the seconds change at most once a second.
constexpr DWORD kRepaintMs = 800;
}  // namespace

CTimerButton::CTimerButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_look(0),
      m_frameSize(4),
      m_startTick(0),
      m_lastRepaintTick(0),
      m_running(0) {
    m_runTimer = TRUE;
}

CString CTimerButton::CountdownTitle(const CString& title, int seconds) {
    CString text;
    text.Format(L"%ls(%ds)", title.GetString(), seconds);
    return text;
}

void CTimerButton::DrawControl(HDC& hdc, CRect) {
    // The seconds are taken once per rendering so every frame shows the same number.
    CString text = m_running ? CountdownTitle(m_title, SecondsLeft(::GetTickCount() - m_startTick)) : m_title;
    PaintLookStrip(*this, hdc, 4, m_look,
                   [this, &text](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame, text); });
}

void CTimerButton::DrawLook(HDC dc, int index, const CRect& frame, const CString& text) {
    Gdiplus::Graphics g(dc);
    DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, m_frameSize);
    if (m_focused) {
        Gdiplus::Pen pen(Gdiplus::Color(0xFE4CFF29), 1.0f);
        pen.SetDashStyle(Gdiplus::DashStyleDot);
        g.DrawRectangle(&pen, frame.left + 6, 2, frame.Width() - 12, frame.Height() - 4);
    }
    DrawButtonText(*this, g, text, ShiftedWhenPressed(frame, index == LOOK_PRESSED),
                   index == LOOK_DISABLED ? 0xFF808080 : m_textColor, {});
}

void CTimerButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_look, enabled); }
BOOL CTimerButton::OnControlMouseMove(UINT, CPoint point) { return PushButton::OnMouseMove(*this, m_look, point); }
BOOL CTimerButton::OnControlLButtonDown(UINT, CPoint point) {
    return PushButton::OnLButtonDown(*this, m_look, point);
}

BOOL CTimerButton::OnControlLButtonUp(UINT, CPoint point) {
    BOOL clicked = PushButton::OnLButtonUp(*this, m_look, point);
    if (clicked && m_running) {
        m_running = 0;
        // The frames still carry the seconds: render the plain title again.
        UpdateControl(TRUE);
    }
    return clicked;
}

BOOL CTimerButton::OnControlTimer() {
    if (!m_running || !m_visible) return 0;
    DWORD now = ::GetTickCount();
    if (now - m_lastRepaintTick <= kRepaintMs) return 1;
    UpdateControl(TRUE);
    m_lastRepaintTick = now;
    if (now - m_startTick > kCountdownMs) {
        SendMessageW(NOTIFY_CLICK);
        m_running = 0;
    }
    return 1;
}

BOOL CTimerButton::SetControlFocus(BOOL focus) {
    if (!m_enabled) return 0;
    if ((focus != FALSE) != (m_focused != FALSE)) {
        m_focused = focus;
        UpdateControl(TRUE);
    }
    return 1;
}

int CTimerButton::SetRun(int run) {
    if (!m_enabled) return m_running;
    m_running = run;
    m_lastRepaintTick = 0;
    m_startTick = ::GetTickCount();
    UpdateControl(TRUE);
    return run;
}

void CTimerButton::SetFrameSize(int size) {
    m_frameSize = size;
    UpdateControl(TRUE);
}

}  // namespace QxUI
