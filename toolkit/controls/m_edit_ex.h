#pragma once
#include "toolkit/controls/m_rich_edit.h"

namespace QxUI {

// An extended edit field the program never creates: a rich-text field with nothing added.
class QXUI_API MEditEx : public MRichEdit {
public:
    MEditEx(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
};

}  // namespace QxUI
