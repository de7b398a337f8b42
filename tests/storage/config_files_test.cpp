// ConfigDatabase over files it did not make: existing, damaged, foreign, read-only or locked.
// None of them may crash or hang it, and none may be changed by it.
#include "storage/config_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"
#include "tests/storage/storage_test_support.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qx {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

constexpr wchar_t kModel[] = L"QxKB52";
constexpr int kCreateFlags = kSqliteOpenReadWrite | kSqliteOpenCreate;

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(DbFolder()); }

    fs::path DbFolder() const { return dir_.Path() / "db"; }
    fs::path File() const { return test::ModelFile(dir_.DataDir(), kModel); }

    std::set<fs::path> FolderEntries() const {
        std::set<fs::path> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(DbFolder(), error)) names.insert(entry.path().filename());
        return names;
    }

    // A proper database holding one of everything: a colour, a key function, a macro and its step.
    void Seed() {
        ConfigDatabase db;
        ASSERT_TRUE(db.OpenForModel(dir_.DataDir(), kModel));
        KeyRgbRow colour;
        colour.profile = 1;
        colour.light = kKeyRgbLight;
        colour.keyCode = 4;
        colour.keyRgb = 0x0000FF;
        ASSERT_EQ(db.InsertKeyRgb(colour), 1);
        KeyMacroRow key;
        key.profile = 1;
        key.keyCode = 4;
        key.macroType = kKeyFunctionMultimedia;
        key.macroValue = 636;
        key.macroDesc = L"Mute";
        ASSERT_GT(db.SetKeyMacro(key), 0);
        MacroRow macro;
        macro.name = L"m";
        macro.playTimes = 2;
        ASSERT_EQ(db.InsertMacro(macro), 1);
        MacroRecordRow step;
        step.macroId = 1;
        step.type = kMacroStepDelay;
        step.value = 50;
        step.desc = L"50";
        ASSERT_EQ(db.InsertMacroRecord(step), 1);
        db.CloseDatabase();
    }

    test::ScratchDir dir_;
};

// --- Opening and creating -------------------------------------------------------------------

TEST_F(ConfigFilesTest, ReopeningAnExistingFileCreatesNoTables) {
    Seed();
    test::QueryRows(File(), "DROP TABLE t_macrorecord", 0);
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenForModel(dir_.DataDir(), kModel));
    std::vector<MacroRecordRow> steps;
    EXPECT_EQ(db.GetMacroRecords(1, steps), 0);
    EXPECT_EQ(db.InsertMacroRecord(MacroRecordRow{}), 0);
    std::vector<MacroRow> macros;
    EXPECT_EQ(db.GetMacros(macros), 1) << "the other tables still work";
    EXPECT_EQ(test::QueryRows(File(), "SELECT count(*) FROM sqlite_master WHERE name = 't_macrorecord'", 1),
              (Rows{{"0"}}));
    EXPECT_EQ(test::QueryRows(File(), "SELECT count(*) FROM t_configdata", 1), (Rows{{"10"}}))
        << "no second set of defaults";
}

TEST_F(ConfigFilesTest, FailedCreationKeepsItsConnectionWithTheOpenFlagClear) {
    // A folder where the rollback journal belongs: the file opens, but no statement can write.
    fs::create_directory(File().string() + "-journal");
    ConfigDatabase db;
    EXPECT_FALSE(db.OpenForModel(dir_.DataDir(), kModel));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.HasConnection());
    db.CloseDatabase();
    EXPECT_TRUE(db.HasConnection()) << "CloseDatabase only closes what OpenForModel opened";
    std::wstring value;
    EXPECT_FALSE(db.GetConfigValue(1, L"lightmode", value));

    // The half-made file now exists and the connection is still there: reported as open.
    EXPECT_TRUE(db.OpenForModel(dir_.DataDir(), kModel));
    EXPECT_TRUE(db.IsOpen());
    db.CloseDatabase();
    EXPECT_FALSE(db.HasConnection());
}

TEST_F(ConfigFilesTest, OpenConnectionIsKeptWhenAnotherModelIsAsked) {
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenForModel(dir_.DataDir(), kModel));
    EXPECT_TRUE(db.OpenForModel(dir_.DataDir(), L"QxKB74"));
    EXPECT_FALSE(fs::exists(test::ModelFile(dir_.DataDir(), L"QxKB74")));
    EXPECT_EQ(db.InsertMacro(MacroRow{}), 1);
    EXPECT_EQ(test::QueryRows(File(), "SELECT count(*) FROM t_macro_data", 1), (Rows{{"1"}}));
}

TEST_F(ConfigFilesTest, MissingDbFolderFailsAndCreatesNothing) {
    fs::remove(DbFolder());
    ConfigDatabase db;
    EXPECT_FALSE(db.OpenForModel(dir_.DataDir(), kModel));
    EXPECT_FALSE(db.HasConnection());
    EXPECT_FALSE(db.CreateDatabase());
    EXPECT_FALSE(fs::exists(DbFolder()));
}

TEST_F(ConfigFilesTest, CreateDatabaseNeverTakesOverAnExistingFile) {
    ConfigDatabase db;
    EXPECT_FALSE(db.CreateDatabase()) << "no path stored yet";
    test::WriteBytes(File(), {});
    ASSERT_TRUE(db.OpenForModel(dir_.DataDir(), kModel));
    db.CloseDatabase();
    EXPECT_FALSE(db.CreateDatabase());
    EXPECT_EQ(fs::file_size(File()), 0u);
}

TEST_F(ConfigFilesTest, DataDirectoryWithChineseNameWorks) {
    test::ScratchDir cjk(L"\u914d\u7f6e \u6587\u4ef6");
    fs::create_directory(cjk.Path() / "db");
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenForModel(cjk.DataDir(), L"QxKBRS40-24G"));
    EXPECT_TRUE(fs::is_regular_file(cjk.Path() / "db" / "QxKBRS40-24G_data.db"));
    std::wstring value;
    EXPECT_TRUE(db.GetConfigValue(5, L"lightmode", value));
}

TEST_F(ConfigFilesTest, SeveralObjectsShareOneFile) {
    ConfigDatabase mainWindow, editor;
    ASSERT_TRUE(mainWindow.OpenForModel(dir_.DataDir(), kModel));
    ASSERT_TRUE(editor.OpenForModel(dir_.DataDir(), kModel));
    MacroRow macro;
    macro.name = L"shared";
    const int id = editor.InsertMacro(macro);
    ASSERT_GT(id, 0);
    MacroRow seen;
    ASSERT_TRUE(mainWindow.GetMacro(id, seen));
    EXPECT_EQ(seen.name, L"shared");
    EXPECT_TRUE(mainWindow.DeleteMacro(id));
    EXPECT_FALSE(editor.GetMacro(id, seen));
}

// --- Bad files --------------------------------------------------------------------------------

struct BadFileCase {
    const char* name;
    // Puts the bad file in place; what it returns is kept alive while the database is used.
    std::function<std::shared_ptr<void>(ConfigFilesTest& test, const fs::path& file)> make;
    std::optional<bool> opens;   // OpenForModel's result; nullopt where it differs between systems
    bool readable;               // reads still give the seeded data
    bool needsReadOnly;          // relies on file permissions being enforced
};

void PrintTo(const BadFileCase& c, std::ostream* os) {
    *os << c.name;
}

class BadFileTest : public ConfigFilesTest, public ::testing::WithParamInterface<BadFileCase> {
public:
    void SeedFile() { Seed(); }
    fs::path Folder() const { return DbFolder(); }

protected:
    void CheckReads(ConfigDatabase& db, bool readable) {
        std::wstring value = L"stale";
        EXPECT_EQ(db.GetConfigValue(1, L"lightmode", value), readable);
        EXPECT_EQ(value, readable ? L"1" : L"");
        std::vector<KeyRgbRow> colours(2);
        EXPECT_EQ(db.GetKeyRgbs(1, colours), readable ? 1 : 0);
        EXPECT_EQ(colours.size(), readable ? 1u : 0u);
        std::vector<KeyMacroRow> keys(2);
        EXPECT_EQ(db.GetKeyMacros(1, keys), readable ? 1 : 0);
        EXPECT_EQ(keys.size(), readable ? 1u : 0u);
        std::vector<MacroRow> macros(2);
        EXPECT_EQ(db.GetMacros(macros), readable ? 1 : 0);
        std::vector<MacroRecordRow> steps(2);
        EXPECT_EQ(db.GetMacroRecords(1, steps), readable ? 1 : 0);
        EXPECT_EQ(db.CountKeyRgbs(), readable ? 1 : 0);
        EXPECT_EQ(db.CountMacroRecords(), readable ? 1 : 0);
        MacroRow macro;
        macro.name = L"untouched";
        EXPECT_EQ(db.GetMacro(1, macro), readable);
        EXPECT_EQ(macro.name, readable ? L"m" : L"untouched");
        int playTimes = -1;
        EXPECT_EQ(db.GetMacroPlayTimes(1, playTimes), readable);
        EXPECT_EQ(playTimes, readable ? 2 : -1);
    }

    void CheckWritesFail(ConfigDatabase& db) {
        EXPECT_FALSE(db.SetConfigValue(1, L"lightmode", L"5"));
        KeyRgbRow colour;
        colour.profile = 1;
        colour.light = kKeyRgbLight;
        colour.keyCode = 4;
        colour.keyRgb = 0x00FF00;
        EXPECT_FALSE(db.UpdateKeyRgb(colour));
        EXPECT_EQ(db.InsertKeyRgb(colour), -1);
        KeyMacroRow key;
        key.profile = 1;
        key.keyCode = 4;
        key.macroType = kKeyFunctionSystem;
        key.macroValue = 610;
        key.macroDesc = L"x";
        EXPECT_EQ(db.SetKeyMacro(key), 0);
        key.keyCode = 5;
        EXPECT_EQ(db.SetKeyMacro(key), 0);
        MacroRow macro;
        macro.macroId = 1;
        macro.playTimes = 9;
        EXPECT_EQ(db.InsertMacro(macro), 0);
        EXPECT_FALSE(db.RenameMacro(1, L"renamed"));
        EXPECT_FALSE(db.UpdateMacroPlayback(macro));
        MacroRecordRow step;
        step.macroId = 1;
        EXPECT_EQ(db.InsertMacroRecord(step), 0);
        EXPECT_FALSE(db.DeleteMacroRecords(1));
        EXPECT_FALSE(db.DeleteMacro(1));
        db.ResetProfileData(1);
        db.ResetAllKeyData();
        db.InsertProfileDefaults(1);
    }

    void Run(const BadFileCase& c) {
        const auto holder = c.make(*this, File());
        const bool regular = fs::is_regular_file(File());
        const std::vector<uint8_t> before = regular ? test::ReadBytes(File()) : std::vector<uint8_t>{};
        const std::set<fs::path> entries = FolderEntries();
        {
            ConfigDatabase db;
            const bool opened = db.OpenForModel(dir_.DataDir(), kModel);
            if (c.opens) EXPECT_EQ(opened, *c.opens);
            EXPECT_EQ(db.CreateDatabase(), db.HasConnection()) << "an existing file is never given a schema";
            CheckReads(db, c.readable);
            CheckWritesFail(db);
            CheckReads(db, c.readable);
            db.CloseDatabase();
        }
        EXPECT_EQ(fs::is_regular_file(File()), regular);
        if (regular) EXPECT_TRUE(test::ReadBytes(File()) == before) << "the file's bytes changed";
        EXPECT_EQ(FolderEntries(), entries) << "files appeared or vanished beside it";
    }
};

// Whether the system refuses writing into path; false when this process may write anyway (root).
bool WritesRefused(const fs::path& file, const fs::path& folder) {
    if (fs::exists(file)) {
        FILE* probe = nullptr;
#ifdef _WIN32
        probe = _wfopen(file.c_str(), L"ab");
#else
        probe = fopen(file.c_str(), "ab");
#endif
        if (probe != nullptr) {
            fclose(probe);
            return false;
        }
    }
    std::error_code error;
    const fs::path trial = folder / "write_probe";
    {
        std::ofstream out(trial);
        if (!out) return true;
    }
    fs::remove(trial, error);
    return false;
}

TEST_P(BadFileTest, FailsQuietlyAndLeavesTheFileAlone) {
    const BadFileCase& c = GetParam();
    if (!c.needsReadOnly) {
        Run(c);
        return;
    }
    // Permissions are set inside make; check they hold for this process before relying on them.
    const auto holder = c.make(*this, File());
    if (WritesRefused(File(), Folder())) {
        Run(BadFileCase{c.name, [holder](ConfigFilesTest&, const fs::path&) { return holder; }, c.opens, c.readable, false});
        return;
    }
#ifndef _WIN32
    if (geteuid() == 0) {
        // Root writes through permissions: run the case as an ordinary user in a child process.
        ::testing::FLAGS_gtest_death_test_style = "fast";
        EXPECT_EXIT(
            {
                if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
                Run(BadFileCase{c.name, [holder](ConfigFilesTest&, const fs::path&) { return holder; }, c.opens,
                                c.readable, false});
                _exit(::testing::Test::HasFailure() ? 1 : 0);
            },
            ::testing::ExitedWithCode(0), "");
        return;
    }
#endif
    GTEST_SKIP() << "this system lets the test process write through read-only permissions";
}

std::shared_ptr<void> Nothing() {
    return nullptr;
}

std::vector<uint8_t> TextBytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

const BadFileCase kBadFiles[] = {
    {"zero_length",
     [](ConfigFilesTest&, const fs::path& file) {
         test::WriteBytes(file, {});
         return Nothing();
     },
     true, false, false},
    {"truncated",
     [](ConfigFilesTest& t, const fs::path& file) {
         static_cast<BadFileTest&>(t).SeedFile();
         auto bytes = test::ReadBytes(file);
         bytes.resize(bytes.size() / 2);
         test::WriteBytes(file, bytes);
         return Nothing();
     },
     true, false, false},
    {"truncated_inside_first_page",
     [](ConfigFilesTest& t, const fs::path& file) {
         static_cast<BadFileTest&>(t).SeedFile();
         auto bytes = test::ReadBytes(file);
         bytes.resize(1000);
         test::WriteBytes(file, bytes);
         return Nothing();
     },
     true, false, false},
    {"header_overwritten",
     [](ConfigFilesTest& t, const fs::path& file) {
         static_cast<BadFileTest&>(t).SeedFile();
         auto bytes = test::ReadBytes(file);
         std::fill(bytes.begin(), bytes.begin() + 100, uint8_t{0x5A});
         test::WriteBytes(file, bytes);
         return Nothing();
     },
     true, false, false},
    {"not_sqlite",
     [](ConfigFilesTest&, const fs::path& file) {
         std::string text;
         for (int i = 0; i < 300; ++i) text += "profile;key;value\r\n1;lightmode;3\r\n";
         test::WriteBytes(file, TextBytes(text));
         return Nothing();
     },
     true, false, false},
    {"foreign_sqlite",
     [](ConfigFilesTest&, const fs::path& file) {
         SQLiteDB other;
         if (other.Open(test::PathUtf8(file).c_str(), kCreateFlags)) {
             other.Execute("CREATE TABLE notes(id INTEGER PRIMARY KEY, text TEXT); INSERT INTO notes(text) VALUES ('keep');");
         }
         return Nothing();
     },
     true, false, false},
    {"directory_in_its_place",
     [](ConfigFilesTest&, const fs::path& file) {
         fs::create_directory(file);
         return Nothing();
     },
     std::nullopt, false, false},
    {"locked_by_another_connection",
     [](ConfigFilesTest& t, const fs::path& file) -> std::shared_ptr<void> {
         static_cast<BadFileTest&>(t).SeedFile();
         auto other = std::make_shared<SQLiteDB>();
         if (!other->Open(test::PathUtf8(file).c_str(), kSqliteOpenReadWrite) ||
             other->Execute("BEGIN EXCLUSIVE") != kSqliteOk) {
             ADD_FAILURE() << "could not lock the file";
         }
         return other;
     },
     true, false, false},
    {"read_only_file",
     [](ConfigFilesTest& t, const fs::path& file) {
         static_cast<BadFileTest&>(t).SeedFile();
         fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                         fs::perm_options::remove);
         return Nothing();
     },
     true, true, true},
    {"read_only_folder",
     [](ConfigFilesTest& t, const fs::path& file) {
         static_cast<BadFileTest&>(t).SeedFile();
         fs::permissions(file.parent_path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                         fs::perm_options::remove);
         return Nothing();
     },
     true, true, true},
    {"read_only_folder_without_file",
     [](ConfigFilesTest&, const fs::path& file) {
         fs::permissions(file.parent_path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                         fs::perm_options::remove);
         return Nothing();
     },
     false, false, true},
};

INSTANTIATE_TEST_SUITE_P(Files, BadFileTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qx
