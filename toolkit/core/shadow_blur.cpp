#include "toolkit/core/shadow_blur.h"

#include <algorithm>
#include <cmath>

namespace QxUI {

DWORD ShadowBlur::PreMultiply(DWORD colour, BYTE alpha) {
    DWORD r = ((colour >> 16) & 0xFF) * alpha / 255;
    DWORD g = ((colour >> 8) & 0xFF) * alpha / 255;
    DWORD b = (colour & 0xFF) * alpha / 255;
    return r << 16 | g << 8 | b;
}

std::vector<ShadowSpan> ShadowBlur::ShapeFromRegion(HRGN region, int width, int height) {
    std::vector<ShadowSpan> shape(static_cast<size_t>(std::max(height, 0)), ShadowSpan{width, 0});
    if (!region) return shape;
    for (int y = 0; y < height; ++y) {
        int x0 = 0;
        while (x0 < width && !::PtInRegion(region, x0, y)) ++x0;
        if (x0 == width) continue;
        int x1 = width - 1;
        while (x1 > x0 && !::PtInRegion(region, x1, y)) --x1;
        shape[static_cast<size_t>(y)] = ShadowSpan{x0, x1 + 1};
    }
    return shape;
}

std::vector<ShadowSpan> ShadowBlur::FullShape(int width, int height) {
    return std::vector<ShadowSpan>(static_cast<size_t>(std::max(height, 0)), ShadowSpan{0, width});
}

namespace {

// The kernel stamped along the shape's edges: solid out to C, then fading over the sharpness.
struct Kernel {
    int radius;
    std::vector<DWORD> pixels;  // (2 radius + 1) squared

    Kernel(int k, int c, int h, int d, DWORD colour) : radius(k) {
        int side = 2 * k + 1;
        pixels.assign(static_cast<size_t>(side) * side, 0);
        for (int dy = -k; dy <= k; ++dy)
            for (int dx = -k; dx <= k; ++dx) {
                double r = std::sqrt(static_cast<double>(dx * dx + dy * dy));
                DWORD value = 0;
                if (r < c) {
                    value = static_cast<DWORD>(d) << 24 | ShadowBlur::PreMultiply(colour, static_cast<BYTE>(d));
                } else if (r <= k) {
                    int f = static_cast<int>((1.0 - (r - c) / (h + 1)) * d);
                    f = std::max(0, std::min(f, 255));
                    value = static_cast<DWORD>(f) << 24 | ShadowBlur::PreMultiply(colour, static_cast<BYTE>(f));
                }
                pixels[static_cast<size_t>(dy + k) * side + (dx + k)] = value;
            }
    }

    // Each covered pixel keeps the larger of itself and the kernel (alpha is the top byte, so
    // the darker wins). Clipped to the surface, so no span can write outside it.
    void Stamp(std::vector<DWORD>& out, int w, int h, int cx, int cy) const {
        int side = 2 * radius + 1;
        int y0 = std::max(cy - radius, 0), y1 = std::min(cy + radius, h - 1);
        int x0 = std::max(cx - radius, 0), x1 = std::min(cx + radius, w - 1);
        for (int y = y0; y <= y1; ++y) {
            DWORD* row = &out[static_cast<size_t>(y) * w];
            const DWORD* k = &pixels[static_cast<size_t>(y - cy + radius) * side + (x0 - cx + radius)];
            for (int x = x0; x <= x1; ++x, ++k)
                if (*k > row[x]) row[x] = *k;
        }
    }
};

void Fill(std::vector<DWORD>& out, int w, int y, int from, int to, DWORD value) {
    from = std::max(from, 0);
    to = std::min(to, w);
    if (from < to) std::fill(out.begin() + static_cast<std::ptrdiff_t>(y) * w + from,
                             out.begin() + static_cast<std::ptrdiff_t>(y) * w + to, value);
}

}  // namespace

void ShadowBlur::MakeShadow(const ShadowParams& p, const std::vector<ShadowSpan>& shape, int W, int H,
                            std::vector<DWORD>& out) {
    out.clear();
    const int s = p.size, h = std::max(p.sharpness, 0), d = std::max(0, std::min(p.darkness, 255));
    const int W2 = W + 2 * s, H2 = H + 2 * s;
    if (s == 0 || W <= 0 || H <= 0 || W2 <= 0 || H2 <= 0 || static_cast<int>(shape.size()) < H) return;
    out.assign(static_cast<size_t>(W2) * H2, 0);

    // Working table: the shape moved by the size, with an empty guard entry at each end.
    const int N = std::max(H, H2);
    const ShadowSpan empty{W, 0};
    std::vector<ShadowSpan> table(static_cast<size_t>(N) + 2, empty);
    for (int y = 0; y < H; ++y) {
        const ShadowSpan& o = shape[static_cast<size_t>(y)];
        int entry = s > 0 ? y + s + 1 : y + 1;
        table[static_cast<size_t>(entry)] = o.IsEmpty() ? empty : ShadowSpan{o.start + s, o.end + s};
    }
    // A soft edge wider than the shadow reaches eats into the shape, so the fade ends where
    // the size says.
    if (h > s) {
        std::vector<ShadowSpan> next(table.size(), empty);
        for (int n = 0; n < h - s; ++n) {
            for (int j = 1; j <= N; ++j) {
                const ShadowSpan& a = table[static_cast<size_t>(j) - 1];
                const ShadowSpan& b = table[static_cast<size_t>(j)];
                const ShadowSpan& c = table[static_cast<size_t>(j) + 1];
                next[static_cast<size_t>(j)] =
                    ShadowSpan{std::max({a.start, b.start, c.start}) + 1, std::min({a.end, b.end, c.end}) - 1};
            }
            table.swap(next);
        }
    }
    const int shift = s < 0 ? -s : 0;
    auto span = [&](int i) -> const ShadowSpan& {
        size_t e = static_cast<size_t>(i + 1 + shift);
        return e < table.size() ? table[e] : table.front();
    };

    const int K = std::max(s, h), C = s > h ? s - h : 0;
    const Kernel kernel(K, C, h, d, p.color);
    for (int i = K; i < H2 - K; ++i) {
        const ShadowSpan& row = span(i);
        if (row.IsEmpty()) continue;
        const ShadowSpan& above = span(i - 1);
        const ShadowSpan& below = span(i + 1);
        // Only where the edge is exposed: the left run up to the further-in neighbour start,
        // the right run from the further-in neighbour end.
        int j = row.start;
        for (; j < row.end && j < std::max(above.start, below.start) + 1; ++j) kernel.Stamp(out, W2, H2, j, i);
        for (j = std::max(j, std::min(above.end, below.end) - 1); j < row.end; ++j) kernel.Stamp(out, W2, H2, j, i);
    }

    const DWORD full = static_cast<DWORD>(d) << 24 | PreMultiply(p.color, static_cast<BYTE>(d));
    const int last = std::max(H2 - K, std::min(H + s - p.yOffset, H2));
    for (int i = std::min(K, std::max(s - p.yOffset, 0)); i < last && i < H2; ++i) {
        const ShadowSpan& row = span(i);
        int y = i - s + p.yOffset;
        if (y < 0 || y >= H) {
            Fill(out, W2, i, row.start, row.end, full);
            continue;
        }
        const ShadowSpan& o = shape[static_cast<size_t>(y)];
        // An owner row without shape covers nothing: the whole span is shadow.
        if (o.IsEmpty()) {
            Fill(out, W2, i, row.start, row.end, full);
            continue;
        }
        int u0 = o.start + s - p.xOffset, u1 = o.end + s - p.xOffset;
        Fill(out, W2, i, row.start, std::min(u0, row.end), full);
        Fill(out, W2, i, std::max(u0, 0), std::min(u1, W2), 0);  // under the window itself
        Fill(out, W2, i, std::max(u1, row.start), row.end, full);
    }
}

}  // namespace QxUI
