#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// What NewButton and ProfileButton share: a push button with a nine-part skin, an icon beside
// its title and one text colour per look (normal is the control's text colour). They differ
// only in where icon and title go (DrawLook) and in the cursor.
class QXUI_API IconTitleButton : public MControlFont {
public:
    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    // Icon strip from the skin directory, owned; FALSE when the file does not load (the last
    // icon and its frame width stay).
    BOOL SetIconImage(const wchar_t* file, int count);
    void SetFrameSize(int size);
    void SetTextRect(CRect rect);
    void SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                            Gdiplus::Color disabled);

protected:
    IconTitleButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled,
                    Gdiplus::ARGB normal, const LookColours& colours, bool handCursor);
    virtual void DrawLook(HDC dc, int index, const CRect& frame) = 0;
    Gdiplus::ARGB LookColor(int index) const { return m_colours.Of(index, m_textColor); }

    int m_look;
    int m_frameSize;
    ButtonImage m_icon;
    CRect m_textRect;
    LookColours m_colours;

private:
    bool m_handCursor;
};

}  // namespace QxUI
