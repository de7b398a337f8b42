#pragma once
// The system's own conversion of 8-bit text in a Windows code page to UTF-16: MultiByteToWideChar
// on Windows, iconv elsewhere. UTF-8 and UTF-32 never come here; the reader decodes those itself.
#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

struct CodePageConversion {
    bool supported = false;   // false: the system knows no such code page, text stays empty
    size_t invalid = 0;       // bytes the code page could not convert; each became U+FFFD
};

CodePageConversion ConvertCodePageToUtf16(unsigned codePage, std::string_view bytes, std::u16string& text);

// The code page 8-bit files are read in when they declare none and are not UTF-8: the system
// ANSI code page on Windows, Windows-1252 elsewhere.
unsigned SystemAnsiCodePage();

}  // namespace qx
