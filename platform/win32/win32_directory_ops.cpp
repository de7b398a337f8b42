#include "platform/win32/win32_directory_ops.h"

#include <windows.h>
#include <shlwapi.h>

namespace qx {

bool Win32DirectoryOps::IsDirectory(const std::wstring& path) {
    return PathIsDirectoryW(path.c_str()) != FALSE;
}

CreateDirResult Win32DirectoryOps::CreateDir(const std::wstring& path) {
    SetLastError(ERROR_SUCCESS);
    if (CreateDirectoryW(path.c_str(), nullptr)) return CreateDirResult::Created;
    return GetLastError() == ERROR_ALREADY_EXISTS ? CreateDirResult::AlreadyExists : CreateDirResult::Failed;
}

}  // namespace qx
