#pragma once
// GDI+ expects min and max in scope, which NOMINMAX (set by the build) removes.
#include "toolkit/core/windows_include.h"
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
