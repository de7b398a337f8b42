#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

// A tab page container the program never creates: a panel with its two scroll bars.
class QXUI_API MTabLayout : public MPanel {
public:
    MTabLayout(MObject* parent, UINT id, CRect rect, BOOL visible);
};

}  // namespace QxUI
