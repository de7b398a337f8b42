#include "toolkit/controls/m_rich_edit.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MRichEdit", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MRichEdit(p, id, r, t, a, b);
});

MRichEdit::MRichEdit(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MPanel(parent, id, rect, visible) {
    m_title = CString(title ? title : L"");
    m_enabled = enabled;
}

}  // namespace QxUI
