#pragma once
// Conversions between the Unicode forms the layout code meets: raw UTF-8 and UTF-32 bytes from
// files, the UTF-16 text the XML reader holds, and std::wstring (UTF-16 on Windows, UTF-32 on
// Linux). Invalid input never fails a conversion: every bad sequence becomes U+FFFD and is
// counted, so callers can note it and carry on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

constexpr char16_t kReplacementChar = 0xFFFD;

// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or values above 0x10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Decodes UTF-8; returns the number of invalid sequences that were replaced.
size_t Utf8ToUtf16(std::string_view bytes, std::u16string& out);

// Decodes 4-byte units of the given byte order; a trailing partial unit and values that are no
// code point are replaced and counted.
size_t Utf32ToUtf16(std::string_view bytes, bool bigEndian, std::u16string& out);

std::wstring Utf16ToWide(std::u16string_view text);
std::u16string WideToUtf16(std::wstring_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace qx
