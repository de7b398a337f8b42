#include "toolkit/controls/c_spin_button.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CSpinButton", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CSpinButton(p, id, r, a, b);
});

CSpinButton::CSpinButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MRichEdit(parent, id, rect, L"", visible, enabled) {}

}  // namespace QxUI
