#pragma once
// Where the program finds its files and keeps the user's data.
#include <string>

namespace qx {

// The executable's folder with a trailing backslash.
std::wstring GetModuleDir();
// Documents + "\QxKB Files\"; the configuration databases live in its "db" subfolder.
std::wstring GetDocumentsDataDir();

}  // namespace qx
