#include "toolkit/core/m_air_bladder.h"

#include <string>

#include "toolkit/core/air_bladder_geometry.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace QxUI {

namespace {
void SetAlignment(Gdiplus::StringFormat& format, Gdiplus::StringAlignment both) {
    format.SetAlignment(both);
    format.SetLineAlignment(both);
}
}  // namespace

MAirBladder::MAirBladder()
    : m_anchor{0, 0}, m_type(AIRBLADDER_CENTER), m_mode(AIRBLADDER_MODE_BELOW), m_lineCount(1) {
    SetAlignment(m_format, Gdiplus::StringAlignmentNear);
    m_format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
}

MAirBladder::~MAirBladder() {
    DetachAndDestroy();
    for (SkinImage* slot : {&m_arrowTop, &m_arrowLeft, &m_arrowRight}) delete slot->image;
}

BOOL MAirBladder::OnInitDialog() {
    LoadTempFont();
    return TRUE;
}

BOOL MAirBladder::LoadInto(CString file, SkinImage* slot) {
    delete slot->image;
    slot->image = LoadSkinImage(file, &slot->width, &slot->height);
    return slot->image != nullptr;
}

BOOL MAirBladder::LoadInto(UINT resId, CString type, SkinImage* slot) {
    delete slot->image;
    slot->image = MRender::LoadImageFromIDResource(resId, type, Manager::m_hInstance);
    slot->width = slot->image ? static_cast<int>(slot->image->GetWidth()) : 0;
    slot->height = slot->image ? static_cast<int>(slot->image->GetHeight()) : 0;
    return slot->image != nullptr;
}

BOOL MAirBladder::SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode) {
    if (!text) return FALSE;
    if (m_text == text && m_anchor.x == anchor.x && m_anchor.y == anchor.y && m_type == type && m_mode == mode)
        return TRUE;
    SetAlignment(m_format, Gdiplus::StringAlignmentNear);
    m_text = text;
    m_anchor = anchor;
    m_type = type;
    m_mode = mode;
    AutoFit();
    // Setting a timer id again restarts it: a changed text gets its full five seconds. A
    // balloon that now stays must not be hidden by the timer of the text before it.
    if (m_type != AIRBLADDER_STAY)
        SetTimer(kHideTimer, kHideDelayMs);
    else
        KillTimer(kHideTimer);
    return TRUE;
}

// Line by line: measuring the whole text at once gives the widest line on Windows, but Wine's
// GDI+ measures only the first line of an unbounded layout.
Gdiplus::Size MAirBladder::MeasureText() const {
    Gdiplus::Font font(TextFamily(), kFontPixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::Size size(0, 0);
    const std::wstring text = m_text.GetString();
    size_t start = 0;
    for (;;) {
        size_t end = text.find(L'\n', start);
        CString line(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start).c_str());
        Gdiplus::Size bounds = MRender::GetTextBounds(font, m_format, line);
        if (bounds.Width > size.Width) size.Width = bounds.Width;
        if (start == 0) size.Height = bounds.Height;
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return size;
}

void MAirBladder::AutoFit() {
    if (m_text.IsEmpty()) return;
    Gdiplus::Size measured = MeasureText();
    AirBladderLayout layout =
        PlaceAirBladder(m_anchor, m_mode, measured.Width, measured.Height, CountTextLines(m_text));
    if (layout.centred) SetAlignment(m_format, Gdiplus::StringAlignmentCenter);
    m_lineCount = layout.lineCount;
    MoveWindow(&layout.window, TRUE);
    OnPaint();
}

BOOL MAirBladder::OnPaint() {
    return PaintBubble(kFrameBorder, 255, [this](Gdiplus::Graphics& g, int w, int h) {
        if (m_text.IsEmpty()) return;
        Gdiplus::Font font(TextFamily(), kFontPixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        int lineHeight = MeasureText().Height;
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        Gdiplus::SolidBrush brush{Gdiplus::Color(kTextColour)};
        Gdiplus::RectF box = AirBladderTextBox(w, h, m_lineCount, lineHeight);
        g.DrawString(m_text.GetString(), -1, &font, box, &m_format, &brush);
    });
}

void MAirBladder::OnTimer(UINT id) { OnBubbleTimer(id); }

BOOL MAirBladder::OnKillFocus(MWindow*) {
    OnBubbleKillFocus(m_mode == AIRBLADDER_MODE_STICKY);
    return 0;
}

}  // namespace QxUI
