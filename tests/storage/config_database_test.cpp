#include "storage/config_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "storage/utf8_text.h"
#include "tests/storage/storage_test_support.h"

namespace qx {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class ConfigDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Start-up makes the "db" folder; the database only makes its file.
        std::filesystem::create_directory(dir_.Path() / "db");
        ASSERT_TRUE(db_.OpenForModel(dir_.DataDir(), L"QxKB52"));
    }

    std::filesystem::path File() const { return test::ModelFile(dir_.DataDir(), L"QxKB52"); }
    Rows Query(const char* sql, int columns) const { return test::QueryRows(File(), sql, columns); }

    static KeyMacroRow KeyFunction(int profile, int keyCode, int type, int value, int value2, const std::wstring& desc) {
        KeyMacroRow row;
        row.profile = profile;
        row.keyCode = keyCode;
        row.macroType = type;
        row.macroValue = value;
        row.macroValue2 = value2;
        row.macroDesc = desc;
        return row;
    }
    static KeyRgbRow KeyColour(int profile, int light, int keyCode, int rgb) {
        KeyRgbRow row;
        row.profile = profile;
        row.light = light;
        row.keyCode = keyCode;
        row.keyRgb = rgb;
        return row;
    }
    static MacroRow Macro(const std::wstring& name, int playTimes = 1, int delayTime = 10) {
        MacroRow row;
        row.name = name;
        row.playTimes = playTimes;
        row.delayType = 1;
        row.delayTime = delayTime;
        return row;
    }
    static MacroRecordRow Step(int macroId, int type, int index, int value, const std::wstring& desc) {
        MacroRecordRow row;
        row.macroId = macroId;
        row.type = type;
        row.recordIndex = index;
        row.value = value;
        row.desc = desc;
        return row;
    }

    test::ScratchDir dir_;
    ConfigDatabase db_;
};

TEST(ConfigDatabaseFilePathTest, JoinsDataDirectoryAndModelName) {
#ifdef _WIN32
    EXPECT_EQ(ConfigDatabaseFilePath(L"C:\\Users\\u\\Documents\\QxKB Files\\", L"QxKB52"),
              L"C:\\Users\\u\\Documents\\QxKB Files\\db\\QxKB52_data.db");
    EXPECT_EQ(ConfigDatabaseFilePath(L"C:\\data", L"QxKBRS40-24G"), L"C:\\data\\db\\QxKBRS40-24G_data.db");
    EXPECT_EQ(ConfigDatabaseFilePath(L"C:/data/", L"QxKB74"), L"C:/data/db\\QxKB74_data.db");
#else
    EXPECT_EQ(ConfigDatabaseFilePath(L"/home/u/QxKB Files/", L"QxKB52"), L"/home/u/QxKB Files/db/QxKB52_data.db");
    EXPECT_EQ(ConfigDatabaseFilePath(L"/data", L"QxKBRS40-24G"), L"/data/db/QxKBRS40-24G_data.db");
#endif
    EXPECT_EQ(ConfigDatabaseFilePath(L"", L"QxKBRS40"), std::wstring(kConfigDatabaseFileFormat).replace(3, 2, L"QxKBRS40"));
}

TEST_F(ConfigDatabaseTest, NewFileHasTheSchemaInCreationOrder) {
    EXPECT_TRUE(db_.IsOpen());
    EXPECT_TRUE(std::filesystem::is_regular_file(File()));
    EXPECT_EQ(db_.Path(), test::PathUtf8(File()));
    const Rows expected = {
        {"table", "t_configdata",
         "CREATE TABLE t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, key TEXT, value TEXT)"},
        {"table", "sqlite_sequence", "CREATE TABLE sqlite_sequence(name,seq)"},
        {"table", "t_key_rgb_data",
         "CREATE TABLE t_key_rgb_data(rgb_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, light INTEGER, "
         "key_code INTEGER, key_rgb INTEGER)"},
        {"index", "rgbindex", "CREATE INDEX rgbindex ON t_key_rgb_data(rgb_id)"},
        {"table", "t_key_macro_data",
         "CREATE TABLE t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, key_code INTEGER, "
         "macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT)"},
        {"index", "keyindex", "CREATE INDEX keyindex ON t_key_macro_data(key_id)"},
        {"table", "t_macro_data",
         "CREATE TABLE t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, play_times INTEGER, delay_type INTEGER, "
         "delay_time INTEGER, name TEXT)"},
        {"index", "macroidindex", "CREATE INDEX macroidindex ON t_macro_data(macro_id)"},
        {"table", "t_macrorecord",
         "CREATE TABLE t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id INTEGER, type INTEGER, "
         "record_index INTEGER, desc TEXT, value INTEGER)"},
        {"index", "macrorecordindex", "CREATE INDEX macrorecordindex ON t_macrorecord(record_id)"},
    };
    EXPECT_EQ(Query("SELECT type, name, sql FROM sqlite_master ORDER BY rowid", 3), expected);
}

TEST_F(ConfigDatabaseTest, NewFileHasTenProfileDefaultsAndNothingElse) {
    Rows expected;
    for (int profile = 1; profile <= 5; ++profile) {
        expected.push_back({std::to_string(profile), "version", "1.0.1"});
        expected.push_back({std::to_string(profile), "lightmode", "1"});
    }
    EXPECT_EQ(Query("SELECT profile, key, value FROM t_configdata ORDER BY config_id", 3), expected);
    for (const char* table : {"t_key_rgb_data", "t_key_macro_data", "t_macro_data", "t_macrorecord"}) {
        const std::string sql = std::string("SELECT count(*) FROM ") + table;
        EXPECT_EQ(Query(sql.c_str(), 1), (Rows{{"0"}})) << table;
    }
}

TEST_F(ConfigDatabaseTest, FileIsAnOrdinaryRollbackJournalDatabase) {
    EXPECT_EQ(Query("PRAGMA journal_mode", 1), (Rows{{"delete"}}));
    EXPECT_FALSE(std::filesystem::exists(File().string() + "-journal"));
    EXPECT_FALSE(std::filesystem::exists(File().string() + "-wal"));
}

TEST_F(ConfigDatabaseTest, ConfigValuesReadAndUpdateExistingRowsOnly) {
    std::wstring value = L"stale";
    EXPECT_TRUE(db_.GetConfigValue(3, L"lightmode", value));
    EXPECT_EQ(value, L"1");
    EXPECT_TRUE(db_.SetConfigValue(3, L"lightmode", L"7"));
    EXPECT_TRUE(db_.GetConfigValue(3, L"lightmode", value));
    EXPECT_EQ(value, L"7");
    EXPECT_TRUE(db_.GetConfigValue(2, L"lightmode", value));
    EXPECT_EQ(value, L"1") << "other profiles keep theirs";

    value = L"stale";
    EXPECT_FALSE(db_.GetConfigValue(3, L"nosuchkey", value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(db_.GetConfigValue(6, L"lightmode", value));

    EXPECT_TRUE(db_.SetConfigValue(3, L"nosuchkey", L"1")) << "an update matching no row succeeds";
    EXPECT_FALSE(db_.GetConfigValue(3, L"nosuchkey", value)) << "and inserts nothing";
    EXPECT_EQ(Query("SELECT count(*) FROM t_configdata", 1), (Rows{{"10"}}));
}

TEST_F(ConfigDatabaseTest, KeyColoursKeepOnlySetColoursOfLightTwenty) {
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(1, 20, 4, 0x0000FF)), 1);
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(1, 20, 5, 0)), 2);            // no custom colour
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(1, 21, 6, 0x00FF00)), 3);     // another light layer
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(2, 20, 4, 0xFF0000)), 4);     // another profile
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(1, 20, 7, 0x123456)), 5);
    EXPECT_EQ(db_.CountKeyRgbs(), 5);

    std::vector<KeyRgbRow> rows(3);  // whatever the list held goes
    ASSERT_EQ(db_.GetKeyRgbs(1, rows), 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rgbId, 1);
    EXPECT_EQ(rows[0].profile, 1);
    EXPECT_EQ(rows[0].light, 20);
    EXPECT_EQ(rows[0].keyCode, 4);
    EXPECT_EQ(rows[0].keyRgb, 0x0000FF);
    EXPECT_EQ(rows[1].keyCode, 7);
    EXPECT_EQ(rows[1].keyRgb, 0x123456);

    // Setting a colour to black removes it from the result.
    EXPECT_TRUE(db_.UpdateKeyRgb(KeyColour(1, 20, 4, 0)));
    EXPECT_TRUE(db_.UpdateKeyRgb(KeyColour(1, 20, 5, 0xABCDEF)));
    ASSERT_EQ(db_.GetKeyRgbs(1, rows), 2);
    EXPECT_EQ(rows[0].keyCode, 5);
    EXPECT_EQ(rows[0].keyRgb, 0xABCDEF);
    EXPECT_TRUE(db_.UpdateKeyRgb(KeyColour(1, 20, 99, 0x111111))) << "no row matches: success without effect";
    EXPECT_EQ(db_.CountKeyRgbs(), 5);
    EXPECT_EQ(db_.GetKeyRgbs(4, rows), 0);
    EXPECT_TRUE(rows.empty());
}

TEST_F(ConfigDatabaseTest, SetKeyMacroReplacesTheKeysRowInItsProfile) {
    const int first = db_.SetKeyMacro(KeyFunction(1, 4, 601, 636, 0, L"Mute"));
    EXPECT_GT(first, 0);
    EXPECT_GT(db_.SetKeyMacro(KeyFunction(2, 4, 600, 610, 0, L"Calculator")), first);
    const int replaced = db_.SetKeyMacro(KeyFunction(1, 4, 604, 0x2C, 0xE1, L"Shift+Space"));
    EXPECT_GT(replaced, first);

    std::vector<KeyMacroRow> rows;
    ASSERT_EQ(db_.GetKeyMacros(1, rows), 1);
    EXPECT_EQ(rows[0].keyId, replaced);
    EXPECT_EQ(rows[0].profile, 1);
    EXPECT_EQ(rows[0].keyCode, 4);
    EXPECT_EQ(rows[0].macroType, 604);
    EXPECT_EQ(rows[0].macroValue, 0x2C);
    EXPECT_EQ(rows[0].macroValue2, 0xE1);
    EXPECT_EQ(rows[0].macroValue3, 0);
    EXPECT_EQ(rows[0].macroDesc, L"Shift+Space");
    ASSERT_EQ(db_.GetKeyMacros(2, rows), 1) << "the same key in another profile stays";
    EXPECT_EQ(rows[0].macroDesc, L"Calculator");
}

TEST_F(ConfigDatabaseTest, SetKeyMacroInsertsOnlyWhenAValueIsSet) {
    ASSERT_GT(db_.SetKeyMacro(KeyFunction(1, 4, 601, 636, 0, L"Mute")), 0);
    ASSERT_GT(db_.SetKeyMacro(KeyFunction(1, 5, 604, 0, 0xE0, L"Ctrl")), 0) << "a modifier alone is a value";
    // Both values 0 (the default function): the row goes and nothing comes in its place.
    EXPECT_EQ(db_.SetKeyMacro(KeyFunction(1, 4, 604, 0, 0, L"Default")), 0);
    std::vector<KeyMacroRow> rows;
    ASSERT_EQ(db_.GetKeyMacros(1, rows), 1);
    EXPECT_EQ(rows[0].keyCode, 5);
    // Key code 0 changes nothing at all.
    EXPECT_EQ(db_.SetKeyMacro(KeyFunction(1, 0, 601, 636, 0, L"Mute")), 0);
    EXPECT_EQ(db_.SetKeyMacro(KeyFunction(1, 0, 604, 0, 0, L"Default")), 0);
    EXPECT_EQ(db_.GetKeyMacros(1, rows), 1);
    EXPECT_EQ(Query("SELECT count(*) FROM t_key_macro_data", 1), (Rows{{"1"}}));
}

TEST_F(ConfigDatabaseTest, MacrosInsertReadRenameAndUpdate) {
    const int a = db_.InsertMacro(Macro(L"alpha", 3, 25));
    const int b = db_.InsertMacro(Macro(L"beta"));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);

    MacroRow row;
    ASSERT_TRUE(db_.GetMacro(a, row));
    EXPECT_EQ(row.macroId, a);
    EXPECT_EQ(row.name, L"alpha");
    EXPECT_EQ(row.playTimes, 3);
    EXPECT_EQ(row.delayType, 1);
    EXPECT_EQ(row.delayTime, 25);

    EXPECT_TRUE(db_.RenameMacro(a, L"gamma"));
    MacroRow playback = Macro(L"ignored", 255, 500);
    playback.macroId = a;
    EXPECT_TRUE(db_.UpdateMacroPlayback(playback));
    ASSERT_TRUE(db_.GetMacro(a, row));
    EXPECT_EQ(row.name, L"gamma") << "playback updates leave the name";
    EXPECT_EQ(row.playTimes, 255);
    EXPECT_EQ(row.delayTime, 500);
    int count = 0;
    ASSERT_TRUE(db_.GetMacroPlayTimes(a, count));
    EXPECT_EQ(count, 255);

    // Absent macros leave the outputs alone.
    MacroRow untouched = Macro(L"keep", 9, 9);
    EXPECT_FALSE(db_.GetMacro(77, untouched));
    EXPECT_EQ(untouched.name, L"keep");
    count = -5;
    EXPECT_FALSE(db_.GetMacroPlayTimes(77, count));
    EXPECT_EQ(count, -5);
    EXPECT_TRUE(db_.RenameMacro(77, L"nobody"));

    std::vector<MacroRow> macros(4);
    ASSERT_EQ(db_.GetMacros(macros), 2);
    EXPECT_EQ(macros[0].macroId, a);
    EXPECT_EQ(macros[1].macroId, b);
    EXPECT_EQ(macros[1].name, L"beta");
}

TEST_F(ConfigDatabaseTest, MacroRecordsComeBackByIndexPerMacro) {
    const int a = db_.InsertMacro(Macro(L"a"));
    const int b = db_.InsertMacro(Macro(L"b"));
    // Stored out of order and interleaved with another macro's steps.
    EXPECT_EQ(db_.InsertMacroRecord(Step(a, 3, 2, 0x04, L"A")), 1);
    EXPECT_EQ(db_.InsertMacroRecord(Step(b, 1, 0, 30, L"30")), 2);
    EXPECT_EQ(db_.InsertMacroRecord(Step(a, 2, 0, 0x04, L"A")), 3);
    EXPECT_EQ(db_.InsertMacroRecord(Step(a, 1, 1, 120, L"120")), 4);
    EXPECT_EQ(db_.CountMacroRecords(), 4) << "steps of all macros together";

    std::vector<MacroRecordRow> steps(1);
    ASSERT_EQ(db_.GetMacroRecords(a, steps), 3);
    EXPECT_EQ(steps[0].recordIndex, 0);
    EXPECT_EQ(steps[0].recordId, 3);
    EXPECT_EQ(steps[0].macroId, a);
    EXPECT_EQ(steps[0].type, 2);
    EXPECT_EQ(steps[0].value, 0x04);
    EXPECT_EQ(steps[0].desc, L"A");
    EXPECT_EQ(steps[1].recordIndex, 1);
    EXPECT_EQ(steps[1].type, 1);
    EXPECT_EQ(steps[1].value, 120);
    EXPECT_EQ(steps[1].desc, L"120");
    EXPECT_EQ(steps[2].recordIndex, 2);
    EXPECT_EQ(steps[2].type, 3);

    EXPECT_TRUE(db_.DeleteMacroRecords(a));
    EXPECT_EQ(db_.GetMacroRecords(a, steps), 0);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(db_.CountMacroRecords(), 1);
    EXPECT_TRUE(db_.DeleteMacroRecords(a)) << "nothing left to delete still succeeds";
}

TEST_F(ConfigDatabaseTest, DeleteMacroRemovesItsStepsButNotKeysNamingIt) {
    const int a = db_.InsertMacro(Macro(L"a"));
    const int b = db_.InsertMacro(Macro(L"b"));
    db_.InsertMacroRecord(Step(a, 1, 0, 10, L"10"));
    db_.InsertMacroRecord(Step(b, 1, 0, 20, L"20"));
    ASSERT_GT(db_.SetKeyMacro(KeyFunction(1, 30, 602, a, 0, L"a")), 0);

    EXPECT_TRUE(db_.DeleteMacro(a));
    MacroRow row;
    EXPECT_FALSE(db_.GetMacro(a, row));
    std::vector<MacroRecordRow> steps;
    EXPECT_EQ(db_.GetMacroRecords(a, steps), 0);
    EXPECT_EQ(db_.GetMacroRecords(b, steps), 1);
    std::vector<KeyMacroRow> keys;
    ASSERT_EQ(db_.GetKeyMacros(1, keys), 1);
    EXPECT_EQ(keys[0].macroType, 602);
    EXPECT_EQ(keys[0].macroValue, a);
    EXPECT_TRUE(db_.DeleteMacro(99)) << "deleting an absent macro succeeds";
}

TEST_F(ConfigDatabaseTest, ResetProfileDataClearsTheProfileAndTheWholeMacroLibrary) {
    for (int profile = 1; profile <= 2; ++profile) {
        db_.InsertKeyRgb(KeyColour(profile, 20, 4, 0x0000FF));
        db_.SetKeyMacro(KeyFunction(profile, 4, 601, 636, 0, L"Mute"));
    }
    const int a = db_.InsertMacro(Macro(L"a"));
    const int b = db_.InsertMacro(Macro(L"b"));
    db_.InsertMacroRecord(Step(a, 1, 0, 10, L"10"));
    db_.InsertMacroRecord(Step(b, 1, 0, 10, L"10"));
    db_.SetConfigValue(1, L"lightmode", L"4");

    db_.ResetProfileData(1);
    std::vector<KeyRgbRow> colours;
    std::vector<KeyMacroRow> keys;
    std::vector<MacroRow> macros;
    EXPECT_EQ(db_.GetKeyRgbs(1, colours), 0);
    EXPECT_EQ(db_.CountKeyRgbs(), 2) << "colour rows stay, with colour 0";
    EXPECT_EQ(db_.GetKeyMacros(1, keys), 0);
    EXPECT_EQ(db_.GetKeyRgbs(2, colours), 1);
    EXPECT_EQ(db_.GetKeyMacros(2, keys), 1);
    EXPECT_EQ(db_.GetMacros(macros), 0) << "the library is shared by every profile";
    EXPECT_EQ(db_.CountMacroRecords(), 0);
    EXPECT_EQ(Query("SELECT count(*) FROM sqlite_sequence", 1), (Rows{{"0"}}));
    std::wstring mode;
    EXPECT_TRUE(db_.GetConfigValue(1, L"lightmode", mode));
    EXPECT_EQ(mode, L"4") << "the light mode is not this operation's business";

    // Numbering starts again after the highest remaining row.
    EXPECT_EQ(db_.InsertMacro(Macro(L"new")), 1);
    EXPECT_EQ(db_.InsertMacroRecord(Step(1, 1, 0, 1, L"1")), 1);
    const int maxKeyId = std::stoi(Query("SELECT max(key_id) FROM t_key_macro_data", 1).at(0).at(0));
    EXPECT_EQ(db_.SetKeyMacro(KeyFunction(3, 9, 601, 630, 0, L"Play")), maxKeyId + 1);
}

TEST_F(ConfigDatabaseTest, ResetAllKeyDataClearsEveryProfileAndKeepsMacros) {
    for (int profile = 1; profile <= 5; ++profile) {
        db_.InsertKeyRgb(KeyColour(profile, 20, 4, 0x0000FF));
        db_.SetKeyMacro(KeyFunction(profile, 4, 601, 636, 0, L"Mute"));
    }
    const int a = db_.InsertMacro(Macro(L"a"));
    db_.InsertMacroRecord(Step(a, 1, 0, 10, L"10"));

    db_.ResetAllKeyData();
    std::vector<KeyRgbRow> colours;
    std::vector<KeyMacroRow> keys;
    for (int profile = 1; profile <= 5; ++profile) {
        EXPECT_EQ(db_.GetKeyRgbs(profile, colours), 0);
        EXPECT_EQ(db_.GetKeyMacros(profile, keys), 0);
    }
    EXPECT_EQ(db_.CountKeyRgbs(), 5);
    std::vector<MacroRow> macros;
    EXPECT_EQ(db_.GetMacros(macros), 1);
    EXPECT_EQ(db_.CountMacroRecords(), 1);
}

TEST_F(ConfigDatabaseTest, TextsRoundTripUnchangedAndNeverAlterTheStatements) {
    const std::vector<std::wstring> texts = {
        L"\u5b8f\u5f55\u5236 \u4e00",                        // Chinese
        L"party \U0001F389\U0001F600",                        // emoji: surrogate pairs in 16-bit wide text
        L"it's \"quoted\"",
        L"x'); DELETE FROM t_macro_data; --",
        L"; DROP TABLE t_macrorecord;",
        L"",
    };
    for (const std::wstring& text : texts) {
        SCOPED_TRACE(ToUtf8(text));
        const int macroId = db_.InsertMacro(Macro(text));
        ASSERT_GT(macroId, 0);
        MacroRow macro;
        ASSERT_TRUE(db_.GetMacro(macroId, macro));
        EXPECT_EQ(macro.name, text);
        ASSERT_TRUE(db_.RenameMacro(macroId, text + L"!"));
        ASSERT_TRUE(db_.GetMacro(macroId, macro));
        EXPECT_EQ(macro.name, text + L"!");

        ASSERT_GT(db_.InsertMacroRecord(Step(macroId, 2, 0, 4, text)), 0);
        std::vector<MacroRecordRow> steps;
        ASSERT_EQ(db_.GetMacroRecords(macroId, steps), 1);
        EXPECT_EQ(steps[0].desc, text);

        ASSERT_GT(db_.SetKeyMacro(KeyFunction(1, 4, 602, macroId, 0, text)), 0);
        std::vector<KeyMacroRow> keys;
        ASSERT_EQ(db_.GetKeyMacros(1, keys), 1);
        EXPECT_EQ(keys[0].macroDesc, text);

        ASSERT_TRUE(db_.SetConfigValue(1, L"lightmode", text));
        std::wstring value;
        ASSERT_TRUE(db_.GetConfigValue(1, L"lightmode", value));
        EXPECT_EQ(value, text);
        EXPECT_FALSE(db_.GetConfigValue(1, text, value)) << "a text used as key matches nothing";
    }
    std::vector<MacroRow> macros;
    EXPECT_EQ(db_.GetMacros(macros), static_cast<int>(texts.size()));
    EXPECT_EQ(db_.CountMacroRecords(), static_cast<int>(texts.size()));
    EXPECT_EQ(Query("SELECT count(*) FROM sqlite_master", 1), (Rows{{"10"}}));
}

TEST_F(ConfigDatabaseTest, TextsAreStoredAsUtf8) {
    const int macroId = db_.InsertMacro(Macro(L"\u5b8f\U0001F600"));
    ASSERT_GT(macroId, 0);
    const std::string expected = "\xE5\xAE\x8F\xF0\x9F\x98\x80";
    EXPECT_EQ(Query("SELECT name, length(CAST(name AS BLOB)) FROM t_macro_data", 2), (Rows{{expected, "7"}}));
}

TEST_F(ConfigDatabaseTest, NullTextColumnsReadAsEmpty) {
    ASSERT_GT(db_.InsertMacro(Macro(L"named")), 0);
    test::QueryRows(File(), "UPDATE t_macro_data SET name = NULL", 0);
    test::QueryRows(File(), "INSERT INTO t_key_macro_data(profile, key_code, macro_type, macro_value) VALUES (1, 4, 601, 636)", 0);
    std::vector<MacroRow> macros;
    ASSERT_EQ(db_.GetMacros(macros), 1);
    EXPECT_EQ(macros[0].name, L"");
    std::vector<KeyMacroRow> keys;
    ASSERT_EQ(db_.GetKeyMacros(1, keys), 1);
    EXPECT_EQ(keys[0].macroDesc, L"");
    EXPECT_EQ(keys[0].macroValue2, 0);
}

TEST_F(ConfigDatabaseTest, ChangesAreInTheFileWhenTheCallReturns) {
    // A second connection sees each change at once: nothing waits in an open transaction.
    db_.InsertKeyRgb(KeyColour(1, 20, 4, 0x0000FF));
    EXPECT_EQ(Query("SELECT key_rgb FROM t_key_rgb_data", 1), (Rows{{"255"}}));
    db_.SetKeyMacro(KeyFunction(1, 4, 601, 636, 0, L"Mute"));
    EXPECT_EQ(Query("SELECT macro_desc FROM t_key_macro_data", 1), (Rows{{"Mute"}}));
    EXPECT_FALSE(std::filesystem::exists(File().string() + "-journal"));
}

TEST_F(ConfigDatabaseTest, ClosedDatabaseFailsQuietly) {
    db_.CloseDatabase();
    EXPECT_FALSE(db_.IsOpen());
    EXPECT_FALSE(db_.HasConnection());
    std::wstring value = L"x";
    EXPECT_FALSE(db_.GetConfigValue(1, L"lightmode", value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(db_.SetConfigValue(1, L"lightmode", L"2"));
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(1, 20, 4, 1)), -1);
    EXPECT_EQ(db_.InsertMacro(Macro(L"m")), 0);
    EXPECT_EQ(db_.InsertMacroRecord(Step(1, 1, 0, 1, L"1")), 0);
    EXPECT_EQ(db_.SetKeyMacro(KeyFunction(1, 4, 601, 636, 0, L"Mute")), 0);
    EXPECT_FALSE(db_.DeleteMacro(1));
    EXPECT_EQ(db_.CountKeyRgbs(), 0);
    db_.CloseDatabase();  // twice is harmless
    // Reopening the same file works and finds what was stored before.
    ASSERT_TRUE(db_.OpenForModel(dir_.DataDir(), L"QxKB52"));
    EXPECT_TRUE(db_.GetConfigValue(1, L"lightmode", value));
    EXPECT_EQ(value, L"1");
}

TEST_F(ConfigDatabaseTest, BatchCommitsItsRowsTogetherWhenItEnds) {
    {
        ConfigDatabase::Batch batch(db_);
        ASSERT_TRUE(batch.IsActive());
        ConfigDatabase::Batch nested(db_);
        EXPECT_FALSE(nested.IsActive()) << "a batch inside a batch adds to the outer one";
        for (int key = 4; key < 4 + 110; ++key) EXPECT_GT(db_.InsertKeyRgb(KeyColour(1, 20, key, 0)), 0);
        EXPECT_EQ(db_.CountKeyRgbs(), 110) << "the batch's own connection sees its rows";
    }
    EXPECT_EQ(Query("SELECT COUNT(*) FROM t_key_rgb_data", 1), (Rows{{"110"}}));
    EXPECT_FALSE(std::filesystem::exists(File().string() + "-journal"));

    // After the batch, writes commit one by one again.
    db_.InsertKeyRgb(KeyColour(2, 20, 4, 0x00FF00));
    EXPECT_EQ(Query("SELECT COUNT(*) FROM t_key_rgb_data WHERE profile = 2", 1), (Rows{{"1"}}));
}

TEST_F(ConfigDatabaseTest, AbandonedBatchLeavesNoRowBehind) {
    const Rows before = Query("SELECT COUNT(*) FROM t_macro_data", 1);
    {
        ConfigDatabase::Batch batch(db_);
        ASSERT_TRUE(batch.IsActive());
        EXPECT_GT(db_.InsertMacro(Macro(L"gone")), 0);
        EXPECT_GT(db_.InsertKeyRgb(KeyColour(1, 20, 4, 0x0000FF)), 0);
        batch.Abandon();
    }
    EXPECT_EQ(Query("SELECT COUNT(*) FROM t_macro_data", 1), before);
    EXPECT_EQ(Query("SELECT COUNT(*) FROM t_key_rgb_data WHERE key_rgb = 255", 1), (Rows{{"0"}}));
    EXPECT_FALSE(std::filesystem::exists(File().string() + "-journal"));
    // The connection is usable again at once, one commit per write.
    EXPECT_GT(db_.InsertMacro(Macro(L"kept")), 0);
    EXPECT_EQ(Query("SELECT COUNT(*) FROM t_macro_data WHERE name = 'kept'", 1), (Rows{{"1"}}));
}

TEST_F(ConfigDatabaseTest, BatchWithoutAConnectionDoesNothing) {
    db_.CloseDatabase();
    ConfigDatabase::Batch batch(db_);
    EXPECT_FALSE(batch.IsActive());
    EXPECT_EQ(db_.InsertKeyRgb(KeyColour(1, 20, 4, 0)), -1);
}

}  // namespace
}  // namespace qx
