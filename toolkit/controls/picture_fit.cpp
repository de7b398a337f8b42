#include "toolkit/controls/picture_fit.h"

#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace QxUI {

namespace {
// A source rectangle stretched to `dst`: mirrored edges keep the filter from sampling the
// image's pixels beyond the rectangle (the next state, or the rest of a custom rectangle).
void DrawStretched(Gdiplus::Graphics& g, Gdiplus::Image* image, const Gdiplus::Rect& dst, int sx, int sy, int sw,
                   int sh) {
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(image, dst, sx, sy, sw, sh, Gdiplus::UnitPixel, &attributes);
}
}  // namespace

CPoint OriginPlacement(int W, int H, int stateWidth, int stateHeight, UINT hAlign, UINT vAlign) {
    int x = hAlign == 0 ? 0 : hAlign == 2 ? W - stateWidth : (W - stateWidth) / 2;
    int y = vAlign == 0 ? 0 : vAlign == 8 ? H - stateHeight : (H - stateHeight) / 2;
    return CPoint(x, y);
}

std::vector<PictureTile> TilePlacement(int W, int H, int stateWidth, int stateHeight) {
    std::vector<PictureTile> tiles;
    if (W <= 0 || H <= 0 || stateWidth <= 0 || stateHeight <= 0) return tiles;
    for (int y = 0; y < H; y += stateHeight) {
        int h = (y + stateHeight > H) ? H - y : stateHeight;
        for (int x = 0; x < W; x += stateWidth) {
            int w = (x + stateWidth > W) ? W - x : stateWidth;
            tiles.push_back(PictureTile{CRect(x, y, x + w, y + h), w, h});
        }
    }
    return tiles;
}

bool SetFitMode(PictureFit& fit, int mode, int border) {
    if (mode == fit.mode && (mode != SHOW_MODE_FRAME || border == fit.border)) return false;
    fit.mode = mode;
    fit.border = border;
    return true;
}

void SetFitBorders(PictureFit& fit, int left, int top, int right, int bottom) {
    fit.mode = SHOW_MODE_FRAME_MID;
    fit.left = left;
    fit.top = top;
    fit.right = right;
    fit.bottom = bottom;
}

BOOL ReplaceOwnedImage(Gdiplus::Image*& slot, Gdiplus::Image* image, int count, int& stateWidth, int& stateHeight) {
    delete slot;
    slot = image;
    stateWidth = stateHeight = 0;
    if (!image) return FALSE;
    stateWidth = static_cast<int>(image->GetWidth()) / (count > 0 ? count : 1);
    stateHeight = static_cast<int>(image->GetHeight());
    return TRUE;
}

Gdiplus::Image* LoadSkinImage(const wchar_t* file) {
    if (!file || !*file) return nullptr;
    return MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
}

Gdiplus::Image* LoadApplicationImage(UINT resId, const wchar_t* type) {
    return MRender::LoadImageFromIDResource(resId, type, Manager::GetInstance());
}

void DrawPictureFitted(Gdiplus::Graphics& g, Gdiplus::Image* image, int stateWidth, int stateHeight, int state,
                       const CRect& box, const PictureFit& fit) {
    if (!image || stateWidth <= 0 || stateHeight <= 0 || box.IsRectEmpty()) return;
    const int sx = state * stateWidth;
    const int W = box.Width(), H = box.Height();
    switch (fit.mode) {
    case SHOW_MODE_ORIGIN: {
        CPoint p = OriginPlacement(W, H, stateWidth, stateHeight, fit.hAlign, fit.vAlign);
        g.DrawImage(image, Gdiplus::Rect(box.left + p.x, box.top + p.y, stateWidth, stateHeight), sx, 0, stateWidth,
                    stateHeight, Gdiplus::UnitPixel);
        break;
    }
    case SHOW_MODE_TILE:
        for (const PictureTile& t : TilePlacement(W, H, stateWidth, stateHeight))
            g.DrawImage(image,
                        Gdiplus::Rect(box.left + t.dst.left, box.top + t.dst.top, t.srcWidth, t.srcHeight), sx, 0,
                        t.srcWidth, t.srcHeight, Gdiplus::UnitPixel);
        break;
    case SHOW_MODE_STRETCH:
        DrawStretched(g, image, Gdiplus::Rect(box.left, box.top, W, H), sx, 0, stateWidth, stateHeight);
        break;
    case SHOW_MODE_FRAME:
        MRender::DrawImageFrame(g, image, box, sx, 0, stateWidth, stateHeight, fit.border);
        break;
    case SHOW_MODE_FRAME_MID:
        MRender::DrawImageFrameMID(g, image, box, sx, 0, stateWidth, stateHeight, fit.left, fit.top, fit.right,
                                   fit.bottom);
        break;
    case SHOW_MODE_CUSTOM:
        if (!fit.custom.IsRectEmpty())
            DrawStretched(g, image, Gdiplus::Rect(box.left, box.top, W, H), fit.custom.left, fit.custom.top,
                          fit.custom.Width(), fit.custom.Height());
        break;
    default:
        break;
    }
}

}  // namespace QxUI
