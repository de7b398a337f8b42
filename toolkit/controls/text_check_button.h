#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/controls/c_check_button.h"

namespace QxUI {

// Check box whose title is centred over the whole frame, coloured per look. It behaves exactly
// as CCheckButton (it is one, so the two can never drift apart); only the drawing differs.
class QXUI_API TextCheckButton : public CCheckButton {
public:
    TextCheckButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                            Gdiplus::Color disabled);

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;

private:
    LookColours m_colours;
};

}  // namespace QxUI
