#pragma once
// Conversion between the program's wide texts and UTF-8. wchar_t holds UTF-16 on Windows (code
// points above U+FFFF as surrogate pairs) and UTF-32 elsewhere; both are handled. Invalid input
// never fails: a lone surrogate, a value beyond U+10FFFF or a malformed UTF-8 sequence becomes
// U+FFFD, one per maximal ill-formed subsequence.
#include <string>
#include <string_view>

namespace qx {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view utf8);
// A null pointer (an SQL NULL column) reads as the empty text.
std::wstring FromUtf8(const char* utf8);

}  // namespace qx
