#include "toolkit/controls/m_slider.h"

#include <algorithm>

#include "toolkit/controls/value_rules.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MSlider", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MSlider(p, id, r, a, b);
});

MSlider::MSlider(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_thumbState(0),
      m_offset(0),
      m_scale(1),
      m_showText(TRUE),
      m_minimum(0),
      m_maximum(10),
      m_thumbImage(nullptr),
      m_thumbWidth(16),
      m_thumbHeight(27),
      m_thumb{0, 0, 0, 0} {
    SetTextColor(Gdiplus::Color(0xFE050505));
    m_hAlign = 1;
    m_vAlign = 4;
    PlaceThumb();
}

void MSlider::PlaceThumb() {
    CRect r(m_rect);
    int x = SliderThumbX(r.Width(), m_thumbWidth, m_offset, m_maximum - m_minimum);
    m_thumb = CRect(r.left + x, r.top, r.left + x + m_thumbWidth, r.top + m_thumbHeight);
}

void MSlider::SetControlRect(CRect rect) {
    m_rect = rect;
    PlaceThumb();
}

BOOL MSlider::SetImage(const wchar_t* file, int count) {
    if (!m_manager || !file) return FALSE;
    ImgResInfo* info = m_manager->AddImgResInfo(file, 1);
    if (!info || !info->image) return FALSE;
    m_image = info->image;
    m_stateWidth = info->width;
    m_stateHeight = info->height / 2;
    m_stateCount = count;
    if (m_visible) UpdateControl(TRUE);
    return TRUE;
}

BOOL MSlider::SetThumbImage(const wchar_t* file) {
    if (!m_manager || !file) return FALSE;
    ImgResInfo* info = m_manager->AddImgResInfo(file, 4);
    if (!info || !info->image) return FALSE;
    m_thumbImage = info;
    if (m_thumbWidth == 0) m_thumbWidth = info->width;
    if (m_thumbHeight == 0) m_thumbHeight = info->height;
    PlaceThumb();
    if (m_visible) UpdateControl(TRUE);
    return TRUE;
}

int MSlider::SetProgress(int value) {
    value = std::min(value, m_maximum);
    if (value >= 0 && value - m_minimum != m_offset) {
        m_offset = value - m_minimum;
        PlaceThumb();
        UpdateControl(TRUE);
    }
    return m_minimum + m_offset;
}

int MSlider::MoveThumbPos(CPoint point) {
    CRect r(m_rect);
    int offset = SliderOffsetAt(point.x, r.left, r.Width(), m_thumbWidth, m_maximum - m_minimum);
    if (offset != m_offset) {
        m_offset = offset;
        PlaceThumb();
        UpdateControl(TRUE);
        SendMessageW(NOTIFY_VALUE, static_cast<WPARAM>(m_minimum + m_offset), 0);
    }
    return m_minimum + m_offset;
}

BOOL MSlider::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (m_thumbState == 2) {
        MoveThumbPos(point);
        return 1;
    }
    if (m_pressedInside) return 0;
    int state = CRect(m_thumb).PtInRect(point) ? 1 : 0;
    if (state == m_thumbState) return 0;
    m_thumbState = state;
    UpdateControl(FALSE);
    return 1;
}

BOOL MSlider::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (CRect(m_thumb).PtInRect(point)) {
        m_thumbState = 2;
        MoveThumbPos(point);
    } else {
        MoveThumbPos(point);
        if (CRect(m_thumb).PtInRect(point)) m_thumbState = 2;
    }
    UpdateControl(FALSE);
    return 1;
}

BOOL MSlider::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    m_thumbState = CRect(m_thumb).PtInRect(point) ? 1 : 0;
    UpdateControl(FALSE);
    SendMessageW(NOTIFY_CLICK, 0, 0);
    return 1;
}

void MSlider::DrawControl(HDC& hdc, CRect) {
    CRect r(m_rect);
    int x = m_thumb.left - r.left;
    int look = m_enabled ? m_thumbState : 3;
    PaintLookStrip(*this, hdc, 4, look, [&](HDC dc, int i, const CRect& frame) {
        Gdiplus::Graphics g(dc);
        int x0 = frame.left, w = frame.Width(), h = frame.Height();
        if (m_image && m_stateHeight > 0) {
            g.DrawImage(m_image, Gdiplus::Rect(x0, 5, w, m_stateHeight), 0, m_stateHeight, m_stateWidth, m_stateHeight,
                        Gdiplus::UnitPixel);
            g.DrawImage(m_image, Gdiplus::Rect(x0, 2, x + 10, m_stateHeight), 0, 0, m_stateWidth, m_stateHeight,
                        Gdiplus::UnitPixel);
        }
        if (m_thumbImage)
            DrawImageState(g, m_thumbImage->image, m_thumbImage->width, m_thumbImage->height, i,
                           CRect(x0 + x, 0, x0 + x + m_thumbWidth, m_thumbHeight));
        if (m_showText) {
            CString text;
            text.Format(L"%ls%d%ls", m_title.GetString(), (m_minimum + m_offset) / m_scale,
                        m_maximum == 100 ? L"%" : L"");
            DrawTitle(g, text,
                      Gdiplus::RectF(static_cast<float>(x0), static_cast<float>(h - 20), static_cast<float>(w), 20.f),
                      m_textColor);
        }
    });
}

}  // namespace QxUI
