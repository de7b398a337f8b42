#include "toolkit/controls/c_color_button.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CColorButton", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CColorButton(p, id, r, a, b);
});

namespace {
constexpr int kLooks = 4;
constexpr Gdiplus::ARGB kBorder = 0xFE3CAF36;
constexpr Gdiplus::ARGB kCheckedRing = 0xFF00FFFF;
constexpr Gdiplus::ARGB kDisabledBorder = 0xFE808080;
}  // namespace

CColorButton::CColorButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE), m_color(0xFFFFFF), m_visibleBorder(true) {}

void CColorButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, kLooks, FrameShown(m_state.check, m_state.look),
                   [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void CColorButton::DrawLook(HDC dc, int index, const CRect& frame) {
    ::SetBkColor(dc, m_color);
    RECT fill = frame;
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
    Gdiplus::Graphics g(dc);
    const int w = frame.Width(), h = frame.Height();
    auto outline = [&](Gdiplus::ARGB colour) {
        Gdiplus::Pen pen{Gdiplus::Color(colour), 1.0f};
        g.DrawRectangle(&pen, frame.left, 0, w - 1, h - 1);
    };
    if (m_visibleBorder || index == LOOK_HOVER) outline(kBorder);
    if (index == LOOK_PRESSED) {
        Gdiplus::Pen ring{Gdiplus::Color(kCheckedRing), 2.0f};
        g.DrawRectangle(&ring, frame.left + 1, 1, w - 2, h - 2);
    }
    if (index == LOOK_DISABLED) outline(kDisabledBorder);
}

void CColorButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_state.look, enabled); }

BOOL CColorButton::OnControlMouseMove(UINT, CPoint point) {
    // The hover frame is asked to repaint too, so the hover border shows while the pointer is on.
    return PushButton::OnMouseMove(*this, m_state.look, point);
}

BOOL CColorButton::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !GetRect().PtInRect(point)) return FALSE;
    m_state.look = LOOK_PRESSED;
    m_state.check = 1;
    ResetGroupCheck();
    // The owner reads the colour of the checked swatch on this notification, before the release.
    SendMessageW(NOTIFY_PRESS);
    UpdateControl(FALSE);
    return TRUE;
}

BOOL CColorButton::OnControlLButtonUp(UINT, CPoint point) {
    // Notification 2 only when the press was on this swatch (the look is pressed only then).
    return PushButton::OnLButtonUp(*this, m_state.look, point);
}

void CColorButton::SetColor(DWORD colour) {
    if (colour == m_color) return;
    m_color = colour;
    UpdateControl(TRUE);
}

int CColorButton::SetCheck(int check) {
    if (!m_enabled) return m_state.check;
    bool changed = (check != 0) != (m_state.check != 0);
    m_state.check = check;
    m_state.look = LOOK_NORMAL;
    if (changed) {
        ResetGroupCheck();
        UpdateControl(FALSE);
    }
    return m_state.check;
}

void CColorButton::SetControlCheck(int check) {
    m_state.check = check;
    m_state.look = LOOK_NORMAL;
    UpdateControl(FALSE);
}

int CColorButton::ResetGroupCheck() {
    return ForEachGroupSibling(*this, GROUP_LIVE, [](CColorButton& other) { GroupButton::Uncheck(other, other.m_state); });
}

void CColorButton::SetVisibleBorder(bool visible) {
    if (visible == m_visibleBorder) return;
    m_visibleBorder = visible;
    UpdateControl(TRUE);
}

}  // namespace QxUI
