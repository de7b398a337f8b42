// Per-call cost of the configuration database operations the controller runs when a profile is
// shown or sent, over a full keyboard's data: 110 keys x 5 profiles of colours and functions, and
// a library of 50 macros of 40 steps. GetConfigValue (a single-row lookup) is the baseline the
// others are read against.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "storage/config_database.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"
#include "storage/utf8_text.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

constexpr int kKeys = 110;
constexpr int kProfiles = 5;
constexpr int kMacros = 50;
constexpr int kStepsPerMacro = 40;
constexpr wchar_t kModel[] = L"QxKB52";

// One database file for the whole run, filled in a single transaction over its own connection
// (filling it call by call would spend minutes on synchronous commits).
class KeyboardData {
public:
    KeyboardData() {
        std::error_code error;
        root_ = fs::temp_directory_path(error) / ("qx_storage_bench_" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "db", error);
        dataDir_ = FromUtf8(root_.string() + "/");
        {
            ConfigDatabase create;
            create.OpenForModel(dataDir_, kModel);
            path_ = create.Path();
        }
        SQLiteDB db;
        db.Open(path_.c_str(), kSqliteOpenReadWrite);
        db.Execute("BEGIN");
        SQLiteStatement statement;
        for (int profile = 1; profile <= kProfiles; ++profile) {
            for (int key = 1; key <= kKeys; ++key) {
                db.Prepare(statement, "INSERT INTO t_key_rgb_data(profile, light, key_code, key_rgb) VALUES (?, 20, ?, ?)");
                statement.BindInt(1, profile);
                statement.BindInt(2, key);
                statement.BindInt(3, 0x010203 * key);
                statement.Step();
                db.Prepare(statement,
                           "INSERT INTO t_key_macro_data(profile, key_code, macro_type, macro_value, macro_value2, "
                           "macro_value3, macro_desc) VALUES (?, ?, 604, ?, 0, 0, ?)");
                statement.BindInt(1, profile);
                statement.BindInt(2, key);
                statement.BindInt(3, key + 3);
                const std::string desc = ToUtf8(L"Ctrl+\u952e" + std::to_wstring(key));
                statement.BindText(4, desc.data(), static_cast<int>(desc.size()));
                statement.Step();
            }
        }
        for (int macro = 1; macro <= kMacros; ++macro) {
            db.Prepare(statement, "INSERT INTO t_macro_data(play_times, delay_type, delay_time, name) VALUES (1, 1, 10, ?)");
            const std::string name = "macro " + std::to_string(macro);
            statement.BindText(1, name.data(), static_cast<int>(name.size()));
            statement.Step();
            // Stored in reverse so the ORDER BY has real work to do.
            for (int step = kStepsPerMacro - 1; step >= 0; --step) {
                db.Prepare(statement,
                           "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value) VALUES (?, ?, ?, ?, ?)");
                statement.BindInt(1, macro);
                statement.BindInt(2, step % 2 == 0 ? 2 : 3);
                statement.BindInt(3, step);
                statement.BindText(4, "A", 1);
                statement.BindInt(5, 4);
                statement.Step();
            }
        }
        statement.Finalize();
        db.Execute("COMMIT");
        open_ = database_.OpenForModel(dataDir_, kModel);
    }
    ~KeyboardData() {
        database_.CloseDatabase();
        std::error_code error;
        fs::remove_all(root_, error);
    }

    ConfigDatabase& Database() { return database_; }
    bool IsOpen() const { return open_; }

private:
    fs::path root_;
    std::wstring dataDir_;
    std::string path_;
    ConfigDatabase database_;
    bool open_ = false;
};

KeyboardData& Data() {
    static KeyboardData data;
    return data;
}

bool Ready(benchmark::State& state) {
    if (Data().IsOpen()) return true;
    state.SkipWithError("could not create the benchmark database");
    return false;
}

void BM_GetConfigValue(benchmark::State& state) {
    if (!Ready(state)) return;
    std::wstring value;
    int profile = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Data().Database().GetConfigValue(profile % kProfiles + 1, L"lightmode", value));
        ++profile;
    }
}
BENCHMARK(BM_GetConfigValue);

void BM_GetKeyRgbs(benchmark::State& state) {
    if (!Ready(state)) return;
    std::vector<KeyRgbRow> rows;
    int profile = 0;
    for (auto _ : state) {
        if (Data().Database().GetKeyRgbs(profile % kProfiles + 1, rows) != kKeys) state.SkipWithError("wrong row count");
        ++profile;
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_GetKeyRgbs);

void BM_GetKeyMacros(benchmark::State& state) {
    if (!Ready(state)) return;
    std::vector<KeyMacroRow> rows;
    int profile = 0;
    for (auto _ : state) {
        if (Data().Database().GetKeyMacros(profile % kProfiles + 1, rows) != kKeys) state.SkipWithError("wrong row count");
        ++profile;
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_GetKeyMacros);

void BM_GetMacroRecords(benchmark::State& state) {
    if (!Ready(state)) return;
    std::vector<MacroRecordRow> rows;
    int macro = 0;
    for (auto _ : state) {
        if (Data().Database().GetMacroRecords(macro % kMacros + 1, rows) != kStepsPerMacro) {
            state.SkipWithError("wrong step count");
        }
        ++macro;
    }
    state.SetItemsProcessed(state.iterations() * kStepsPerMacro);
}
BENCHMARK(BM_GetMacroRecords);

// A durable replace: two commits, each synced to disk.
void BM_SetKeyMacro(benchmark::State& state) {
    if (!Ready(state)) return;
    KeyMacroRow row;
    row.profile = 1;
    row.macroType = kKeyFunctionMultimedia;
    row.macroDesc = L"Mute";
    int n = 0;
    for (auto _ : state) {
        row.keyCode = n % kKeys + 1;
        row.macroValue = 630 + n % 7;
        if (Data().Database().SetKeyMacro(row) == 0) state.SkipWithError("SetKeyMacro failed");
        ++n;
    }
}
BENCHMARK(BM_SetKeyMacro)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qx

BENCHMARK_MAIN();
