#pragma once
#include "toolkit/controls/m_scroll.h"

namespace QxUI {

// The horizontal scroll bar: a thin line as its track and a thumb cut from rows 1-3 of its
// image (normal, under the pointer, dragged), drawn with 6-pixel caps and a stretched middle.
class QXUI_API CScrollHorizontal : public MScroll {
public:
    CScrollHorizontal(MObject* parent, UINT id, CRect rect, BOOL visible);

    void InitControl(PaintManager* manager) override;
    BOOL SetImage(UINT resId, CString type, int count) override;
    BOOL SetImage(const wchar_t* file, int count) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int MoveRange(int delta) override;
    int SetRange() override;
};

}  // namespace QxUI
