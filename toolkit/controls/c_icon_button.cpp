#include "toolkit/controls/c_icon_button.h"

#include "toolkit/controls/button_cursor.h"
#include "toolkit/controls/button_group.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/core/c_keyboard_tips.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CIconButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CIconButton(p, id, r, t, a, b);
});

namespace {
// The skin's corners are drawn this wide whatever the frame size says.
constexpr int kSkinBorder = 20;
constexpr Gdiplus::ARGB kDimTitle = 0xFEC8C8C8;
}  // namespace

CIconButton::CIconButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_look(0),
      m_frameSize(4),
      m_check(0),
      m_down(0),
      m_pressed(0),
      m_downBeforePress(0),
      m_showTips(false),
      m_tipWindow(nullptr) {
    m_hAlign = 1;
}

CIconButton::~CIconButton() {
    if (!m_tipWindow) return;
    if (::IsWindow(m_tipWindow->GetSafeHwnd())) m_tipWindow->DestroyWindow();
    delete m_tipWindow;
}

void CIconButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, FrameShown(m_check, m_down, m_look),
                   [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void CIconButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, kSkinBorder);
    ButtonTextStyle style;
    style.sizeDelta = index == 0 ? 0 : 2;
    if (m_textRect.IsRectEmpty()) {
        DrawButtonText(*this, g, m_title, frame, m_textColor, style);
        return;
    }
    CRect box = m_textRect;
    box.OffsetRect(frame.left, 0);
    DrawButtonText(*this, g, m_title, ShiftedWhenPressed(box, index == LOOK_PRESSED),
                   index == LOOK_HOVER ? m_textColor : kDimTitle, style);
}

void CIconButton::ShowLook(int look) {
    if (look == m_look) return;
    m_look = look;
    UpdateControl(FALSE);
}

void CIconButton::SetControlEnabled(BOOL enabled) {
    if ((enabled != FALSE) == (m_enabled != FALSE)) return;
    MControl::SetControlEnabled(enabled);
    ShowLook(enabled ? LOOK_NORMAL : LOOK_DISABLED);
}

BOOL CIconButton::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled) return FALSE;
    bool inside = GetRect().PtInRect(point) != FALSE;
    SetHandCursor(inside);
    int old = m_look;
    ShowLook(inside ? LOOK_HOVER : LOOK_NORMAL);
    SetTips(inside);
    return old != m_look;
}

BOOL CIconButton::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !GetRect().PtInRect(point)) return FALSE;
    m_pressed = TRUE;
    m_look = LOOK_PRESSED;
    m_downBeforePress = m_down;
    m_down = TRUE;
    SendMessageW(NOTIFY_PRESS);
    UpdateControl(FALSE);
    return TRUE;
}

BOOL CIconButton::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return FALSE;
    BOOL wasPressed = m_pressed;
    m_pressed = FALSE;
    if (!GetRect().PtInRect(point)) {
        // A cancelled press must not leave a second button of the group looking down.
        if (wasPressed) m_down = m_downBeforePress;
        m_look = LOOK_NORMAL;
        UpdateControl(FALSE);
        return FALSE;
    }
    m_down = TRUE;
    ResetGroupCheck();
    SendMessageW(NOTIFY_CLICK);
    m_look = LOOK_PRESSED;
    UpdateControl(FALSE);
    return TRUE;
}

BOOL CIconButton::SetIconImage(const wchar_t* file, int count) { return m_icon.Load(file, count); }

void CIconButton::SetFrameSize(int size) {
    m_frameSize = size;
    UpdateControl(TRUE);
}

void CIconButton::SetTextRect(CRect rect) {
    m_textRect = rect;
    UpdateControl(TRUE);
}

int CIconButton::SetCheck(int check) {
    m_check = check;
    m_look = LOOK_NORMAL;
    m_down = FALSE;
    UpdateControl(TRUE);
    return 1;
}

int CIconButton::SetDownState(int) {
    m_look = LOOK_NORMAL;
    m_down = FALSE;
    UpdateControl(TRUE);
    return 1;
}

void CIconButton::SetControlCheck(int check) {
    m_down = check;
    m_look = check ? LOOK_PRESSED : LOOK_NORMAL;
    UpdateControl(FALSE);
}

int CIconButton::ResetGroupCheck() {
    // Only the down state is group-exclusive; a sibling's check stays.
    return ForEachGroupSibling(*this, GROUP_LIVE, [](CIconButton& other) {
        other.m_down = FALSE;
        other.m_look = LOOK_NORMAL;
        other.UpdateControl(FALSE);
    });
}

void CIconButton::SetTips(CString title, CString note, CString text) {
    m_tipTitle = title;
    m_tipNote = note;
    m_tipText = text;
}

void CIconButton::SetTips(bool show) {
    if (!m_showTips) return;
    HWND paintWnd = m_manager ? m_manager->GetPaintWnd() : nullptr;
    if (!m_tipWindow) {
        if (!show) return;  // nothing to hide yet
        m_tipWindow = new CKeyboardTips;
        // Made hidden: a tip window made visible takes the activation from the window under
        // the pointer the moment it is created.
        m_tipWindow->Create(paintWnd, L"KeyboardTip Window", 0x96000080 & ~WS_VISIBLE, 0, CRect());
        m_tipWindow->LoadBKImage(CString(L"img_tip_bk.png"));
    }
    HWND tip = m_tipWindow->GetSafeHwnd();
    if (!::IsWindow(tip)) return;
    if (!show) {
        // Every pointer move outside the button comes here: hide only what is shown.
        if (::IsWindowVisible(tip)) ::ShowWindow(tip, SW_HIDE);
        return;
    }
    CRect r = GetRect();
    POINT anchor = ClientToScreenPoint(paintWnd, r.left + r.Width() / 2, r.top + 10);
    m_tipWindow->SetAirBladderMsg(m_tipTitle, m_tipNote, m_tipText, anchor);
    // Shown without activation: an activated tip would take the focus from the window under
    // the pointer, which then reports the pointer gone and hides the tip again.
    if (!::IsWindowVisible(tip)) ::ShowWindow(tip, SW_SHOWNOACTIVATE);
}

}  // namespace QxUI
