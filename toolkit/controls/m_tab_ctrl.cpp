#include "toolkit/controls/m_tab_ctrl.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MTabCtrl", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MTabCtrl(p, id, r, a, b);
});

MTabCtrl::MTabCtrl(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE) {}

void MTabCtrl::DrawControl(HDC&, CRect) {}

}  // namespace QxUI
