#include "windows/macro_saving.h"

namespace qx {

void SaveMacro(ConfigDatabase& database, int& macroId, const MacroToSave& macro) {
    // delay_type 1: the repeat delay is a time in milliseconds.
    MacroRow row;
    row.name = macro.name;
    row.playTimes = macro.playTimes;
    row.delayType = 1;
    row.delayTime = macro.delayTime;
    if (macroId < 1) macroId = database.InsertMacro(row);
    if (macroId < 1) return;
    row.macroId = macroId;

    // One commit for the whole macro instead of one synced commit per step.
    ConfigDatabase::Batch batch(database);
    database.UpdateMacroPlayback(row);
    database.RenameMacro(macroId, macro.name);
    database.DeleteMacroRecords(macroId);
    int index = 0;
    for (MacroRecordRow step : macro.steps) {
        step.recordId = 0;
        step.macroId = macroId;
        step.recordIndex = index++;
        database.InsertMacroRecord(step);
    }
}

}  // namespace qx
