#pragma once
// What several commands check before they act.
#include <optional>
#include <string>

#include "linux/commands.h"

namespace qx::linux_cli {

// nullopt when a supported keyboard is connected; otherwise the exit code after the line that
// says what is missing (a keyboard, or access to its node and the udev rule that gives it).
std::optional<int> RequireKeyboard(Session& session, Streams io);
// nullopt when the model's database can be written now; otherwise the exit code after the line
// that says it is locked.
std::optional<int> RequireWritableDatabase(Session& session, Streams io);
// The line for a database another program holds locked; detail goes before the path.
std::wstring LockedDatabaseMessage(const ConfigDatabase& database, const std::wstring& detail = {});
// The whole file, or nullopt.
std::optional<std::string> ReadWholeFile(const std::string& path);
// The stored macro called name.
std::optional<MacroRow> FindMacro(ConfigDatabase& database, const std::wstring& name);
// The id of the macro called name, 0 when there is none.
int FindMacroId(Session& session, const std::wstring& name);

}  // namespace qx::linux_cli
