#include "toolkit/controls/m_combo_box.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MComboBox", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MComboBox(p, id, r, a, b);
});

MComboBox::MComboBox(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE) {}

void MComboBox::DrawControl(HDC&, CRect) {}

}  // namespace QxUI
