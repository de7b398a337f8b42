#pragma once
// Shared helpers of the storage tests: a scratch directory that is removed afterwards, file bytes,
// and a second connection for looking at what a database file really holds.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qx::test {

// A new, empty directory under the system's temporary folder; removed with everything in it.
class ScratchDir {
public:
    explicit ScratchDir(const std::wstring& leaf = L"");
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The data directory as the program passes it: ends in a separator.
    std::wstring DataDir() const;

private:
    std::filesystem::path root_;
    std::filesystem::path path_;
};

// The database file of model under a data directory, the way ConfigDatabase names it.
std::filesystem::path ModelFile(const std::wstring& dataDir, const std::wstring& model);

// Wide text and paths converted through UTF-8 on POSIX, where std::filesystem would use the locale.
std::filesystem::path WidePath(const std::wstring& text);
std::wstring PathWide(const std::filesystem::path& path);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
std::string PathUtf8(const std::filesystem::path& path);

// Runs sql over its own connection and returns every row's first columnCount columns as UTF-8
// ("<null>" for an SQL NULL). An empty result also means the query failed.
std::vector<std::vector<std::string>> QueryRows(const std::filesystem::path& file, const char* sql, int columnCount);

}  // namespace qx::test
