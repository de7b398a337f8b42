#include "linux/settings_file.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "storage/utf8_text.h"

namespace qx::linux_cli {
namespace {
constexpr long kRegInvalidHandle = 6;   // ERROR_INVALID_HANDLE: no key open
constexpr long kRegWriteFault = 29;     // ERROR_WRITE_FAULT
}  // namespace

long SettingsFile::OpenKey() {
    Load();
    open_ = true;
    return kRegOk;
}

void SettingsFile::Load() {
    values_.clear();
    std::ifstream in(file_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find('=');
        // A line without a name carries nothing; a damaged file reads as far as it makes sense.
        if (equals == std::string::npos || equals == 0) continue;
        values_[FromUtf8(std::string_view(line).substr(0, equals))] = FromUtf8(std::string_view(line).substr(equals + 1));
    }
}

long SettingsFile::QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) {
    text.clear();
    if (!open_) return kRegInvalidHandle;
    const auto found = values_.find(name);
    if (found == values_.end()) return kRegFileNotFound;
    // Counted as the registry counts REG_SZ data: UTF-16 with its terminating zero.
    if ((found->second.size() + 1) * 2 > maxBytes) return kRegMoreData;
    text = found->second;
    return kRegOk;
}

long SettingsFile::SetText(const std::wstring& name, const std::wstring& text) {
    if (!open_) return kRegInvalidHandle;
    // A line break would split the value into a second line; names hold none in this program.
    if (name.empty() || name.find_first_of(L"=\n") != std::wstring::npos || text.find(L'\n') != std::wstring::npos) {
        return kRegWriteFault;
    }
    const auto old = values_;
    values_[name] = text;
    if (Save()) return kRegOk;
    values_ = old;
    return kRegWriteFault;
}

bool SettingsFile::Save() const {
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    std::ostringstream body;
    for (const auto& [name, value] : values_) body << ToUtf8(name) << '=' << ToUtf8(value) << '\n';
    std::filesystem::path temporary = file_;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << body.str();
        out.flush();
        if (!out) return false;
    }
    std::filesystem::rename(temporary, file_, ec);
    if (!ec) return true;
    std::filesystem::remove(temporary, ec);
    return false;
}

long OverriddenSettings::QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) {
    if (name != name_) return base_.QueryText(name, maxBytes, text);
    text = value_;
    return kRegOk;
}

long OverriddenSettings::SetText(const std::wstring& name, const std::wstring& text) {
    // The controller remembers the connected model; with a chosen one nothing is remembered.
    if (name == name_) return kRegOk;
    return base_.SetText(name, text);
}

}  // namespace qx::linux_cli
