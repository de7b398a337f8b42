// Text measurement, alignment and GDI text.
#include <cmath>

#include "toolkit/core/m_render.h"

namespace QxUI {

namespace {
bool IsWhole(float v) { return std::floor(v) == v; }

Gdiplus::RectF InkBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, const CString& text,
                         const Gdiplus::RectF& layout) {
    Gdiplus::FontFamily family;
    font.GetFamily(&family);
    Gdiplus::GraphicsPath path;
    path.AddString(text.GetString(), text.GetLength(), &family, font.GetStyle(), font.GetSize(), layout, &format);
    Gdiplus::RectF bounds;
    path.GetBounds(&bounds);
    return bounds;
}
}  // namespace

int MRender::OneLineTextHeight(float F) {
    return IsWhole(F) ? static_cast<int>(F) + 1 : static_cast<int>(F + 4);
}

int MRender::WrappedTextHeight(float F, float H) {
    int f = IsWhole(F) ? static_cast<int>(F + 1) : static_cast<int>(F + 2);
    int h = IsWhole(H) ? static_cast<int>(H + 1) : static_cast<int>(H + 2);
    return h > f ? h + 5 : f + 1;
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format,
                                     const CString& text) {
    Gdiplus::RectF ink = InkBounds(font, format, text, Gdiplus::RectF(0, 0, 0, 0));
    float F = font.GetHeight(0.0f);
    return Gdiplus::Size(static_cast<INT>(std::ceil(ink.Width)), OneLineTextHeight(F));
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, int maxWidth,
                                     const CString& text) {
    // A layout box "maxWidth wide and unlimited high": a zero height means that to GDI+ on
    // Windows, but Wine's GDI+ then keeps only the first line, so the height is made huge.
    Gdiplus::RectF box(0, 0, static_cast<float>(maxWidth), 1.0e6f);
    Gdiplus::RectF ink = InkBounds(font, format, text, box);
    float F = font.GetHeight(0.0f);
    return Gdiplus::Size(static_cast<INT>(std::ceil(ink.Width)), WrappedTextHeight(F, ink.Height));
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const CString& text) {
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    return GetTextBounds(font, format, text);
}

CPoint MRender::GetOriginPoint(int outerW, int outerH, int innerW, int innerH, UINT hAlign, UINT vAlign) {
    int x = hAlign == 1 ? (outerW - innerW) / 2 : hAlign == 2 ? outerW - innerW : 0;
    int y = vAlign == 4 ? (outerH - innerH) / 2 : vAlign == 8 ? outerH - innerH : 0;
    return CPoint(x, y);
}

CPoint MRender::GetOriginPoint(CRect outer, int innerW, int innerH, UINT hAlign, UINT vAlign) {
    CPoint p = GetOriginPoint(outer.Width(), outer.Height(), innerW, innerH, hAlign, vAlign);
    return CPoint(outer.left + p.x, outer.top + p.y + 2);
}

void MRender::DrawTextW(HDC hdc, CRect& rect, const wchar_t* text, DWORD argb, HFONT font, UINT format) {
    if (!text || !hdc) return;
    int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(hdc, RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
    HGDIOBJ oldFont = font ? ::SelectObject(hdc, font) : nullptr;
    ::DrawTextW(hdc, text, -1, &rect, format);
    if (oldFont) ::SelectObject(hdc, oldFont);
    ::SetTextColor(hdc, oldColour);
    ::SetBkMode(hdc, oldMode);
}

}  // namespace QxUI
