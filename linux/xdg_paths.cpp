#include "linux/xdg_paths.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace qx::linux_cli {
namespace {

// An XDG variable counts only when it holds an absolute path; otherwise HOME plus the fallback.
std::optional<std::filesystem::path> BaseDirectory(const char* variable, const char* homeFallback) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return std::filesystem::path(value) / "qxkb";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return std::nullopt;
    return std::filesystem::path(home) / homeFallback / "qxkb";
}

}  // namespace

std::optional<std::filesystem::path> DataRoot() { return BaseDirectory("XDG_DATA_HOME", ".local/share"); }

std::optional<std::filesystem::path> ConfigDirectory() { return BaseDirectory("XDG_CONFIG_HOME", ".config"); }

std::optional<std::filesystem::path> LayoutDirectory() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::nullopt;
    const std::filesystem::path beside = program.parent_path();
    for (const std::filesystem::path& dir : {beside, beside.parent_path() / "share" / "qxkb"}) {
        if (std::filesystem::is_regular_file(dir / "KeyboardLayout.xml", ec)) return dir;
    }
    return std::nullopt;
}

}  // namespace qx::linux_cli
