#include "toolkit/controls/qxkb_menu_wnd.h"

#include "toolkit/controls/menu_item.h"
#include "toolkit/core/m_control.h"

namespace QxUI {

QxKBMenuWnd::QxKBMenuWnd(MObject* parent) : MMenuWindow(parent, MenuMetrics{36, 10, true, 12, 12}, 0xFF646464) {}

void QxKBMenuWnd::ApplyPopup(MenuItem* row, int popup) { row->SetPopup(popup); }

void QxKBMenuWnd::ResetMenuPoint(CPoint point) {
    SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void QxKBMenuWnd::ClearMenuControls() { m_paintManager.ClearControls(); }

void QxKBMenuWnd::DrawWindow() {
    CRect client;
    if (GetClientRect(&client)) InvalidateRect(client, TRUE);
}

void QxKBMenuWnd::UpdateWindow() {
    if (!IsLive()) return;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

CPoint QxKBMenuWnd::GetItemScreenPoint(UINT id) {
    MControl* row = m_paintManager.GetControl(id);
    POINT p = {0, 0};
    if (row && IsLive()) {
        CRect r = row->GetRect();
        p.x = r.right;
        p.y = r.top;
        ClientToScreen(&p);
    } else {
        ::GetCursorPos(&p);
    }
    return CPoint(p.x, p.y);
}

}  // namespace QxUI
