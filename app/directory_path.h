#pragma once
// Creates a directory together with its missing parents, Windows path syntax (backslashes).
#include <string>

#include "platform/directory_ops.h"

namespace qx {

// True when path is a directory afterwards (it existed, was created, or appeared meanwhile).
// Parents are created in order from the second path component on; the drive is never created.
bool EnsureDirectoryPath(const std::wstring& path, DirectoryOps& ops);

}  // namespace qx
