// Blending: msimg32 entry points, constant-alpha blends, transitions and gradients.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "toolkit/core/gdi_handles.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

namespace {
struct Msimg32 {
    MRender::AlphaBlendFn alphaBlend = nullptr;
    MRender::GradientFillFn gradientFill = nullptr;
    Msimg32() {
        HMODULE module = ::LoadLibraryW(L"msimg32.dll");
        if (!module) return;
        alphaBlend = reinterpret_cast<MRender::AlphaBlendFn>(reinterpret_cast<void*>(::GetProcAddress(module, "AlphaBlend")));
        gradientFill =
            reinterpret_cast<MRender::GradientFillFn>(reinterpret_cast<void*>(::GetProcAddress(module, "GradientFill")));
    }
};
const Msimg32& Library() {
    static const Msimg32 library;  // looked up once, thread-safe
    return library;
}

// Blends without msimg32: stretch the source to the destination size in one 32-bit surface,
// copy the destination into another, mix per channel, copy back.
void SoftwareBlend(HDC dst, const CRect& d, HDC src, const CRect& s, BYTE alpha) {
    int w = d.Width(), h = d.Height();
    if (w <= 0 || h <= 0) return;
    BYTE* srcBits = nullptr;
    BYTE* dstBits = nullptr;
    MemoryDC srcDC(dst), dstDC(dst);
    GdiBitmap srcBmp(MRender::CreateARGB32Bitmap(dst, w, h, &srcBits));
    GdiBitmap dstBmp(MRender::CreateARGB32Bitmap(dst, w, h, &dstBits));
    if (!srcBits || !dstBits) return;
    ScopedSelect s1(srcDC, srcBmp), s2(dstDC, dstBmp);
    ::SetStretchBltMode(srcDC, COLORONCOLOR);
    ::StretchBlt(srcDC, 0, 0, w, h, src, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
    ::BitBlt(dstDC, 0, 0, w, h, dst, d.left, d.top, SRCCOPY);
    ::GdiFlush();
    for (int i = 0; i < w * h; ++i) {
        BYTE* sp = srcBits + i * 4;
        BYTE* dp = dstBits + i * 4;
        double x = sp[3] * static_cast<double>(alpha) / 255.0 / 255.0;
        for (int c = 0; c < 3; ++c) dp[c] = static_cast<BYTE>(dp[c] * (1.0 - x) + sp[c] * x);
    }
    ::BitBlt(dst, d.left, d.top, w, h, dstDC, 0, 0, SRCCOPY);
}
}  // namespace

MRender::AlphaBlendFn MRender::GetAlphaBlend() { return Library().alphaBlend; }
MRender::GradientFillFn MRender::GetGradientFill() { return Library().gradientFill; }

void MRender::BlendConstant(HDC dst, const CRect& d, HDC src, const CRect& s, BYTE alpha) {
    if (d.IsRectEmpty() || s.IsRectEmpty()) return;
    if (AlphaBlendFn blend = GetAlphaBlend()) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, alpha, 0};
        blend(dst, d.left, d.top, d.Width(), d.Height(), src, s.left, s.top, s.Width(), s.Height(), bf);
    } else {
        SoftwareBlend(dst, d, src, s, alpha);
    }
}

int MRender::TransitionAlpha(int i, int n, int startPercent, int endPercent) {
    if (n <= 0) return 255;
    double S = std::floor(255.0 * (100 - startPercent) / 100.0);
    double E = std::floor(255.0 * (100 - endPercent) / 100.0);
    int a = static_cast<int>(S + i * (E - S) / n);
    return std::clamp(a, 0, 255);
}

int MRender::DrawVerticalTransition(HDC& dst, HDC& src, const CRect& d, const CRect& s, int start, int end) {
    int n = d.Height();
    int alpha = 255;
    for (int i = 0; i < n; ++i) {
        alpha = TransitionAlpha(i, n, start, end);
        BlendConstant(dst, CRect(d.left, d.top + i, d.right, d.top + i + 1), src,
                      CRect(s.left, s.top + i, s.right, s.top + i + 1), static_cast<BYTE>(alpha));
    }
    return alpha;
}

int MRender::DrawHorizontalTransition(HDC& dst, HDC& src, const CRect& d, const CRect& s, int start, int end) {
    int n = d.Width();
    int alpha = 255;
    for (int i = 0; i < n; ++i) {
        alpha = TransitionAlpha(i, n, start, end);
        BlendConstant(dst, CRect(d.left + i, d.top, d.left + i + 1, d.bottom), src,
                      CRect(s.left + i, s.top, s.left + i + 1, s.bottom), static_cast<BYTE>(alpha));
    }
    return alpha;
}

void MRender::DrawRightBottomTransition(HDC& dst, HDC& src, CRect rect, int size, DWORD) {
    if (size <= 0) return;
    // The square in the bottom-right corner: alpha 255 at the corner, fading with the distance.
    int x0 = rect.right - size, y0 = rect.bottom - size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = size - 1 - x, dy = size - 1 - y;
            double distance = std::sqrt(dx * dx + dy * dy);
            int alpha = 255 - static_cast<int>(255 * std::min<double>(size, distance) / size);
            CRect p(x0 + x, y0 + y, x0 + x + 1, y0 + y + 1);
            BlendConstant(dst, p, src, p, static_cast<BYTE>(std::clamp(alpha, 0, 255)));
        }
}

void MRender::DrawGradient(HDC hdc, const RECT& rect, DWORD from, DWORD to, bool vertical, int steps) {
    CRect r(rect);
    if (r.IsRectEmpty()) return;
    int a = static_cast<int>(((from >> 24) & 0xFF) + ((to >> 24) & 0xFF)) / 2;
    if (a == 0) return;

    auto vertex = [](LONG x, LONG y, DWORD c) {
        TRIVERTEX v;
        v.x = x;
        v.y = y;
        v.Red = static_cast<COLOR16>(((c >> 16) & 0xFF) << 8);
        v.Green = static_cast<COLOR16>(((c >> 8) & 0xFF) << 8);
        v.Blue = static_cast<COLOR16>((c & 0xFF) << 8);
        v.Alpha = 0xFF00;
        return v;
    };
    auto fill = [&](HDC target, const CRect& box) {
        if (GradientFillFn gradient = GetGradientFill()) {
            TRIVERTEX v[2] = {vertex(box.left, box.top, from), vertex(box.right, box.bottom, to)};
            GRADIENT_RECT g = {0, 1};
            gradient(target, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
            return;
        }
        // Without GradientFill: 2^m solid bands interpolated from the first colour to the second.
        int m = steps < 4 ? 1 : steps < 8 ? 2 : steps < 16 ? 3 : steps < 32 ? 4 : steps < 64 ? 5 : 6;
        int bands = 1 << m;
        int length = vertical ? box.Height() : box.Width();
        for (int i = 0; i < bands; ++i) {
            auto mix = [&](int shift) {
                int c0 = (from >> shift) & 0xFF, c1 = (to >> shift) & 0xFF;
                return c0 + (c1 - c0) * i / (bands - 1);
            };
            COLORREF c = RGB(mix(16), mix(8), mix(0));
            int p0 = length * i / bands, p1 = length * (i + 1) / bands;
            CRect band = vertical ? CRect(box.left, box.top + p0, box.right, box.top + p1)
                                  : CRect(box.left + p0, box.top, box.left + p1, box.bottom);
            FillSolidRect(target, &band, c);
        }
    };

    if (a >= 255) {
        fill(hdc, r);
        return;
    }
    BYTE* bits = nullptr;
    MemoryDC temp(hdc);
    GdiBitmap bitmap(CreateARGB32Bitmap(hdc, r.Width(), r.Height(), &bits));
    if (!bitmap.Get()) return;
    ScopedSelect select(temp, bitmap);
    fill(temp, CRect(0, 0, r.Width(), r.Height()));
    BlendConstant(hdc, r, temp, CRect(0, 0, r.Width(), r.Height()), static_cast<BYTE>(a));
}

}  // namespace QxUI
