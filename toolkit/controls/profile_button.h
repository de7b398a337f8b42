#pragma once
#include "toolkit/controls/icon_title_button.h"

namespace QxUI {

// Push button with its title left of an icon, the two centred together as one block. Without a
// skin image its hover and pressed looks are a grey plate. The text rectangle is not used.
class QXUI_API ProfileButton : public IconTitleButton {
public:
    ProfileButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;
};

}  // namespace QxUI
