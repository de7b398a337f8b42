#include "resources/file_bytes.h"

#include <cstdio>
#include <memory>

#include "resources/utf_text.h"

namespace qx {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::FILE* OpenForReading(const std::wstring& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(WideToUtf8(path).c_str(), "rb");
#endif
}

}  // namespace

bool ReadFileBytes(const std::wstring& path, size_t maxBytes, std::string& out)
{
    out.clear();
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return false;
    std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(path));
    if (!file) return false;
    // Read in chunks rather than trusting a size from seeking: pipes and special files have none.
    char buffer[65536];
    for (;;) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > 0) {
            if (out.size() + got > maxBytes) {
                out.clear();
                return false;
            }
            out.append(buffer, got);
        }
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file.get())) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace qx
