#pragma once
#include "toolkit/controls/picture_palette.h"

namespace QxUI {

// The picture palette for a colour ring: the thumb only goes to points more than 14 and at
// most 100 pixels from the control's centre.
class QXUI_API CirclePalette : public PicturePalette {
public:
    CirclePalette(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
        : PicturePalette(parent, id, rect, visible, enabled) {}
    const wchar_t* GetClassNameW() const override { return L"CirclePalette"; }

protected:
    bool AcceptsThumbPoint(CPoint point) const override;
};

}  // namespace QxUI
