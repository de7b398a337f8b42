#pragma once
// Storing one macro from the editor: its t_macro_data row and one t_macrorecord row per step.
#include <string>
#include <vector>

#include "storage/config_database.h"
#include "storage/config_rows.h"

namespace qx {

struct MacroToSave {
    std::wstring name;
    int playTimes = 1;
    int delayTime = 1;
    std::vector<MacroRecordRow> steps;   // in the order they play
};

// Inserts the macro when macroId < 1 (macroId becomes the new id, or stays 0 when the insert
// failed), then, for a stored macro, updates its playback and name and replaces all its steps,
// numbering them from 0. Database failures are not reported: whatever could be stored is.
void SaveMacro(ConfigDatabase& database, int& macroId, const MacroToSave& macro);

}  // namespace qx
