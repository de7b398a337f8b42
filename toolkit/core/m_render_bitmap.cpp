// Bitmaps and DCs.
#include <string>

#include "toolkit/core/gdi_handles.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

HBITMAP MRender::CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits) {
    if (bits) *bits = nullptr;
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height);
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bits) *bits = static_cast<BYTE*>(pixels);
    return bitmap;
}

HDC MRender::CreateCompatibleDC(HDC hdc) { return ::CreateCompatibleDC(hdc); }
HBITMAP MRender::CreateCompatibleBitmap(HDC hdc, int w, int h) { return ::CreateCompatibleBitmap(hdc, w, h); }

BOOL MRender::BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy) {
    return ::BitBlt(dst, x, y, cx, cy, src, sx, sy, SRCCOPY);
}

BOOL MRender::BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, DWORD rop) {
    return ::BitBlt(dst, x, y, cx, cy, src, sx, sy, rop);
}

BOOL MRender::SaveBitmapToFile(HBITMAP bitmap, CString path) {
    if (!bitmap) return FALSE;
    HDC display = ::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    int depth = display ? ::GetDeviceCaps(display, BITSPIXEL) * ::GetDeviceCaps(display, PLANES) : 24;
    if (display) ::DeleteDC(display);
    WORD bits = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : 24;

    BITMAP bm = {};
    if (!::GetObjectW(bitmap, sizeof(bm), &bm)) return FALSE;
    DWORD rowSize = ((bits * static_cast<DWORD>(bm.bmWidth) + 31) / 32) * 4;
    DWORD imageSize = rowSize * static_cast<DWORD>(bm.bmHeight);
    DWORD paletteSize = bits <= 8 ? (1u << bits) * sizeof(RGBQUAD) : 0;

    std::string info(sizeof(BITMAPINFOHEADER) + paletteSize, '\0');
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(&info[0]);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = bm.bmWidth;
    header->biHeight = bm.bmHeight;
    header->biPlanes = 1;
    header->biBitCount = bits;
    header->biCompression = BI_RGB;
    header->biSizeImage = imageSize;
    std::string pixels(imageSize, '\0');
    HDC screen = ::GetDC(nullptr);
    HPALETTE old = ::SelectPalette(screen, static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)), FALSE);
    ::RealizePalette(screen);
    int lines = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), &pixels[0],
                            reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    if (old) ::SelectPalette(screen, old, TRUE);
    ::ReleaseDC(nullptr, screen);
    if (lines == 0) return FALSE;

    HANDLE file = ::CreateFileW(path.GetString(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + info.size());
    fh.bfSize = fh.bfOffBits + imageSize;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, &fh, sizeof(fh), &written, nullptr) &&
              ::WriteFile(file, info.data(), static_cast<DWORD>(info.size()), &written, nullptr) &&
              ::WriteFile(file, pixels.data(), imageSize, &written, nullptr);
    ::CloseHandle(file);
    return ok;
}

void MRender::CheckAlphaColor(DWORD& colour) {
    if ((colour & 0x00FFFFFF) == 0) colour += 1;
}

}  // namespace QxUI
