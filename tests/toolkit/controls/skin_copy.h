#pragma once
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/manager.h"

namespace qxtest {

// Copies a file of the generated skin (build tree bin\skins\theme1) into the test skin
// directory under the same relative name; false when the skin has not been built.
inline bool CopyGeneratedSkinFile(const wchar_t* name) {
    QxUI::CString from = QxUI::Manager::GetProgramDirectory() + L"..\\..\\bin\\skins\\theme1\\" + name;
    QxUI::CString to = TestSkinDirectory() + name;
    ::CreateDirectoryW((TestSkinDirectory() + L"icon").GetString(), nullptr);
    return ::CopyFileW(from.GetString(), to.GetString(), FALSE) != FALSE;
}

}  // namespace qxtest
