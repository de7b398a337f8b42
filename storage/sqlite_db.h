#pragma once
// One SQLite connection. Texts cross as UTF-8, results are SQLite's own codes (kSqliteMisuse, 21,
// when there is no connection), nothing throws. No locking: the owner serialises its calls.
// Movable, never copied.
#include <chrono>
#include <cstdint>
#include <memory>

#include "storage/sqlite_codes.h"

struct sqlite3;

namespace qx {

class SQLiteStatement;

class SQLiteDB {
public:
    using RowCallback = int (*)(void* context, int columns, char** values, char** names);

    SQLiteDB() = default;
    // Interrupts whatever still runs on the connection, then closes it. Statements that outlive
    // the connection keep it alive until they are finalized, so destruction never fails or leaks.
    virtual ~SQLiteDB();
    SQLiteDB(SQLiteDB&& other) noexcept;
    SQLiteDB& operator=(SQLiteDB&& other) noexcept;
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Opens utf8Path with SQLite open flags (kSqliteOpen*). An open connection is interrupted and
    // closed first; when that close fails (statements still live) the result is false and the old
    // connection stays. A null path or a failed open gives false and no connection.
    bool Open(const char* utf8Path, int flags);
    // True when no connection is left. False while statements are still prepared on it; the
    // connection then stays open and usable.
    bool Close();
    bool IsOpen() const { return handle_ != nullptr; }

    // Finalizes what statement held, then compiles sql into it. length is in bytes; a negative
    // length measures the text and counts its terminator. No connection or null sql: kSqliteMisuse
    // and the statement stays empty.
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
    // Runs every statement of sql. No connection or null sql: kSqliteMisuse.
    int Execute(const char* sql, RowCallback callback = nullptr, void* context = nullptr);
    // Row id of the connection's last successful INSERT; -1 without a connection.
    int64_t LastInsertRowId() const;
    // How long a statement waits for another connection's lock before answering kSqliteBusy;
    // 0 or less fails at once. No connection: kSqliteMisuse. Ends any busy deadline.
    int SetBusyTimeout(int milliseconds);
    // Statements that meet another connection's lock retry until deadline at the latest, all of
    // them together; once it has passed they answer kSqliteBusy at once. Unlike a timeout, which
    // every statement spends anew, a deadline bounds the wait of a whole series of statements.
    // Kept across Open; replaces a busy timeout.
    void SetBusyDeadline(std::chrono::steady_clock::time_point deadline);

private:
    using Deadline = std::chrono::steady_clock::time_point;

    void InterruptAndRelease();
    void InstallBusyDeadline();
    sqlite3* handle_ = nullptr;
    // On the heap, so the address SQLite's busy handler holds survives moves of this object.
    std::unique_ptr<Deadline> busyDeadline_;
};

}  // namespace qx
