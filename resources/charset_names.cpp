#include "resources/charset_names.h"

#include <cctype>

namespace qx {
namespace {

struct CharsetEntry {
    std::string_view name;
    unsigned codePage;
};

constexpr CharsetEntry kCharsets[] = {
    {"UTF-8", kCodePageUtf8}, {"UTF8", kCodePageUtf8},
    {"UTF-16", kCodePageUtf16Le}, {"UTF-16LE", kCodePageUtf16Le}, {"UCS-2", kCodePageUtf16Le},
    {"UNICODE", kCodePageUtf16Le}, {"UTF-16BE", kCodePageUtf16Be}, {"UNICODEFFFE", kCodePageUtf16Be},
    {"UTF-32", kCodePageUtf32}, {"UTF-32LE", kCodePageUtf32Le}, {"UTF-32BE", kCodePageUtf32Be},
    {"US-ASCII", 20127}, {"ASCII", 20127},
    {"ISO-8859-1", 28591}, {"LATIN1", 28591}, {"ISO-8859-2", 28592}, {"ISO-8859-3", 28593},
    {"ISO-8859-4", 28594}, {"ISO-8859-5", 28595}, {"ISO-8859-6", 28596}, {"ISO-8859-7", 28597},
    {"ISO-8859-8", 28598}, {"ISO-8859-9", 28599}, {"ISO-8859-13", 28603}, {"ISO-8859-15", 28605},
    {"WINDOWS-1250", 1250}, {"WINDOWS-1251", 1251}, {"WINDOWS-1252", 1252}, {"WINDOWS-1253", 1253},
    {"WINDOWS-1254", 1254}, {"WINDOWS-1255", 1255}, {"WINDOWS-1256", 1256}, {"WINDOWS-1257", 1257},
    {"WINDOWS-1258", 1258}, {"CP1250", 1250}, {"CP1251", 1251}, {"CP1252", 1252},
    {"CP1253", 1253}, {"CP1254", 1254}, {"CP1255", 1255}, {"CP1256", 1256},
    {"CP1257", 1257}, {"CP1258", 1258},
    {"GB2312", 936}, {"GBK", 936}, {"CP936", 936}, {"GB18030", 54936},
    {"BIG5", 950}, {"CP950", 950},
    {"SHIFT_JIS", 932}, {"SHIFT-JIS", 932}, {"SJIS", 932}, {"CP932", 932}, {"WINDOWS-31J", 932},
    {"EUC-JP", 20932}, {"ISO-2022-JP", 50220},
    {"EUC-KR", 949}, {"KS_C_5601-1987", 949}, {"CP949", 949},
    {"KOI8-R", 20866}, {"KOI8-U", 21866},
    {"IBM437", 437}, {"CP437", 437}, {"IBM850", 850}, {"CP850", 850}, {"IBM866", 866}, {"CP866", 866},
    {"WINDOWS-874", 874}, {"TIS-620", 874}, {"CP874", 874},
    {"MACINTOSH", 10000},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

unsigned CodePageOfCharset(std::string_view name)
{
    for (const CharsetEntry& e : kCharsets)
        if (EqualsIgnoringCase(e.name, name)) return e.codePage;
    return 0;
}

}  // namespace qx
