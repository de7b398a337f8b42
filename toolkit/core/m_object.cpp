#include "toolkit/core/m_object.h"

#include <cwchar>

namespace QxUI {

MObject::~MObject() = default;

BOOL MObject::IsClass(const wchar_t* name) {
    const wchar_t* own = GetClassNameW();
    return (name && own && std::wcscmp(own, name) == 0) ? TRUE : FALSE;
}

const wchar_t* MObject::GetClassNameW() const { return nullptr; }
const wchar_t* MObject::GetObjectClass() { return nullptr; }
const wchar_t* MObject::BaseObjectClassName() { return nullptr; }
LRESULT MObject::OnBaseMessage(UINT, UINT, UINT, LPARAM) { return 0; }
LRESULT MObject::OnControlUpdate(CRect, int, MControl*) { return 0; }

}  // namespace QxUI
