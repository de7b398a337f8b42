#include "toolkit/controls/m_level_ctrl.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MLevelCtrl", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MLevelCtrl(p, id, r, a, b);
});

MLevelCtrl::MLevelCtrl(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE) {}

void MLevelCtrl::DrawControl(HDC&, CRect) {}

}  // namespace QxUI
