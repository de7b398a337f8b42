#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A multi-line text area the program never creates: it keeps its title and draws nothing.
class QXUI_API CTextArea : public MControlFont {
public:
    CTextArea(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
};

}  // namespace QxUI
