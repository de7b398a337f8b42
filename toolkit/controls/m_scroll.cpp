#include "toolkit/controls/m_scroll.h"

#include <algorithm>

#include "toolkit/controls/value_rules.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

MScroll::MScroll(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MControlFont(parent, id, rect, L"", visible, TRUE, TRUE),
      m_vertical(TRUE),
      m_thumbState(0),
      m_hover(FALSE),
      m_active(FALSE),
      m_margin(0),
      m_maximum(1000),
      m_position(0),
      m_page(0),
      m_step(10),
      m_thumb{0, 0, 0, 0},
      m_autoPage(FALSE),
      m_changing(FALSE),
      m_anchor(-1) {}

void MScroll::DrawControl(HDC&, CRect) {}

void MScroll::SetControlRect(CRect rect) {
    m_rect = rect;
    SetRange();
}

int MScroll::MoveRange(int) { return 0; }
int MScroll::SetRange() { return 0; }
int MScroll::SetRangeEx() { return 0; }

void MScroll::PlaceThumb(int start, int length) {
    if (m_vertical)
        m_thumb = CRect(m_rect.left, start, m_rect.right, start + length);
    else
        m_thumb = CRect(start, m_rect.top, start + length, m_rect.bottom);
}

int MScroll::ApplyLayout(BOOL pixelPosition, BOOL keepInside) {
    ScrollLayout layout =
        LayoutScroll(AxisStart(), AxisEnd(), m_margin, m_maximum, m_position, m_page, pixelPosition, keepInside);
    if (layout.autoPage) {
        m_page = layout.page;
        m_autoPage = TRUE;
    }
    m_position = layout.position;
    m_active = layout.active;
    PlaceThumb(layout.thumbStart, layout.thumbLength);
    return m_position;
}

int MScroll::SetScrollCurrentPos(int position) {
    m_position = position;
    SetRange();
    return 1;
}

int MScroll::SetScrollCurrentPosEx(int position) {
    m_position = position;
    SetRangeEx();
    return 1;
}

int MScroll::SetScrollMaxRange(int maximum) {
    m_maximum = maximum;
    if (m_autoPage) m_page = 0;
    SetRange();
    return 1;
}

int MScroll::SetScrollSize(int page, int step) {
    m_page = page;
    if (page != 0) m_autoPage = FALSE;
    if (step != 0) m_step = step;
    SetRange();
    return 1;
}

int MScroll::SetScrollInfo(int maximum, int position, int page, int step) {
    m_maximum = maximum;
    m_position = position;
    return SetScrollSize(page, step);
}

BOOL MScroll::ScrollRow(int rows) {
    int old = m_position;
    m_position = std::clamp(m_position + rows * m_step, 0, std::max(0, m_maximum));
    SetRange();
    return m_position != old;
}

int MScroll::MoveThumb(int delta) {
    if (delta == 0) return 0;
    int start = AxisStart(), end = AxisEnd();
    delta = ScrollLimitMove(delta, ThumbStart(), ThumbLength(), start, end, m_margin);
    if (delta == 0) return 0;
    int track = (end - start) - 2 * m_margin;
    int length = ScrollThumbLength(track, m_margin, m_page, m_maximum);
    int thumbStart = ThumbStart() + delta;
    PlaceThumb(thumbStart, ThumbLength());
    m_position = ScrollPositionAt(thumbStart, start, end, m_margin, length, m_maximum);
    m_changing = TRUE;
    if (m_visible) UpdateControl(TRUE);
    SendMessageW(NOTIFY_VALUE, static_cast<WPARAM>(m_position), 0);
    m_changing = FALSE;
    return delta;
}

void MScroll::PaintBar(HDC& hdc, void (*paint)(MScroll& bar, Gdiplus::Graphics& g, const CRect& box)) {
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) {
        if (!m_active) return;
        Gdiplus::Graphics g(dc);
        paint(*this, g, frame);
    });
}

BOOL MScroll::AttachBarImage(ImgResInfo* info, int rows) {
    if (!info || !info->image) return FALSE;
    m_image = info->image;
    m_stateWidth = static_cast<int>(info->image->GetWidth()) / 3;
    m_stateHeight = static_cast<int>(info->image->GetHeight()) / rows;
    if (m_visible) UpdateControl(TRUE);
    return TRUE;
}

void MScroll::LoadBarImage(UINT resId, const wchar_t* file) {
    if (!m_manager) return;
    if (resId != 0) {
        // The embedded default lives in the toolkit's own module; an application may carry its own.
        if (AttachBarImage(m_manager->AddImgResInfo(resId, L"PNG", 4, FALSE), m_vertical ? 1 : 4)) return;
        if (SetImage(resId, CString(L"PNG"), 4)) return;
    }
    SetImage(file, 1);
}

void MScroll::DrawSlices(Gdiplus::Graphics& g, const CRect& src, const CRect& dst) {
    if (!m_image || src.IsRectEmpty() || dst.IsRectEmpty()) return;
    const int cap = 6;
    auto draw = [&](int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
        if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
        g.DrawImage(m_image, Gdiplus::Rect(dx, dy, dw, dh), sx, sy, sw, sh, Gdiplus::UnitPixel);
    };
    if (m_vertical) {
        int c = std::min(cap, dst.Height() / 2), sc = std::min(cap, src.Height() / 2);
        draw(dst.left, dst.top, dst.Width(), c, src.left, src.top, src.Width(), sc);
        draw(dst.left, dst.top + c, dst.Width(), dst.Height() - 2 * c, src.left, src.top + sc, src.Width(),
             src.Height() - 2 * sc);
        draw(dst.left, dst.bottom - c, dst.Width(), c, src.left, src.bottom - sc, src.Width(), sc);
    } else {
        int c = std::min(cap, dst.Width() / 2), sc = std::min(cap, src.Width() / 2);
        draw(dst.left, dst.top, c, dst.Height(), src.left, src.top, sc, src.Height());
        draw(dst.left + c, dst.top, dst.Width() - 2 * c, dst.Height(), src.left + sc, src.top, src.Width() - 2 * sc,
             src.Height());
        draw(dst.right - c, dst.top, c, dst.Height(), src.right - sc, src.top, sc, src.Height());
    }
}

// --- pointer --------------------------------------------------------------------------------

BOOL MScroll::OnControlMouseMove(UINT, CPoint point) {
    if (!m_active || !m_enabled) return 0;
    if (m_thumbState == 2) {
        int moved = MoveRange(Axis(point) - m_anchor);
        m_anchor += moved;
        return 1;
    }
    if (m_pressedInside) return 0;
    BOOL hover = CRect(m_rect).PtInRect(point);
    int state = CRect(m_thumb).PtInRect(point) ? 1 : 0;
    if (hover == m_hover && state == m_thumbState && GetUpdate()) return 0;
    m_hover = hover;
    m_thumbState = state;
    UpdateControl(TRUE);
    return 1;
}

BOOL MScroll::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_active || !m_enabled) return 0;
    if (!CRect(m_thumb).PtInRect(point)) {
        // A page towards the pointer.
        int track = (AxisEnd() - AxisStart()) - 2 * m_margin;
        int page = m_maximum > 0 ? static_cast<int>(static_cast<long long>(track) * m_page / m_maximum) : 0;
        return MoveRange(Axis(point) < ThumbStart() ? -page : page);
    }
    m_thumbState = 2;
    m_anchor = Axis(point);
    UpdateControl(TRUE);
    return 1;
}

BOOL MScroll::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_active || !m_enabled) return 0;
    m_anchor = -1;
    int state = CRect(m_thumb).PtInRect(point) ? 1 : 0;
    if (state != m_thumbState) {
        m_thumbState = state;
        UpdateControl(TRUE);
    }
    return 1;
}

}  // namespace QxUI
