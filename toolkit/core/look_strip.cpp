#include "toolkit/core/look_strip.h"

#include <algorithm>

#include "toolkit/core/m_control.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

void PaintLookStrip(MControl& control, HDC& hdc, int looks, int look, const LookPainter& paint) {
    CRect r = control.GetRect();
    int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0 || looks <= 0) return;
    if (!control.GetUpdate()) {
        control.UpdateMemDC(hdc, w * looks, h);
        HDC mem = control.GetMemDC();
        if (!mem) return;
        for (int i = 0; i < looks; ++i) {
            ::BitBlt(mem, i * w, 0, w, h, hdc, r.left, r.top, SRCCOPY);
            if (paint) paint(mem, i, CRect(i * w, 0, (i + 1) * w, h));
        }
    }
    HDC mem = control.GetMemDC();
    if (!mem) return;
    int frame = std::clamp(look, 0, looks - 1);
    ::BitBlt(hdc, r.left, r.top, w, h, mem, frame * w, 0, SRCCOPY);
}

void DrawImageState(Gdiplus::Graphics& g, Gdiplus::Image* image, int stateWidth, int stateHeight, int state,
                    const CRect& dst) {
    if (!image || stateWidth <= 0 || stateHeight <= 0 || dst.IsRectEmpty()) return;
    g.DrawImage(image, Gdiplus::Rect(dst.left, dst.top, dst.Width(), dst.Height()), state * stateWidth, 0, stateWidth,
                stateHeight, Gdiplus::UnitPixel);
}

void DrawImageStateFrame(Gdiplus::Graphics& g, Gdiplus::Image* image, int stateWidth, int stateHeight, int state,
                         const CRect& dst, int border) {
    if (!image || stateWidth <= 0 || stateHeight <= 0 || dst.IsRectEmpty()) return;
    MRender::DrawImageFrame(g, image, dst, state * stateWidth, 0, stateWidth, stateHeight, border);
}

}  // namespace QxUI
