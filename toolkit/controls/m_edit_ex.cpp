#include "toolkit/controls/m_edit_ex.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MEditEx", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MEditEx(p, id, r, t, a, b);
});

MEditEx::MEditEx(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MRichEdit(parent, id, rect, title, visible, enabled) {}

}  // namespace QxUI
