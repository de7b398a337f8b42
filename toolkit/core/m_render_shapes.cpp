// Fills and shapes.
#include "toolkit/core/m_render.h"

namespace QxUI {

void MRender::DrawColor(HDC hdc, const RECT& rect, DWORD argb) {
    if ((argb >> 24) == 0 || !hdc) return;
    Gdiplus::Graphics g(hdc);
    Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
    g.FillRectangle(&brush, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
                    static_cast<INT>(rect.right - rect.left), static_cast<INT>(rect.bottom - rect.top));
}

void MRender::FillSolidRect(HDC& hdc, const RECT* rect, COLORREF colour) {
    if (!rect) return;
    COLORREF old = ::SetBkColor(hdc, colour);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

void MRender::FillSolidRect(HDC& hdc, int x, int y, int cx, int cy, COLORREF colour) {
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(hdc, &r, colour);
}

void MRender::DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float w, float h, float factor,
                                Gdiplus::Color pen, float penWidth, bool fill, Gdiplus::Color fillColour) {
    if (factor <= 0 || w <= 0 || h <= 0) return;
    float ew = w / factor, eh = h / factor;
    Gdiplus::GraphicsPath path;
    // Clockwise from the top edge: line, quarter arc, line, quarter arc, ...
    path.AddLine(x + ew / 2, y, x + w - ew / 2, y);
    path.AddArc(x + w - ew, y, ew, eh, 270, 90);
    path.AddLine(x + w, y + eh / 2, x + w, y + h - eh / 2);
    path.AddArc(x + w - ew, y + h - eh, ew, eh, 0, 90);
    path.AddLine(x + w - ew / 2, y + h, x + ew / 2, y + h);
    path.AddArc(x, y + h - eh, ew, eh, 90, 90);
    path.AddLine(x, y + h - eh / 2, x, y + eh / 2);
    path.AddArc(x, y, ew, eh, 180, 90);
    path.CloseFigure();
    Gdiplus::SmoothingMode oldMode = g.GetSmoothingMode();
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    if (fill) {
        Gdiplus::SolidBrush brush(fillColour);
        g.FillPath(&brush, &path);
    }
    Gdiplus::Pen outline(pen, penWidth);
    g.DrawPath(&outline, &path);
    g.SetSmoothingMode(oldMode);
}

void MRender::DrawRectangle(HDC&, const CRect&, int, int, int) {}

}  // namespace QxUI
