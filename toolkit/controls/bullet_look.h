#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class MControlFont;

// The bullet of check and radio buttons: state `index` of the control's skin image, unscaled,
// at the frame's left edge and vertically centred.
QXUI_API void DrawBullet(MControlFont& control, Gdiplus::Graphics& g, int index, const CRect& frame);
// A look of a radio-like button: the bullet, then the title right of it, placed by the control's
// alignment (BulletTitleBox) and grey in the disabled looks (3 and 7).
QXUI_API void DrawBulletTitleLook(MControlFont& control, HDC dc, int index, const CRect& frame);
// The grey of disabled check and radio titles.
constexpr Gdiplus::ARGB kDisabledCheckText = 0xFE808080;

}  // namespace QxUI
