#include "toolkit/controls/move_show_text.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MoveShowText", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MoveShowText(p, id, r, t, a, b);
});

MoveShowText::MoveShowText(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE), m_hover(FALSE) {}

BOOL MoveShowText::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_pressedInside) return 0;
    BOOL hover = CRect(m_rect).PtInRect(point) ? TRUE : FALSE;
    SendMessageW(NOTIFY_HOVER_ITEM, 0, hover);
    if (hover == m_hover) return 0;
    m_hover = hover;
    UpdateControl(FALSE);
    return 1;
}

void MoveShowText::DrawControl(HDC& hdc, CRect) {
    // Frame 0 is the background alone, frame 1 adds the title centred both ways.
    PaintLookStrip(*this, hdc, 2, m_hover ? 1 : 0, [&](HDC dc, int look, const CRect& frame) {
        if (look != 1 || m_title.IsEmpty()) return;
        Gdiplus::FontFamily* family = GetFontFamily(m_fontFace);
        if (!family) return;
        Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
        Gdiplus::SolidBrush brush{Gdiplus::Color(m_textColor)};
        Gdiplus::Graphics g(dc);
        g.SetTextRenderingHint(m_renderingHint);
        g.DrawString(m_title, m_title.GetLength(), &font,
                     Gdiplus::RectF(static_cast<float>(frame.left), static_cast<float>(frame.top),
                                    static_cast<float>(frame.Width()), static_cast<float>(frame.Height())),
                     &format, &brush);
    });
}

}  // namespace QxUI
