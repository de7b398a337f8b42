#pragma once
// A file with given bytes under the system's temporary folder, removed again afterwards.
#include <filesystem>
#include <string>
#include <string_view>

namespace qx::test {

class ScratchFile {
public:
    explicit ScratchFile(std::string_view bytes);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    std::wstring Path() const { return path_.wstring(); }
    const std::filesystem::path& Dir() const { return dir_; }

private:
    std::filesystem::path dir_;
    std::filesystem::path path_;
};

}  // namespace qx::test
