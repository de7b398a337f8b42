#include "toolkit/controls/c_scroll_vertical.h"

#include "toolkit/core/paint_manager.h"

namespace QxUI {

CScrollVertical::CScrollVertical(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MScroll(parent, id, rect, visible) {
    m_vertical = TRUE;
}

void CScrollVertical::InitControl(PaintManager* manager) {
    if (manager) LoadBarImage(manager->GetScrollVID(), L"img_scroll_v.png");
}

BOOL CScrollVertical::SetImage(UINT resId, CString type, int count) {
    return m_manager && AttachBarImage(m_manager->AddImgResInfo(resId, type, count, TRUE), 1);
}

BOOL CScrollVertical::SetImage(const wchar_t* file, int count) {
    return m_manager && file && AttachBarImage(m_manager->AddImgResInfo(file, count > 0 ? count : 1), 1);
}

int CScrollVertical::SetRange() { return ApplyLayout(FALSE, TRUE); }
int CScrollVertical::SetRangeEx() { return ApplyLayout(TRUE, TRUE); }
int CScrollVertical::MoveRange(int delta) { return MoveThumb(delta); }

void CScrollVertical::DrawControl(HDC& hdc, CRect) {
    PaintBar(hdc, [](MScroll& bar, Gdiplus::Graphics& g, const CRect& box) {
        auto& self = static_cast<CScrollVertical&>(bar);
        int w = self.m_stateWidth, h = self.m_stateHeight;
        self.DrawSlices(g, CRect(0, 0, w, h), box);
        CRect thumb = self.GetThumbRect();
        thumb.OffsetRect(box.left - self.m_rect.left, box.top - self.m_rect.top);
        int column = self.m_thumbState == 1 ? 1 : 2;
        self.DrawSlices(g, CRect(column * w, 0, (column + 1) * w, h), thumb);
    });
}

}  // namespace QxUI
