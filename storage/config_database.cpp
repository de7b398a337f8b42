#include "storage/config_database.h"

#include <chrono>
#include <cstdint>

#include "storage/config_schema.h"
#include "storage/file_presence.h"
#include "storage/sqlite_statement.h"
#include "storage/utf8_text.h"

namespace qx {

#ifdef _WIN32
const wchar_t kConfigDatabaseFileFormat[] = L"db\\%s_data.db";
constexpr wchar_t kPathSeparator = L'\\';
#else
const wchar_t kConfigDatabaseFileFormat[] = L"db/%s_data.db";
constexpr wchar_t kPathSeparator = L'/';
#endif

namespace {

constexpr int kOpenExisting = kSqliteOpenReadWrite | kSqliteOpenFullMutex;                       // 0x10002
constexpr int kOpenOrCreate = kSqliteOpenReadWrite | kSqliteOpenCreate | kSqliteOpenFullMutex;   // 0x10006

constexpr char kInsertConfig[] = "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);";
constexpr char kSelectConfig[] = "SELECT value FROM t_configdata WHERE profile = ? and key = ?";
constexpr char kUpdateConfig[] = "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?";
constexpr char kInsertKeyRgb[] =
    "INSERT INTO t_key_rgb_data(profile, light, key_code, key_rgb) VALUES (?, ?, ?, ?);";
constexpr char kUpdateKeyRgb[] =
    "UPDATE t_key_rgb_data SET key_rgb = ? WHERE profile = ? AND light = ? AND key_code = ?";
constexpr char kSelectKeyRgbs[] = "SELECT * FROM t_key_rgb_data WHERE profile = ? AND light = ?";
constexpr char kCountKeyRgbs[] = "select count(*) FROM t_key_rgb_data";
constexpr char kDeleteKeyMacro[] = "DELETE FROM t_key_macro_data WHERE profile = ? and key_code = ?";
constexpr char kInsertKeyMacro[] =
    "INSERT INTO t_key_macro_data(profile, key_code, macro_type, macro_value, macro_value2, macro_value3, "
    "macro_desc) VALUES (?, ?, ?, ?, ?, ?, ?);";
constexpr char kSelectKeyMacros[] = "SELECT * FROM t_key_macro_data WHERE profile = ?";
constexpr char kDeleteProfileKeyMacros[] = "DELETE FROM t_key_macro_data WHERE profile = ?";
constexpr char kClearProfileKeyRgbs[] = "UPDATE t_key_rgb_data SET key_rgb = ? WHERE profile = ?";
constexpr char kDeleteAllMacros[] = "DELETE FROM t_macro_data";
constexpr char kDeleteAllMacroRecords[] = "DELETE FROM t_macrorecord";
constexpr char kDeleteSequence[] = "DELETE FROM sqlite_sequence";
constexpr char kDeleteAllKeyMacros[] = "DELETE FROM t_key_macro_data";
constexpr char kClearAllKeyRgbs[] = "UPDATE t_key_rgb_data SET key_rgb = ?";
constexpr char kInsertMacro[] = "INSERT INTO t_macro_data(play_times, delay_type, delay_time, name) VALUES (?, ?, ?, ?);";
constexpr char kRenameMacro[] = "UPDATE t_macro_data SET name = ? WHERE macro_id = ?";
constexpr char kUpdateMacroPlayback[] =
    "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ? WHERE macro_id = ?";
constexpr char kDeleteMacro[] = "DELETE FROM t_macro_data WHERE macro_id = ?";
constexpr char kDeleteMacroRecords[] = "DELETE FROM t_macrorecord WHERE macro_id = ?";
constexpr char kSelectPlayTimes[] = "SELECT play_times FROM t_macro_data WHERE macro_id = ?";
constexpr char kSelectMacro[] = "SELECT * FROM t_macro_data WHERE macro_id = ?";
constexpr char kSelectMacros[] = "SELECT * FROM t_macro_data";
constexpr char kInsertMacroRecord[] =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value) VALUES (?, ?, ?, ?, ?);";
constexpr char kSelectMacroRecords[] = "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC";
constexpr char kCountMacroRecords[] = "select count(*) FROM t_macrorecord";

// Connection-level setting, stated explicitly so durability does not hang on how SQLite was built.
constexpr char kFullSync[] = "PRAGMA synchronous = FULL";

bool StepSucceeded(int rc) {
    return rc == kSqliteOk || rc == kSqliteRow || rc == kSqliteDone;
}

// SQLITE_STATIC binding: text must stay alive and unchanged until the statement is stepped.
int BindUtf8(SQLiteStatement& statement, int index, const std::string& text) {
    return statement.BindText(index, text.data(), static_cast<int>(text.size()));
}

int LowBits(int64_t rowId) {
    return static_cast<int>(static_cast<uint32_t>(rowId));
}

// Steps a query to its end, reading each row with read. A query that breaks off part-way (damaged
// file, lock, interrupt) yields no rows rather than a fragment of them.
template <typename Row, typename Read>
int CollectRows(SQLiteStatement& statement, std::vector<Row>& rows, Read read) {
    int rc;
    while ((rc = statement.Step()) == kSqliteRow) read(statement, rows);
    if (rc != kSqliteDone) rows.clear();
    return static_cast<int>(rows.size());
}

MacroRow ReadMacro(SQLiteStatement& statement) {
    MacroRow row;
    row.macroId = statement.ColumnInt(0);
    row.playTimes = statement.ColumnInt(1);
    row.delayType = statement.ColumnInt(2);
    row.delayTime = statement.ColumnInt(3);
    row.name = FromUtf8(statement.ColumnText(4));
    return row;
}

bool EndsInSeparator(const std::wstring& path) {
    return path.back() == kPathSeparator || path.back() == L'/';
}

}  // namespace

std::wstring ConfigDatabaseFilePath(const std::wstring& dataDirectory, const std::wstring& modelName) {
    std::wstring fileName = kConfigDatabaseFileFormat;
    fileName.replace(fileName.find(L"%s"), 2, modelName);
    std::wstring path = dataDirectory;
    if (!path.empty() && !EndsInSeparator(path)) path += kPathSeparator;
    return path + fileName;
}

ConfigDatabase::Operation::Operation(ConfigDatabase& database) : database_(database), lock_(database.lock_) {
    if (database_.operationDepth_++ == 0)
        database_.db_.SetBusyDeadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(kConfigLockWaitMs));
}

ConfigDatabase::Operation::~Operation() {
    --database_.operationDepth_;
}

ConfigDatabase::Batch::Batch(ConfigDatabase& database) : database_(database), operation_(database) {
    if (database_.inBatch_ || !database_.db_.IsOpen()) return;
    active_ = database_.db_.Execute("BEGIN IMMEDIATE") == kSqliteOk;
    database_.inBatch_ = active_;
}

ConfigDatabase::Batch::~Batch() {
    if (!active_) return;
    if (abandoned_ || database_.db_.Execute("COMMIT") != kSqliteOk) database_.db_.Execute("ROLLBACK");
    database_.inBatch_ = false;
}

ConfigDatabase::~ConfigDatabase() {
    if (open_) db_.Close();
}

bool ConfigDatabase::OpenConnection(int flags) {
    // The busy deadline set by the running operation goes with the connection.
    if (!db_.Open(path_.c_str(), flags)) return false;
    db_.Execute(kFullSync);
    return true;
}

bool ConfigDatabase::OpenForModel(const std::wstring& dataDirectory, const std::wstring& modelName) {
    Operation operation(*this);
    path_ = ToUtf8(ConfigDatabaseFilePath(dataDirectory, modelName));
    bool result;
    if (PathIsPresent(path_)) {
        result = db_.IsOpen() || OpenConnection(kOpenExisting);
    } else {
        result = CreateDatabase();
    }
    open_ = result;
    return result;
}

bool ConfigDatabase::CreateDatabase() {
    Operation operation(*this);
    if (db_.IsOpen()) return true;
    // Only a new file is given the schema: whatever is already there stays untouched.
    if (path_.empty() || PathIsPresent(path_)) return false;
    if (!OpenConnection(kOpenOrCreate)) return false;
    int combined = kSqliteOk;
    for (const char* statement : ConfigSchemaStatements()) combined |= db_.Execute(statement);
    for (int profile = kFirstProfile; profile <= kLastProfile; ++profile) InsertProfileDefaults(profile);
    return combined == kSqliteOk;
}

void ConfigDatabase::InsertProfileDefaults(int profile) {
    Operation operation(*this);
    static const std::string kDefaults[][2] = {{"version", "1.0.1"}, {"lightmode", "1"}};
    SQLiteStatement statement;
    for (const auto& [key, value] : kDefaults) {
        db_.Prepare(statement, kInsertConfig);
        statement.BindInt(1, profile);
        BindUtf8(statement, 2, key);
        BindUtf8(statement, 3, value);
        statement.Step();
    }
}

void ConfigDatabase::CloseDatabase() {
    Operation operation(*this);
    if (!open_) return;
    db_.Close();
    open_ = false;
}

bool ConfigDatabase::GetConfigValue(int profile, const std::wstring& key, std::wstring& value) {
    Operation operation(*this);
    value.clear();
    const std::string keyText = ToUtf8(key);
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectConfig);
    statement.BindInt(1, profile);
    BindUtf8(statement, 2, keyText);
    if (statement.Step() != kSqliteRow) return false;
    value = FromUtf8(statement.ColumnText(0));
    return true;
}

bool ConfigDatabase::SetConfigValue(int profile, const std::wstring& key, const std::wstring& value) {
    Operation operation(*this);
    const std::string valueText = ToUtf8(value);
    const std::string keyText = ToUtf8(key);
    SQLiteStatement statement;
    db_.Prepare(statement, kUpdateConfig);
    BindUtf8(statement, 1, valueText);
    statement.BindInt(2, profile);
    BindUtf8(statement, 3, keyText);
    return StepSucceeded(statement.Step());
}

int ConfigDatabase::InsertKeyRgb(const KeyRgbRow& row) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kInsertKeyRgb);
    statement.BindInt(1, row.profile);
    statement.BindInt(2, row.light);
    statement.BindInt(3, row.keyCode);
    statement.BindInt(4, row.keyRgb);
    if (!StepSucceeded(statement.Step())) return -1;
    return LowBits(db_.LastInsertRowId());
}

bool ConfigDatabase::UpdateKeyRgb(const KeyRgbRow& row) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kUpdateKeyRgb);
    statement.BindInt(1, row.keyRgb);
    statement.BindInt(2, row.profile);
    statement.BindInt(3, row.light);
    statement.BindInt(4, row.keyCode);
    return StepSucceeded(statement.Step());
}

int ConfigDatabase::GetKeyRgbs(int profile, std::vector<KeyRgbRow>& rows) {
    Operation operation(*this);
    rows.clear();
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectKeyRgbs);
    statement.BindInt(1, profile);
    statement.BindInt(2, kKeyRgbLight);
    return CollectRows(statement, rows, [](SQLiteStatement& s, std::vector<KeyRgbRow>& out) {
        KeyRgbRow row;
        row.rgbId = s.ColumnInt(0);
        row.profile = s.ColumnInt(1);
        row.light = s.ColumnInt(2);
        row.keyCode = s.ColumnInt(3);
        row.keyRgb = s.ColumnInt(4);
        if (row.keyRgb > 0) out.push_back(row);
    });
}

int ConfigDatabase::CountRows(const char* sql) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, sql);
    if (statement.Step() != kSqliteRow) return 0;
    return statement.ColumnInt(0);
}

int ConfigDatabase::CountKeyRgbs() {
    return CountRows(kCountKeyRgbs);
}

int ConfigDatabase::SetKeyMacro(const KeyMacroRow& row) {
    if (row.keyCode == 0) return 0;
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kDeleteKeyMacro);
    statement.BindInt(1, row.profile);
    statement.BindInt(2, row.keyCode);
    // Inserting beside a row that could not be removed would give the key two functions.
    if (!StepSucceeded(statement.Step())) return 0;
    if (row.macroValue == 0 && row.macroValue2 == 0) return 0;

    const std::string desc = ToUtf8(row.macroDesc);
    db_.Prepare(statement, kInsertKeyMacro);
    statement.BindInt(1, row.profile);
    statement.BindInt(2, row.keyCode);
    statement.BindInt(3, row.macroType);
    statement.BindInt(4, row.macroValue);
    statement.BindInt(5, row.macroValue2);
    statement.BindInt(6, row.macroValue3);
    BindUtf8(statement, 7, desc);
    if (!StepSucceeded(statement.Step())) return 0;
    return LowBits(db_.LastInsertRowId());
}

int ConfigDatabase::GetKeyMacros(int profile, std::vector<KeyMacroRow>& rows) {
    Operation operation(*this);
    rows.clear();
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectKeyMacros);
    statement.BindInt(1, profile);
    return CollectRows(statement, rows, [](SQLiteStatement& s, std::vector<KeyMacroRow>& out) {
        KeyMacroRow row;
        row.keyId = s.ColumnInt(0);
        row.profile = s.ColumnInt(1);
        row.keyCode = s.ColumnInt(2);
        row.macroType = s.ColumnInt(3);
        row.macroValue = s.ColumnInt(4);
        row.macroValue2 = s.ColumnInt(5);
        row.macroValue3 = s.ColumnInt(6);
        row.macroDesc = FromUtf8(s.ColumnText(7));
        out.push_back(std::move(row));
    });
}

void ConfigDatabase::ResetProfileData(int profile) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kDeleteProfileKeyMacros);
    statement.BindInt(1, profile);
    statement.Step();
    db_.Prepare(statement, kClearProfileKeyRgbs);
    statement.BindInt(1, 0);
    statement.BindInt(2, profile);
    statement.Step();
    for (const char* sql : {kDeleteAllMacros, kDeleteAllMacroRecords, kDeleteSequence}) {
        db_.Prepare(statement, sql);
        statement.Step();
    }
}

void ConfigDatabase::ResetAllKeyData() {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kDeleteAllKeyMacros);
    statement.Step();
    db_.Prepare(statement, kClearAllKeyRgbs);
    statement.BindInt(1, 0);
    statement.Step();
}

int ConfigDatabase::InsertMacro(const MacroRow& row) {
    Operation operation(*this);
    const std::string name = ToUtf8(row.name);
    SQLiteStatement statement;
    db_.Prepare(statement, kInsertMacro);
    statement.BindInt(1, row.playTimes);
    statement.BindInt(2, row.delayType);
    statement.BindInt(3, row.delayTime);
    BindUtf8(statement, 4, name);
    if (!StepSucceeded(statement.Step())) return 0;
    return LowBits(db_.LastInsertRowId());
}

bool ConfigDatabase::RenameMacro(int macroId, const std::wstring& name) {
    Operation operation(*this);
    const std::string nameText = ToUtf8(name);
    SQLiteStatement statement;
    db_.Prepare(statement, kRenameMacro);
    BindUtf8(statement, 1, nameText);
    statement.BindInt(2, macroId);
    return StepSucceeded(statement.Step());
}

bool ConfigDatabase::UpdateMacroPlayback(const MacroRow& row) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kUpdateMacroPlayback);
    statement.BindInt(1, row.playTimes);
    statement.BindInt(2, row.delayType);
    statement.BindInt(3, row.delayTime);
    statement.BindInt(4, row.macroId);
    return StepSucceeded(statement.Step());
}

bool ConfigDatabase::DeleteMacro(int macroId) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kDeleteMacro);
    statement.BindInt(1, macroId);
    if (!StepSucceeded(statement.Step())) return false;
    db_.Prepare(statement, kDeleteMacroRecords);
    statement.BindInt(1, macroId);
    return StepSucceeded(statement.Step());
}

bool ConfigDatabase::GetMacroPlayTimes(int macroId, int& count) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectPlayTimes);
    statement.BindInt(1, macroId);
    if (statement.Step() != kSqliteRow) return false;
    count = statement.ColumnInt(0);
    return true;
}

bool ConfigDatabase::GetMacro(int macroId, MacroRow& row) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectMacro);
    statement.BindInt(1, macroId);
    if (statement.Step() != kSqliteRow) return false;
    row = ReadMacro(statement);
    return true;
}

int ConfigDatabase::GetMacros(std::vector<MacroRow>& rows) {
    Operation operation(*this);
    rows.clear();
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectMacros);
    return CollectRows(statement, rows,
                       [](SQLiteStatement& s, std::vector<MacroRow>& out) { out.push_back(ReadMacro(s)); });
}

int ConfigDatabase::InsertMacroRecord(const MacroRecordRow& row) {
    Operation operation(*this);
    const std::string desc = ToUtf8(row.desc);
    SQLiteStatement statement;
    db_.Prepare(statement, kInsertMacroRecord);
    statement.BindInt(1, row.macroId);
    statement.BindInt(2, row.type);
    statement.BindInt(3, row.recordIndex);
    BindUtf8(statement, 4, desc);
    statement.BindInt(5, row.value);
    if (!StepSucceeded(statement.Step())) return 0;
    return LowBits(db_.LastInsertRowId());
}

int ConfigDatabase::GetMacroRecords(int macroId, std::vector<MacroRecordRow>& rows) {
    Operation operation(*this);
    rows.clear();
    SQLiteStatement statement;
    db_.Prepare(statement, kSelectMacroRecords);
    statement.BindInt(1, macroId);
    return CollectRows(statement, rows, [](SQLiteStatement& s, std::vector<MacroRecordRow>& out) {
        MacroRecordRow row;
        row.recordId = s.ColumnInt(0);
        row.macroId = s.ColumnInt(1);
        row.type = s.ColumnInt(2);
        row.recordIndex = s.ColumnInt(3);
        row.desc = FromUtf8(s.ColumnText(4));
        row.value = s.ColumnInt(5);
        out.push_back(std::move(row));
    });
}

bool ConfigDatabase::DeleteMacroRecords(int macroId) {
    Operation operation(*this);
    SQLiteStatement statement;
    db_.Prepare(statement, kDeleteMacroRecords);
    statement.BindInt(1, macroId);
    return StepSucceeded(statement.Step());
}

int ConfigDatabase::CountMacroRecords() {
    return CountRows(kCountMacroRecords);
}

}  // namespace qx
