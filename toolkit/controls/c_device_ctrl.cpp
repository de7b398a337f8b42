#include "toolkit/controls/c_device_ctrl.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CDeviceCtrl", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new CDeviceCtrl(p, id, r, a, 1);
});

CDeviceCtrl::CDeviceCtrl(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE) {}

void CDeviceCtrl::DrawControl(HDC&, CRect) {}

}  // namespace QxUI
