#include "tests/toolkit/support/buffer_png.h"

#include <vector>

#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/paint_manager.h"

namespace qxtest {

namespace {
bool PngEncoder(CLSID* clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}
}  // namespace

bool SaveSurfacePng(const QxUI::OffScreenSurface& surface, const QxUI::CString& path, bool layered) {
    if (!surface.IsValid()) return false;
    CLSID png;
    if (!PngEncoder(&png)) return false;
    ::GdiFlush();
    int w = surface.Width(), h = surface.Height();
    // Top-down copy of the bottom-up rows.
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            DWORD p = surface.GetPixel(x, y);
            pixels[static_cast<size_t>(y) * w + x] = layered ? p : (p | 0xFF000000u);
        }
    Gdiplus::Bitmap view(w, h, w * 4, layered ? PixelFormat32bppPARGB : PixelFormat32bppARGB,
                         reinterpret_cast<BYTE*>(pixels.data()));
    return view.Save(path.GetString(), &png, nullptr) == Gdiplus::Ok;
}

bool SaveWindowPng(QxUI::PaintManager& manager, const QxUI::CString& path) {
    QxUI::CRect client;
    manager.GetClientRect(client);
    QxUI::OffScreenSurface surface;
    if (!manager.PaintToSurface(surface, client)) return false;
    return SaveSurfacePng(surface, path, manager.IsLayered() != FALSE);
}

}  // namespace qxtest
