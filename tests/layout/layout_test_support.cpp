#include "tests/layout/layout_test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace qx::test {

ScratchDataDir::ScratchDataDir()
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("qx_layout_" + std::to_string(stamp) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_ / "db");
}

ScratchDataDir::~ScratchDataDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::wstring ScratchDataDir::DataDir() const
{
    return (path_ / "").wstring();
}

std::wstring ScratchDataDir::WriteFile(const std::wstring& name, std::string_view bytes) const
{
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.wstring();
}

}  // namespace qx::test
