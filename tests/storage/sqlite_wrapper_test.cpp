#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "tests/storage/storage_test_support.h"

namespace qx {
namespace {

constexpr int kCreateFlags = kSqliteOpenReadWrite | kSqliteOpenCreate | kSqliteOpenFullMutex;

class SqliteWrapperTest : public ::testing::Test {
protected:
    std::string File(const char* name) const { return test::PathUtf8(dir_.Path() / name); }

    // A fresh database with a table of three rows.
    void OpenNumbers(SQLiteDB& db, const char* name = "numbers.db") {
        ASSERT_TRUE(db.Open(File(name).c_str(), kCreateFlags));
        ASSERT_EQ(db.Execute("CREATE TABLE n(v INTEGER, t TEXT); INSERT INTO n VALUES (1, 'one'), (2, NULL), (3, 'three');"),
                  kSqliteOk);
    }

    test::ScratchDir dir_;
};

TEST_F(SqliteWrapperTest, EverythingAnswersMisuseWithoutHandles) {
    SQLiteDB db;
    SQLiteStatement statement;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), kSqliteMisuse);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(db.Execute("SELECT 1"), kSqliteMisuse);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_EQ(db.SetBusyTimeout(10), kSqliteMisuse);
    EXPECT_EQ(statement.BindInt(1, 5), kSqliteMisuse);
    EXPECT_EQ(statement.BindText(1, "x", 1), kSqliteMisuse);
    EXPECT_EQ(statement.Step(), kSqliteMisuse);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), nullptr);
    statement.Finalize();  // harmless when empty
}

TEST_F(SqliteWrapperTest, NullTextsAreMisuseOnAnOpenConnection) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteStatement statement;
    EXPECT_EQ(db.Prepare(statement, nullptr), kSqliteMisuse);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(db.Execute(nullptr), kSqliteMisuse);
}

TEST_F(SqliteWrapperTest, OpenFailuresLeaveNoConnection) {
    SQLiteDB db;
    EXPECT_FALSE(db.Open(nullptr, kCreateFlags));
    EXPECT_FALSE(db.IsOpen());
    // Without the create flag a missing file cannot be opened, and nothing is created.
    EXPECT_FALSE(db.Open(File("missing.db").c_str(), kSqliteOpenReadWrite | kSqliteOpenFullMutex));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "missing.db"));
}

TEST_F(SqliteWrapperTest, QueriesStepThroughRowsAndReadColumns) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteStatement statement;
    ASSERT_EQ(db.Prepare(statement, "SELECT v, t FROM n ORDER BY v"), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnInt(0), 1);
    EXPECT_STREQ(statement.ColumnText(1), "one");
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnText(1), nullptr) << "an SQL NULL reads as a null pointer";
    EXPECT_EQ(statement.ColumnInt(7), 0) << "a column beyond the result reads as 0";
    EXPECT_EQ(statement.ColumnText(7), nullptr);
    EXPECT_EQ(statement.ColumnInt(-1), 0);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnInt(0), 3);
    EXPECT_EQ(statement.Step(), kSqliteDone);
}

TEST_F(SqliteWrapperTest, BindsByIndexAndRejectsWrongIndexes) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteStatement statement;
    ASSERT_EQ(db.Prepare(statement, "INSERT INTO n VALUES (?, ?)"), kSqliteOk);
    EXPECT_EQ(statement.BindInt(0, 1), kSqliteRange);
    EXPECT_EQ(statement.BindInt(3, 1), kSqliteRange);
    EXPECT_EQ(statement.BindInt(1, 42), kSqliteOk);
    // Only the given byte length is bound, not the whole buffer.
    const std::string text = "abcdef";
    EXPECT_EQ(statement.BindText(2, text.data(), 3), kSqliteOk);
    EXPECT_EQ(statement.Step(), kSqliteDone);
    EXPECT_EQ(db.LastInsertRowId(), 4);

    ASSERT_EQ(db.Prepare(statement, "SELECT t FROM n WHERE v = 42"), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_STREQ(statement.ColumnText(0), "abc");
}

TEST_F(SqliteWrapperTest, ExplicitLengthCompilesOnlyThatMuchText) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteStatement statement;
    const char sql[] = "SELECT 7 garbage that is never read";
    ASSERT_EQ(db.Prepare(statement, sql, 8), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnInt(0), 7);
}

TEST_F(SqliteWrapperTest, PrepareFinalizesTheEarlierStatementEvenWhenItFails) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteStatement statement;
    ASSERT_EQ(db.Prepare(statement, "SELECT v FROM n"), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_NE(db.Prepare(statement, "SELECT nonsense FROM nowhere"), kSqliteOk);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(statement.Step(), kSqliteMisuse);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_TRUE(db.Close()) << "no statement may be left on the connection";
}

TEST_F(SqliteWrapperTest, CloseWithLiveStatementFailsAndKeepsTheConnectionUsable) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteStatement live;
    ASSERT_EQ(db.Prepare(live, "SELECT v FROM n"), kSqliteOk);
    EXPECT_FALSE(db.Close());
    EXPECT_TRUE(db.IsOpen());

    SQLiteStatement other;
    ASSERT_EQ(db.Prepare(other, "SELECT count(*) FROM n"), kSqliteOk);
    ASSERT_EQ(other.Step(), kSqliteRow);
    EXPECT_EQ(other.ColumnInt(0), 3);
    ASSERT_EQ(live.Step(), kSqliteRow);
    EXPECT_EQ(live.ColumnInt(0), 1);

    live.Finalize();
    other.Finalize();
    EXPECT_TRUE(db.Close());
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SqliteWrapperTest, OpenClosesTheEarlierConnectionFirst) {
    SQLiteDB db;
    OpenNumbers(db, "first.db");
    // The first file's write lock shows whether its connection is still there.
    ASSERT_EQ(db.Execute("BEGIN EXCLUSIVE"), kSqliteOk);
    SQLiteDB probe;
    ASSERT_TRUE(probe.Open(File("first.db").c_str(), kSqliteOpenReadWrite));
    EXPECT_EQ(probe.Execute("INSERT INTO n VALUES (9, 'x')"), kSqliteBusy);

    ASSERT_TRUE(db.Open(File("second.db").c_str(), kCreateFlags));
    EXPECT_EQ(probe.Execute("INSERT INTO n VALUES (9, 'x')"), kSqliteOk);
    EXPECT_EQ(db.Execute("CREATE TABLE s(x)"), kSqliteOk);
    EXPECT_EQ(test::QueryRows(dir_.Path() / "second.db", "SELECT name FROM sqlite_master", 1).size(), 1u);
}

TEST_F(SqliteWrapperTest, OpenOverAConnectionWithLiveStatementsKeepsIt) {
    SQLiteDB db;
    OpenNumbers(db, "first.db");
    SQLiteStatement live;
    ASSERT_EQ(db.Prepare(live, "SELECT v FROM n"), kSqliteOk);
    EXPECT_FALSE(db.Open(File("second.db").c_str(), kCreateFlags));
    ASSERT_TRUE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "second.db"));
    live.Finalize();
    EXPECT_EQ(db.Execute("INSERT INTO n VALUES (4, 'four')"), kSqliteOk) << "still the first file's connection";
}

TEST_F(SqliteWrapperTest, DestructionInterruptsARunningStatement) {
    auto db = std::make_unique<SQLiteDB>();
    OpenNumbers(*db);
    SQLiteStatement running;
    ASSERT_EQ(db->Prepare(running, "SELECT v FROM n"), kSqliteOk);
    ASSERT_EQ(running.Step(), kSqliteRow);
    db.reset();
    // The connection lingers only for this statement, and the interrupt ends it.
    EXPECT_EQ(running.Step(), kSqliteInterrupt);
    running.Finalize();
}

TEST_F(SqliteWrapperTest, MovesHandOverTheHandles) {
    SQLiteDB db;
    OpenNumbers(db);
    SQLiteDB moved(std::move(db));
    EXPECT_FALSE(db.IsOpen());
    ASSERT_TRUE(moved.IsOpen());

    SQLiteStatement statement;
    ASSERT_EQ(moved.Prepare(statement, "SELECT max(v) FROM n"), kSqliteOk);
    SQLiteStatement target;
    target = std::move(statement);
    EXPECT_FALSE(statement.IsPrepared());
    ASSERT_EQ(target.Step(), kSqliteRow);
    EXPECT_EQ(target.ColumnInt(0), 3);
    target.Finalize();

    SQLiteDB assigned;
    assigned = std::move(moved);
    EXPECT_FALSE(moved.IsOpen());
    EXPECT_EQ(assigned.Execute("DELETE FROM n"), kSqliteOk);
}

TEST_F(SqliteWrapperTest, ExecuteRunsEveryStatementAndCallsBack) {
    SQLiteDB db;
    OpenNumbers(db);
    int rows = 0;
    auto count = [](void* context, int, char**, char**) {
        ++*static_cast<int*>(context);
        return 0;
    };
    EXPECT_EQ(db.Execute("SELECT v FROM n; SELECT v FROM n WHERE v > 1", count, &rows), kSqliteOk);
    EXPECT_EQ(rows, 5);
    EXPECT_NE(db.Execute("SELECT broken FROM"), kSqliteOk);
}

}  // namespace
}  // namespace qx
