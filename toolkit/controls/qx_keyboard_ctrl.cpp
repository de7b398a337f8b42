#include "toolkit/controls/qx_keyboard_ctrl.h"

#include "toolkit/controls/keyboard_frame_rules.h"
#include "toolkit/core/c_keyboard_tips.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"QxKeyboardCtrl", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new QxKeyboardCtrl(p, id, r, a);
});

namespace {
constexpr Gdiplus::ARGB kPlainHighlight = 0x640A0A0A;  // highlight without a key image
constexpr Gdiplus::ARGB kOutline = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kFrameColour = 0xFE4CFF29;
constexpr int kKeyImageBorder = 10;
}  // namespace

QxKeyboardCtrl::QxKeyboardCtrl(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MPanel(parent, id, rect, visible),
      m_addedCount(0),
      m_hover(-1),
      m_selected(-1),
      m_currentKeyValue(0),
      m_keyboardImage(nullptr),
      m_keyBkImage(nullptr),
      m_keyBkWidth(0),
      m_keyBkHeight(0),
      m_keyOffset{50, 40},
      m_frameSelect(1),
      m_tipsEnabled(true),
      m_dragging(FALSE),
      m_frameStart{0, 0},
      m_frameCurrent{0, 0},
      m_tips(nullptr) {}

QxKeyboardCtrl::~QxKeyboardCtrl() {
    if (m_tips) {
        if (::IsWindow(m_tips->GetSafeHwnd())) m_tips->DestroyWindow();
        delete m_tips;
    }
    ClearItem();
    delete m_keyboardImage;
    delete m_keyBkImage;
}

void QxKeyboardCtrl::InitControl(PaintManager* manager) {
    MPanel::InitControl(manager);
    SetControlRect(GetRect());
}

void QxKeyboardCtrl::SetControlRect(CRect rect) {
    // The view has no laid-out children: its keys are records, not controls.
    m_rect = rect;
    Repaint();
}

LRESULT QxKeyboardCtrl::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    return m_parent ? m_parent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

BOOL QxKeyboardCtrl::OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) {
    return MControl::OnControlKeyDown(vk, repeat, modifier);
}

// --- images and keys ------------------------------------------------------------------------

Gdiplus::Image* QxKeyboardCtrl::LoadSkinImage(const CString& file) {
    if (file.IsEmpty()) return nullptr;
    return MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
}

void QxKeyboardCtrl::SetKeyboardImage(CString file) {
    delete m_keyboardImage;
    m_keyboardImage = LoadSkinImage(file);
}

void QxKeyboardCtrl::SetKeyBkgImage(CString file) {
    delete m_keyBkImage;
    m_keyBkImage = LoadSkinImage(file);
    m_keyBkWidth = m_keyBkImage ? static_cast<int>(m_keyBkImage->GetWidth()) : 0;
    m_keyBkHeight = m_keyBkImage ? static_cast<int>(m_keyBkImage->GetHeight()) : 0;
}

void QxKeyboardCtrl::SetKeyPosition(int x, int y) { m_keyOffset = POINT{x, y}; }

int QxKeyboardCtrl::AddKeyItem(const wchar_t* name, const wchar_t* desc, DWORD keyValue, CRect rect) {
    auto* key = new KEY_INFO;
    key->key_value = keyValue;
    key->name = CString(name ? name : L"");
    key->desc = CString(desc ? desc : L"");
    rect.OffsetRect(m_keyOffset.x, m_keyOffset.y);
    key->rect = rect;
    CriticalSectionLock lock(m_keyLock);
    key->index = static_cast<int>(m_keys.size());
    m_keys.push_back(key);
    ++m_addedCount;
    return key->index;
}

int QxKeyboardCtrl::AddKeyItem(const wchar_t* name, DWORD keyValue, CRect rect) {
    auto* key = new KEY_INFO;
    key->key_value = keyValue;
    key->name = CString(name ? name : L"");
    key->rect = rect;
    key->color = 0xE1FF;
    CriticalSectionLock lock(m_keyLock);
    key->index = m_addedCount++;
    m_keys.push_back(key);
    return key->index;
}

void QxKeyboardCtrl::ClearItem() {
    CriticalSectionLock lock(m_keyLock);
    for (KEY_INFO* key : m_keys) delete key;
    m_keys.clear();
}

std::vector<KEY_INFO*> QxKeyboardCtrl::GetKeyItems() {
    CriticalSectionLock lock(m_keyLock);
    return m_keys;
}

KEY_INFO* QxKeyboardCtrl::FindKey(DWORD keyValue) {
    for (KEY_INFO* key : m_keys)
        if (key->key_value == keyValue) return key;
    return nullptr;
}

KEY_INFO* QxKeyboardCtrl::KeyAt(int index) {
    if (index < 0 || index >= static_cast<int>(m_keys.size())) return nullptr;
    return m_keys[static_cast<size_t>(index)];
}

void QxKeyboardCtrl::SetKeyCheck(DWORD keyValue, int checked) {
    CriticalSectionLock lock(m_keyLock);
    if (KEY_INFO* key = FindKey(keyValue)) key->checked = checked;
}

void QxKeyboardCtrl::SetKeyDesc(DWORD keyValue, CString desc) {
    CriticalSectionLock lock(m_keyLock);
    if (KEY_INFO* key = FindKey(keyValue)) key->desc = desc.IsEmpty() ? key->name : desc;
}

void QxKeyboardCtrl::SetTipKey(DWORD keyValue, CString tipNote, CString tipText) {
    CriticalSectionLock lock(m_keyLock);
    if (KEY_INFO* key = FindKey(keyValue)) {
        key->tip_note = tipNote;
        key->tip_text = tipText;
    }
}

void QxKeyboardCtrl::ResetTipKey() {
    CriticalSectionLock lock(m_keyLock);
    for (KEY_INFO* key : m_keys) {
        key->tip_note = CString();
        key->tip_text = CString();
        key->desc = key->name;
    }
}

int QxKeyboardCtrl::GetCheckItemCount() {
    CriticalSectionLock lock(m_keyLock);
    int count = 0;
    for (KEY_INFO* key : m_keys)
        if (key->checked) ++count;
    return count;
}

void QxKeyboardCtrl::SetAllSelectColor(DWORD color) {
    {
        CriticalSectionLock lock(m_keyLock);
        for (KEY_INFO* key : m_keys)
            if (key->checked) key->color = color;
        if (KEY_INFO* key = KeyAt(m_selected)) key->color = color;
    }
    Repaint();
}

void QxKeyboardCtrl::ClearAllKeyColor() {
    {
        CriticalSectionLock lock(m_keyLock);
        for (KEY_INFO* key : m_keys) key->color = 0;
    }
    Repaint();
}

void QxKeyboardCtrl::ResetAllItemCheck(int checked) {
    {
        CriticalSectionLock lock(m_keyLock);
        for (KEY_INFO* key : m_keys) key->checked = checked;
        m_selected = -1;
    }
    Repaint();
}

void QxKeyboardCtrl::SetItemCheck(int* indexes, int count, int checked) {
    if (!indexes) return;
    CriticalSectionLock lock(m_keyLock);
    for (int i = 0; i < count; ++i)
        if (KEY_INFO* key = KeyAt(indexes[i])) key->checked = checked;
}

CRect QxKeyboardCtrl::KeyRectOnWindow(const KEY_INFO& key) const {
    CRect r(key.rect);
    r.OffsetRect(m_rect.left, m_rect.top);
    return r;
}

int QxKeyboardCtrl::KeyIndexAt(CPoint point) {
    CriticalSectionLock lock(m_keyLock);
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (KeyRectOnWindow(*m_keys[i]).PtInRect(point)) return static_cast<int>(i);
    return -1;
}

DWORD QxKeyboardCtrl::KeyValueAt(int index) {
    CriticalSectionLock lock(m_keyLock);
    KEY_INFO* key = KeyAt(index);
    return key ? key->key_value : 0;
}

void QxKeyboardCtrl::CalFrameSelect() {
    CRect frame = SelectingFrame(m_frameStart, m_frameCurrent);
    CriticalSectionLock lock(m_keyLock);
    // Every key is rewritten: a drag replaces the selection it started from.
    for (KEY_INFO* key : m_keys) key->checked = FrameSelectsKey(frame, KeyRectOnWindow(*key)) ? 1 : 0;
}

void QxKeyboardCtrl::ClearFrameDrag() {
    m_dragging = FALSE;
    m_frameStart = POINT{0, 0};
    m_frameCurrent = POINT{0, 0};
}

void QxKeyboardCtrl::SetDownPoint(CPoint) { ClearFrameDrag(); }

void QxKeyboardCtrl::Repaint() {
    if (m_visible) UpdateControl(TRUE);
}

void QxKeyboardCtrl::Notify(UINT code, int index, DWORD keyValue) {
    if (m_parent) m_parent->OnBaseMessage(m_id, code, static_cast<UINT>(index), static_cast<LPARAM>(keyValue));
}

// --- tips -------------------------------------------------------------------------------------

void QxKeyboardCtrl::SetTips(KEY_INFO* key, CRect rect, bool show) {
    if (!m_tipsEnabled) return;
    if (!m_tips) {
        HWND owner = m_manager ? m_manager->GetPaintWnd() : nullptr;
        m_tips = new CKeyboardTips;
        m_tips->Create(owner, L"KeyboardTip Window", 0x96000080, 0, CRect());
        m_tips->LoadBKImage(CString(L"img_tip_bk.png"));
    }
    if (!::IsWindow(m_tips->GetSafeHwnd())) return;
    if (!show || !key) {
        ::ShowWindow(m_tips->GetSafeHwnd(), SW_HIDE);
        return;
    }
    POINT anchor{rect.left + (rect.right - rect.left) / 2, rect.top};
    if (m_manager) ::ClientToScreen(m_manager->GetPaintWnd(), &anchor);
    CString desc, note, text;
    {
        CriticalSectionLock lock(m_keyLock);
        desc = key->desc.IsEmpty() ? key->name : key->desc;
        note = key->tip_note;
        text = key->tip_text;
    }
    if (!note.IsEmpty() || !text.IsEmpty())
        m_tips->SetAirBladderMsg(desc, note, text, anchor);
    else
        m_tips->SetAirBladderMsg(desc, L"Keyboard", desc, anchor);
    // Shown without activation: an activated tip would take the focus from the window the
    // pointer is moving over, which then reports the pointer gone and hides the tip again.
    ::ShowWindow(m_tips->GetSafeHwnd(), SW_SHOWNOACTIVATE);
}

// --- drawing ----------------------------------------------------------------------------------

void QxKeyboardCtrl::DrawKeys(Gdiplus::Graphics& g) {
    Gdiplus::Pen outline{Gdiplus::Color(kOutline), 1.0f};
    Gdiplus::SolidBrush plain{Gdiplus::Color(kPlainHighlight)};
    CriticalSectionLock lock(m_keyLock);
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const KEY_INFO& key = *m_keys[i];
        CRect r(key.rect);
        if (r.IsRectEmpty()) continue;
        if (static_cast<int>(i) == m_hover || key.checked) {
            if (m_keyBkImage)
                MRender::DrawImageFrame(g, m_keyBkImage, r, 0, 0, m_keyBkWidth, m_keyBkHeight, kKeyImageBorder);
            else
                g.FillRectangle(&plain, r.left, r.top, r.Width(), r.Height());
        }
        // The outline runs on the key's own border pixels.
        if (static_cast<int>(i) == m_selected || !key.tip_text.IsEmpty())
            g.DrawRectangle(&outline, r.left, r.top, r.Width() - 1, r.Height() - 1);
    }
}

void QxKeyboardCtrl::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return;
    if (!GetUpdate()) {
        UpdateMemDC(hdc, w, h);
        HDC mem = GetMemDC();
        if (!mem) return;
        ::BitBlt(mem, 0, 0, w, h, hdc, r.left, r.top, SRCCOPY);
        Gdiplus::Graphics g(mem);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        if (m_keyboardImage)
            g.DrawImage(m_keyboardImage, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
        DrawKeys(g);
    }
    if (GetMemDC()) ::BitBlt(hdc, r.left, r.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
    if (m_dragging) {
        // The frame is drawn over the copy, never into the cache.
        CRect frame = FrameFromCorners(m_frameStart, m_frameCurrent);
        Gdiplus::Graphics g(hdc);
        Gdiplus::Pen pen{Gdiplus::Color(kFrameColour), 1.0f};
        pen.SetDashStyle(Gdiplus::DashStyleDot);
        g.DrawRectangle(&pen, frame.left, frame.top, frame.Width(), frame.Height());
    }
}

// --- pointer ----------------------------------------------------------------------------------

BOOL QxKeyboardCtrl::OnControlMouseMove(UINT flags, CPoint point) {
    if (!m_enabled) return 0;
    const BOOL inside = CRect(m_rect).PtInRect(point);
    if (m_frameSelect && (flags & (MK_LBUTTON | MK_RBUTTON))) {
        // A press was recorded when the current corner is set; the frame follows in steps.
        if (inside && m_frameCurrent.x > 1 && m_frameCurrent.y > 1 && FrameFollows(m_frameCurrent, point)) {
            m_frameCurrent = point;
            m_dragging = TRUE;
            CalFrameSelect();
            Repaint();
        }
        return 1;
    }
    const int before = m_hover;
    if (!inside) {
        m_hover = -1;
        SetTips(nullptr, CRect(), false);
    } else {
        KEY_INFO* hovered = nullptr;
        CRect hoveredRect;
        {
            CriticalSectionLock lock(m_keyLock);
            if (KEY_INFO* key = KeyAt(m_hover)) {
                hoveredRect = KeyRectOnWindow(*key);
                if (hoveredRect.PtInRect(point)) hovered = key;
            }
        }
        if (hovered) {
            // The tip shows on the moves after the one that entered the key.
            if (!hovered->tip_text.IsEmpty()) SetTips(hovered, hoveredRect, true);
            return 1;
        }
        // Hidden on every move off the hovered key, so a tip whose hide was missed (a leave
        // that came while the tip was being shown) never outlives the pointer.
        m_hover = -1;
        SetTips(nullptr, CRect(), false);
        m_hover = KeyIndexAt(point);
    }
    if (m_hover == before) return 0;
    Repaint();
    return 1;
}

BOOL QxKeyboardCtrl::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (m_dragging) {
        m_dragging = FALSE;
        Repaint();
    }
    if (m_frameSelect && ::GetAsyncKeyState(VK_CONTROL) == 0) ResetAllItemCheck(0);
    const int before = m_selected;
    const BOOL inside = CRect(m_rect).PtInRect(point);
    if (inside) {
        m_frameStart = m_frameCurrent = point;
        m_selected = KeyAt(m_hover) ? m_hover : -1;
        DWORD value = KeyValueAt(m_selected);
        if (m_selected >= 0) m_currentKeyValue = value;
        Notify(NOTIFY_PRESS, m_selected, value);
    } else {
        ClearFrameDrag();
    }
    if (m_selected != before) Repaint();
    return inside;
}

BOOL QxKeyboardCtrl::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (m_dragging) {
        ClearFrameDrag();
        Repaint();
    }
    const int before = m_selected;
    const BOOL inside = CRect(m_rect).PtInRect(point);
    if (inside) {
        m_selected = KeyAt(m_hover) ? m_hover : -1;
        m_currentKeyValue = KeyValueAt(m_selected);
        Notify(NOTIFY_CLICK, m_selected, m_currentKeyValue);
    }
    if (m_selected != before) Repaint();
    return inside;
}

BOOL QxKeyboardCtrl::OnControlRButtonDown(UINT, CPoint point) {
    if (!m_enabled || !m_frameSelect) return 0;
    if (CRect(m_rect).PtInRect(point)) {
        // Both corners start at the press, so a right drag grows from where it began.
        m_frameStart = m_frameCurrent = point;
        return 1;
    }
    ClearFrameDrag();
    return 0;
}

BOOL QxKeyboardCtrl::OnControlRButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (m_dragging) {
        ClearFrameDrag();
        Notify(NOTIFY_FRAME_RBUTTON, 0, 0);
        Repaint();
        return 1;
    }
    const BOOL inside = CRect(m_rect).PtInRect(point);
    if (!inside) return 0;
    const int before = m_selected;
    m_selected = KeyAt(m_hover) ? m_hover : -1;
    m_currentKeyValue = KeyValueAt(m_selected);
    Notify(NOTIFY_RCLICK, m_selected, m_currentKeyValue);
    if (m_selected != before) Repaint();
    return 1;
}

}  // namespace QxUI
