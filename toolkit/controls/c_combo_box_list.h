#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

// The drop-down list of a combo box, never created by the program: a panel with its two scroll bars.
class QXUI_API CComboBoxList : public MPanel {
public:
    CComboBoxList(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
};

}  // namespace QxUI
