#include "tests/storage/storage_test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "storage/config_database.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"
#include "storage/utf8_text.h"

namespace qx::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const std::wstring& leaf) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = L"qx_storage_" + std::to_wstring(random()) + L"_" + std::to_wstring(stamp) + L"_" +
                                  std::to_wstring(counter++);
        fs::path candidate = fs::temp_directory_path(error) / name;
        if (fs::create_directory(candidate, error)) {
            root_ = candidate;
            break;
        }
    }
    path_ = root_;
    if (!leaf.empty()) {
        path_ /= WidePath(leaf);
        fs::create_directory(path_, error);
    }
}

ScratchDir::~ScratchDir() {
    if (root_.empty()) return;
    std::error_code error;
    const fs::path& root = root_;
    // Tests make files and folders read-only; give write access back so they can be removed.
    for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root, error);
}

std::wstring ScratchDir::DataDir() const {
    std::wstring dir = PathWide(path_);
    dir.push_back(static_cast<wchar_t>(fs::path::preferred_separator));
    return dir;
}

fs::path ModelFile(const std::wstring& dataDir, const std::wstring& model) {
    return WidePath(ConfigDatabaseFilePath(dataDir, model));
}

fs::path WidePath(const std::wstring& text) {
#ifdef _WIN32
    return fs::path(text);
#else
    return fs::path(ToUtf8(text));
#endif
}

std::wstring PathWide(const fs::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return FromUtf8(path.string());
#endif
}

std::vector<uint8_t> ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string PathUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::vector<std::string>> QueryRows(const fs::path& file, const char* sql, int columnCount) {
    std::vector<std::vector<std::string>> rows;
    SQLiteDB db;
    if (!db.Open(PathUtf8(file).c_str(), kSqliteOpenReadWrite)) return rows;
    SQLiteStatement statement;
    if (db.Prepare(statement, sql) != kSqliteOk) return rows;
    while (statement.Step() == kSqliteRow) {
        std::vector<std::string> row;
        for (int column = 0; column < columnCount; ++column) {
            const char* text = statement.ColumnText(column);
            row.emplace_back(text != nullptr ? text : "<null>");
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace qx::test
