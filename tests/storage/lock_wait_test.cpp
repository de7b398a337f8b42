// A database file locked by another program: how long the window's thread waits for it. One
// operation, however many statements it runs, waits at most kConfigLockWaitMs in all, then fails
// as any storage failure does, without leaving anything half-written.
//
// The time bounds here are kept far above the wait the code aims at, so a loaded machine never
// trips them; they catch waits that add up per statement (seconds for the multi-row operations).
// Each case prints the stall it measured.
#include "storage/config_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"
#include "tests/storage/storage_test_support.h"

namespace qx {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Rows = std::vector<std::vector<std::string>>;

constexpr auto kNeverFlakes = std::chrono::seconds(2);
constexpr wchar_t kModel[] = L"QxKB74";
constexpr int kKeys = 82;
constexpr int kProfiles = 5;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Another program's connection holding the file with a lock taken by beginSql.
class LockHolder {
public:
    LockHolder(const fs::path& file, const char* beginSql) {
        EXPECT_TRUE(db_.Open(test::PathUtf8(file).c_str(), kSqliteOpenReadWrite));
        EXPECT_EQ(db_.Execute(beginSql), kSqliteOk) << beginSql;
    }
    void Release() { EXPECT_EQ(db_.Execute("ROLLBACK"), kSqliteOk); }

private:
    SQLiteDB db_;
};

// ---- The wrapper: a deadline bounds a series of statements together. ------------------------

class BusyDeadlineTest : public ::testing::Test {
protected:
    void SetUp() override {
        SQLiteDB create;
        ASSERT_TRUE(create.Open(File().c_str(), kSqliteOpenReadWrite | kSqliteOpenCreate));
        ASSERT_EQ(create.Execute("CREATE TABLE n(v INTEGER); INSERT INTO n VALUES (1);"), kSqliteOk);
    }
    std::string File() const { return test::PathUtf8(dir_.Path() / "n.db"); }
    fs::path Path() const { return dir_.Path() / "n.db"; }

    test::ScratchDir dir_;
};

TEST_F(BusyDeadlineTest, StatementsShareOneDeadline) {
    LockHolder holder(Path(), "BEGIN EXCLUSIVE");
    SQLiteDB db;
    ASSERT_TRUE(db.Open(File().c_str(), kSqliteOpenReadWrite));
    constexpr int kStatements = 20;
    const auto started = Clock::now();
    db.SetBusyDeadline(started + std::chrono::milliseconds(300));
    for (int i = 0; i < kStatements; ++i) EXPECT_EQ(db.Execute("SELECT v FROM n"), kSqliteBusy);
    const auto elapsed = Clock::now() - started;
    // A timeout of 300 ms per statement would take six seconds.
    EXPECT_GE(elapsed, std::chrono::milliseconds(300)) << "the first statement waits out the deadline";
    EXPECT_LT(elapsed, kNeverFlakes);
}

TEST_F(BusyDeadlineTest, APassedDeadlineFailsWithoutWaitingAndANewOneWaitsAgain) {
    LockHolder holder(Path(), "BEGIN EXCLUSIVE");
    SQLiteDB db;
    db.SetBusyDeadline(Clock::now() - std::chrono::seconds(1));   // before Open: kept across it
    ASSERT_TRUE(db.Open(File().c_str(), kSqliteOpenReadWrite));
    auto started = Clock::now();
    EXPECT_EQ(db.Execute("SELECT v FROM n"), kSqliteBusy);
    EXPECT_LT(Clock::now() - started, kNeverFlakes);

    started = Clock::now();
    db.SetBusyDeadline(started + std::chrono::milliseconds(250));
    EXPECT_EQ(db.Execute("SELECT v FROM n"), kSqliteBusy);
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(250));
}

TEST_F(BusyDeadlineTest, ALockReleasedBeforeTheDeadlineIsWaitedForAlsoAfterAMove) {
    auto holder = std::make_unique<LockHolder>(Path(), "BEGIN EXCLUSIVE");
    auto first = std::make_unique<SQLiteDB>();
    ASSERT_TRUE(first->Open(File().c_str(), kSqliteOpenReadWrite));
    first->SetBusyDeadline(Clock::now() + std::chrono::seconds(60));
    SQLiteDB db(std::move(*first));
    first.reset();   // the busy handler must not point into the object it came from

    // The other program finishes its work a moment later, while the statement waits.
    std::thread other([&holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        holder->Release();
    });
    EXPECT_EQ(db.Execute("INSERT INTO n VALUES (2)"), kSqliteOk);
    other.join();
    EXPECT_EQ(test::QueryRows(Path(), "SELECT count(*) FROM n", 1), (Rows{{"2"}}));
}

// ---- ConfigDatabase: one operation, one wait. -------------------------------------------------

struct LockCase {
    const char* name;
    const char* beginSql;
    bool readsWork;   // a RESERVED lock still lets others read; an EXCLUSIVE one does not
};

// One user action on the database; true when it did all it should.
struct Action {
    const char* name;
    bool writes;
    std::function<bool(ConfigDatabase&)> run;
};

KeyRgbRow Colour(int profile, int keyCode, int rgb) {
    KeyRgbRow row;
    row.profile = profile;
    row.light = kKeyRgbLight;
    row.keyCode = keyCode;
    row.keyRgb = rgb;
    return row;
}

const LockCase kLocks[] = {
    {"reserved", "BEGIN IMMEDIATE", true},
    {"exclusive", "BEGIN EXCLUSIVE", false},
};

const Action kActions[] = {
    // The first load of a layout: a colour row per key and profile, in one batch.
    {"layout_first_use_colour_rows", true,
     [](ConfigDatabase& db) {
         ConfigDatabase::Batch batch(db);
         bool all = true;
         for (int profile = 1; profile <= kProfiles; ++profile)
             for (int key = 1; key <= kKeys; ++key) all = db.InsertKeyRgb(Colour(profile, 1000 + key, 0)) > 0 && all;
         return all;
     }},
    // Painting the whole keyboard: every key's colour, in one batch.
    {"write_key_colours", true,
     [](ConfigDatabase& db) {
         ConfigDatabase::Batch batch(db);
         bool all = true;
         for (int key = 1; key <= kKeys; ++key) all = db.UpdateKeyRgb(Colour(1, key, 0x123456)) && all;
         return all;
     }},
    {"set_key_macro", true,
     [](ConfigDatabase& db) {
         KeyMacroRow row;
         row.profile = 1;
         row.keyCode = 4;
         row.macroType = kKeyFunctionMultimedia;
         row.macroValue = 636;
         row.macroDesc = L"Mute";
         return db.SetKeyMacro(row) > 0;
     }},
    {"set_light_mode", true, [](ConfigDatabase& db) { return db.SetConfigValue(1, L"lightmode", L"7"); }},
    {"delete_macro", true, [](ConfigDatabase& db) { return db.DeleteMacro(1); }},
    {"get_key_colours", false,
     [](ConfigDatabase& db) {
         std::vector<KeyRgbRow> rows;
         return db.GetKeyRgbs(1, rows) == kKeys;
     }},
    {"get_key_macros", false,
     [](ConfigDatabase& db) {
         std::vector<KeyMacroRow> rows;
         return db.GetKeyMacros(1, rows) == 1;
     }},
    {"get_light_mode", false,
     [](ConfigDatabase& db) {
         std::wstring value;
         return db.GetConfigValue(1, L"lightmode", value) && value == L"1";
     }},
    {"get_macros_and_steps", false,
     [](ConfigDatabase& db) {
         std::vector<MacroRow> macros;
         std::vector<MacroRecordRow> steps;
         return db.GetMacros(macros) == 1 && db.GetMacroRecords(1, steps) == 1;
     }},
    {"count_key_colours", false, [](ConfigDatabase& db) { return db.CountKeyRgbs() == kKeys * kProfiles; }},
};

class LockedDatabaseTest : public ::testing::TestWithParam<std::tuple<LockCase, Action>> {
protected:
    void SetUp() override {
        fs::create_directory(dir_.Path() / "db");
        ASSERT_TRUE(db_.OpenForModel(dir_.DataDir(), kModel));
        {
            ConfigDatabase::Batch batch(db_);
            for (int profile = 1; profile <= kProfiles; ++profile)
                for (int key = 1; key <= kKeys; ++key) ASSERT_GT(db_.InsertKeyRgb(Colour(profile, key, key)), 0);
        }
        KeyMacroRow key;
        key.profile = 1;
        key.keyCode = 5;
        key.macroType = kKeyFunctionSystem;
        key.macroValue = 610;
        key.macroDesc = L"x";
        ASSERT_GT(db_.SetKeyMacro(key), 0);
        MacroRow macro;
        macro.name = L"m";
        macro.playTimes = 1;
        ASSERT_EQ(db_.InsertMacro(macro), 1);
        MacroRecordRow step;
        step.macroId = 1;
        step.type = kMacroStepDelay;
        step.value = 5;
        step.desc = L"5";
        ASSERT_EQ(db_.InsertMacroRecord(step), 1);
    }

    fs::path File() const { return test::ModelFile(dir_.DataDir(), kModel); }

    // Everything the file holds, table by table.
    std::vector<Rows> Contents() const {
        return {test::QueryRows(File(), "SELECT * FROM t_configdata", 4),
                test::QueryRows(File(), "SELECT * FROM t_key_rgb_data", 5),
                test::QueryRows(File(), "SELECT * FROM t_key_macro_data", 8),
                test::QueryRows(File(), "SELECT * FROM t_macro_data", 5),
                test::QueryRows(File(), "SELECT * FROM t_macrorecord", 6)};
    }

    test::ScratchDir dir_;
    ConfigDatabase db_;
};

TEST_P(LockedDatabaseTest, OneActionWaitsAFractionOfASecondAndFailsWhole) {
    const auto& [lock, action] = GetParam();
    const std::vector<Rows> before = Contents();

    LockHolder holder(File(), lock.beginSql);
    const auto started = Clock::now();
    const bool done = action.run(db_);
    const auto stall = Clock::now() - started;
    std::printf("stall %-9s %-30s %6.0f ms\n", lock.name, action.name, Milliseconds(stall));

    EXPECT_EQ(done, !action.writes && lock.readsWork);
    EXPECT_LT(stall, kNeverFlakes);
    holder.Release();
    EXPECT_EQ(Contents(), before) << "a failed action must leave the file as it was";

    // Once the other program lets go, the same action goes through.
    EXPECT_TRUE(action.run(db_));
}

INSTANTIATE_TEST_SUITE_P(Actions, LockedDatabaseTest,
                         ::testing::Combine(::testing::ValuesIn(kLocks), ::testing::ValuesIn(kActions)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace qx
