#pragma once
#include "toolkit/controls/c_radio_button.h"

namespace QxUI {

// Selection button: checked one at a time among the visible and enabled "RadioButtonEx"s of its
// group under the same owner. Four looks; a checked button always shows the pressed look.
class QXUI_API CSelectButton : public CRadioButton {
public:
    CSelectButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"RadioButtonEx"; }
};

}  // namespace QxUI
