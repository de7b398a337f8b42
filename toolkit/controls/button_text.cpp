#include "toolkit/controls/button_text.h"

#include <memory>

#include "toolkit/core/m_control_font.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace QxUI {

namespace {
std::unique_ptr<Gdiplus::Font> MakeFont(MControlFont& control, int sizeDelta) {
    Gdiplus::FontFamily* family = control.GetFontFamily(control.GetTextFont());
    if (!family) return nullptr;
    return std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(control.GetFontWidth() + sizeDelta),
                                           control.GetFontStyle(), Gdiplus::UnitPixel);
}

void PrepareFormat(Gdiplus::StringFormat& format, Gdiplus::StringAlignment h, Gdiplus::StringAlignment v) {
    format.SetAlignment(h);
    format.SetLineAlignment(v);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
}
}  // namespace

Gdiplus::StringAlignment HorizontalAlignment(unsigned hAlign) {
    return hAlign == 1 ? Gdiplus::StringAlignmentCenter
                       : hAlign == 2 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear;
}

Gdiplus::StringAlignment VerticalAlignment(unsigned vAlign) {
    return vAlign == 4 ? Gdiplus::StringAlignmentCenter
                       : vAlign == 8 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear;
}

void DrawButtonText(MControlFont& control, Gdiplus::Graphics& g, const CString& text, const CRect& box,
                    Gdiplus::ARGB colour, const ButtonTextStyle& style) {
    if (text.IsEmpty() || box.IsRectEmpty()) return;
    std::unique_ptr<Gdiplus::Font> font = MakeFont(control, style.sizeDelta);
    if (!font) return;
    Gdiplus::StringFormat format;
    PrepareFormat(format, style.h, style.v);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.SetTextRenderingHint(style.hint >= 0 ? static_cast<Gdiplus::TextRenderingHint>(style.hint)
                                           : control.GetTextRenderingHint());
    Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
                          static_cast<Gdiplus::REAL>(box.Width()), static_cast<Gdiplus::REAL>(box.Height()));
    g.DrawString(text, text.GetLength(), font.get(), layout, &format, &brush);
}

Gdiplus::Size MeasureButtonText(MControlFont& control, const CString& text) {
    std::unique_ptr<Gdiplus::Font> font = MakeFont(control, 0);
    if (!font || text.IsEmpty()) return Gdiplus::Size(0, 0);
    Gdiplus::StringFormat format;
    PrepareFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear);
    return MRender::GetTextBounds(*font, format, text);
}

HFONT CreateButtonGdiFont(int fontSize, int fontStyle) {
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    wcscpy_s(lf.lfFaceName, L"Arial");
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -fontSize;
    if (fontStyle & 1) lf.lfWeight += 700;
    if (fontStyle & 2) lf.lfItalic = TRUE;
    if (fontStyle & 4) lf.lfUnderline = TRUE;
    return ::CreateFontIndirectW(&lf);
}

void DrawButtonGdiText(HDC dc, HFONT font, const CString& text, const CRect& box, Gdiplus::ARGB colour,
                       unsigned hAlign, unsigned vAlign) {
    if (text.IsEmpty()) return;
    CRect r(box);
    MRender::DrawTextW(dc, r, text, colour, font, hAlign | vAlign | DT_SINGLELINE | DT_WORD_ELLIPSIS);
}

void SetLookColours(MControlFont& control, LookColours& colours, Gdiplus::Color normal, Gdiplus::Color hover,
                    Gdiplus::Color pressed, Gdiplus::Color disabled) {
    control.SetTextColor(normal);
    colours = LookColours{hover.GetValue(), pressed.GetValue(), disabled.GetValue()};
    control.UpdateControl(TRUE);
}

ButtonImage::~ButtonImage() { delete m_image; }

BOOL ButtonImage::Load(const wchar_t* file, int count) {
    Gdiplus::Image* image =
        file && *file && count > 0 ? MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file) : nullptr;
    delete m_image;
    m_image = image;
    if (!image) return FALSE;
    m_count = count;
    m_frameWidth = static_cast<int>(image->GetWidth()) / count;
    m_height = static_cast<int>(image->GetHeight());
    return TRUE;
}

void ButtonImage::DrawFrame(Gdiplus::Graphics& g, int frame, int x, int y) const {
    if (!m_image || m_frameWidth <= 0 || m_height <= 0) return;
    g.DrawImage(m_image, Gdiplus::Rect(x, y, m_frameWidth, m_height), frame * m_frameWidth, 0, m_frameWidth, m_height,
                Gdiplus::UnitPixel);
}

}  // namespace QxUI
