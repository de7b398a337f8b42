#include "toolkit/core/m_panel.h"

#include <algorithm>

#include "toolkit/controls/c_scroll_horizontal.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

MPanel::MPanel(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MControlFont(parent, id, rect, L"", visible, TRUE, TRUE),
      m_initialised(FALSE),
      m_virtualHeight(0),
      m_virtualWidth(0),
      m_vScroll(nullptr),
      m_hScroll(nullptr),
      m_barThickness(5),
      m_scrollEnabled(TRUE) {
    m_dblClkMode = TRUE;
    m_vScroll = new CScrollVertical(this, 1, CRect(-5, 0, 0, 0), TRUE);
    m_hScroll = new CScrollHorizontal(this, 2, CRect(0, -5, 0, 0), TRUE);
    m_vScroll->SetScrollMaxRange(0);
    m_hScroll->SetScrollMaxRange(0);
    AddChildControl(m_vScroll, 1);
    AddChildControl(m_hScroll, 1);
    MPanel::SetControlRect(rect);
}

LRESULT MPanel::OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    return OnMessage(id, code, wParam, lParam);
}

LRESULT MPanel::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    // A bar dragged or paged by the user moves the content.
    if (code == NOTIFY_VALUE && ((id == 1 && m_vScroll->IsChangeing()) || (id == 2 && m_hScroll->IsChangeing())))
        OnScrolled();
    return m_parent ? m_parent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

LRESULT MPanel::OnControlUpdate(CRect rect, int flag, MControl* control) {
    if (!control) return 0;
    if (flag) control->SetUpdate(FALSE, 0);
    if (m_initialised) {
        // Children drawn after `control` over the same place hold a stale picture of it.
        std::vector<MControl*> children;
        {
            CriticalSectionLock lock(m_controlLock);
            children = m_controls;
        }
        auto it = std::find(children.begin(), children.end(), control);
        if (it != children.end())
            for (++it; it != children.end(); ++it)
                if ((*it)->IsVisible() && (*it)->GetRect().Intersects(rect)) (*it)->SetUpdate(FALSE, 0);
    }
    InvalidateRect(nullptr, FALSE);
    return 0;
}

void MPanel::InitControl(PaintManager* manager) {
    m_initialised = TRUE;
    m_vScroll->SetManager(manager);
    m_hScroll->SetManager(manager);
}

void MPanel::DrawControl(HDC&, CRect) {}

BOOL MPanel::ContentFits() const {
    CRect r(m_rect);
    return r.Height() >= m_virtualHeight && r.Width() >= m_virtualWidth;
}

CPoint MPanel::GetScrollOffset() const {
    CPoint offset(0, 0);
    if (!m_scrollEnabled || ContentFits()) return offset;
    CRect r(m_rect);
    int vMax = m_vScroll->GetScrollMaxRange(), hMax = m_hScroll->GetScrollMaxRange();
    if (vMax > 0)
        offset.y = static_cast<int>(static_cast<long long>(std::max(0, m_virtualHeight - r.Height())) *
                                    m_vScroll->GetScrollCurrentPos() / vMax);
    if (hMax > 0)
        offset.x = static_cast<int>(static_cast<long long>(std::max(0, m_virtualWidth - r.Width())) *
                                    m_hScroll->GetScrollCurrentPos() / hMax);
    return offset;
}

BOOL MPanel::DrawSubControls(HDC& hdc, CRect paint) {
    if (!m_scrollEnabled || ContentFits()) return MControl::DrawSubControls(hdc, paint);
    // The content is drawn shifted by the scroll offset and cut to the panel; the bars on top.
    std::vector<MControl*> children;
    {
        CriticalSectionLock lock(m_controlLock);
        children = m_controls;
    }
    CRect visible;
    if (visible.IntersectRect(CRect(m_rect), paint)) {
        CPoint offset = GetScrollOffset();
        int saved = ::SaveDC(hdc);
        ::IntersectClipRect(hdc, visible.left, visible.top, visible.right, visible.bottom);
        ::OffsetViewportOrgEx(hdc, -offset.x, -offset.y, nullptr);
        CRect contentPaint = visible;
        contentPaint.OffsetRect(offset.x, offset.y);
        for (MControl* child : children)
            if (child != m_vScroll && child != m_hScroll && child->IsVisible()) child->Draw(hdc, contentPaint);
        ::RestoreDC(hdc, saved);
    }
    for (MControl* bar : {static_cast<MControl*>(m_vScroll), static_cast<MControl*>(m_hScroll)})
        if (bar->IsVisible()) bar->Draw(hdc, paint);
    return TRUE;
}

BOOL MPanel::OnMousePointChange(CPoint& point) {
    if (!m_scrollEnabled || ContentFits()) return FALSE;
    CPoint offset = GetScrollOffset();
    point.x += offset.x;
    point.y += offset.y;
    return TRUE;
}

BOOL MPanel::OnCheckMouseResponse(UINT, CPoint) { return TRUE; }

LRESULT MPanel::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    std::vector<MControl*> children;
    {
        CriticalSectionLock lock(m_controlLock);
        children = m_controls;
    }
    for (MControl* child : children)
        if (child->OnWindowMessage(msg, wParam, lParam)) return TRUE;
    return 0;
}

void MPanel::SetControlRect(CRect rect) {
    m_virtualHeight = 0;
    m_virtualWidth = 0;
    m_rect = rect;
    std::vector<MControl*> children;
    {
        CriticalSectionLock lock(m_controlLock);
        children = m_controls;
    }
    auto place = [](MControl* bar, CRect to) {
        CRect old = bar->GetRect();
        bar->SetControlRect(to);
        if (bar->IsVisible()) {
            CRect both;
            both.UnionRect(old, to);
            bar->UpdateControl(both, TRUE, FALSE);
        }
    };
    for (MControl* child : children) {
        if (child == m_vScroll) {
            place(child, CRect(rect.right - m_barThickness, rect.top, rect.right, rect.bottom));
        } else if (child == m_hScroll) {
            place(child, CRect(rect.left, rect.bottom - m_barThickness, rect.right, rect.bottom));
        } else {
            CRect r = child->GetRect();
            m_virtualHeight = std::max(m_virtualHeight, static_cast<int>(r.bottom - rect.top));
            m_virtualWidth = std::max(m_virtualWidth, static_cast<int>(r.right - rect.left));
        }
    }
    BOOL needVertical = rect.Height() < m_virtualHeight;
    if ((m_vScroll->IsVisible() != FALSE) != (needVertical != FALSE)) m_vScroll->SetVisible(needVertical);
    m_vScroll->SetScrollMaxRange(m_virtualHeight);
    BOOL needHorizontal = rect.Width() < m_virtualWidth;
    if ((m_hScroll->IsVisible() != FALSE) != (needHorizontal != FALSE)) m_hScroll->SetVisible(needHorizontal);
    m_hScroll->SetScrollMaxRange(m_virtualWidth);
}

void MPanel::SetControlVisible(BOOL visible) {
    m_visible = visible;
    SetControlWndVisible(visible);
}

void MPanel::SetControlWndVisible(BOOL) {}

void MPanel::SetControlEnabled(BOOL enabled) {
    m_enabled = enabled;
    std::vector<MControl*> children;
    {
        CriticalSectionLock lock(m_controlLock);
        children = m_controls;
    }
    for (MControl* child : children) {
        if ((child->IsEnabled() != FALSE) == (enabled != FALSE)) continue;
        child->SetControlEnabled(enabled);
        if (child->IsVisible()) child->UpdateControl(TRUE);
    }
}

BOOL MPanel::OnControlScroll(int, UINT direction, CPoint) {
    if (!m_scrollEnabled || m_virtualHeight < CRect(m_rect).Height()) return FALSE;
    int old = m_vScroll->GetScrollCurrentPos();
    int step = m_vScroll->GetScrollStep();
    int next = std::clamp(direction == 1 ? old + step : old - step, 0, std::max(0, m_vScroll->GetScrollMaxRange()));
    m_vScroll->SetScrollCurrentPos(next);
    if (m_vScroll->GetScrollCurrentPos() != old) OnScrolled();
    return TRUE;
}

void MPanel::OnScrolled() {
    std::vector<MControl*> children;
    {
        CriticalSectionLock lock(m_controlLock);
        children = m_controls;
    }
    for (MControl* child : children) child->SetUpdate(FALSE, 0);
    if (m_vScroll->IsVisible()) m_vScroll->UpdateControl(TRUE);
    if (m_visible) UpdateControl(TRUE);
}

void MPanel::InvalidateRect(const RECT* rect, BOOL erase) {
    // A panel inside a scrolled panel has content coordinates: its parent knows where it shows.
    if (auto* outer = dynamic_cast<MPanel*>(m_parent)) {
        outer->InvalidateRect(rect, erase);
        return;
    }
    MControl::InvalidateRect(rect, erase);
}

MControl* MPanel::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    return CreateControl(0, this, className, id, rect, title, a, b);
}

MControl* MPanel::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    return CreateControl(1, this, className, id, rect, title, a, b);
}

MControl* MPanel::CreateControl(UINT list, MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                const wchar_t* title, int a, int b) {
    MControl* control = ControlFactory::CreateInPanel(parent, className, id, rect, title, a, b);
    if (!control) return nullptr;
    if (m_manager) control->SetManager(m_manager);
    if (list == 0 || list == 1) AddChildControl(control, list);
    return control;
}

BOOL MPanel::OnControlKeyUp(UINT, UINT, UINT) { return 0; }

}  // namespace QxUI
