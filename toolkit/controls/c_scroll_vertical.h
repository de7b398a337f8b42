#pragma once
#include "toolkit/controls/m_scroll.h"

namespace QxUI {

// The vertical scroll bar: a track and a thumb cut from three columns of one image (track,
// thumb under the pointer, thumb), each drawn with 6-pixel caps and a stretched middle.
class QXUI_API CScrollVertical : public MScroll {
public:
    CScrollVertical(MObject* parent, UINT id, CRect rect, BOOL visible);

    void InitControl(PaintManager* manager) override;
    BOOL SetImage(UINT resId, CString type, int count) override;
    BOOL SetImage(const wchar_t* file, int count) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int MoveRange(int delta) override;
    int SetRange() override;
    int SetRangeEx() override;
};

}  // namespace QxUI
