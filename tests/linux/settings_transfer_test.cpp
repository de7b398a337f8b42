// qxkb export and import: a round trip into an empty store gives the same rows; a bad file or a
// locked store is refused with one line and leaves the database file as it was, byte for byte.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "tests/linux/qxkb_process.h"

namespace qx::test {
namespace {

using Rows = std::vector<std::string>;

Rows Query(const std::filesystem::path& file, const std::string& sql) {
    Rows rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                std::string row;
                for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                    const unsigned char* text = sqlite3_column_text(statement, i);
                    row += (i ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "NULL");
                }
                rows.push_back(row);
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

// Every row of every table; ids that only number rows are left out, and macro ids (which an
// import gives anew) become the macro's place in the library.
Rows Dump(const std::filesystem::path& file) {
    Rows dump;
    const std::string rank = "(SELECT COUNT(*) FROM t_macro_data o WHERE o.macro_id <= m.macro_id)";
    const std::string queries[] = {
        "SELECT 'config', profile, key, value FROM t_configdata ORDER BY profile, key",
        "SELECT 'rgb', profile, light, key_code, key_rgb FROM t_key_rgb_data ORDER BY profile, light, key_code",
        "SELECT 'function', k.profile, k.key_code, k.macro_type, CASE WHEN k.macro_type = 602 THEN "
        "(SELECT COUNT(*) FROM t_macro_data o WHERE o.macro_id <= k.macro_value) ELSE k.macro_value END, "
        "k.macro_value2, k.macro_value3, k.macro_desc FROM t_key_macro_data k ORDER BY k.profile, k.key_code",
        "SELECT 'macro', " + rank + ", name, play_times, delay_type, delay_time FROM t_macro_data m ORDER BY macro_id",
        "SELECT 'step', " + rank + ", r.type, r.record_index, r.value, r.desc FROM t_macrorecord r "
        "JOIN t_macro_data m ON m.macro_id = r.macro_id ORDER BY 2, r.record_index",
    };
    for (const std::string& sql : queries) {
        const Rows rows = Query(file, sql);
        dump.insert(dump.end(), rows.begin(), rows.end());
    }
    return dump;
}

class SettingsTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        root = std::filesystem::temp_directory_path() /
               (std::string("qxkb-transfer-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        source = std::make_unique<QxkbHome>(root / "source");
        steps = root / "steps.txt";
        std::ofstream(steps) << "down Left Shift\ndown A\ndelay 15\nup A\nup Left Shift\nmouse-down right\nmouse-up right\n";
        // A store with a bit of everything, and a macro deleted so the ids have a gap.
        const std::vector<std::vector<std::string>> runs = {
            {"macro", "create", "gone", "--steps", steps.string()},
            {"macro", "create", "shout", "--steps", steps.string(), "--repeat", "3", "--repeat-delay", "40"},
            {"macro", "create", "\xe5\xae\x8f", "--steps", steps.string()},   // 宏
            {"macro", "delete", "gone"},
            {"effect", "7"},
            {"colour", "123456", "Esc", "Right Shift", "Space"},
            {"assign", "A", "--macro", "shout"},
            {"assign", "B", "--multimedia", "Mute"},
            {"assign", "C", "--combo", "Shift+Tab"},
            {"assign", "D", "--mouse", "Middle Button"},
            {"profile", "3"},
            {"assign", "E", "--system", "Run"},
            {"assign", "F", "--macro", "\xe5\xae\x8f"},
            {"effect", "12"},
        };
        for (const auto& args : runs) {
            std::vector<std::string> full = {"--simulate", "5"};
            full.insert(full.end(), args.begin(), args.end());
            const ProcessResult result = source->Run(full);
            ASSERT_EQ(result.exitCode, 0) << args[0] << ": " << result.err;
        }
        exported = root / "settings.json";
        const ProcessResult result = source->Run({"--type", "5", "export", exported.string()});
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path root, steps, exported;
    std::unique_ptr<QxkbHome> source;
};

TEST_F(SettingsTransfer, ImportIntoAnEmptyStoreGivesTheSameRows) {
    const std::filesystem::path database = source->Database("QxKB74");
    const Rows before = Dump(database);
    ASSERT_GT(before.size(), 430u) << "colour rows of five profiles, functions, macros, steps";

    QxkbHome target(root / "target");
    const ProcessResult imported = target.Run({"--type", "5", "import", exported.string()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(Dump(target.Database("QxKB74")), before);

    // Exported again, the file is the same but for the macro ids the import numbered anew.
    const std::filesystem::path again = root / "again.json";
    ASSERT_EQ(target.Run({"--type", "5", "export", again.string()}).exitCode, 0);
    auto first = nlohmann::json::parse(ReadFile(exported));
    auto second = nlohmann::json::parse(ReadFile(again));
    ASSERT_EQ(first["macros"].size(), 2u);
    EXPECT_EQ(first["macros"][0]["id"], 2) << "the deleted macro's id is not reused by the source";
    EXPECT_EQ(second["macros"][0]["id"], 1);
    EXPECT_EQ(second["macros"][0]["name"], first["macros"][0]["name"]);

    // Importing over a store that holds other settings replaces them all.
    ASSERT_EQ(target.Run({"--simulate", "5", "assign", "Z", "--combo", "Alt+Q"}).exitCode, 0);
    ASSERT_EQ(target.Run({"--simulate", "5", "macro", "create", "extra", "--steps", steps.string()}).exitCode, 0);
    ASSERT_EQ(target.Run({"--type", "5", "import", exported.string()}).exitCode, 0);
    EXPECT_EQ(Dump(target.Database("QxKB74")), before);
}

// A change to the exported file that must be refused, and what the refusal names.
struct BadFile {
    const char* name;
    std::function<std::string(const std::string& good)> make;
    const char* message;
};

std::function<std::string(const std::string&)> Edit(std::function<void(nlohmann::json&)> change) {
    return [change](const std::string& good) {
        nlohmann::json file = nlohmann::json::parse(good);
        change(file);
        return file.dump(1);
    };
}

TEST_F(SettingsTransfer, BadFilesLeaveTheDatabaseUntouched) {
    const BadFile cases[] = {
        {"truncated JSON", [](const std::string& good) { return good.substr(0, good.size() / 2); }, "not a JSON file"},
        {"empty file", [](const std::string&) { return std::string(); }, "not a JSON file"},
        {"not an object", [](const std::string&) { return std::string("[1, 2]"); }, "not a settings object"},
        {"wrong version", Edit([](nlohmann::json& f) { f["version"] = 2; }), "version 2 is not supported"},
        {"version as text", Edit([](nlohmann::json& f) { f["version"] = "1"; }), "version: not a whole number"},
        {"other model", Edit([](nlohmann::json& f) { f["model"] = "QxKB52"; }), "the file is for QxKB52"},
        {"unknown key", Edit([](nlohmann::json& f) { f["profiles"][0]["functions"][0]["key"] = "0x99"; }),
         "profiles[0].functions[0].key: no key with code 0x99"},
        {"unknown key name", Edit([](nlohmann::json& f) { f["profiles"][0]["colours"][0]["key"] = "Hyper"; }),
         "unknown key 'Hyper'"},
        {"colour out of range", Edit([](nlohmann::json& f) { f["profiles"][0]["colours"][1]["rgb"] = {12, 256, 0}; }),
         "profiles[0].colours[1].rgb: colour part 256 is out of range"},
        {"colour of two parts", Edit([](nlohmann::json& f) { f["profiles"][0]["colours"][0]["rgb"] = {1, 2}; }),
         "needs [red, green, blue]"},
        {"macro with a bad step type", Edit([](nlohmann::json& f) { f["macros"][1]["steps"][2]["type"] = 9; }),
         "macros[1].steps[2].type: 9 is out of range"},
        {"macro step without a value", Edit([](nlohmann::json& f) { f["macros"][0]["steps"][0].erase("value"); }),
         "macros[0].steps[0]: missing \"value\""},
        {"macro delay too long", Edit([](nlohmann::json& f) { f["macros"][0]["steps"][2]["value"] = 99999; }),
         "macros[0].steps[2].value: 99999 is out of range"},
        {"function naming a missing macro", Edit([](nlohmann::json& f) { f["macros"].erase(0); }),
         "no macro with id 2 in the file"},
        {"unknown system command", Edit([](nlohmann::json& f) { f["profiles"][2]["functions"][0]["value"] = 699; }),
         "no item 699 in function type 600"},
        {"profile six", Edit([](nlohmann::json& f) { f["profiles"][4]["profile"] = 6; }), "profiles[4].profile: 6 is out of range"},
        {"profile twice", Edit([](nlohmann::json& f) { f["profiles"][4]["profile"] = 1; }), "profile 1 is listed twice"},
        {"huge number", Edit([](nlohmann::json& f) { f["macros"][0]["play_times"] = 18446744073709551615ull; }),
         "macros[0].play_times"},
    };
    const std::string good = ReadFile(exported);
    const std::filesystem::path database = source->Database("QxKB74");
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = ReadFile(database);
        ASSERT_FALSE(before.empty());
        const std::filesystem::path bad = root / "bad.json";
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << c.make(good);
        const ProcessResult result = source->Run({"--type", "5", "import", bad.string()});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(ReadFile(database) == before) << "the database file changed";
    }
    // The untouched file still goes in: the refusals were about the changes alone.
    EXPECT_EQ(source->Run({"--type", "5", "import", exported.string()}).exitCode, 0);
}

TEST_F(SettingsTransfer, LockedDatabaseIsRefusedWithOneLine) {
    const std::filesystem::path database = source->Database("QxKB74");
    // Read before the lock is taken: closing any descriptor of the file would drop this
    // process's POSIX locks on it, SQLite's among them.
    const std::string before = ReadFile(database);
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const std::vector<std::vector<std::string>> commands = {
        {"--simulate", "5", "effect", "2"},
        {"--simulate", "5", "colour", "ffffff", "Esc"},
        {"--simulate", "5", "macro", "delete", "shout"},
        {"--type", "5", "import", exported.string()},
        {"--type", "5", "export", (root / "locked.json").string()},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[2]);
        const ProcessResult result = source->Run(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("locked"), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(ReadFile(database) == before);
}

}  // namespace
}  // namespace qx::test
