#pragma once
// Export and import of everything stored for one keyboard model, as one JSON file:
//   {"format": "qxkb-settings", "version": 1, "model": "QxKB74",
//    "profiles": [{"profile": 1, "config": {"lightmode": "3", "version": "1.0.1"},
//                  "colours": [{"key": "0x29", "name": "Esc", "rgb": [255, 0, 0]}],
//                  "functions": [{"key": "0x04", "name": "A", "type": 604, "value": 4,
//                                 "value2": 224, "value3": 0, "desc": "Ctrl+A"}]}],
//    "macros": [{"id": 1, "name": "hello", "play_times": 1, "delay_type": 1, "delay_time": 1,
//                "steps": [{"type": 2, "value": 65, "desc": "A"}]}]}
// An import is checked whole before anything is written, and then written as one transaction.
#include <string>
#include <vector>

#include "linux/console_view.h"
#include "linux/function_names.h"
#include "storage/config_database.h"

namespace qx::linux_cli {

constexpr int kSettingsFormatVersion = 1;
constexpr char kSettingsFormatName[] = "qxkb-settings";

// The open database of deviceType's model as the JSON text above; keys named through keys.
std::string ExportSettings(ConfigDatabase& database, int deviceType, const ConsoleKeyboardView& keys);

struct ImportedProfile {
    int profile = 0;
    std::vector<std::pair<std::wstring, std::wstring>> config;
    std::vector<KeyRgbRow> colours;       // set colours only
    std::vector<KeyMacroRow> functions;   // macro functions name the file's macro ids
};

struct ImportedMacro {
    MacroRow macro;                       // macroId is the file's id
    std::vector<MacroRecordRow> steps;
};

struct ImportedSettings {
    std::vector<ImportedProfile> profiles;
    std::vector<ImportedMacro> macros;
};

// Checks the whole text against deviceType's model and layout; the first fault names where it is.
Parsed<ImportedSettings> ReadSettings(const std::string& text, int deviceType, const ConsoleKeyboardView& keys);

// Replaces everything stored with settings in one transaction: macros, steps, every profile's
// functions, colours (keys the file does not colour lose theirs) and values. Nothing changes when
// the database is locked or any write fails; the error line says why.
bool WriteSettings(ConfigDatabase& database, const ImportedSettings& settings, std::wstring& error);

}  // namespace qx::linux_cli
