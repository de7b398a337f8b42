#pragma once
#include "platform/directory_ops.h"

namespace qx {

// PathIsDirectoryW and CreateDirectoryW.
class Win32DirectoryOps : public DirectoryOps {
public:
    bool IsDirectory(const std::wstring& path) override;
    CreateDirResult CreateDir(const std::wstring& path) override;
};

}  // namespace qx
