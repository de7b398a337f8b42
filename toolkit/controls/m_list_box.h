#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

// A list box the program never creates: a panel (with its two scroll bars) and no rows of its own.
class QXUI_API MListBox : public MPanel {
public:
    MListBox(MObject* parent, UINT id, CRect rect, BOOL visible);
};

}  // namespace QxUI
