#include "toolkit/controls/m_combo_box_edit.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MComboBoxEdit", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MComboBoxEdit(p, id, r, a, b);
});

MComboBoxEdit::MComboBoxEdit(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE) {}

void MComboBoxEdit::DrawControl(HDC&, CRect) {}

}  // namespace QxUI
