#include "tests/toolkit/support/test_controls.h"

#include "toolkit/core/img_res_info.h"
#include "toolkit/core/paint_manager.h"

namespace qxtest {

using QxUI::CPoint;
using QxUI::CRect;

DWORD ProbeControl::CurrentColour() const {
    if (pressed) return kPressed;
    if (hot) return kHot;
    if (m_focused) return kFocused;
    return kNormal;
}

void ProbeControl::DrawControl(HDC& hdc, CRect) {
    ++draws;
    Gdiplus::Graphics g(hdc);
    Gdiplus::SolidBrush brush{Gdiplus::Color(CurrentColour())};
    CRect r = GetRect();
    g.FillRectangle(&brush, static_cast<INT>(r.left), static_cast<INT>(r.top), r.Width(), r.Height());
}

BOOL ProbeControl::OnControlMouseMove(UINT, CPoint point) {
    bool inside = GetRect().PtInRect(point) != FALSE;
    if (inside != hot) {
        hot = inside;
        UpdateControl(TRUE);
    }
    return FALSE;
}

BOOL ProbeControl::OnControlLButtonDown(UINT, CPoint) {
    pressed = true;
    UpdateControl(TRUE);
    SendMessageW(1, 0, 0);
    return TRUE;
}

BOOL ProbeControl::OnControlLButtonUp(UINT, CPoint point) {
    bool wasPressed = pressed;
    pressed = false;
    UpdateControl(TRUE);
    if (wasPressed && GetRect().PtInRect(point)) SendMessageW(2, 0, 0);
    return TRUE;
}

BOOL ProbeControl::SetControlFocus(BOOL focus) {
    focusCalls.push_back(focus);
    m_focused = focus;
    MControl::SetControlFocus(focus);
    return 0;
}

BOOL ProbeControl::OnControlTimer() {
    ++timerTicks;
    return TRUE;
}

void ImageControl::InitControl(QxUI::PaintManager* manager) {
    if (manager) m_image = manager->AddImgResInfo(m_file, m_count);
}

void ImageControl::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    if (!m_image) return;
    if (!GetUpdate()) {
        ++renders;
        UpdateMemDC(hdc, r.Width(), r.Height());
        HDC mem = GetMemDC();
        // Start from what lies under the control, so the image's alpha blends over it.
        ::BitBlt(mem, 0, 0, r.Width(), r.Height(), hdc, r.left, r.top, SRCCOPY);
        Gdiplus::Graphics g(mem);
        g.DrawImage(m_image->image, Gdiplus::Rect(0, 0, r.Width(), r.Height()), state * m_image->width, 0,
                    m_image->width, m_image->height, Gdiplus::UnitPixel);
    }
    ::BitBlt(hdc, r.left, r.top, r.Width(), r.Height(), GetMemDC(), 0, 0, SRCCOPY);
}

BOOL ImageControl::OnControlMouseMove(UINT, CPoint point) {
    int wanted = GetRect().PtInRect(point) ? 1 : 0;
    if (wanted != state) {
        state = wanted;
        UpdateControl(TRUE);
    }
    return FALSE;
}

void TextControl::DrawControl(HDC& hdc, CRect) {
    QxUI::PaintManager* manager = GetManager();
    Gdiplus::FontFamily* family = manager ? manager->FindTempFont(L"Arial") : nullptr;
    if (!family) return;
    Gdiplus::Graphics g(hdc);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    Gdiplus::Font font(family, m_size, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush{Gdiplus::Color(m_colour)};
    CRect r = GetRect();
    Gdiplus::RectF box(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.Width()),
                       static_cast<float>(r.Height()));
    Gdiplus::StringFormat format;
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    g.DrawString(m_text, m_text.GetLength(), &font, box, &format, &brush);
}

}  // namespace qxtest
