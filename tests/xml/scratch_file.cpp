#include "tests/xml/scratch_file.h"

#include <atomic>
#include <chrono>
#include <fstream>

namespace qx::test {

ScratchFile::ScratchFile(std::string_view bytes)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("qx_xml_" + std::to_string(stamp) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    path_ = dir_ / L"doc.xml";
    std::ofstream out(path_, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ScratchFile::~ScratchFile()
{
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

}  // namespace qx::test
