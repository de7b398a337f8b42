#include "linux/command_support.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "storage/utf8_text.h"

namespace qx::linux_cli {

namespace {
// Where the udev rule is installed, for the hint on a permission error.
const char kUdevRuleHint[] =
    "install the udev rule that gives you access to the keyboard: sudo cp 70-qxkb.rules /etc/udev/rules.d/ "
    "(cmake --install puts it in <prefix>/lib/udev/rules.d/), then sudo udevadm control --reload && "
    "sudo udevadm trigger, and plug the keyboard in again";
}  // namespace

int Fail(Streams io, const std::wstring& message) {
    io.err << "qxkb: " << Narrow(message) << '\n';
    return kExitFailure;
}

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }

std::optional<int> RequireKeyboard(Session& session, Streams io) {
    if (session.Controller().IsConnected()) return std::nullopt;
    if (const HidrawBackend* hidraw = session.Hidraw(); hidraw && !hidraw->DeniedNode().empty()) {
        io.err << "qxkb: no permission to open " << hidraw->DeniedNode() << "; " << kUdevRuleHint << '\n';
        return kExitFailure;
    }
    return Fail(io, L"no supported keyboard is connected (qxkb list shows what is found)");
}

std::optional<int> RequireWritableDatabase(Session& session, Streams io) {
    ConfigDatabase& database = session.Controller().Database();
    // A write transaction is the only sure test: it waits for other writers as every operation
    // does, and is given back at once.
    ConfigDatabase::Batch probe(database);
    if (probe.IsActive()) return std::nullopt;
    return Fail(io, LockedDatabaseMessage(database));
}

std::wstring LockedDatabaseMessage(const ConfigDatabase& database, const std::wstring& detail) {
    return L"the settings database is locked by another program" + detail + L": " + FromUtf8(database.Path());
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return text.str();
}

std::optional<MacroRow> FindMacro(ConfigDatabase& database, const std::wstring& name) {
    std::vector<MacroRow> macros;
    database.GetMacros(macros);
    for (const MacroRow& macro : macros) {
        if (macro.name == name) return macro;
    }
    return std::nullopt;
}

int FindMacroId(Session& session, const std::wstring& name) {
    const std::optional<MacroRow> macro = FindMacro(session.Controller().Database(), name);
    return macro ? macro->macroId : 0;
}

}  // namespace qx::linux_cli
