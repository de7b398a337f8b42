#pragma once
// File-system calls behind a seam, so directory creation can be checked with a recording fake.
#include <string>

namespace qx {

enum class CreateDirResult { Created, AlreadyExists, Failed };

class DirectoryOps {
public:
    virtual ~DirectoryOps() = default;
    virtual bool IsDirectory(const std::wstring& path) = 0;
    virtual CreateDirResult CreateDir(const std::wstring& path) = 0;
};

}  // namespace qx
