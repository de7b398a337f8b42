#include "toolkit/core/m_control_font.h"

#include "toolkit/core/img_res_info.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

MControlFont::MControlFont(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled,
                           BOOL mouseResponse)
    : MControl(parent, id, rect, visible, enabled, mouseResponse),
      m_title(title ? title : L""),
      m_fontFace(Manager::GetFontName()),
      m_fontSize(Manager::GetFontWidth()),
      m_textColor(0xFEFEFEFE),
      m_textBrush(new Gdiplus::SolidBrush(Gdiplus::Color(0xFEFEFEFE))),
      m_fontStyle(Gdiplus::FontStyleRegular),
      m_fontFamily(nullptr),
      m_hAlign(0),
      m_vAlign(4),
      m_renderingHint(Gdiplus::TextRenderingHintClearTypeGridFit),
      m_image(nullptr),
      m_stateWidth(0),
      m_stateHeight(0),
      m_stateCount(4) {}

MControlFont::~MControlFont() {
    delete m_textBrush;
    delete m_fontFamily;
}

void MControlFont::SetTextFont(CString face) { m_fontFace = face; }

void MControlFont::SetTextColor(Gdiplus::Color colour) {
    m_textColor = colour.GetValue();
    delete m_textBrush;
    m_textBrush = new Gdiplus::SolidBrush(colour);
}

BOOL MControlFont::AttachImage(ImgResInfo* info, int count) {
    if (!info || !info->image) return FALSE;
    m_image = info->image;
    m_stateWidth = info->width;
    m_stateHeight = info->height;
    m_stateCount = count;
    if (m_visible) UpdateControl(TRUE);
    return TRUE;
}

BOOL MControlFont::SetImage(UINT resId, CString type, int count) {
    if (!m_manager || count <= 0) return FALSE;
    return AttachImage(m_manager->AddImgResInfo(resId, type, count, TRUE), count);
}

BOOL MControlFont::SetImage(const wchar_t* file, int count) {
    if (!m_manager || !file || count <= 0) return FALSE;
    return AttachImage(m_manager->AddImgResInfo(file, count), count);
}

void MControlFont::SetControlTitle(const wchar_t* title) { m_title = CString(title ? title : L""); }
CString MControlFont::GetControlTitle() { return m_title; }

void MControlFont::SetTitle(const wchar_t* title) {
    SetControlTitle(title);
    if (m_visible) UpdateControl(TRUE);
}

void MControlFont::SetAlignment(UINT h) { SetAlignment(h, m_vAlign); }
void MControlFont::SetVAlignment(UINT v) { SetAlignment(m_hAlign, v); }

void MControlFont::SetAlignment(UINT h, UINT v) {
    if (h == m_hAlign && v == m_vAlign) return;
    m_hAlign = h;
    m_vAlign = v;
    if (m_visible) UpdateControl(TRUE);
}

void MControlFont::SetFont(const wchar_t* face, int size, Gdiplus::FontStyle style) {
    m_fontFace = CString(face ? face : L"");
    m_fontSize = size;
    m_fontStyle = style;
}

Gdiplus::FontFamily* MControlFont::GetFontFamily(const wchar_t* face) {
    if (!m_manager) return nullptr;
    Gdiplus::FontFamily* cached = m_manager->FindTempFont(face);
    if (!cached) return nullptr;
    delete m_fontFamily;
    m_fontFamily = cached->Clone();
    return m_fontFamily;
}

void MControlFont::DrawTitle(Gdiplus::Graphics& g, const CString& text, const Gdiplus::RectF& box,
                             Gdiplus::ARGB colour) {
    if (text.IsEmpty()) return;
    Gdiplus::FontFamily* family = GetFontFamily(m_fontFace);
    if (!family) return;
    Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(m_hAlign == 1 ? Gdiplus::StringAlignmentCenter
                                      : m_hAlign == 2 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(m_vAlign == 4 ? Gdiplus::StringAlignmentCenter
                                          : m_vAlign == 8 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    format.SetTrimming(Gdiplus::StringTrimmingNone);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.SetTextRenderingHint(m_renderingHint);
    g.DrawString(text, text.GetLength(), &font, box, &format, &brush);
}

}  // namespace QxUI
