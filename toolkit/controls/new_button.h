#pragma once
#include "toolkit/controls/icon_title_button.h"

namespace QxUI {

// Push button with an icon left of its title, the two centred together as one block; the hand
// cursor over it. With a text rectangle the title sits in it and no icon is drawn.
class QXUI_API NewButton : public IconTitleButton {
public:
    NewButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;
};

}  // namespace QxUI
