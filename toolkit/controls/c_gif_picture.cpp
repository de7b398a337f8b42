#include "toolkit/controls/c_gif_picture.h"

#include <vector>

#include "toolkit/core/control_factory.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CGifPicture", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CGifPicture(p, id, r, a, b);
});

namespace {
constexpr int kTicksPerFrame = 5;
}

CGifPicture::CGifPicture(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_frameCount(0),
      m_dimension(Gdiplus::FrameDimensionTime),
      m_frame(0),
      m_ticks(0),
      m_running(FALSE),
      m_mouseMoveActive(false) {
    m_runTimer = TRUE;
}

BOOL CGifPicture::SetImage(const wchar_t* file, int) {
    m_frameCount = 0;
    m_frame = 0;
    if (!m_manager || !file || !AttachImage(m_manager->AddImgResInfo(file, 4), 4)) return 0;
    // Images without frame dimensions are not animated. The cache keeps a decoded first
    // frame only, so in practice every cached image counts as one frame.
    UINT dimensions = m_image->GetFrameDimensionsCount();
    if (dimensions > 0) {
        std::vector<GUID> ids(dimensions);
        m_image->GetFrameDimensionsList(ids.data(), dimensions);
        m_dimension = ids[0];
        m_frameCount = static_cast<int>(m_image->GetFrameCount(&m_dimension));
    }
    return 0;
}

BOOL CGifPicture::SetRunState(int run, int frame) {
    if (m_frameCount <= 1) return FALSE;
    m_frame = frame;
    m_running = run ? TRUE : FALSE;
    UpdateControl(TRUE);
    return TRUE;
}

BOOL CGifPicture::OnControlMouseMove(UINT, CPoint point) {
    if (!m_mouseMoveActive || !m_enabled || m_pressedInside) return 0;
    bool inside = CRect(m_rect).PtInRect(point);
    if ((inside != FALSE) == (m_running != FALSE)) return 0;
    SetRunState(inside ? 1 : 0, 0);
    return 1;
}

BOOL CGifPicture::OnControlTimer() {
    if (!m_running || !m_visible || m_frameCount <= 1) return 0;
    if (++m_ticks % kTicksPerFrame != 0) return 0;
    m_frame = (m_frame + 1) % m_frameCount;
    UpdateControl(TRUE);
    return 0;
}

void CGifPicture::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) {
        if (!m_image) return;
        if (m_frameCount > 1 && m_frame >= 0 && m_frame < m_frameCount)
            m_image->SelectActiveFrame(&m_dimension, static_cast<UINT>(m_frame));
        Gdiplus::Graphics g(dc);
        g.DrawImage(m_image, Gdiplus::Rect(frame.left, frame.top, frame.Width(), frame.Height()));
    });
}

}  // namespace QxUI
