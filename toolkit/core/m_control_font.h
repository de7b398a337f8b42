#pragma once
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/m_control.h"

namespace QxUI {

// A control with a title, a font, alignment, a text colour and a skin image cut into equally
// wide states. The image belongs to the paint manager's cache; the font family returned by
// GetFontFamily belongs to this control.
class QXUI_API MControlFont : public MControl {
public:
    MControlFont(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled,
                 BOOL mouseResponse);
    ~MControlFont() override;

    virtual void SetTextFont(CString face);
    virtual void SetTextColor(Gdiplus::Color colour);
    // Image from a resource of the application module; FALSE (nothing changed) without a manager
    // or when it cannot be loaded.
    virtual BOOL SetImage(UINT resId, CString type, int count);
    // Skin image by file name (relative to the skin directory); FALSE as above.
    virtual BOOL SetImage(const wchar_t* file, int count);
    virtual void SetControlTitle(const wchar_t* title);
    virtual CString GetControlTitle();

    void SetTitle(const wchar_t* title);
    CString GetTitle() const { return m_title; }
    void SetAlignment(UINT h);
    void SetVAlignment(UINT v);
    void SetAlignment(UINT h, UINT v);
    void GetAlignment(UINT& h, UINT& v) const { h = m_hAlign; v = m_vAlign; }
    void SetFont(const wchar_t* face, int size, Gdiplus::FontStyle style);
    // The manager's cached family of `face`, cloned; kept as this control's font family (the
    // previous one is freed). NULL without a manager or without such a family.
    Gdiplus::FontFamily* GetFontFamily(const wchar_t* face);
    void SetTextRenderingHint(Gdiplus::TextRenderingHint hint) { m_renderingHint = hint; }
    Gdiplus::TextRenderingHint GetTextRenderingHint() const { return m_renderingHint; }
    void SetFontStyle(Gdiplus::FontStyle style) { m_fontStyle = style; }
    Gdiplus::FontStyle GetFontStyle() const { return m_fontStyle; }
    CString GetTextFont() const { return m_fontFace; }
    void SetFontWidth(int size) { m_fontSize = size; }
    int GetFontWidth() const { return m_fontSize; }
    Gdiplus::ARGB GetTextColor() const { return m_textColor; }
    void SetImageCount(int count) { m_stateCount = count; }
    int GetImageCount() const { return m_stateCount; }
    void GetImageSize(int& width, int& height) const { width = m_stateWidth; height = m_stateHeight; }
    Gdiplus::Image* GetImage() const { return m_image; }
    CString GetImagePath() const { return m_imagePath; }

protected:
    // Records an image taken from the cache and repaints; FALSE (nothing changed) for NULL.
    BOOL AttachImage(struct ImgResInfo* info, int count);
    // Draws `text` into `box` with the control's font, size, style and rendering hint, aligned by
    // the control's alignment; `colour` ARGB. Nothing without a font family.
    void DrawTitle(Gdiplus::Graphics& g, const CString& text, const Gdiplus::RectF& box, Gdiplus::ARGB colour);

    CString m_title;
    CString m_fontFace;
    CString m_imagePath;
    int m_fontSize;
    Gdiplus::ARGB m_textColor;
    Gdiplus::SolidBrush* m_textBrush;
    Gdiplus::FontStyle m_fontStyle;
    Gdiplus::FontFamily* m_fontFamily;
    UINT m_hAlign;
    UINT m_vAlign;
    Gdiplus::TextRenderingHint m_renderingHint;
    Gdiplus::Image* m_image;
    int m_stateWidth;
    int m_stateHeight;
    int m_stateCount;
};

}  // namespace QxUI
