#include "storage/config_schema.h"

namespace qx {

const std::array<const char*, 9>& ConfigSchemaStatements() {
    static constexpr std::array<const char*, 9> kStatements = {
        "CREATE TABLE IF NOT EXISTS t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
        "key TEXT, value TEXT)",
        "CREATE TABLE IF NOT EXISTS t_key_rgb_data(rgb_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
        "light INTEGER, key_code INTEGER, key_rgb INTEGER)",
        "CREATE INDEX IF NOT EXISTS rgbindex ON t_key_rgb_data(rgb_id)",
        "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
        "key_code INTEGER, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, "
        "macro_desc TEXT)",
        "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
        "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, play_times INTEGER, "
        "delay_type INTEGER, delay_time INTEGER, name TEXT)",
        "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
        "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id INTEGER, "
        "type INTEGER, record_index INTEGER, desc TEXT, value INTEGER)",
        "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
    };
    return kStatements;
}

}  // namespace qx
