#include "toolkit/controls/m_list_box.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MListBox", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new MListBox(p, id, r, a);
});

MListBox::MListBox(MObject* parent, UINT id, CRect rect, BOOL visible) : MPanel(parent, id, rect, visible) {}

}  // namespace QxUI
