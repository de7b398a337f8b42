#pragma once
// Attribute texts of the layout file read as numbers the way the C library's wcstol and wcstoul
// read them: leading blanks, an optional sign, digits up to the first other character; no digit
// reads as 0. Values beyond the result type saturate instead of overflowing.
#include <cstdint>
#include <string_view>

namespace qx {

int ParseLayoutDecimal(std::wstring_view text);
// An optional "0x"/"0X" after the sign is skipped. A minus sign negates modulo 2^32 and a value
// beyond 32 bits reads as 0xFFFFFFFF, as wcstoul does.
uint32_t ParseLayoutHex(std::wstring_view text);

}  // namespace qx
