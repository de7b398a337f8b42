#include "toolkit/controls/button_group.h"

#include "toolkit/core/m_dialog.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

std::vector<MControl*>* GroupSiblingList(MControl& button) {
    MObject* owner = button.GetParantObject();
    if (!owner) return nullptr;
    // dynamic_cast rather than the class name alone: dialogs of the application may rename
    // their class, and a popup window as owner must not be taken for a control.
    if (auto* dialog = dynamic_cast<MDialog*>(owner)) return dialog->GetPaintManager()->GetControls();
    if (auto* control = dynamic_cast<MControl*>(owner)) return control->GetControls();
    return nullptr;
}

}  // namespace QxUI
