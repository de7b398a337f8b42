#pragma once
// Readable gtest output for the toolkit's value types.
#include <ostream>

#include "toolkit/core/c_rect.h"

namespace QxUI {
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace QxUI
