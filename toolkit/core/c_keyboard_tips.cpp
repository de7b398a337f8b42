#include "toolkit/core/c_keyboard_tips.h"

#include "toolkit/core/air_bladder_geometry.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

CKeyboardTips::CKeyboardTips() : m_anchor{0, 0}, m_type(AIRBLADDER_CENTER), m_mode(AIRBLADDER_MODE_BELOW) {
    m_format.SetAlignment(Gdiplus::StringAlignmentCenter);
    m_format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    m_format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
}

CKeyboardTips::~CKeyboardTips() { DetachAndDestroy(); }

BOOL CKeyboardTips::OnInitDialog() {
    LoadTempFont();
    return TRUE;
}

BOOL CKeyboardTips::SetAirBladderMsg(const wchar_t* title, const wchar_t* note, const wchar_t* text, POINT anchor) {
    if (!title || !note || !text) return FALSE;
    if (m_title == title && m_note == note && m_text == text && m_anchor.x == anchor.x && m_anchor.y == anchor.y)
        return TRUE;
    m_title = title;
    m_note = note;
    m_text = text;
    m_anchor = anchor;
    m_type = AIRBLADDER_HOVER;
    m_mode = AIRBLADDER_MODE_ABOVE;
    AutoFit();
    return TRUE;
}

void CKeyboardTips::AutoFit() {
    if (m_title.IsEmpty()) return;
    CRect rect = PlaceKeyTip(m_anchor);
    MoveWindow(&rect, TRUE);
    OnPaint();
}

BOOL CKeyboardTips::OnPaint() {
    return PaintBubble(kFrameBorder, kConstantAlpha, [this](Gdiplus::Graphics& g, int w, int) {
        if (m_title.IsEmpty()) return;
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        const Gdiplus::FontFamily* family = TextFamily();
        Gdiplus::Font titleFont(family, 16.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::Font textFont(family, 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush titleBrush{Gdiplus::Color(kTitleColour)};
        Gdiplus::SolidBrush textBrush{Gdiplus::Color(kTextColour)};
        float inner = static_cast<float>(w - 20);
        g.DrawString(m_title.GetString(), -1, &titleFont, Gdiplus::RectF(10, 30, inner, 20), &m_format, &titleBrush);
        g.DrawString(m_text.GetString(), -1, &textFont, Gdiplus::RectF(10, 50, inner, 20), &m_format, &textBrush);
    });
}

// Timer 10 is started by nobody but still hides the tip, like the balloon's.
void CKeyboardTips::OnTimer(UINT id) { OnBubbleTimer(id); }

BOOL CKeyboardTips::OnKillFocus(MWindow*) {
    OnBubbleKillFocus(m_mode == AIRBLADDER_MODE_STICKY);
    return 0;
}

}  // namespace QxUI
