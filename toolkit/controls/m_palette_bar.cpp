#include "toolkit/controls/m_palette_bar.h"

#include <algorithm>

#include "toolkit/core/control_factory.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MPaletteBar", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new MPaletteBar(p, id, r, a);
});

MPaletteBar::MPaletteBar(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MControlFont(parent, id, rect, L"", visible, TRUE, TRUE),
      m_hsl{180, 200, 120},
      m_marker(0, 0),
      m_picked(HslStepsToRgb(m_hsl)),
      m_palletHeight(0) {}

void MPaletteBar::InitControl(PaintManager* manager) {
    MControlFont::InitControl(manager);
    HDC screen = ::GetDC(nullptr);
    // The bitmap keeps the historical 360 rows; the bar uses the top 200.
    m_bar.Create(screen, kBarWidth, 360);
    ::ReleaseDC(nullptr, screen);
    UpdateBarData();
}

void MPaletteBar::UpdateBarData() {
    for (int r = 0; r < kBarRows; ++r) {
        COLORREF c = HslToRgb(m_hsl.hue / 360.0, (199 - r) / 200.0, m_hsl.lightness / 200.0);
        for (int x = 0; x < kBarWidth; ++x) m_bar.SetPixel(x, r, c);
    }
}

int MPaletteBar::SaturationAt(int y, int height) {
    if (height <= 0) return 0;
    int row = std::clamp(y * kBarRows / height, 0, kBarRows - 1);
    return 199 - row;
}

void MPaletteBar::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    if (r.IsRectEmpty()) return;
    m_bar.StretchTo(hdc, r, CRect(0, 0, kBarWidth, kBarRows));
    Gdiplus::Graphics g(hdc);
    DrawPaletteMarker(g, r.left + m_marker.x - 4, r.top + m_marker.y - 4);
}

void MPaletteBar::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    UpdateBarData();
    m_marker = CPoint(0, 0);
    UpdateControl(TRUE);
}

void MPaletteBar::SetControlEnabled(BOOL enabled) {
    MControlFont::SetControlEnabled(enabled);
    UpdateControl(TRUE);
}

void MPaletteBar::SetSelectColor(DWORD colour) {
    m_hsl = RgbToHslSteps(colour);
    m_marker = CPoint(0, 0);
    UpdateBarData();
    UpdateControl(TRUE);
}

void MPaletteBar::PlaceMarker(CPoint point) {
    CRect r = GetRect();
    m_marker = CPoint(point.x - r.left, point.y - r.top);
    // The marker's height is the saturation the owner reads back with GetSelectColor.
    m_hsl.saturation = SaturationAt(m_marker.y, r.Height());
}

BOOL MPaletteBar::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !GetRect().PtInRect(point)) return 0;
    PlaceMarker(point);
    UpdateControl(TRUE);
    return 1;
}

BOOL MPaletteBar::OnControlMouseMove(UINT flags, CPoint point) {
    if (!m_enabled || !(flags & MK_LBUTTON) || !GetRect().PtInRect(point)) return 1;
    PlaceMarker(point);
    SendMessageW(NOTIFY_COLOR, 0, 0);
    UpdateControl(TRUE);
    return 1;
}

BOOL MPaletteBar::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled || !GetRect().PtInRect(point)) return 0;
    PlaceMarker(point);
    CRect r = GetRect();
    m_picked = m_bar.GetPixel(m_marker.x * kBarWidth / std::max(1, static_cast<int>(r.Width())),
                              m_marker.y * kBarRows / std::max(1, static_cast<int>(r.Height())));
    SendMessageW(NOTIFY_CLICK, 0, 0);
    UpdateControl(TRUE);
    return 1;
}

}  // namespace QxUI
