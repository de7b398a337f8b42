#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class MControlFont;

// Title drawing of the button family, per rendering pass: a GDI+ font from the control's family,
// size and style (plus `sizeDelta` pixels), the control's rendering hint unless `hint` is given,
// no wrapping and trailing spaces measured. Nothing for an empty title or a missing family.
struct ButtonTextStyle {
    Gdiplus::StringAlignment h = Gdiplus::StringAlignmentCenter;
    Gdiplus::StringAlignment v = Gdiplus::StringAlignmentCenter;
    int sizeDelta = 0;
    int hint = -1;  // a Gdiplus::TextRenderingHint, or -1 for the control's own
};

QXUI_API void DrawButtonText(MControlFont& control, Gdiplus::Graphics& g, const CString& text, const CRect& box,
                             Gdiplus::ARGB colour, const ButtonTextStyle& style);
// The title's size measured with near alignment (MRender::GetTextBounds); 0 x 0 without a family.
QXUI_API Gdiplus::Size MeasureButtonText(MControlFont& control, const CString& text);

// Alignment members of a control (0/1/2 and 0/4/8) as GDI+ string alignments.
QXUI_API Gdiplus::StringAlignment HorizontalAlignment(unsigned hAlign);
QXUI_API Gdiplus::StringAlignment VerticalAlignment(unsigned vAlign);

// The GDI font of the GDI-drawn buttons: DEFAULT_GUI_FONT's LOGFONT with face "Arial", default
// character set, height -(font size) and the style bits (1 bold, 2 italic, 4 underline). The
// caller keeps it and deletes it.
QXUI_API HFONT CreateButtonGdiFont(int fontSize, int fontStyle);
// GDI title: DrawTextW of the whole string in `box` with the ARGB colour's RGB, transparent
// background, flags = alignments | DT_SINGLELINE | DT_WORD_ELLIPSIS.
QXUI_API void DrawButtonGdiText(HDC dc, HFONT font, const CString& text, const CRect& box, Gdiplus::ARGB colour,
                                unsigned hAlign, unsigned vAlign);

// Title colours of the hover, pressed and disabled looks; the normal look uses the control's
// own text colour.
struct LookColours {
    Gdiplus::ARGB hover;
    Gdiplus::ARGB pressed;
    Gdiplus::ARGB disabled;
    // The colour of base look 0..3 (normal, hover, pressed, disabled).
    Gdiplus::ARGB Of(int look, Gdiplus::ARGB normal) const {
        const Gdiplus::ARGB all[4] = {normal, hover, pressed, disabled};
        return all[look & 3];
    }
};
// SetTextButtonColor of the buttons with per-look colours: stores them and re-renders.
QXUI_API void SetLookColours(MControlFont& control, LookColours& colours, Gdiplus::Color normal, Gdiplus::Color hover,
                             Gdiplus::Color pressed, Gdiplus::Color disabled);

// An image a button loads itself from the skin directory and owns (icons, switch images):
// `count` frames side by side.
class QXUI_API ButtonImage {
public:
    ButtonImage() = default;
    ~ButtonImage();
    ButtonImage(const ButtonImage&) = delete;
    ButtonImage& operator=(const ButtonImage&) = delete;

    // FALSE when the file does not load: the image is dropped (nothing is drawn) but the frame
    // sizes of the last loaded one stay, so layouts that reserve room for it do not shift.
    BOOL Load(const wchar_t* file, int count);
    // Frame `frame` unscaled with its top-left corner at (x, y).
    void DrawFrame(Gdiplus::Graphics& g, int frame, int x, int y) const;
    Gdiplus::Image* Get() const { return m_image; }
    int FrameWidth() const { return m_frameWidth; }
    int Height() const { return m_height; }
    int Count() const { return m_count; }

private:
    Gdiplus::Image* m_image = nullptr;
    int m_frameWidth = 0;
    int m_height = 0;
    int m_count = 4;
};

}  // namespace QxUI
