// The macro library: what the macro panel and the macro editor do, from files instead of recordings.
#include "linux/command_support.h"
#include "linux/function_names.h"
#include "storage/utf8_text.h"
#include "windows/macro_recording.h"
#include "windows/macro_saving.h"

namespace qx::linux_cli {
namespace {

// The editor's save: the rows, then the library to a keyboard that keeps one. macroId 0 inserts
// and becomes the new id, or stays 0 when the insert failed.
void Save(Session& session, int& macroId, const MacroToSave& macro) {
    SaveMacro(session.Controller().Database(), macroId, macro);
    session.Controller().UploadMacros();
}

}  // namespace

int CreateMacro(Session& session, const std::string& name, const MacroOptions& options, Streams io) {
    // Checked first: a store locked by another program cannot even be read for the names.
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    const std::wstring wideName = FromUtf8(name);
    if (wideName.empty()) return Fail(io, EmptyMacroNameMessage(session.View().Language()));
    if (FindMacroId(session, wideName) != 0) return Fail(io, L"a macro named '" + wideName + L"' exists already");
    const std::optional<std::string> text = ReadWholeFile(options.stepsFile);
    if (!text) return Fail(io, L"cannot read the steps file " + FromUtf8(options.stepsFile));
    const Parsed<std::vector<MacroRecordRow>> steps = ParseMacroSteps(*text, session.View().Keyboard());
    if (!steps.value) return Fail(io, FromUtf8(options.stepsFile) + L": " + steps.error);
    MacroToSave macro;
    macro.name = wideName;
    macro.playTimes = options.repeat;
    macro.delayTime = options.repeatDelay;
    macro.steps = *steps.value;
    int id = 0;
    Save(session, id, macro);
    if (id == 0) return Fail(io, L"the macro could not be stored");
    io.out << "macro " << name << ": " << macro.steps.size() << " steps\n";
    return kExitOk;
}

int ListMacros(Session& session, Streams io) {
    std::vector<MacroRow> macros;
    session.Controller().Database().GetMacros(macros);
    for (const MacroRow& macro : macros) io.out << Narrow(macro.name) << '\n';
    return kExitOk;
}

int ShowMacro(Session& session, const std::string& name, Streams io) {
    ConfigDatabase& db = session.Controller().Database();
    const std::optional<MacroRow> macro = FindMacro(db, FromUtf8(name));
    if (!macro) return Fail(io, L"no macro named '" + FromUtf8(name) + L"'");
    std::vector<MacroRecordRow> steps;
    db.GetMacroRecords(macro->macroId, steps);
    io.out << "# macro " << name << ", repeat " << macro->playTimes << ", repeat delay " << macro->delayTime << '\n';
    for (const MacroRecordRow& step : steps) io.out << Narrow(StepText(step)) << '\n';
    return kExitOk;
}

int RenameMacro(Session& session, const std::string& name, const std::string& newName, Streams io) {
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    ConfigDatabase& db = session.Controller().Database();
    const std::wstring wideNew = FromUtf8(newName);
    const std::optional<MacroRow> macro = FindMacro(db, FromUtf8(name));
    if (!macro) return Fail(io, L"no macro named '" + FromUtf8(name) + L"'");
    if (wideNew.empty()) return Fail(io, EmptyMacroNameMessage(session.View().Language()));
    if (FindMacroId(session, wideNew) != 0) return Fail(io, L"a macro named '" + wideNew + L"' exists already");
    // As the editor renames: the macro opened and saved again under its new name.
    MacroToSave saved;
    saved.name = wideNew;
    saved.playTimes = macro->playTimes;
    saved.delayTime = macro->delayTime;
    int id = macro->macroId;
    db.GetMacroRecords(id, saved.steps);
    Save(session, id, saved);
    return kExitOk;
}

int DeleteMacro(Session& session, const std::string& name, Streams io) {
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    const int id = FindMacroId(session, FromUtf8(name));
    if (id == 0) return Fail(io, L"no macro named '" + FromUtf8(name) + L"'");
    // The macro panel's delete: the rows, then the library to a keyboard that keeps one.
    if (!session.Controller().Database().DeleteMacro(id)) return Fail(io, L"the macro could not be deleted");
    session.Controller().UploadMacros();
    return kExitOk;
}

}  // namespace qx::linux_cli
