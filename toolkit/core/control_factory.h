#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class MControl;
class MObject;

// Builds a control from (parent, id, rect, title, a, b); `a` is the visible flag and `b` the
// enabled flag wherever the control's constructor takes them.
using ControlMaker = MControl* (*)(MObject* parent, UINT id, CRect rect, const wchar_t* title, int a, int b);

// Creates controls from their class names. The names the toolkit knows, and which of them a
// panel may create, are one fixed table; each control class attaches its maker to its name from
// its own source file (QXUI_REGISTER_CONTROL). Names are compared exactly (case-sensitive); an
// empty, unknown or not yet attached name yields NULL, never a half-made control.
class QXUI_API ControlFactory {
public:
    // The window factory: every name of the table.
    static MControl* Create(MObject* parent, const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                            int a, int b);
    // The panel factory: only the names a panel may hold.
    static MControl* CreateInPanel(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                   const wchar_t* title, int a, int b);
    // Attaches `make` to `className`; FALSE for a name outside the table or one already attached.
    static BOOL Register(const wchar_t* className, ControlMaker make);
    static BOOL IsKnownName(const wchar_t* className);
    static BOOL IsPanelName(const wchar_t* className);
    static BOOL IsRegistered(const wchar_t* className);
};

// Registers a maker at load time from a control's source file.
struct ControlRegistration {
    ControlRegistration(const wchar_t* className, ControlMaker make) { ControlFactory::Register(className, make); }
};

}  // namespace QxUI

#define QXUI_CONCAT_INNER(a, b) a##b
#define QXUI_CONCAT(a, b) QXUI_CONCAT_INNER(a, b)
// QXUI_REGISTER_CONTROL(L"MText", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {...});
#define QXUI_REGISTER_CONTROL(name, maker) \
    static const ::QxUI::ControlRegistration QXUI_CONCAT(qxui_registration_, __LINE__)(name, maker)
