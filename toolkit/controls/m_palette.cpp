#include "toolkit/controls/m_palette.h"

#include <algorithm>

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MPalette", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MPalette(p, id, r, a, b);
});

namespace {
constexpr int kPlaneColumns = 360;
constexpr int kColourRows = 200;
constexpr int kBarColumn = 370;
}  // namespace

PaletteGeometry LayoutPalette(const CRect& c, int palletHeight, int barWidth) {
    PaletteGeometry g;
    g.plane = CRect(c.left, c.top, std::max(c.left, c.right - barWidth - 22), c.top + palletHeight);
    // The bar ends 16 pixels before the control's right edge: the thumb is drawn there.
    g.bar = CRect(c.right - barWidth - 16, c.top, c.right - 16, c.top + palletHeight);
    return g;
}

int PlaneHue(int x, const CRect& plane) {
    if (plane.Width() <= 0) return 0;
    int hue = static_cast<int>((x - plane.left) * 360 / plane.Width());
    return hue < 1 ? 0 : std::min(hue, 360);
}

int PlaneLightness(int y, const CRect& plane, int palletHeight) {
    if (palletHeight <= 0) return 20;
    return std::clamp(static_cast<int>((y - plane.top) * 180 / palletHeight) + 20, 20, 200);
}

int BarSaturation(int y, const CRect& bar, int palletHeight) {
    if (palletHeight <= 0) return 0;
    int s = static_cast<int>((y - bar.top) * 200 / palletHeight);
    return s < 1 ? 0 : s > 199 ? 200 : s;
}

MPalette::MPalette(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_hsl{180, 200, 120},
      m_selectColor(HslStepsToRgb(m_hsl)),
      m_palletHeight(150),
      m_barWidth(16),
      m_marker(0, 0),
      m_planeDrag(false),
      m_barDrag(false),
      m_thumb(nullptr),
      m_thumbWidth(0),
      m_thumbHeight(0) {
    Relayout();
}

MPalette::~MPalette() { delete m_thumb; }

void MPalette::Relayout() {
    m_geometry = LayoutPalette(GetRect(), m_palletHeight, m_barWidth);
    const CRect& p = m_geometry.plane;
    m_marker = CPoint(p.left + p.Width() * m_hsl.hue / 360,
                      std::max(static_cast<int>(p.top), static_cast<int>(p.top) + (m_hsl.lightness - 20) * m_palletHeight / 180));
}

void MPalette::InitControl(PaintManager* manager) {
    MControlFont::InitControl(manager);
    HDC screen = ::GetDC(nullptr);
    m_colours.Create(screen, 400, 360);
    ::ReleaseDC(nullptr, screen);
    UpdatePaletteData();
    UpdateBarData();
}

void MPalette::UpdatePaletteData() {
    for (int i = 0; i < kColourRows; ++i)
        for (int j = 0; j < kPlaneColumns; ++j) m_colours.SetPixel(j, i, HslToRgb(j / 360.0, 1, i / 200.0));
}

void MPalette::UpdateBarData() {
    for (int j = 0; j < kColourRows; ++j) {
        COLORREF c = HslToRgb(m_hsl.hue / 360.0, j / 200.0, m_hsl.lightness / 200.0);
        for (int x = 0; x < m_barWidth; ++x) m_colours.SetPixel(kBarColumn + x, j, c);
    }
}

void MPalette::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    if (r.IsRectEmpty()) return;
    const CRect& plane = m_geometry.plane;
    m_colours.StretchTo(hdc, CRect(plane.left, plane.top, plane.right, r.top + m_palletHeight),
                        CRect(0, 20, kPlaneColumns, kColourRows));
    m_colours.StretchTo(hdc, m_geometry.bar, CRect(kBarColumn, 0, kBarColumn + m_barWidth, kColourRows));
    Gdiplus::Graphics g(hdc);
    DrawPaletteMarker(g, m_marker.x - 4, m_marker.y - 4);
    if (!m_enabled) {
        Gdiplus::SolidBrush veil{Gdiplus::Color(0x0A808080)};
        g.FillRectangle(&veil, r.left, r.top, r.Width(), r.Height());
    }
    if (m_thumb) {
        int y = r.top + m_palletHeight * m_hsl.saturation / 200 - m_thumbHeight / 2;
        CRect dst(m_geometry.bar.right, y, m_geometry.bar.right + m_thumbWidth, y + m_thumbHeight);
        DrawImageState(g, m_thumb, m_thumbWidth, m_thumbHeight, 0, dst);
    }
}

void MPalette::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    Relayout();
    UpdateControl(TRUE);
}

void MPalette::SetControlEnabled(BOOL enabled) {
    MControlFont::SetControlEnabled(enabled);
    UpdateControl(TRUE);
}

void MPalette::SetPalletHeight(int height) {
    m_palletHeight = std::max(0, height);
    Relayout();
    UpdateControl(TRUE);
}

int MPalette::SetThumbImage(const wchar_t* file) {
    delete m_thumb;
    m_thumb = file ? MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file) : nullptr;
    m_thumbWidth = m_thumb ? static_cast<int>(m_thumb->GetWidth()) / 4 : 0;
    m_thumbHeight = m_thumb ? static_cast<int>(m_thumb->GetHeight()) : 0;
    UpdateControl(TRUE);
    return 0;
}

void MPalette::SetSelectColor(DWORD colour) {
    m_selectColor = colour;
    m_hsl = RgbToHslSteps(colour);
    Relayout();
    UpdateBarData();
    UpdateControl(TRUE);
}

void MPalette::FollowPlane(CPoint point) {
    const CRect& p = m_geometry.plane;
    m_hsl.hue = PlaneHue(point.x, p);
    m_hsl.lightness = PlaneLightness(point.y, p, m_palletHeight);
    m_marker = CPoint(std::clamp(static_cast<int>(point.x), static_cast<int>(p.left), static_cast<int>(p.right)),
                      std::clamp(static_cast<int>(point.y), static_cast<int>(p.top), static_cast<int>(p.top) + m_palletHeight));
    UpdateBarData();
}

void MPalette::FollowBar(CPoint point) { m_hsl.saturation = BarSaturation(point.y, m_geometry.bar, m_palletHeight); }

void MPalette::ReportColour() {
    DWORD colour = GetSelectColor();
    if (colour == m_selectColor) return;
    m_selectColor = colour;
    SendMessageW(NOTIFY_COLOR, colour, 0);
}

BOOL MPalette::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !GetRect().PtInRect(point)) return 0;
    m_planeDrag = m_barDrag = false;
    if (m_geometry.plane.PtInRect(point)) {
        FollowPlane(point);
        m_planeDrag = true;
    } else if (m_geometry.bar.PtInRect(point)) {
        FollowBar(point);
        m_barDrag = true;
    }
    ReportColour();
    UpdateControl(TRUE);
    return 1;
}

BOOL MPalette::OnControlMouseMove(UINT flags, CPoint point) {
    if (!m_enabled) return 0;
    if (m_planeDrag && (flags & MK_LBUTTON) && m_geometry.plane.PtInRect(point)) {
        FollowPlane(point);
        // The owner shows the colour while it is dragged, so a changed colour is reported.
        ReportColour();
        UpdateControl(TRUE);
        return 1;
    }
    if (m_barDrag && (flags & MK_LBUTTON)) {
        FollowBar(point);
        m_selectColor = GetSelectColor();
        SendMessageW(NOTIFY_COLOR, 0, 0);
        UpdateControl(TRUE);
        return 1;
    }
    return 0;
}

BOOL MPalette::OnControlLButtonUp(UINT, CPoint) {
    if (!m_enabled) return 0;
    m_planeDrag = m_barDrag = false;
    UpdateControl(TRUE);
    return 1;
}

}  // namespace QxUI
