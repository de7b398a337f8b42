#include "toolkit/controls/c_select_button.h"

#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CSelectButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new CSelectButton(p, id, r, t, a, b);
});

CSelectButton::CSelectButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : CRadioButton(parent, id, rect, title, visible, enabled, CHECK_LOOKS_FOUR, GROUP_LIVE) {
    SetTextColor(Gdiplus::Color(0xFEFFFFFF));
}

}  // namespace QxUI
