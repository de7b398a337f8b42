#include "toolkit/core/m_control.h"

#include <algorithm>

#include "toolkit/core/control_snapshot.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

MControl::MControl(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled, BOOL mouseResponse)
    : m_parent(parent),
      m_manager(nullptr),
      m_id(id),
      m_rect(rect),
      m_visible(visible),
      m_enabled(enabled),
      m_draggable(FALSE),
      m_mouseResponse(mouseResponse),
      m_tabStop(FALSE),
      m_dblClkMode(FALSE),
      m_pressedInside(FALSE),
      m_keyDown(FALSE),
      m_focused(FALSE),
      m_hotKey(0),
      m_hotKeyModifier(0),
      m_cacheValid(FALSE),
      m_animationFrame(FALSE),
      m_runTimer(FALSE),
      m_imageEffect(FALSE),
      m_captureChild(nullptr),
      m_memWidth(0),
      m_memHeight(0),
      m_memBitmap(nullptr),
      m_memDC(nullptr),
      m_memOldBitmap(nullptr),
      m_animWidth(0),
      m_animHeight(0),
      m_animBitmap(nullptr),
      m_animDC(nullptr),
      m_animOldBitmap(nullptr),
      m_cursor(nullptr),
      m_outsideTracking(FALSE),
      m_dblClkNotify(FALSE),
      m_keyNotify(FALSE),
      m_outside(TRUE),
      m_removed(FALSE) {}

namespace {
void FreeSurface(HDC& dc, HBITMAP& bitmap, HGDIOBJ& old) {
    if (dc) {
        if (old) ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    if (bitmap) ::DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    old = nullptr;
}
}  // namespace

MControl::~MControl() {
    RemoveAllControl();
    // The manager must not keep pointers to a deleted control, however it was deleted.
    if (m_manager) m_manager->Forget(this);
    FreeSurface(m_memDC, m_memBitmap, m_memOldBitmap);
    FreeSurface(m_animDC, m_animBitmap, m_animOldBitmap);
}

const wchar_t* MControl::GetClassNameW() const { return L"PnControl"; }

void MControl::InitControl(PaintManager*) {}
BOOL MControl::PtInRect(CPoint point) { return m_visible && CRect(m_rect).PtInRect(point); }

BOOL MControl::DrawSubControls(HDC& hdc, CRect paint) {
    CriticalSectionLock lock(m_controlLock);
    for (MControl* child : ControlSnapshot(m_controls))
        if (child->IsVisible()) child->Draw(hdc, paint);
    return TRUE;
}

BOOL MControl::IsDraw(CPoint) { return 0; }

void MControl::SetUpdate(BOOL valid, DWORD colour) {
    m_cacheValid = valid;
    CriticalSectionLock lock(m_controlLock);
    for (MControl* child : ControlSnapshot(m_controls))
        if (CRect(m_rect).Intersects(child->GetRect())) child->SetUpdate(valid, colour);
}

BOOL MControl::SetControlFocus(BOOL focus) {
    if (!focus) {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : ControlSnapshot(m_controls)) child->SetControlFocus(FALSE);
    }
    return 0;
}

void MControl::InitUI(CRect) {}
BOOL MControl::OnMousePointChange(CPoint&) { return 0; }
BOOL MControl::OnCheckMouseResponse(UINT, CPoint) { return TRUE; }
LRESULT MControl::OnWindowMessage(UINT, WPARAM, LPARAM) { return 0; }
LRESULT MControl::OnMessage(UINT, UINT, UINT, LPARAM) { return 0; }
void MControl::SetControlRect(CRect rect) { m_rect = rect; }
void MControl::SetControlVisible(BOOL visible) { m_visible = visible; }
void MControl::SetControlWndVisible(BOOL) {}
void MControl::SetControlEnabled(BOOL enabled) { m_enabled = enabled; }
BOOL MControl::OnControlTimer() { return 0; }
HBITMAP MControl::GetControlDropBitmap() { return nullptr; }
BOOL MControl::OnControlMouseMove(UINT, CPoint) { return 0; }

BOOL MControl::OnControlSetCursor(UINT, CPoint point) {
    if (m_cursor && CRect(m_rect).PtInRect(point)) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return FALSE;
}

BOOL MControl::OnControlLButtonDown(UINT, CPoint) { return 0; }
BOOL MControl::OnControlLButtonUp(UINT, CPoint) { return 0; }
BOOL MControl::OnControlLButtonDblClk(UINT, CPoint) { return 0; }
BOOL MControl::OnControlScroll(int, UINT, CPoint) { return 0; }
BOOL MControl::OnControlRButtonDown(UINT, CPoint) { return 0; }
BOOL MControl::OnControlRButtonUp(UINT, CPoint) { return 0; }
BOOL MControl::OnControlRButtonDblClk(UINT, CPoint) { return 0; }

BOOL MControl::OnControlKeyDown(UINT vk, UINT, UINT modifier) {
    return (m_hotKey != 0 && vk == m_hotKey && modifier == m_hotKeyModifier) ? TRUE : FALSE;
}

void MControl::OnPositionChange() {}

void MControl::InvalidateRect(const RECT*, BOOL erase) {
    if (!m_manager) return;
    m_manager->InvalidateRect(CRect(m_rect), erase);
}

// --- geometry and state ---------------------------------------------------------------------

void MControl::RequestUpdate(CRect rect, BOOL invalidateCache) {
    if (m_parent) m_parent->OnControlUpdate(rect, invalidateCache, this);
}

void MControl::SetRect(CRect rect) {
    CRect old(m_rect);
    SetControlRect(rect);
    if (m_visible) {
        CRect both;
        both.UnionRect(old, rect);
        RequestUpdate(both, TRUE);
    }
}

void MControl::SetRect(int x, int y, int cx, int cy) { SetRect(CRect(x, y, x + cx, y + cy)); }

void MControl::SetVisible(BOOL visible) { SetVisible(visible, TRUE); }

void MControl::SetVisible(BOOL visible, BOOL repaint) {
    if ((visible != FALSE) == (m_visible != FALSE)) return;
    SetControlVisible(visible);
    if (repaint) RequestUpdate(CRect(m_rect), TRUE);
}

void MControl::SetEnabled(BOOL enabled) {
    if ((enabled != FALSE) == (m_enabled != FALSE)) return;
    SetControlEnabled(enabled);
    if (m_visible) RequestUpdate(CRect(m_rect), TRUE);
}

BOOL MControl::IsParentVisible() {
    MObject* parent = m_parent;
    if (!parent) return FALSE;
    if (parent->IsClass(L"MDialog")) return TRUE;
    // Window objects other than dialogs (popups) carry no class name and end the walk: the
    // control then counts as shown by its window.
    const wchar_t* name = parent->GetClassNameW();
    if (!name) return TRUE;
    auto* control = dynamic_cast<MControl*>(parent);
    if (!control) return TRUE;
    return control->IsVisible() && control->IsParentVisible();
}

void MControl::SetTooltip(const wchar_t* text) { m_tooltip = CString(text); }

void MControl::SetTooltip(CString text, CRect rect) {
    if (!m_manager) return;
    m_manager->SetTooltip(text, rect);
    m_manager->SetTooltipCtrlID(static_cast<int>(m_id));
}

void MControl::ClearTooltip() {
    if (!m_manager) return;
    m_manager->ClearTooltip();
    m_manager->SetTooltipCtrlID(0);
}

int MControl::SetCursorEx(const wchar_t* name) {
    if (!name) return 0;
    struct Entry {
        const wchar_t* name;
        LPCWSTR id;
    };
    static const Entry table[] = {{L"arrow", IDC_ARROW}, {L"wait", IDC_WAIT},     {L"cross", IDC_CROSS},
                                  {L"sizewe", IDC_SIZEWE}, {L"sizens", IDC_SIZENS}, {L"hand", IDC_HAND},
                                  {L"help", IDC_HELP}};
    for (const Entry& e : table)
        if (wcscmp(e.name, name) == 0) m_cursor = ::LoadCursorW(nullptr, e.id);
    return 0;
}

void MControl::UpdateControl(BOOL invalidateCache, BOOL force) {
    if (m_visible || force) RequestUpdate(CRect(m_rect), invalidateCache);
}

void MControl::UpdateControl(CRect rect, BOOL invalidateCache, BOOL force) {
    if (m_visible || force) RequestUpdate(rect, invalidateCache);
}

void MControl::UpdateAControl(BOOL flag, BOOL force) {
    if (!(m_visible || force)) return;
    m_animationFrame = !flag;
    RequestUpdate(CRect(m_rect), FALSE);
}

namespace {
void RemakeSurface(HDC& hdc, HDC& dc, HBITMAP& bitmap, HGDIOBJ& old, int cx, int cy) {
    FreeSurface(dc, bitmap, old);
    dc = ::CreateCompatibleDC(hdc);
    BYTE* bits = nullptr;
    // 32-bit surfaces keep per-pixel alpha for layered windows.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap = ::CreateDIBSection(hdc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    if (dc && bitmap) old = ::SelectObject(dc, bitmap);
}
}  // namespace

void MControl::UpdateMemDC(HDC& hdc, int cx, int cy) {
    m_cacheValid = TRUE;
    if (cx == m_memWidth && cy == m_memHeight && m_memDC) return;
    m_memWidth = cx;
    m_memHeight = cy;
    RemakeSurface(hdc, m_memDC, m_memBitmap, m_memOldBitmap, cx, cy);
}

void MControl::UpdateAnimateDC(HDC& hdc, int cx, int cy) {
    m_animationFrame = TRUE;
    m_animWidth = cx;
    m_animHeight = cy;
    RemakeSurface(hdc, m_animDC, m_animBitmap, m_animOldBitmap, cx, cy);
}

void MControl::Draw(HDC& hdc, CRect paint) {
    if (!m_visible || !CRect(m_rect).Intersects(paint)) return;
    {
        CriticalSectionLock lock(m_areaLock);
        for (MControl* area : ControlSnapshot(m_areas))
            if (CRect(m_rect).Intersects(area->GetRect())) area->Draw(hdc, paint);
    }
    DrawControl(hdc, paint);
    DrawSubControls(hdc, paint);
}

// --- children -------------------------------------------------------------------------------

MControl* MControl::GetControl(UINT id) {
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : m_controls) {
            if (child->GetControlID() == id) return child;
            if (MControl* found = child->GetControl(id)) return found;
        }
    }
    CriticalSectionLock lock(m_areaLock);
    for (MControl* area : m_areas) {
        if (area->GetControlID() == id) return area;
        if (MControl* found = area->GetControl(id)) return found;
    }
    return nullptr;
}

int MControl::RemoveControl(MControl* child) {
    if (!child) return 0;
    {
        CriticalSectionLock lock(m_controlLock);
        auto it = std::find(m_controls.begin(), m_controls.end(), child);
        if (it == m_controls.end()) return 0;
        m_controls.erase(it);
        if (m_captureChild == child) m_captureChild = nullptr;
    }
    if (m_manager && m_manager->GetFocusControl() == child) m_manager->SetFocusControl(nullptr);
    DeleteChild(child);
    return 0;
}

void MControl::RemoveAllControl() {
    std::vector<MControl*> areas, controls;
    {
        CriticalSectionLock lock(m_areaLock);
        areas.swap(m_areas);
    }
    {
        CriticalSectionLock lock(m_controlLock);
        controls.swap(m_controls);
    }
    m_captureChild = nullptr;
    for (MControl* c : areas) DeleteChild(c);
    for (MControl* c : controls) {
        if (m_manager && m_manager->GetFocusControl() == c) m_manager->SetFocusControl(nullptr);
        DeleteChild(c);
    }
}

void MControl::MarkRemoved() {
    m_removed = TRUE;
    for (MControl* c : m_areas) c->MarkRemoved();
    for (MControl* c : m_controls) c->MarkRemoved();
}

void MControl::DeleteChild(MControl* child) {
    // The manager forgets it at once and defers the delete while one of its handlers may run.
    if (m_manager)
        m_manager->DisposeControl(child);
    else
        delete child;
}

void MControl::AddChildControl(MControl* child, UINT list) {
    if (!child) return;
    if (list == 0) {
        CriticalSectionLock lock(m_areaLock);
        m_areas.push_back(child);
    } else {
        CriticalSectionLock lock(m_controlLock);
        m_controls.push_back(child);
    }
}

void MControl::AddMTimer() {
    if (m_manager) m_manager->AddMTimer(this);
}

void MControl::SetManager(PaintManager* manager) {
    m_manager = manager;
    InitControl(manager);
}

// --- input ----------------------------------------------------------------------------------

CPoint MControl::ChildPoint(MControl* child, const CPoint& original, const CPoint& changed) {
    UINT id = child->GetControlID();
    return (id == 1 || id == 2) ? original : changed;
}

void MControl::SetFocusToSelf() {
    if (m_manager) m_manager->TakeFocus(this);
}

BOOL MControl::OnMouseMove(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    MControl* hadCapture = m_captureChild;
    if (m_captureChild) {
        CPoint cp = ChildPoint(m_captureChild, original, point);
        if ((m_captureChild->PtInRect(cp) && m_captureChild->OnCheckMouseResponse(flags, cp)) || m_pressedInside)
            return m_captureChild->OnMouseMove(flags, cp) ? TRUE : FALSE;
        m_captureChild = nullptr;
    }
    if (!m_tooltip.IsEmpty() && PtInRect(point) && OnCheckMouseResponse(flags, point) && m_manager &&
        m_manager->GetTooltipCtrlID() != static_cast<int>(m_id)) {
        m_manager->SetTooltip(m_tooltip);
        m_manager->SetTooltipCtrlID(static_cast<int>(m_id));
    }
    OnControlSetCursor(flags, point);
    BOOL result = OnControlMouseMove(flags, point);
    if (m_outsideTracking) m_outside = CRect(m_rect).PtInRect(point) ? 0 : 1;
    if (m_pressedInside) return result;
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : ControlSnapshot(m_controls)) {
            CPoint cp = ChildPoint(child, original, point);
            if (child->OnMouseMove(flags, cp) && child->PtInRect(cp) && !child->IsRemoved()) {
                m_captureChild = child;
                result = TRUE;
            }
        }
    }
    return (m_captureChild || hadCapture) ? TRUE : result;
}

BOOL MControl::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    m_pressedInside = CRect(m_rect).PtInRect(point);
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : m_controls) {
            CPoint cp = ChildPoint(child, original, point);
            if (child->PtInRect(cp) && child->IsVisible() && child->IsEnabled() && child->GetRresponse())
                m_captureChild = child;
        }
    }
    if (m_captureChild) return m_captureChild->OnLButtonDown(flags, ChildPoint(m_captureChild, original, point));
    SetFocusToSelf();
    return OnControlLButtonDown(flags, point);
}

BOOL MControl::OnRButtonDown(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    m_pressedInside = CRect(m_rect).PtInRect(point);
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : m_controls) {
            CPoint cp = ChildPoint(child, original, point);
            if (child->PtInRect(cp) && child->IsVisible() && child->IsEnabled() && child->GetRresponse())
                m_captureChild = child;
        }
    }
    if (m_captureChild) return m_captureChild->OnRButtonDown(flags, ChildPoint(m_captureChild, original, point));
    SetFocusToSelf();
    return OnControlRButtonDown(flags, point);
}

BOOL MControl::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    m_pressedInside = FALSE;
    if (m_captureChild) return m_captureChild->OnLButtonUp(flags, ChildPoint(m_captureChild, original, point));
    return OnControlLButtonUp(flags, point);
}

BOOL MControl::OnRButtonUp(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    m_pressedInside = FALSE;
    if (m_captureChild) return m_captureChild->OnRButtonUp(flags, ChildPoint(m_captureChild, original, point));
    return OnControlRButtonUp(flags, point);
}

BOOL MControl::OnLButtonDblClk(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    m_pressedInside = FALSE;
    if (!m_captureChild) {
        if (!m_dblClkMode) return OnControlLButtonDown(flags, point);
        if (m_dblClkNotify && CRect(m_rect).PtInRect(point) && m_parent)
            m_parent->OnBaseMessage(m_id, NOTIFY_DBLCLK, flags, reinterpret_cast<LPARAM>(&point));
        return OnControlLButtonDblClk(flags, point);
    }
    CPoint cp = ChildPoint(m_captureChild, original, point);
    if (m_captureChild->OnLButtonDblClk(flags, cp)) return TRUE;
    if (!m_captureChild->GetDblClk()) return m_captureChild->OnLButtonDown(flags, cp);
    return FALSE;
}

BOOL MControl::OnRButtonDblClk(UINT flags, CPoint point) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    CPoint original = point;
    OnMousePointChange(point);
    m_pressedInside = FALSE;
    if (!m_captureChild) {
        if (!m_dblClkMode) return OnControlRButtonDown(flags, point);
        return OnControlRButtonDblClk(flags, point);
    }
    CPoint cp = ChildPoint(m_captureChild, original, point);
    if (m_captureChild->OnRButtonDblClk(flags, cp)) return TRUE;
    if (!m_captureChild->GetDblClk()) return m_captureChild->OnRButtonDown(flags, cp);
    return FALSE;
}

BOOL MControl::OnScroll(int steps, UINT direction, CPoint point) {
    if (!m_visible || !m_mouseResponse || !m_enabled) return FALSE;
    if (m_captureChild && m_captureChild->PtInRect(point) && m_captureChild->OnCheckMouseResponse(0, point))
        return m_captureChild->OnScroll(steps, direction, point);
    if (!CRect(m_rect).PtInRect(point)) return FALSE;
    if (OnControlScroll(steps, direction, point)) return TRUE;
    CriticalSectionLock lock(m_controlLock);
    for (MControl* child : ControlSnapshot(m_controls))
        if (child->PtInRect(point) && child->OnScroll(steps, direction, point)) return TRUE;
    return FALSE;
}

BOOL MControl::OnKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (!m_visible || !m_mouseResponse) return FALSE;
    // The key goes down to the focused child, if there is one.
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : ControlSnapshot(m_controls))
            if (child->IsFocused()) return child->OnKeyDown(vk, repeat, modifier);
    }
    auto notify = [&] {
        if (m_keyNotify && m_parent) m_parent->OnBaseMessage(m_id, NOTIFY_KEY, vk, static_cast<LPARAM>(modifier));
    };
    if (m_captureChild && m_captureChild->OnKeyDown(vk, repeat, modifier)) return TRUE;
    if (OnControlKeyDown(vk, repeat, modifier)) {
        notify();
        return TRUE;
    }
    {
        CriticalSectionLock lock(m_controlLock);
        for (MControl* child : ControlSnapshot(m_controls))
            if (child->OnKeyDown(vk, repeat, modifier)) {
                notify();
                return TRUE;
            }
    }
    notify();
    return FALSE;
}

BOOL MControl::OnKeyUp(UINT, UINT, UINT) { return 0; }

BOOL MControl::OnTimer() {
    BOOL result = OnControlTimer();
    CriticalSectionLock lock(m_controlLock);
    for (MControl* child : ControlSnapshot(m_controls))
        if (child->IsRunTimer() && child->IsVisible()) result |= child->OnTimer();
    return result;
}

BOOL MControl::IsFocusControl() { return m_manager && m_manager->GetFocusControl() == this; }

LRESULT MControl::SendMessageW(UINT code, WPARAM wParam, LPARAM lParam) {
    return m_parent ? m_parent->OnBaseMessage(m_id, code, static_cast<UINT>(wParam), lParam) : 0;
}

int MControl::PositionItem2Value(const PN_POSITION_ITEM& item, int from, int to) {
    switch (item.kind) {
    case 0: return item.fromEnd ? to - item.value : from + item.value;
    case 1: return from + (to - from) / 2 + (item.fromEnd ? -item.value : item.value);
    case 2: return std::min(to, from + (to - from) * item.value / 100);
    default: return 0;
    }
}

}  // namespace QxUI
