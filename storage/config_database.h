#pragma once
// The configuration database of one keyboard model: profile settings, key colours, key functions
// and the macro library, one SQLite file per model under the data directory. Each window that
// needs it owns its own ConfigDatabase and with it its own connection to the file.
//
// Nothing throws and nothing is reported to the user. Failures come back as false, -1 or 0 as
// each operation says, with lists emptied and other outputs unchanged. A file that is damaged,
// foreign, read-only or locked by someone else only makes operations fail; it is never recreated,
// overwritten or deleted. Every change is on disk when its call returns (rollback journal, full
// sync, one statement per commit). Each operation holds the object's lock from start to end.
// An operation waits at most kConfigLockWaitMs for a file locked by someone else, then fails.
#include <mutex>
#include <string>
#include <vector>

#include "storage/config_rows.h"
#include "storage/sqlite_db.h"

namespace qx {

// "db\%s_data.db" on Windows; '/' joins the parts elsewhere.
extern const wchar_t kConfigDatabaseFileFormat[];

// dataDirectory joined with the file name of modelName's database. A separator is added when the
// directory does not already end in one.
std::wstring ConfigDatabaseFilePath(const std::wstring& dataDirectory, const std::wstring& modelName);

// How long one operation, with every statement it runs, waits in all for other connections'
// locks before it fails; a Batch and the operations inside it count as one. Everything runs on
// the window's thread, so this is how long a file locked by another program freezes the window.
constexpr int kConfigLockWaitMs = 200;

class ConfigDatabase {
public:
    ConfigDatabase() = default;
    // Closes the connection when the open flag is set; SQLiteDB closes whatever is left.
    ~ConfigDatabase();
    ConfigDatabase(const ConfigDatabase&) = delete;
    ConfigDatabase& operator=(const ConfigDatabase&) = delete;

    // Opens modelName's file under dataDirectory, creating it with its schema and profile
    // defaults when nothing is there. An existing file is opened as it is, without creating
    // anything in it. While a connection is open the result is true and the connection is kept,
    // whatever file is asked for: close before switching models. The result is the open flag.
    bool OpenForModel(const std::wstring& dataDirectory, const std::wstring& modelName);
    // Creates the file at the stored path: the nine schema statements (all run, even after a
    // failure) and the defaults of profiles 1-5. True only when every schema statement succeeded;
    // after a partial failure the connection stays open with the open flag clear.
    // True at once while a connection is open; false when no path is stored or something already
    // exists at it (an existing file is never given a schema).
    bool CreateDatabase();
    // "version" = "1.0.1" and "lightmode" = "1" for profile; failures are ignored.
    void InsertProfileDefaults(int profile);
    // Clears the open flag and closes the connection when the flag was set.
    void CloseDatabase();

    // The result of the last OpenForModel, cleared by CloseDatabase.
    bool IsOpen() const { return open_; }
    bool HasConnection() const { return db_.IsOpen(); }
    // UTF-8 path stored by the last OpenForModel.
    const std::string& Path() const { return path_; }

    // value is emptied first; true when a row was found.
    bool GetConfigValue(int profile, const std::wstring& key, std::wstring& value);
    // Updates an existing row only; true when the statement ran (also when no row matched).
    bool SetConfigValue(int profile, const std::wstring& key, const std::wstring& value);

    // New rgb_id, or -1.
    int InsertKeyRgb(const KeyRgbRow& row);
    // Sets key_rgb of the row with the same profile, light and key_code.
    bool UpdateKeyRgb(const KeyRgbRow& row);
    // The profile's colours of light layer 20 that are set (key_rgb > 0); returns their number.
    int GetKeyRgbs(int profile, std::vector<KeyRgbRow>& rows);
    // Rows of t_key_rgb_data over all profiles; 0 on failure.
    int CountKeyRgbs();

    // Replaces the key's function in its profile: the old row goes, and a new one is stored when
    // macroValue or macroValue2 is not 0. Returns the new key_id; 0 when keyCode is 0, when
    // nothing was stored or on failure (the old row stays when it could not be removed).
    int SetKeyMacro(const KeyMacroRow& row);
    // Every assigned function of the profile; returns their number.
    int GetKeyMacros(int profile, std::vector<KeyMacroRow>& rows);

    // Clears the profile's key functions and colours, empties the whole macro library (shared by
    // all profiles) and sqlite_sequence. Failures are ignored.
    void ResetProfileData(int profile);
    // Clears the key functions and colours of every profile; macros stay.
    void ResetAllKeyData();

    // New macro_id, or 0.
    int InsertMacro(const MacroRow& row);
    bool RenameMacro(int macroId, const std::wstring& name);
    // Sets play_times, delay_type and delay_time of row.macroId.
    bool UpdateMacroPlayback(const MacroRow& row);
    // Removes the macro and then its steps; true only when both succeeded. Key functions that
    // name the macro stay.
    bool DeleteMacro(int macroId);
    // count is set only when the macro exists.
    bool GetMacroPlayTimes(int macroId, int& count);
    // row is filled only when the macro exists.
    bool GetMacro(int macroId, MacroRow& row);
    // The whole library in ascending macro_id; returns their number.
    int GetMacros(std::vector<MacroRow>& rows);

    // New record_id, or 0.
    int InsertMacroRecord(const MacroRecordRow& row);
    // The macro's steps by ascending record_index; returns their number.
    int GetMacroRecords(int macroId, std::vector<MacroRecordRow>& rows);
    bool DeleteMacroRecords(int macroId);
    // Steps of all macros together; 0 on failure.
    int CountMacroRecords();

private:
    // Held by every operation: the object's lock, and for the outermost operation the start of
    // the time it may wait for other connections' locks, shared by everything run inside it.
    class Operation {
    public:
        explicit Operation(ConfigDatabase& database);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        ConfigDatabase& database_;
        std::lock_guard<std::recursive_mutex> lock_;
    };

public:
    // Groups the writes made while it lives into one transaction, so that many rows cost one
    // synced commit instead of one each. Commits when it ends (rolls back if the commit fails);
    // without an open connection, inside another batch, or when the file stays locked by another
    // connection, the writes commit one by one. The batch and everything inside it are one
    // operation: together they wait at most kConfigLockWaitMs for locks.
    class Batch {
    public:
        explicit Batch(ConfigDatabase& database);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        bool IsActive() const { return active_; }
        // Makes the end roll the batch back instead of committing it: a change that must go in
        // whole or not at all gives up after its first failed write.
        void Abandon() { abandoned_ = true; }

    private:
        ConfigDatabase& database_;
        Operation operation_;
        bool active_ = false;
        bool abandoned_ = false;
    };

private:
    bool OpenConnection(int flags);
    int CountRows(const char* sql);

    SQLiteDB db_;
    // Callers may nest (CreateDatabase runs InsertProfileDefaults), as a Win32 critical section allows.
    std::recursive_mutex lock_;
    bool inBatch_ = false;
    int operationDepth_ = 0;
    std::string path_;
    bool open_ = false;
};

}  // namespace qx
