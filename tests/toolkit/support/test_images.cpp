#include "tests/toolkit/support/test_images.h"

#include <vector>

#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/gdiplus_include.h"

namespace qxtest {

bool WriteSkinPng(const QxUI::CString& name, int width, int height, const PixelFunction& pixel) {
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = pixel(x, y);
    Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels.data()));
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0)
            return bitmap.Save((TestSkinDirectory() + name).GetString(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
    return false;
}

bool WriteStateStrip(const QxUI::CString& name, int width, int height, int count, const DWORD* colours) {
    int state = width / count;
    return WriteSkinPng(name, width, height, [&](int x, int) { return colours[std::min(x / state, count - 1)]; });
}

bool WriteFrameImage(const QxUI::CString& name, int size, int border, DWORD corner, DWORD edge, DWORD centre) {
    return WriteSkinPng(name, size, size, [&](int x, int y) {
        bool bx = x < border || x >= size - border;
        bool by = y < border || y >= size - border;
        return (bx && by) ? corner : (bx || by) ? edge : centre;
    });
}

}  // namespace qxtest
