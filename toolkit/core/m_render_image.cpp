// Image loading and nine-part frames.
#include "toolkit/core/windows_include.h"  // before the other system headers
#include <shellapi.h>

#include <vector>

#include "toolkit/core/m_render.h"

namespace QxUI {

namespace {
// A decoded copy in premultiplied 32-bit pixels: GDI+ draws that format fastest, the copy
// needs neither the file nor a stream any more, and a skin file can be replaced while the
// program runs. NULL when `source` cannot be decoded.
Gdiplus::Bitmap* DecodedCopy(Gdiplus::Image& source) {
    UINT w = source.GetWidth(), h = source.GetHeight();
    if (source.GetLastStatus() != Gdiplus::Ok || w == 0 || h == 0) return nullptr;
    auto* copy = new Gdiplus::Bitmap(static_cast<INT>(w), static_cast<INT>(h), PixelFormat32bppPARGB);
    if (copy->GetLastStatus() == Gdiplus::Ok) {
        Gdiplus::Graphics g(copy);
        g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        if (g.DrawImage(&source, 0, 0, static_cast<INT>(w), static_cast<INT>(h)) == Gdiplus::Ok) return copy;
    }
    delete copy;
    return nullptr;
}
}  // namespace

Gdiplus::Image* MRender::LoadImageFromFile(CString path) {
    if (path.IsEmpty()) return nullptr;
    Gdiplus::Bitmap file(path.GetString());
    return DecodedCopy(file);
}

Gdiplus::Image* MRender::LoadImageFromIDResource(UINT id, CString type, HINSTANCE module) {
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type.GetString());
    if (!resource) return nullptr;
    DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || size == 0) return nullptr;

    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, size);
    if (!block) return nullptr;
    memcpy(block, data, size);  // GMEM_FIXED: the handle is the pointer
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, FALSE, &stream))) {
        ::GlobalFree(block);
        return nullptr;
    }
    Gdiplus::Bitmap* result = nullptr;
    {
        Gdiplus::Bitmap decoded(stream);
        result = DecodedCopy(decoded);  // independent of the stream, so the block can go at once
    }
    stream->Release();
    ::GlobalFree(block);
    return result;
}

HICON MRender::LoadIconFromFile(CString path) {
    // The system may rewrite the path it is given: pass a private writable copy.
    std::vector<wchar_t> buffer(path.str().begin(), path.str().end());
    buffer.resize(buffer.size() + MAX_PATH, L'\0');
    WORD index = 0;
    return ::ExtractAssociatedIconW(nullptr, buffer.data(), &index);
}

namespace {
// Draws one part of a frame; parts with no area are skipped. A stretched part starts a
// hundredth of a pixel early: Wine's GDI+ otherwise loses the first row or column of some
// stretches (its first sample lands a rounding error outside the source rectangle). The
// overlap changes no pixel where GDI+ samples exactly.
void DrawPart(Gdiplus::Graphics& g, Gdiplus::Image* image, const Gdiplus::ImageAttributes& attributes, int dx, int dy,
              int dw, int dh, int sx, int sy, int sw, int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const float ex = dw != sw ? 0.01f : 0.0f, ey = dh != sh ? 0.01f : 0.0f;
    Gdiplus::RectF dst(static_cast<float>(dx) - ex, static_cast<float>(dy) - ey, static_cast<float>(dw) + ex,
                       static_cast<float>(dh) + ey);
    g.DrawImage(image, dst, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sw),
                static_cast<float>(sh), Gdiplus::UnitPixel, &attributes);
}
}  // namespace

void MRender::DrawImageFrame(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy, int sw,
                             int sh, int border) {
    DrawImageFrameMID(g, image, dst, sx, sy, sw, sh, border, border, border, border);
}

void MRender::DrawImageFrameMID(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy, int sw,
                                int sh, int l, int t, int r, int bo) {
    if (!image) return;
    // Mirrored edges keep a stretched part from sampling its neighbour's pixels.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const int L = dst.left, T = dst.top, R = dst.right, B = dst.bottom;
    // Pixel centres at half coordinates: a part drawn at its own size maps pixel to pixel.
    Gdiplus::PixelOffsetMode oldOffset = g.GetPixelOffsetMode();
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    DrawPart(g, image, attributes, L, T, l, t, sx, sy, l, t);
    DrawPart(g, image, attributes, L, T + t, l, B - T - t - bo, sx, sy + t, l, sh - t - bo);
    DrawPart(g, image, attributes, L, B - bo, l, bo, sx, sy + sh - bo, l, bo);
    DrawPart(g, image, attributes, L + l, T, R - L - l - r, t, sx + l, sy, sw - l - r, t);
    DrawPart(g, image, attributes, R - r, T, r, t, sx + sw - r, sy, r, t);
    DrawPart(g, image, attributes, R - r, T + t, r, B - T - t - bo, sx + sw - r, sy + t, r, sh - t - bo);
    DrawPart(g, image, attributes, R - r, B - bo, r, bo, sx + sw - r, sy + sh - bo, r, bo);
    DrawPart(g, image, attributes, L + l, B - bo, R - L - l - r, bo, sx + l, sy + sh - bo, sw - l - r, bo);
    DrawPart(g, image, attributes, L + l, T + t, R - L - l - r, B - T - t - bo, sx + l, sy + t, sw - l - r,
             sh - t - bo);
    g.SetPixelOffsetMode(oldOffset);
}

}  // namespace QxUI
