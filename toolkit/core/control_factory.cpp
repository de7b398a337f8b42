#include "toolkit/core/control_factory.h"

#include <cwchar>

#include "toolkit/core/m_control.h"

namespace QxUI {

namespace {
using Maker = MControl* (*)(MObject* parent, UINT id, CRect rect, const wchar_t* title, int a, int b);

struct FactoryEntry {
    const wchar_t* name;
    Maker make;
};

// One row per concrete control class; the control classes register their rows here as they
// are added to the toolkit.
const FactoryEntry kControls[] = {
    {L"", nullptr},
};
}  // namespace

MControl* ControlFactory::Create(MObject* parent, const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                                 int a, int b) {
    if (!className || !*className) return nullptr;
    for (const FactoryEntry& entry : kControls)
        if (entry.make && std::wcscmp(entry.name, className) == 0) return entry.make(parent, id, rect, title, a, b);
    return nullptr;
}

}  // namespace QxUI
