#include "storage/sqlite_statement.h"

#include <sqlite3.h>

#include <utility>

namespace qx {

SQLiteStatement::~SQLiteStatement() {
    Finalize();
}

SQLiteStatement::SQLiteStatement(SQLiteStatement&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

SQLiteStatement& SQLiteStatement::operator=(SQLiteStatement&& other) noexcept {
    if (this != &other) {
        Finalize();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

int SQLiteStatement::BindInt(int index, int value) {
    if (handle_ == nullptr) return kSqliteMisuse;
    return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8, int length) {
    if (handle_ == nullptr) return kSqliteMisuse;
    return sqlite3_bind_text(handle_, index, utf8, length, SQLITE_STATIC);
}

int SQLiteStatement::Step() {
    if (handle_ == nullptr) return kSqliteMisuse;
    return sqlite3_step(handle_);
}

int SQLiteStatement::ColumnInt(int column) {
    if (handle_ == nullptr) return 0;
    return sqlite3_column_int(handle_, column);
}

const char* SQLiteStatement::ColumnText(int column) {
    if (handle_ == nullptr) return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(handle_, column));
}

void SQLiteStatement::Finalize() {
    if (handle_ == nullptr) return;
    sqlite3_finalize(handle_);
    handle_ = nullptr;
}

}  // namespace qx
