#pragma once
// The application key of the Windows program as a small text file: one "Name=Value" line per
// value, UTF-8. It holds what the controller remembers between runs (DevType, the profile of each
// model). Every write replaces the file through a temporary one, so a reader never sees half of it.
#include <filesystem>
#include <map>
#include <string>

#include "platform/app_registry.h"

namespace qx::linux_cli {

class SettingsFile : public AppRegistry {
public:
    explicit SettingsFile(std::filesystem::path file) : file_(std::move(file)) {}

    // The key always opens: a missing file reads as a key without values, and the first write
    // creates the folder and the file.
    long OpenKey() override;
    long CreateKey() override { return kRegOk; }
    long QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) override;
    // kRegOk when the file was replaced; another code (and the old file) when it could not be.
    long SetText(const std::wstring& name, const std::wstring& text) override;
    void CloseKey() override { open_ = false; }

    const std::filesystem::path& Path() const { return file_; }

private:
    void Load();
    bool Save() const;

    std::filesystem::path file_;
    std::map<std::wstring, std::wstring> values_;
    bool open_ = false;
};

// Answers one value from memory and passes everything else to the file: a command run for a
// chosen model reads that model as DevType without making it the remembered one.
class OverriddenSettings : public AppRegistry {
public:
    OverriddenSettings(AppRegistry& base, std::wstring name, std::wstring value)
        : base_(base), name_(std::move(name)), value_(std::move(value)) {}
    long OpenKey() override { return base_.OpenKey(); }
    long CreateKey() override { return base_.CreateKey(); }
    long QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) override;
    long SetText(const std::wstring& name, const std::wstring& text) override;
    void CloseKey() override { base_.CloseKey(); }

private:
    AppRegistry& base_;
    std::wstring name_;
    std::wstring value_;
};

}  // namespace qx::linux_cli
