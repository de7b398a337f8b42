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
        control.SetLooksDrawn(0);
    }
    HDC mem = control.GetMemDC();
    if (!mem) return;
    const int frame = std::clamp(look, 0, looks - 1);
    // A look is drawn the first time it is shown, not all of them up front: a window of many
    // buttons shows its first frame sooner. The backdrop is right only where this paint has just
    // redrawn what lies under the control, so a look drawn under a partial clip is drawn again
    // the next time it is shown.
    const unsigned bit = frame < 32 ? 1u << frame : 0u;
    if (!bit || !(control.GetLooksDrawn() & bit)) {
        ::BitBlt(mem, frame * w, 0, w, h, hdc, r.left, r.top, SRCCOPY);
        if (paint) paint(mem, frame, CRect(frame * w, 0, (frame + 1) * w, h));
        RECT clip;
        const bool whole = ::GetClipBox(hdc, &clip) == NULLREGION ? false
                           : clip.left <= r.left && clip.top <= r.top && clip.right >= r.right && clip.bottom >= r.bottom;
        if (whole) control.SetLooksDrawn(control.GetLooksDrawn() | bit);
    }
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
