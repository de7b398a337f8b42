#include "toolkit/controls/m_picture.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MPicture", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new MPicture(p, id, r, a, b);
});

MPicture::MPicture(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE) {
    m_stateCount = 1;
}

MPicture::~MPicture() { delete m_image; }

BOOL MPicture::TakeImage(Gdiplus::Image* image, int count) {
    BOOL ok = ReplaceOwnedImage(m_image, image, count, m_stateWidth, m_stateHeight);
    if (ok) m_stateCount = count;
    UpdateControl(TRUE);
    return ok;
}

BOOL MPicture::SetImage(const wchar_t* file, int count) {
    if (file) m_imagePath = file;
    return TakeImage(count > 0 ? LoadSkinImage(file) : nullptr, count);
}

BOOL MPicture::SetImage(UINT resId, CString type, int count) {
    return TakeImage(count > 0 ? LoadApplicationImage(resId, type) : nullptr, count);
}

BOOL MPicture::SetShowMode(enumShowMode mode, int border) {
    if (!SetFitMode(m_fit, mode, border)) return 0;
    UpdateControl(TRUE);
    return 1;
}

BOOL MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
    SetFitBorders(m_fit, left, top, right, bottom);
    UpdateControl(TRUE);
    return 1;
}

void MPicture::DrawControl(HDC& hdc, CRect) {
    m_fit.hAlign = m_hAlign;
    m_fit.vAlign = m_vAlign;
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) {
        Gdiplus::Graphics g(dc);
        DrawPictureFitted(g, m_image, m_stateWidth, m_stateHeight, 0, frame, m_fit);
    });
}

}  // namespace QxUI
