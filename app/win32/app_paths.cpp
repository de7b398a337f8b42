#include "app/win32/app_paths.h"

#include <windows.h>
#include <shlobj.h>

namespace qx {

std::wstring GetModuleDir() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    const std::size_t slash = dir.find_last_of(L"\\/");
    dir = slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash);
    return dir + L"\\";
}

std::wstring GetDocumentsDataDir() {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\QxKB Files\\";
}

}  // namespace qx
