#include "toolkit/controls/c_slider_picture.h"

#include <algorithm>

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CSliderPicture", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int b) -> MControl* {
    return new CSliderPicture(p, id, r, a, b);
});

CRect SlideRevealedPart(int W, int H, SLIDER_MODE mode, int revealed) {
    switch (mode) {
    case SLIDER_TOP_TO_BOTTOM: return CRect(0, 0, W, std::clamp(revealed, 0, H));
    case SLIDER_RIGHT_TO_LEFT: return CRect(W - std::clamp(revealed, 0, W), 0, W, H);
    default: return CRect(0, 0, std::clamp(revealed, 0, W), H);
    }
}

CSliderPicture::CSliderPicture(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_mode(SLIDER_LEFT_TO_RIGHT),
      m_ticks(0),
      m_ticksPerStep(1),
      m_position(0),
      m_end(0),
      m_running(FALSE) {
    m_runTimer = TRUE;
    m_stateCount = 1;
}

CSliderPicture::~CSliderPicture() { delete m_image; }

BOOL CSliderPicture::SetImage(const wchar_t* file, int count) {
    if (count <= 0) return FALSE;
    BOOL ok = ReplaceOwnedImage(m_image, LoadSkinImage(file), count, m_stateWidth, m_stateHeight);
    UpdateControl(TRUE);
    return ok;
}

BOOL CSliderPicture::SetImage(UINT resId, CString type, int count) {
    if (count <= 0) return FALSE;
    BOOL ok = ReplaceOwnedImage(m_image, LoadApplicationImage(resId, type), count, m_stateWidth, m_stateHeight);
    UpdateControl(TRUE);
    return ok;
}

BOOL CSliderPicture::SetShowMode(enumShowMode mode, int border) {
    if (!SetFitMode(m_fit, mode, border)) return 0;
    UpdateControl(TRUE);
    return 1;
}

BOOL CSliderPicture::SetShowModeMID(int left, int top, int right, int bottom) {
    SetFitBorders(m_fit, left, top, right, bottom);
    UpdateControl(TRUE);
    return 1;
}

int CSliderPicture::SetRun(int run, SLIDER_MODE mode) {
    if (!m_enabled) return m_running;
    BOOL running = run ? TRUE : FALSE;
    bool changed = running != m_running;
    m_running = running;
    m_mode = mode;
    m_ticks = 0;
    // The revealed strip counts up from the start edge to the size along the slide.
    m_position = 0;
    m_end = (mode == SLIDER_TOP_TO_BOTTOM) ? CRect(m_rect).Height() : CRect(m_rect).Width();
    // It hid itself after the last run; a new run shows it again.
    if (m_running && !m_visible) {
        SetControlVisible(TRUE);
        changed = true;
    }
    if (changed) UpdateControl(TRUE, TRUE);
    return m_running;
}

BOOL CSliderPicture::OnControlTimer() {
    if (!m_running || !m_visible) return 0;
    if (++m_ticks % m_ticksPerStep != 0) return 0;
    m_position += std::max(1, m_end / 100);
    if (m_position > m_end) m_running = FALSE;
    UpdateControl(TRUE);
    return 1;
}

void CSliderPicture::DrawControl(HDC& hdc, CRect) {
    if (!m_running) {
        // Shown only while a slide runs.
        SetControlVisible(FALSE);
        UpdateControl(TRUE, TRUE);
        return;
    }
    m_fit.hAlign = m_hAlign;
    m_fit.vAlign = m_vAlign;
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) {
        CRect shown = SlideRevealedPart(frame.Width(), frame.Height(), m_mode, m_position);
        shown.OffsetRect(frame.left, frame.top);
        {
            Gdiplus::Graphics g(dc);
            g.SetClip(Gdiplus::Rect(shown.left, shown.top, shown.Width(), shown.Height()));
            DrawPictureFitted(g, m_image, m_stateWidth, m_stateHeight, 0, frame, m_fit);
        }
        HRGN rest = ::CreateRectRgn(frame.left, frame.top, frame.right, frame.bottom);
        HRGN part = ::CreateRectRgn(shown.left, shown.top, shown.right, shown.bottom);
        ::CombineRgn(rest, rest, part, RGN_DIFF);
        HBRUSH grey = ::CreateSolidBrush(0xF2F2F2);
        ::FillRgn(dc, rest, grey);
        ::DeleteObject(grey);
        ::DeleteObject(part);
        ::DeleteObject(rest);
    });
}

}  // namespace QxUI
