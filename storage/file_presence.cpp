#include "storage/file_presence.h"

#include <filesystem>
#include <system_error>

#include "storage/utf8_text.h"

namespace qx {

bool PathIsPresent(const std::string& utf8Path) {
    // Native path strings on both systems, so the constructor converts nothing and cannot throw.
#ifdef _WIN32
    const std::filesystem::path path(FromUtf8(utf8Path));
#else
    const std::filesystem::path path(utf8Path);
#endif
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return false;
    return true;
}

}  // namespace qx
