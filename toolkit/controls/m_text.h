#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A title split around its marked substring.
struct MarkSplit {
    bool found = false;
    CString prefix, mark, suffix;
};

// Finds `mark` in `title` from index `start`: nothing for an empty mark, or a start below 0
// or beyond the title.
QXUI_API MarkSplit SplitMark(const CString& title, const CString& mark, int start);
// Left edge of a label's text: 5 pixels right of an icon that is `iconWidth` wide, else 0.
QXUI_API int TextStartX(bool hasIcon, int iconWidth);
// Left edges of prefix, mark and suffix from the text start and the measured widths: each
// piece 2 pixels apart from the one before.
QXUI_API void MarkPieceX(int x0, int prefixWidth, int markWidth, int out[3]);

// A label: the title with an optional icon at the left (the skin image's first state), a
// shadow, a filled background and one substring drawn in the mark colour. Takes no input.
class QXUI_API MText : public MControlFont {
public:
    MText(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible);
    const wchar_t* GetClassNameW() const override { return L"MText"; }

    void SetMarkText(const wchar_t* mark);
    void SetMarkText(const wchar_t* mark, Gdiplus::Color colour, int start);
    // The third argument is not used.
    void SetTitleMarkText(const wchar_t* title, const wchar_t* mark, int);
    void SetMarkText(const wchar_t* title, const wchar_t* mark, Gdiplus::Color colour, int start);
    void EnableTextBack(BOOL on, Gdiplus::Color colour);
    void EnableShadow(BOOL on) { m_shadow = on; }
    void EnableMultiLine(BOOL on) { m_multiLine = on; }
    void EnableVCenter(BOOL on) { m_vCenter = on; }
    int GetVirtualHeight() { return 0; }

    void DrawControl(HDC& hdc, CRect paint) override;
    BOOL OnControlScroll(int steps, UINT direction, CPoint point) override { return 1; }

protected:
    void Render(HDC dc, const CRect& frame);

    BOOL m_shadow;
    BOOL m_textBack;
    Gdiplus::ARGB m_backColour;
    Gdiplus::ARGB m_shadowColour;
    Gdiplus::ARGB m_markColour;
    CString m_markText;
    int m_markStart;
    int m_reserved1;
    int m_reserved2;
    BOOL m_multiLine;
    BOOL m_vCenter;
};

}  // namespace QxUI
