#include "toolkit/controls/c_combo_box_list.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CComboBoxList", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new CComboBoxList(p, id, r, a, 1);
});

CComboBoxList::CComboBoxList(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MPanel(parent, id, rect, visible) {
    m_enabled = enabled;
}

}  // namespace QxUI
