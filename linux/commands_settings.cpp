// Export and import of a model's settings.
#include <fstream>

#include "linux/command_support.h"
#include "linux/settings_json.h"
#include "storage/utf8_text.h"

namespace qx::linux_cli {

int ExportTo(Session& session, const std::string& file, Streams io) {
    QxKBController& c = session.Controller();
    std::string text;
    {
        // One read transaction's worth of rows: a writer in between cannot mix two states.
        ConfigDatabase::Batch snapshot(c.Database());
        if (!snapshot.IsActive()) return Fail(io, LockedDatabaseMessage(c.Database()));
        text = ExportSettings(c.Database(), c.DeviceType(), session.View().Keyboard());
    }
    if (file == "-") {
        io.out << text;
        return kExitOk;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) return Fail(io, L"cannot write " + FromUtf8(file));
    return kExitOk;
}

int ImportFrom(Session& session, const std::string& file, Streams io) {
    QxKBController& c = session.Controller();
    const std::optional<std::string> text = ReadWholeFile(file);
    if (!text) return Fail(io, L"cannot read " + FromUtf8(file));
    const Parsed<ImportedSettings> settings = ReadSettings(*text, c.DeviceType(), session.View().Keyboard());
    if (!settings.value) return Fail(io, FromUtf8(file) + L": " + settings.error + L"; nothing was imported");
    std::wstring error;
    if (!WriteSettings(c.Database(), *settings.value, error)) return Fail(io, error);
    io.out << "imported " << settings.value->profiles.size() << " profiles and " << settings.value->macros.size()
           << " macros; qxkb apply sends them to the keyboard\n";
    return kExitOk;
}

}  // namespace qx::linux_cli
