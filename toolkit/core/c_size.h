#pragma once
#include "toolkit/core/windows_include.h"

namespace QxUI {

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int w, int h) : SIZE{w, h} {}
    CSize(const SIZE& s) : SIZE(s) {}
    bool operator==(const SIZE& o) const { return cx == o.cx && cy == o.cy; }
};

}  // namespace QxUI
