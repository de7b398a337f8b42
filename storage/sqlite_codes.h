#pragma once
// The SQLite result codes and open flags the program uses, so callers need not include sqlite3.h.
// sqlite_db.cpp checks at compile time that they match the library's values.

namespace qx {

constexpr int kSqliteOk = 0;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteInterrupt = 9;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteMisuse = 21;   // also the wrapper's answer when it has no handle to work on
constexpr int kSqliteRange = 25;
constexpr int kSqliteRow = 100;
constexpr int kSqliteDone = 101;

constexpr int kSqliteOpenReadWrite = 0x00000002;
constexpr int kSqliteOpenCreate = 0x00000004;
constexpr int kSqliteOpenFullMutex = 0x00010000;

}  // namespace qx
