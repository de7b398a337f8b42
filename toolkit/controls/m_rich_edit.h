#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

// A rich-text field the program never creates: a panel with its two scroll bars that keeps its title.
class QXUI_API MRichEdit : public MPanel {
public:
    MRichEdit(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
};

}  // namespace QxUI
