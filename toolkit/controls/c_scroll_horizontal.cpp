#include "toolkit/controls/c_scroll_horizontal.h"

#include "toolkit/core/paint_manager.h"

namespace QxUI {

CScrollHorizontal::CScrollHorizontal(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MScroll(parent, id, rect, visible) {
    m_vertical = FALSE;
}

void CScrollHorizontal::InitControl(PaintManager* manager) {
    if (manager) LoadBarImage(manager->GetScrollHID(), L"img_scroll_h.png");
}

BOOL CScrollHorizontal::SetImage(UINT resId, CString type, int count) {
    return m_manager && AttachBarImage(m_manager->AddImgResInfo(resId, type, count, TRUE), 4);
}

BOOL CScrollHorizontal::SetImage(const wchar_t* file, int count) {
    return m_manager && file && AttachBarImage(m_manager->AddImgResInfo(file, count > 0 ? count : 1), 4);
}

int CScrollHorizontal::SetRange() { return ApplyLayout(FALSE, FALSE); }
int CScrollHorizontal::MoveRange(int delta) { return MoveThumb(delta); }

void CScrollHorizontal::DrawControl(HDC& hdc, CRect) {
    PaintBar(hdc, [](MScroll& bar, Gdiplus::Graphics& g, const CRect& box) {
        auto& self = static_cast<CScrollHorizontal&>(bar);
        Gdiplus::Pen line{Gdiplus::Color(0xC8141414)};
        int mid = box.top + box.Height() / 2;
        g.DrawLine(&line, box.left, mid, box.right, mid);
        int w = self.m_stateWidth, h = self.m_stateHeight;
        int row = self.m_thumbState == 2 ? 3 : self.m_thumbState == 1 ? 2 : 1;
        CRect thumb = self.GetThumbRect();
        thumb.OffsetRect(box.left - self.m_rect.left, box.top - self.m_rect.top);
        self.DrawSlices(g, CRect(0, row * h, w, (row + 1) * h), thumb);
    });
}

}  // namespace QxUI
