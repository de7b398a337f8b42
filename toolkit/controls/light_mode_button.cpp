#include "toolkit/controls/light_mode_button.h"

#include "toolkit/controls/button_cursor.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"LightModeButton",
                      [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
                          return new LightModeButton(p, id, r, t, a, b);
                      });

namespace {
constexpr int kLooks = 8;
constexpr int kIconGap = 8;    // between the bullet and the icon
constexpr int kTitleGap = 20;  // between the bullet and the title
constexpr Gdiplus::ARGB kPlainTitle = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kLitTitle = 0xFFFFF600;
}  // namespace

LightModeButton::LightModeButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                                 BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE), m_icon(nullptr), m_rowBkg(nullptr) {
    m_stateCount = kLooks;
}

Gdiplus::ARGB LightModeButton::TitleColour(int look) {
    return (look == LOOK_NORMAL || look == LOOK_DISABLED || look == LOOK_CHECKED + LOOK_DISABLED) ? kPlainTitle
                                                                                                  : kLitTitle;
}

bool LightModeButton::ShowsRowBackground(int look) { return look == 1 || look == 2 || (look >= 4 && look <= 6); }

BOOL LightModeButton::AttachCached(ImgResInfo*& slot, const wchar_t* file, int count) {
    slot = (m_manager && file && count > 0) ? m_manager->AddImgResInfo(file, count) : nullptr;
    if (slot && !slot->image) slot = nullptr;
    if (m_visible) UpdateControl(TRUE);
    return slot != nullptr;
}

BOOL LightModeButton::SetIconImage(const wchar_t* file, int count) { return AttachCached(m_icon, file, count); }
BOOL LightModeButton::SetRowBkgImage(const wchar_t* file, int count) { return AttachCached(m_rowBkg, file, count); }

void LightModeButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, kLooks, m_state.look,
                   [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void LightModeButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    const int width = frame.Width(), height = frame.Height();
    if (m_rowBkg && ShowsRowBackground(index))
        DrawImageState(g, m_rowBkg->image, m_rowBkg->width, m_rowBkg->height, 0,
                       CRect(frame.left, 0, frame.left + m_rowBkg->width, m_rowBkg->height));
    int bulletTop = (height - m_stateHeight) / 2;
    DrawImageState(g, m_image, m_stateWidth, m_stateHeight, index,
                   CRect(frame.left, bulletTop, frame.left + m_stateWidth, bulletTop + m_stateHeight));
    if (m_icon) {
        // The shipped effect icons come with one or two states; the first one is the icon, so
        // every icon shows it rather than only single-state ones.
        int x = frame.left + m_stateWidth + kIconGap, y = (height - m_icon->height) / 2;
        DrawImageState(g, m_icon->image, m_icon->width, m_icon->height, 0,
                       CRect(x, y, x + m_icon->width, y + m_icon->height));
    }
    if (m_title.IsEmpty()) return;
    Gdiplus::Size text = MeasureButtonText(*this, m_title);
    int h = m_hAlign == 1 ? (width - text.Width) / 2 : m_hAlign == 2 ? width - text.Width : 0;
    int v = m_vAlign == 4 ? (height - text.Height) / 2 : m_vAlign == 8 ? height - text.Height : 0;
    int left = frame.left + h + m_stateWidth + kTitleGap;
    CRect box(left, v + 2, left + width - h - m_stateWidth - kTitleGap, v + 2 + text.Height);
    ButtonTextStyle style;
    style.h = Gdiplus::StringAlignmentNear;
    style.v = Gdiplus::StringAlignmentNear;
    DrawButtonText(*this, g, m_title, box, TitleColour(index), style);
}

void LightModeButton::SetControlEnabled(BOOL enabled) {
    CheckButton::SetEnabled(*this, m_state, CHECK_LOOKS_EIGHT, enabled);
}

BOOL LightModeButton::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_state.pressed) return FALSE;
    bool inside = GetRect().PtInRect(point) != FALSE;
    BOOL changed = CheckButton::OnMouseMove(*this, m_state, CHECK_LOOKS_EIGHT, point);
    // Every row sees every move: a row the pointer is not on gives back the arrow only as the
    // pointer leaves it, so it never takes the hand from the row under the pointer.
    if (inside || changed) SetHandCursor(inside);
    return changed;
}

BOOL LightModeButton::OnControlLButtonDown(UINT, CPoint point) {
    return CheckButton::OnLButtonDown(*this, m_state, CHECK_LOOKS_EIGHT, point);
}

BOOL LightModeButton::OnControlLButtonUp(UINT, CPoint point) {
    return GroupButton::OnLButtonUp(*this, m_state, CHECK_LOOKS_EIGHT, point, [this] { ResetGroupCheck(); });
}

BOOL LightModeButton::OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (!CheckButton::IsCheckKey(m_state, vk, modifier, MControl::OnControlKeyDown(vk, repeat, modifier)))
        return FALSE;
    // A disabled button still reports its (unchanged) check for the key.
    if (m_enabled) {
        GroupButton::OnCheckKey(*this, m_state, CHECK_LOOKS_EIGHT, [this] { ResetGroupCheck(); });
    } else {
        SendMessageW(NOTIFY_CHECK, 0, m_state.check);
    }
    return TRUE;
}

BOOL LightModeButton::SetControlFocus(BOOL focus) {
    MControl::SetControlFocus(focus);
    return CheckButton::SetFocusMark(*this, m_state, focus);
}

int LightModeButton::SetCheck(int check) {
    return GroupButton::SetCheck(*this, m_state, CHECK_LOOKS_EIGHT, check, [this] { ResetGroupCheck(); });
}

void LightModeButton::SetControlCheck(int check) {
    GroupButton::SetControlCheck(*this, m_state, CHECK_LOOKS_EIGHT, check);
}

int LightModeButton::ResetGroupCheck() {
    return ForEachGroupSibling(*this, GROUP_ALL,
                               [](LightModeButton& other) { GroupButton::Uncheck(other, other.m_state); });
}

}  // namespace QxUI
