#include "toolkit/controls/c_photo_frame.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CPhotoFrame", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CPhotoFrame(p, id, r, a, b);
});

namespace {
constexpr int kLooks = 4;
constexpr int kOverlayBorder = 12;

}  // namespace

CPhotoFrame::CPhotoFrame(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_photo(nullptr),
      m_photoWidth(0),
      m_photoHeight(0),
      m_look(0) {}

CPhotoFrame::~CPhotoFrame() {
    delete m_photo;
    delete m_image;
}

BOOL CPhotoFrame::SetPhotoFrame(const wchar_t* file, int count) {
    BOOL ok = ReplaceOwnedImage(m_photo, count > 0 ? LoadSkinImage(file) : nullptr, count, m_photoWidth, m_photoHeight);
    UpdateControl(TRUE);
    return ok;
}

BOOL CPhotoFrame::SetPhotoFrame(UINT resId, CString type, int count) {
    BOOL ok = ReplaceOwnedImage(m_photo, count > 0 ? LoadApplicationImage(resId, type) : nullptr, count, m_photoWidth,
                                m_photoHeight);
    UpdateControl(TRUE);
    return ok;
}

BOOL CPhotoFrame::TakeOverlay(Gdiplus::Image* image, int count) {
    BOOL ok = ReplaceOwnedImage(m_image, image, count, m_stateWidth, m_stateHeight);
    if (ok) m_stateCount = count;
    UpdateControl(TRUE);
    return ok;
}

BOOL CPhotoFrame::SetImage(const wchar_t* file, int count) {
    return TakeOverlay(count > 0 ? LoadSkinImage(file) : nullptr, count);
}

BOOL CPhotoFrame::SetImage(UINT resId, CString type, int count) {
    return TakeOverlay(count > 0 ? LoadApplicationImage(resId, type) : nullptr, count);
}

BOOL CPhotoFrame::SetShowMode(enumShowMode mode, int border) {
    if (!SetFitMode(m_fit, mode, border)) return 0;
    UpdateControl(TRUE);
    return 1;
}

BOOL CPhotoFrame::SetShowModeMID(int left, int top, int right, int bottom) {
    SetFitBorders(m_fit, left, top, right, bottom);
    UpdateControl(TRUE);
    return 1;
}

void CPhotoFrame::SetLook(int look) {
    if (look == m_look) return;
    m_look = look;
    UpdateControl(FALSE);
}

BOOL CPhotoFrame::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_pressedInside) return 0;
    int before = m_look;
    SetLook(CRect(m_rect).PtInRect(point) ? 1 : 0);
    return before != m_look;
}

BOOL CPhotoFrame::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !CRect(m_rect).PtInRect(point)) return 0;
    SetLook(2);
    SendMessageW(NOTIFY_PRESS);
    return 1;
}

BOOL CPhotoFrame::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    bool pressed = m_look == 2;
    bool inside = CRect(m_rect).PtInRect(point);
    SetLook(inside ? 1 : 0);
    if (pressed && inside) SendMessageW(NOTIFY_CLICK);
    return 1;
}

void CPhotoFrame::DrawControl(HDC& hdc, CRect) {
    m_fit.hAlign = m_hAlign;
    m_fit.vAlign = m_vAlign;
    // Every look starts with the photo; with an overlay the first three carry its frame. Without
    // one, all looks show the photo alone.
    PaintLookStrip(*this, hdc, kLooks, m_look, [&](HDC dc, int look, const CRect& frame) {
        Gdiplus::Graphics g(dc);
        DrawPictureFitted(g, m_photo, m_photoWidth, m_photoHeight, 0, frame, m_fit);
        if (m_image && look < 3) DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, 1, frame, kOverlayBorder);
    });
}

}  // namespace QxUI
