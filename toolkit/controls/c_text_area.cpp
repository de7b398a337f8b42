#include "toolkit/controls/c_text_area.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CTextArea", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new CTextArea(p, id, r, t, a, 1);
});

CTextArea::CTextArea(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE) {}

void CTextArea::DrawControl(HDC&, CRect) {}

}  // namespace QxUI
