#pragma once
#include <vector>

#include "toolkit/core/qxui_export.h"
#include "toolkit/core/windows_include.h"

namespace QxUI {

// One row of a shape: the columns [start, end). An empty row is (width, 0), so that "largest
// start" and "smallest end" of neighbouring rows stay empty without special cases.
struct ShadowSpan {
    int start;
    int end;
    bool IsEmpty() const { return start >= end; }
};

// What the computed shadow is made of (already inside the shadow's limits).
struct ShadowParams {
    int size;          // how far the shadow reaches beyond the window on each side; 0 renders nothing
    int sharpness;     // width of the soft edge
    int darkness;      // alpha of the solid part
    int xOffset;       // shift of the shadow against the window
    int yOffset;
    DWORD color;       // 0x00RRGGBB
};

// The soft drop shadow as pure functions on pixel buffers, so it can be tested and measured
// without a window. Pixels are premultiplied 0xAARRGGBB words, rows from the top.
class QXUI_API ShadowBlur {
public:
    // Each of the three colour bytes times alpha / 255; the top byte 0.
    static DWORD PreMultiply(DWORD colour, BYTE alpha);
    // The shape of a window region in window coordinates: per row of the W x H window the first
    // and last column inside it. NULL or an empty region gives W x H empty rows.
    static std::vector<ShadowSpan> ShapeFromRegion(HRGN region, int width, int height);
    // The shape of a plain rectangle (every row full): what tests and the benchmark feed in.
    static std::vector<ShadowSpan> FullShape(int width, int height);
    // Computes the shadow of a W x H window with the given shape (H rows) into `pixels`, which
    // becomes (W + 2 size) x (H + 2 size), all transparent where no shadow falls, including
    // under the window itself. Empty output for size 0 or a surface that would be empty.
    static void MakeShadow(const ShadowParams& params, const std::vector<ShadowSpan>& shape, int width, int height,
                           std::vector<DWORD>& pixels);
};

}  // namespace QxUI
