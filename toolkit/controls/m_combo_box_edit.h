#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// The edit part of a combo box, never created by the program: a plain control that draws nothing.
class QXUI_API MComboBoxEdit : public MControlFont {
public:
    MComboBoxEdit(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
};

}  // namespace QxUI
