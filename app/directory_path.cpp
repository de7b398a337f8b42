#include "app/directory_path.h"

namespace qx {

bool EnsureDirectoryPath(const std::wstring& path, DirectoryOps& ops) {
    if (path.empty()) return false;
    if (ops.IsDirectory(path)) return true;
    const std::size_t first = path.find(L'\\');
    if (first != std::wstring::npos) {
        for (std::size_t at = path.find(L'\\', first + 1); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
            ops.CreateDir(path.substr(0, at));  // errors here are expected for existing parents
        }
    }
    return ops.CreateDir(path) != CreateDirResult::Failed;
}

}  // namespace qx
