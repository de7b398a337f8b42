#include "storage/sqlite_db.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "storage/sqlite_statement.h"

namespace qx {

static_assert(kSqliteOk == SQLITE_OK && kSqliteBusy == SQLITE_BUSY && kSqliteInterrupt == SQLITE_INTERRUPT &&
              kSqliteReadOnly == SQLITE_READONLY && kSqliteMisuse == SQLITE_MISUSE && kSqliteRange == SQLITE_RANGE &&
              kSqliteRow == SQLITE_ROW && kSqliteDone == SQLITE_DONE);
static_assert(kSqliteOpenReadWrite == SQLITE_OPEN_READWRITE && kSqliteOpenCreate == SQLITE_OPEN_CREATE &&
              kSqliteOpenFullMutex == SQLITE_OPEN_FULLMUTEX);

namespace {

// Busy handler of a connection with a deadline: short pauses first, as SQLite's own timeout
// handler takes them, so a lock released quickly costs little; none past the deadline.
int WaitForLock(void* context, int attempts) {
    using namespace std::chrono;
    static constexpr int kPausesMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50};
    // Rounded up, so the last pause reaches the deadline instead of stopping short of it.
    const auto left =
        ceil<milliseconds>(*static_cast<const steady_clock::time_point*>(context) - steady_clock::now()).count();
    if (left <= 0) return 0;
    constexpr int kPauseCount = static_cast<int>(std::size(kPausesMs));
    const int pause = attempts < kPauseCount ? kPausesMs[attempts] : 100;
    sqlite3_sleep(static_cast<int>(std::min<long long>(pause, left)));
    return 1;
}

}  // namespace

SQLiteDB::~SQLiteDB() {
    InterruptAndRelease();
}

SQLiteDB::SQLiteDB(SQLiteDB&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), busyDeadline_(std::move(other.busyDeadline_)) {}

SQLiteDB& SQLiteDB::operator=(SQLiteDB&& other) noexcept {
    if (this != &other) {
        InterruptAndRelease();
        handle_ = std::exchange(other.handle_, nullptr);
        busyDeadline_ = std::move(other.busyDeadline_);
    }
    return *this;
}

// sqlite3_close_v2 defers the close until the last statement is finalized, where sqlite3_close
// would refuse and leave the connection behind with no owner.
void SQLiteDB::InterruptAndRelease() {
    if (handle_ == nullptr) return;
    sqlite3_interrupt(handle_);
    // Statements left behind may still run; they must not reach a deadline that goes with this object.
    sqlite3_busy_handler(handle_, nullptr, nullptr);
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
    InstallBusyDeadline();
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
    busyDeadline_.reset();
    return sqlite3_busy_timeout(handle_, milliseconds);
}

void SQLiteDB::SetBusyDeadline(Deadline deadline) {
    if (busyDeadline_ == nullptr) {
        busyDeadline_ = std::make_unique<Deadline>(deadline);
        InstallBusyDeadline();
    } else {
        *busyDeadline_ = deadline;
    }
}

void SQLiteDB::InstallBusyDeadline() {
    if (handle_ != nullptr && busyDeadline_ != nullptr) sqlite3_busy_handler(handle_, WaitForLock, busyDeadline_.get());
}

}  // namespace qx
