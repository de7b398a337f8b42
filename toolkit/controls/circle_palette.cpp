#include "toolkit/controls/circle_palette.h"

#include "toolkit/controls/palette_paint.h"
#include "toolkit/core/control_factory.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CirclePalette", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CirclePalette(p, id, r, a, b);
});

bool CirclePalette::AcceptsThumbPoint(CPoint point) const { return CircleRingHolds(GetDistanse(point)); }

}  // namespace QxUI
