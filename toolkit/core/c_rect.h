#pragma once
#include "toolkit/core/c_point.h"
#include "toolkit/core/c_size.h"

namespace QxUI {

// A RECT with the usual helpers. Right and bottom are exclusive, as in Win32.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(const RECT* r) : RECT(r ? *r : RECT{0, 0, 0, 0}) {}
    CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    // Empty: no area (width or height zero or negative).
    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    // Null: all four coordinates are zero.
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void InflateRect(int dx, int dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
    BOOL IntersectRect(const RECT& a, const RECT& b) { return ::IntersectRect(this, &a, &b); }
    BOOL UnionRect(const RECT& a, const RECT& b) { return ::UnionRect(this, &a, &b); }
    // True when the two rectangles share at least one pixel.
    BOOL Intersects(const RECT& o) const {
        RECT r;
        return ::IntersectRect(&r, this, &o);
    }

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }
    bool operator==(const RECT& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const RECT& o) const { return !(*this == o); }
};

}  // namespace QxUI
