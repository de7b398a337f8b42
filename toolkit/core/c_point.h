#pragma once
#include "toolkit/core/windows_include.h"

namespace QxUI {

// A POINT with constructors; mouse messages carry it as two signed 16-bit halves of lParam.
class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(const POINT& p) : POINT(p) {}
    static CPoint FromLParam(LPARAM lParam) {
        return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    }
    void Offset(int dx, int dy) { x += dx; y += dy; }
    bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    bool operator!=(const POINT& o) const { return !(*this == o); }
};

}  // namespace QxUI
