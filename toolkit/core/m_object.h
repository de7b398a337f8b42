#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class MControl;

// Root of everything that owns controls or is a control: a class-name identity and the two
// channels through which a control reports to its owner (notifications and repaint requests).
class QXUI_API MObject {
public:
    virtual ~MObject();
    // TRUE when GetClassNameW() equals `name` exactly (case-sensitive); FALSE for NULL.
    virtual BOOL IsClass(const wchar_t* name);
    virtual const wchar_t* GetClassNameW() const;
    virtual const wchar_t* GetObjectClass();
    virtual const wchar_t* BaseObjectClassName();
    // A control of this object reports event `code` (press 1, click 2, ...).
    virtual LRESULT OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam);
    // A control asks for `rect` to be repainted; flag non-zero also drops cached renderings.
    virtual LRESULT OnControlUpdate(CRect rect, int flag, MControl* control);
};

}  // namespace QxUI
