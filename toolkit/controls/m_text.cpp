#include "toolkit/controls/m_text.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MText", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new MText(p, id, r, t, a);
});

MarkSplit SplitMark(const CString& title, const CString& mark, int start) {
    MarkSplit split;
    if (mark.IsEmpty() || start < 0 || start > title.GetLength()) return split;
    int u = title.Find(mark, start);
    if (u < 0) return split;
    split.found = true;
    split.prefix = title.Left(u);
    split.mark = mark;
    split.suffix = title.Mid(u + mark.GetLength());
    return split;
}

int TextStartX(bool hasIcon, int iconWidth) { return hasIcon ? iconWidth + 5 : 0; }

void MarkPieceX(int x0, int prefixWidth, int markWidth, int out[3]) {
    out[0] = x0;
    out[1] = x0 + prefixWidth + 2;
    out[2] = x0 + prefixWidth + markWidth + 4;
}

namespace {
// Left edge of character `index` of `text` laid out from x = 0; the right edge of the last
// character for index == length.
float CharacterLeft(Gdiplus::Graphics& g, const Gdiplus::Font& font, const Gdiplus::StringFormat& base,
                    const CString& text, int index) {
    int n = text.GetLength();
    if (index <= 0 || n == 0) return 0.0f;
    bool end = index >= n;
    Gdiplus::StringFormat format(&base);
    format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    Gdiplus::CharacterRange range(end ? n - 1 : index, 1);
    format.SetMeasurableCharacterRanges(1, &range);
    Gdiplus::Region region;
    if (g.MeasureCharacterRanges(text, n, &font, Gdiplus::RectF(0, 0, 100000.0f, 10000.0f), &format, 1, &region) !=
        Gdiplus::Ok)
        return 0.0f;
    Gdiplus::RectF bounds;
    region.GetBounds(&bounds, &g);
    return end ? bounds.X + bounds.Width : bounds.X;
}
}  // namespace

MText::MText(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible)
    : MControlFont(parent, id, rect, title, visible, FALSE, TRUE),
      m_shadow(0),
      m_textBack(0),
      m_backColour(0xFE008000),
      m_shadowColour(0xFE505050),
      m_markColour(0xFEED801B),
      m_markStart(0),
      m_reserved1(0),
      m_reserved2(0),
      m_multiLine(0),
      m_vCenter(0) {}

void MText::SetMarkText(const wchar_t* mark) {
    if (!mark || m_markText == mark) return;
    m_markText = mark;
    UpdateControl(TRUE);
}

void MText::SetMarkText(const wchar_t* mark, Gdiplus::Color colour, int start) {
    if (!mark) return;
    if (m_markText == mark && m_markColour == colour.GetValue() && m_markStart == start) return;
    m_markText = mark;
    m_markColour = colour.GetValue();
    m_markStart = start;
    UpdateControl(TRUE);
}

void MText::SetTitleMarkText(const wchar_t* title, const wchar_t* mark, int) {
    if (!title || !mark) return;
    if (m_title == title && m_markText == mark) return;
    SetControlTitle(title);
    m_markText = mark;
    UpdateControl(TRUE);
}

void MText::SetMarkText(const wchar_t* title, const wchar_t* mark, Gdiplus::Color colour, int start) {
    if (!title || !mark) return;
    if (m_title == title && m_markText == mark && m_markColour == colour.GetValue() && m_markStart == start) return;
    SetControlTitle(title);
    m_markText = mark;
    m_markColour = colour.GetValue();
    m_markStart = start;
    UpdateControl(TRUE);
}

void MText::EnableTextBack(BOOL on, Gdiplus::Color colour) {
    if ((on != FALSE) != (m_textBack != FALSE)) {
        m_textBack = on;
        m_backColour = colour.GetValue();
    }
    UpdateControl(TRUE);
}

void MText::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) { Render(dc, frame); });
}

void MText::Render(HDC dc, const CRect& frame) {
    if (m_textBack) MRender::DrawColor(dc, frame, m_backColour);
    Gdiplus::Graphics g(dc);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const float W = static_cast<float>(frame.Width()), H = static_cast<float>(frame.Height());
    const float left = static_cast<float>(frame.left), top = static_cast<float>(frame.top);

    int x0 = TextStartX(m_image != nullptr, m_stateWidth);
    if (m_image)
        DrawImageState(g, m_image, m_stateWidth, m_stateHeight, 0,
                       CRect(frame.left, frame.top + (frame.Height() - m_stateHeight) / 2,
                             frame.left + m_stateWidth, frame.top + (frame.Height() - m_stateHeight) / 2 + m_stateHeight));

    Gdiplus::FontFamily* family = GetFontFamily(m_fontFace);
    if (!family || m_title.IsEmpty()) return;
    Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(m_hAlign == 1 ? Gdiplus::StringAlignmentCenter
                                      : m_hAlign == 2 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(m_vAlign == 4 ? Gdiplus::StringAlignmentCenter
                                          : m_vAlign == 8 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear);
    if (m_multiLine) {
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoClip | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
        if (m_vCenter) format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    } else {
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    }
    Gdiplus::SolidBrush text{Gdiplus::Color(m_textColor)};
    Gdiplus::SolidBrush shadow{Gdiplus::Color(m_shadowColour)};
    auto draw = [&](const CString& s, float x, Gdiplus::Brush& brush) {
        if (s.IsEmpty()) return;
        Gdiplus::RectF box(left + x, top, W - x, H);
        if (m_shadow) {
            Gdiplus::RectF moved(box.X + 1, box.Y + 1, box.Width, box.Height);
            g.DrawString(s, s.GetLength(), &font, moved, &format, &shadow);
        }
        g.DrawString(s, s.GetLength(), &font, box, &format, &brush);
    };

    MarkSplit split = SplitMark(m_title, m_markText, m_markStart);
    if (!split.found) {
        draw(m_title, static_cast<float>(x0), text);
        return;
    }
    // The pieces run left to right from the text start, so they are laid out near-aligned in
    // the label's line; the vertical alignment still places the line. Widths are the advances
    // of the pieces inside the whole title, spaces included, so a space next to the mark keeps
    // its room.
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    const int u = split.prefix.GetLength(), m = split.mark.GetLength();
    auto leftOf = [&](int index) { return CharacterLeft(g, font, format, m_title, index); };
    int pw = static_cast<int>(leftOf(u) + 0.5f);
    int mw = static_cast<int>(leftOf(u + m) - leftOf(u) + 0.5f);
    int x[3];
    MarkPieceX(x0, pw, mw, x);
    Gdiplus::SolidBrush mark{Gdiplus::Color(m_markColour)};
    // Leading spaces of a piece are skipped and their advance added, as a string drawn on its own
    // loses them.
    auto piece = [&](const CString& s, int first, int at, Gdiplus::Brush& brush) {
        int k = 0;
        while (k < s.GetLength() && s.GetAt(k) == L' ') ++k;
        float skip = k ? leftOf(first + k) - leftOf(first) : 0.0f;
        draw(s.Mid(k), static_cast<float>(at) + skip, brush);
    };
    piece(split.prefix, 0, x[0], text);
    piece(split.mark, u, x[1], mark);
    piece(split.suffix, u + m, x[2], text);
}

}  // namespace QxUI
