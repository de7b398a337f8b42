#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A tab strip the program never creates: a plain control that draws nothing.
class QXUI_API MTabCtrl : public MControlFont {
public:
    MTabCtrl(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
};

}  // namespace QxUI
