#pragma once
// Reads a whole file into memory by its wide path (UTF-16 on Windows, UTF-8 bytes elsewhere).
#include <cstddef>
#include <string>

namespace qx {

// False when the file cannot be opened or read, or is larger than maxBytes; out is then empty.
bool ReadFileBytes(const std::wstring& path, size_t maxBytes, std::string& out);

}  // namespace qx
