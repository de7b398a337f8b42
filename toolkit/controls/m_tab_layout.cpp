#include "toolkit/controls/m_tab_layout.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MTabLayout", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new MTabLayout(p, id, r, a);
});

MTabLayout::MTabLayout(MObject* parent, UINT id, CRect rect, BOOL visible) : MPanel(parent, id, rect, visible) {}

}  // namespace QxUI
