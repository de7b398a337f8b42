#pragma once
#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"

namespace QxUI {

// One cached skin image: `count` equally wide states side by side, left to right. State i is
// the source rectangle (i * width, 0, width, height). Owned by the paint manager's cache.
struct ImgResInfo {
    Gdiplus::Image* image = nullptr;
    int width = 0;   // width of one state: image width / count
    int height = 0;  // image height
    int count = 1;
    CString file;    // for entries cached by file name
    UINT resId = 0;  // for entries cached by resource id
};

}  // namespace QxUI
