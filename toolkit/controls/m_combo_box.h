#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A combo box the program never creates: a plain control that takes part in layout and input and draws nothing.
class QXUI_API MComboBox : public MControlFont {
public:
    MComboBox(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
};

}  // namespace QxUI
