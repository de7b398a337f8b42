#pragma once
// Where qxkb keeps its files, by the XDG base directory rules: the model databases under
// $XDG_DATA_HOME/qxkb/db/, the settings file under $XDG_CONFIG_HOME/qxkb/.
#include <filesystem>
#include <optional>

namespace qx::linux_cli {

// $XDG_DATA_HOME/qxkb, or ~/.local/share/qxkb; nullopt when neither variable is usable.
std::optional<std::filesystem::path> DataRoot();
// $XDG_CONFIG_HOME/qxkb, or ~/.config/qxkb.
std::optional<std::filesystem::path> ConfigDirectory();
// The folder that holds KeyboardLayout.xml: beside the program in the build tree, or the
// installed ../share/qxkb next to its bin folder. nullopt when neither holds the file.
std::optional<std::filesystem::path> LayoutDirectory();

}  // namespace qx::linux_cli
