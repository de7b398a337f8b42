#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class MControl;
class MObject;

// Creates a control from its class name (compared exactly, case-sensitive). Argument `a` is
// the visible flag and `b` the enabled flag wherever the control's constructor takes them.
// An empty or unknown name yields NULL, never a half-made control.
class QXUI_API ControlFactory {
public:
    static MControl* Create(MObject* parent, const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                            int a, int b);
};

}  // namespace QxUI
