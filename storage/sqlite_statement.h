#pragma once
// One compiled SQLite statement. Filled by SQLiteDB::Prepare; finalized by the next Prepare,
// by Finalize or by the destructor. Movable, never copied.
//
// Without a compiled statement every call answers kSqliteMisuse (21), ColumnInt 0 and ColumnText
// null; SQLite's own codes pass through unchanged. Nothing throws.
#include "storage/sqlite_codes.h"

struct sqlite3_stmt;

namespace qx {

class SQLiteStatement {
public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(SQLiteStatement&& other) noexcept;
    SQLiteStatement& operator=(SQLiteStatement&& other) noexcept;
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // 1-based parameter index.
    int BindInt(int index, int value);
    // Binds length bytes of UTF-8 without copying them (SQLITE_STATIC): the caller keeps the
    // buffer alive and unchanged until the statement has been stepped.
    int BindText(int index, const char* utf8, int length);
    int Step();
    // 0-based column of the current row. An out-of-range column reads as 0 / null.
    int ColumnInt(int column);
    // Null for an SQL NULL. The text belongs to SQLite and is valid until the next Step or Finalize.
    const char* ColumnText(int column);
    // Releases the compiled statement; harmless when there is none.
    void Finalize();

    bool IsPrepared() const { return handle_ != nullptr; }

private:
    friend class SQLiteDB;
    sqlite3_stmt* handle_ = nullptr;
};

}  // namespace qx
