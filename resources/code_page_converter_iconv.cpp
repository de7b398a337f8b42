// iconv implementation of the code page seam, for the native build.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "resources/code_page_converter.h"
#include "resources/utf_text.h"

namespace qx {
namespace {

std::string IconvNameOf(unsigned codePage)
{
    switch (codePage) {
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 20932: return "EUC-JP";
    case 50220: return "ISO-2022-JP";
    case 54936: return "GB18030";
    case 10000: return "MACINTOSH";
    default: break;
    }
    if (codePage >= 28591 && codePage <= 28605) return "ISO-8859-" + std::to_string(codePage - 28590);
    if (codePage < 10000) return "CP" + std::to_string(codePage);   // 437, 874, 932, 936, 1252, ...
    return {};
}

class IconvHandle {
public:
    explicit IconvHandle(const std::string& from) : cd_(iconv_open("UTF-16LE", from.c_str())) {}
    ~IconvHandle()
    {
        if (ok()) iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

CodePageConversion ConvertCodePageToUtf16(unsigned codePage, std::string_view bytes, std::u16string& text)
{
    CodePageConversion result;
    text.clear();
    const std::string name = IconvNameOf(codePage);
    if (name.empty()) return result;
    IconvHandle cd(name);
    if (!cd.ok()) return result;
    result.supported = true;

    std::string input(bytes);
    char* in = input.data();
    size_t inLeft = input.size();
    std::string buffer(4096, '\0');
    auto drain = [&](size_t produced) {
        for (size_t i = 0; i + 1 < produced; i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(buffer[i]) |
                                                 (static_cast<unsigned char>(buffer[i + 1]) << 8)));
    };
    while (inLeft > 0) {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        const size_t rc = iconv(cd.get(), &in, &inLeft, &out, &outLeft);
        drain(buffer.size() - outLeft);
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // An invalid or incomplete sequence: replace one byte and go on after it.
        text.push_back(kReplacementChar);
        ++result.invalid;
        ++in;
        --inLeft;
    }
    // Converters that hold back a character (Windows-1258 waits for a combining mark, the
    // ISO-2022 family keeps a shift state) give it up on the final flush.
    char* out = buffer.data();
    size_t outLeft = buffer.size();
    iconv(cd.get(), nullptr, nullptr, &out, &outLeft);
    drain(buffer.size() - outLeft);
    return result;
}

unsigned SystemAnsiCodePage()
{
    return 1252;
}

}  // namespace qx
