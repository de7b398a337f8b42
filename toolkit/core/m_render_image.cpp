// Image loading and nine-part frames.
#include "toolkit/core/windows_include.h"  // before the other system headers
#include <shellapi.h>
#include <wincodec.h>

#include <cstddef>
#include <vector>

#include "toolkit/core/image_preload.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

namespace {
// Images are kept decoded in premultiplied 32-bit pixels: GDI+ draws that format fastest, the
// copy needs neither the file nor a stream any more, and a skin file can be replaced while the
// program runs. Both decoders below premultiply with the same rounding, so an image looks the
// same whichever of them decoded it.
inline BYTE Premultiply(BYTE channel, BYTE alpha) { return static_cast<BYTE>((channel * alpha + 127) / 255); }

// Premultiplies rows of straight BGRA in place.
void PremultiplyRows(BYTE* pixels, UINT width, UINT height, INT stride) {
    for (UINT y = 0; y < height; ++y) {
        BYTE* p = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (UINT x = 0; x < width; ++x, p += 4) {
            const BYTE a = p[3];
            if (a == 255) continue;
            p[0] = Premultiply(p[0], a);
            p[1] = Premultiply(p[1], a);
            p[2] = Premultiply(p[2], a);
        }
    }
}

// A premultiplied bitmap of width x height whose straight BGRA rows `fill` writes; NULL when
// fill fails.
template <typename Fill>
Gdiplus::Bitmap* PremultipliedBitmap(UINT width, UINT height, Fill fill) {
    if (width == 0 || height == 0) return nullptr;
    auto* bitmap = new Gdiplus::Bitmap(static_cast<INT>(width), static_cast<INT>(height), PixelFormat32bppPARGB);
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data = {};
    // The bits are taken as they are stored, so GDI+ converts nothing on the way in or out.
    if (bitmap->GetLastStatus() == Gdiplus::Ok &&
        bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
        const bool filled = data.Stride > 0 && fill(static_cast<BYTE*>(data.Scan0), static_cast<UINT>(data.Stride));
        if (filled) PremultiplyRows(static_cast<BYTE*>(data.Scan0), width, height, data.Stride);
        bitmap->UnlockBits(&data);
        if (filled) return bitmap;
    }
    delete bitmap;
    return nullptr;
}

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// Decodes the first frame of what `decoder` reads through the imaging component, which is many
// times faster than GDI+'s own file loading (that also reads every metadata block of the file).
// NULL when the component is unavailable (COM not started on this thread) or cannot decode it.
template <typename MakeDecoder>
Gdiplus::Bitmap* DecodeWithWic(MakeDecoder makeDecoder) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory))))
        return nullptr;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(makeDecoder(factory.p, &decoder)) || FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width > 0x7FFF || height > 0x7FFF)
        return nullptr;
    return PremultipliedBitmap(width, height, [&](BYTE* pixels, UINT stride) {
        return SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * height, pixels));
    });
}

// The GDI+ way, for a thread without COM: straight ARGB read out of the decoded image.
Gdiplus::Bitmap* DecodedCopy(Gdiplus::Bitmap& source) {
    UINT w = source.GetWidth(), h = source.GetHeight();
    if (source.GetLastStatus() != Gdiplus::Ok) return nullptr;
    return PremultipliedBitmap(w, h, [&](BYTE* pixels, UINT stride) {
        Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
        Gdiplus::BitmapData data = {};
        data.Width = w;
        data.Height = h;
        data.Stride = static_cast<INT>(stride);
        data.PixelFormat = PixelFormat32bppARGB;
        data.Scan0 = pixels;
        if (source.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                            PixelFormat32bppARGB, &data) != Gdiplus::Ok)
            return false;
        source.UnlockBits(&data);
        return true;
    });
}
}  // namespace

Gdiplus::Image* MRender::LoadImageFromFile(CString path) {
    if (path.IsEmpty()) return nullptr;
    Gdiplus::Image* preloaded = nullptr;
    if (ImagePreload::Take(path, preloaded)) return preloaded;
    return DecodeImageFile(path);
}

Gdiplus::Image* MRender::DecodeImageFile(const CString& path) {
    if (path.IsEmpty()) return nullptr;
    if (Gdiplus::Bitmap* decoded = DecodeWithWic([&](IWICImagingFactory* factory, IWICBitmapDecoder** decoder) {
            return factory->CreateDecoderFromFilename(path.GetString(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, decoder);
        }))
        return decoded;
    Gdiplus::Bitmap file(path.GetString());
    return DecodedCopy(file);
}

Gdiplus::Image* MRender::LoadImageFromIDResource(UINT id, CString type, HINSTANCE module) {
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type.GetString());
    if (!resource) return nullptr;
    DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    auto* data = static_cast<BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data || size == 0) return nullptr;

    // A resource stays mapped as long as its module: the decoder can read it where it lies.
    if (Gdiplus::Bitmap* decoded = DecodeWithWic([&](IWICImagingFactory* factory, IWICBitmapDecoder** decoder) {
            ComPtr<IWICStream> stream;
            HRESULT hr = factory->CreateStream(&stream);
            if (SUCCEEDED(hr)) hr = stream->InitializeFromMemory(data, size);
            if (SUCCEEDED(hr))
                hr = factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, decoder);
            return hr;
        }))
        return decoded;

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
