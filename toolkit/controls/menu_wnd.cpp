#include "toolkit/controls/menu_wnd.h"

namespace QxUI {

MenuWnd::MenuWnd(MObject* parent) : MMenuWindow(parent, MenuMetrics{40, 2, false, 0, 0}, 0xFFFFFFFF) {}

BOOL MenuWnd::OnNcActivate(BOOL active) {
    if (!active) PostMessageW(WM_CLOSE);
    return 0;
}

BOOL MenuWnd::PostNcDestroy() {
    delete this;
    return 0;
}

void MenuWnd::SetTextColor(Gdiplus::Color hoverText, Gdiplus::Color text) {
    m_hoverTextColor = hoverText.GetValue();
    m_textColor = text.GetValue();
}

}  // namespace QxUI
