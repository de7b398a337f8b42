#include "toolkit/controls/m_picture.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

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
    delete m_image;
    m_image = image;
    m_stateWidth = m_stateHeight = 0;
    if (image && count > 0) {
        m_stateWidth = static_cast<int>(image->GetWidth()) / count;
        m_stateHeight = static_cast<int>(image->GetHeight());
        m_stateCount = count;
    }
    UpdateControl(TRUE);
    return image ? TRUE : FALSE;
}

BOOL MPicture::SetImage(const wchar_t* file, int count) {
    if (!file || count <= 0) return TakeImage(nullptr, 1);
    m_imagePath = file;
    return TakeImage(MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file), count);
}

BOOL MPicture::SetImage(UINT resId, CString type, int count) {
    if (count <= 0) return TakeImage(nullptr, 1);
    return TakeImage(MRender::LoadImageFromIDResource(resId, type, Manager::GetInstance()), count);
}

BOOL MPicture::SetShowMode(enumShowMode mode, int border) {
    if (mode == m_fit.mode && (mode != SHOW_MODE_FRAME || border == m_fit.border)) return 0;
    m_fit.mode = mode;
    m_fit.border = border;
    UpdateControl(TRUE);
    return 1;
}

BOOL MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
    m_fit.mode = SHOW_MODE_FRAME_MID;
    m_fit.left = left;
    m_fit.top = top;
    m_fit.right = right;
    m_fit.bottom = bottom;
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
