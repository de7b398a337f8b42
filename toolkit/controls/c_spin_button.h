#pragma once
#include "toolkit/controls/m_rich_edit.h"

namespace QxUI {

// A spin field built on the rich-text field, never created by the program (the program's spin field is MSpinButton).
class QXUI_API CSpinButton : public MRichEdit {
public:
    CSpinButton(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
};

}  // namespace QxUI
