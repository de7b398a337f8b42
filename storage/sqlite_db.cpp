#include "storage/sqlite_db.h"

#include <sqlite3.h>

#include <cstring>
#include <utility>

#include "storage/sqlite_statement.h"

namespace qx {

static_assert(kSqliteOk == SQLITE_OK && kSqliteBusy == SQLITE_BUSY && kSqliteInterrupt == SQLITE_INTERRUPT &&
              kSqliteReadOnly == SQLITE_READONLY && kSqliteMisuse == SQLITE_MISUSE && kSqliteRange == SQLITE_RANGE &&
              kSqliteRow == SQLITE_ROW && kSqliteDone == SQLITE_DONE);
static_assert(kSqliteOpenReadWrite == SQLITE_OPEN_READWRITE && kSqliteOpenCreate == SQLITE_OPEN_CREATE &&
              kSqliteOpenFullMutex == SQLITE_OPEN_FULLMUTEX);

SQLiteDB::~SQLiteDB() {
    InterruptAndRelease();
}

SQLiteDB::SQLiteDB(SQLiteDB&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

SQLiteDB& SQLiteDB::operator=(SQLiteDB&& other) noexcept {
    if (this != &other) {
        InterruptAndRelease();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

// sqlite3_close_v2 defers the close until the last statement is finalized, where sqlite3_close
// would refuse and leave the connection behind with no owner.
void SQLiteDB::InterruptAndRelease() {
    if (handle_ == nullptr) return;
    sqlite3_interrupt(handle_);
    sqlite3_close_v2(handle_);
    handle_ = nullptr;
}

bool SQLiteDB::Open(const char* utf8Path, int flags) {
    if (handle_ != nullptr) {
        sqlite3_interrupt(handle_);
        // Opening over a connection that cannot be closed would orphan it.
        if (!Close()) return false;
    }
    if (utf8Path == nullptr) return false;
    if (sqlite3_open_v2(utf8Path, &handle_, flags, nullptr) != SQLITE_OK) {
        // SQLite usually hands back a connection even when the open failed.
        if (handle_ != nullptr && sqlite3_close(handle_) == SQLITE_OK) handle_ = nullptr;
        return false;
    }
    return true;
}

bool SQLiteDB::Close() {
    if (handle_ == nullptr) return true;
    if (sqlite3_close(handle_) != SQLITE_OK) return false;
    handle_ = nullptr;
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    statement.Finalize();
    if (handle_ == nullptr || sql == nullptr) return kSqliteMisuse;
    if (length < 0) length = static_cast<int>(std::strlen(sql)) + 1;
    return sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* context) {
    if (handle_ == nullptr || sql == nullptr) return kSqliteMisuse;
    return sqlite3_exec(handle_, sql, callback, context, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const {
    if (handle_ == nullptr) return -1;
    return sqlite3_last_insert_rowid(handle_);
}

int SQLiteDB::SetBusyTimeout(int milliseconds) {
    if (handle_ == nullptr) return kSqliteMisuse;
    return sqlite3_busy_timeout(handle_, milliseconds);
}

}  // namespace qx
