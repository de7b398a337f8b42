#include "toolkit/controls/m_spin_button.h"

#include "toolkit/controls/value_rules.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MSpinButton", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MSpinButton(p, id, r, a, b);
});

namespace {
constexpr UINT kUpId = 30;
constexpr UINT kDownId = 31;
}  // namespace

MSpinButton::MSpinButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MPanel(parent, id, rect, visible),
      m_look(0),
      m_value(0),
      m_minimum(1),
      m_maximum(100),
      m_limitLength(3),
      m_up(nullptr),
      m_down(nullptr) {
    m_enabled = enabled;
    SetTextColor(Gdiplus::Color(0xFE050505));
    m_title.Format(L"%d", m_value);
}

void MSpinButton::InitControl(PaintManager* manager) {
    MPanel::InitControl(manager);
    auto make = [&](UINT id, const wchar_t* image) -> MControl* {
        MControl* button = CreateControl(L"CImageButton", id, CRect(), L"", 1, 1);
        if (auto* font = dynamic_cast<MControlFont*>(button)) font->SetImage(image, 4);
        return button;
    };
    if (!m_up) m_up = make(kUpId, L"img_spin_up.png");
    if (!m_down) m_down = make(kDownId, L"img_spin_down.png");
    SetControlRect(CRect(m_rect));
}

void MSpinButton::PlaceButtons(const CRect& rect) {
    int mid = rect.top + rect.Height() / 2;
    auto place = [&](MControl* button, bool upper) {
        auto* font = dynamic_cast<MControlFont*>(button);
        if (!font) return;
        int w = 0, h = 0;
        font->GetImageSize(w, h);
        button->SetRect(upper ? CRect(rect.right - w - 4, mid - h, rect.right - 4, mid)
                              : CRect(rect.right - w - 4, mid, rect.right - 4, mid + h));
    };
    place(m_up, true);
    place(m_down, false);
}

void MSpinButton::SetControlRect(CRect rect) {
    // The arrows go to their places before the panel measures its content, so an arrow left
    // at an old place never makes the field look scrollable.
    PlaceButtons(rect);
    MPanel::SetControlRect(rect);
}

void MSpinButton::SetControlEnabled(BOOL enabled) {
    MPanel::SetControlEnabled(enabled);
    SetLook(enabled ? 0 : 3);
}

BOOL MSpinButton::SetControlFocus(BOOL focus) {
    if (!focus) MPanel::SetControlFocus(FALSE);
    if (!m_enabled) return 0;
    if ((focus != FALSE) != (m_focused != FALSE)) {
        m_focused = focus;
        UpdateControl(TRUE);
    }
    return 0;
}

void MSpinButton::SetLook(int look) {
    if (look == m_look) return;
    m_look = look;
    UpdateControl(FALSE);
}

BOOL MSpinButton::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_pressedInside) return 0;
    SetLook(CRect(m_rect).PtInRect(point) ? 1 : 0);
    return 0;
}

BOOL MSpinButton::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (CRect(m_rect).PtInRect(point)) SetLook(2);
    return 1;
}

BOOL MSpinButton::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    SetLook(CRect(m_rect).PtInRect(point) ? 1 : 0);
    return 1;
}

void MSpinButton::SetCurValue(int value) {
    if (value == m_value) return;
    m_value = value;
    m_title.Format(L"%d", m_value);
    UpdateControl(TRUE);
}

void MSpinButton::ChangeValue(int value) {
    SetCurValue(value);
    SendMessageW(NOTIFY_SPIN, 0, 0);
}

BOOL MSpinButton::OnControlKeyDown(UINT vk, UINT, UINT) {
    if (!m_focused) return FALSE;
    if (vk >= '0' && vk <= '9') {
        ChangeValue(SpinAppendDigit(m_value, static_cast<int>(vk - '0'), m_limitLength, m_minimum, m_maximum));
        return TRUE;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        ChangeValue(SpinAppendDigit(m_value, static_cast<int>(vk - VK_NUMPAD0), m_limitLength, m_minimum, m_maximum));
        return TRUE;
    }
    switch (vk) {
        case VK_UP:
        case VK_ADD: ChangeValue(SpinStep(m_value, 1, m_minimum, m_maximum)); return TRUE;
        case VK_DOWN:
        case VK_SUBTRACT: ChangeValue(SpinStep(m_value, -1, m_minimum, m_maximum)); return TRUE;
        case VK_BACK: {
            int next = SpinBackspace(m_value);
            if (next != m_value) ChangeValue(next);
            return TRUE;
        }
        case VK_LEFT:
        case VK_RIGHT: return TRUE;  // the field has no caret to move
        default: return FALSE;
    }
}

LRESULT MSpinButton::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (code == NOTIFY_CLICK && (id == kUpId || id == kDownId)) {
        ChangeValue(SpinStep(m_value, id == kUpId ? 1 : -1, m_minimum, m_maximum));
        return 0;
    }
    return MPanel::OnMessage(id, code, wParam, lParam);
}

void MSpinButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, m_look, [&](HDC dc, int i, const CRect& frame) {
        Gdiplus::Graphics g(dc);
        DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, i, frame, 6);
        int x0 = frame.left, w = frame.Width(), h = frame.Height();
        if (m_focused) {
            Gdiplus::SolidBrush selection{Gdiplus::Color(0xFE3399FF)};
            g.FillRectangle(&selection, x0 + 5, h / 2 - 7, w - 28, 14);
        }
        DrawTitle(g, m_title,
                  Gdiplus::RectF(static_cast<float>(x0 + 4), 0.f, static_cast<float>(w - 18), static_cast<float>(h)),
                  i == 3 ? 0xFF808080 : m_textColor);
    });
}

}  // namespace QxUI
