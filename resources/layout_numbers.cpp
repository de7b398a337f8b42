#include "resources/layout_numbers.h"

#include <climits>

namespace qx {
namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// Skips blanks and reads a sign; returns the offset of the first digit candidate.
size_t SkipBlanksAndSign(std::wstring_view text, bool& negative)
{
    size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    return pos;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

int ParseLayoutDecimal(std::wstring_view text)
{
    bool negative;
    size_t pos = SkipBlanksAndSign(text, negative);
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        value = value * 10 + (text[pos] - L'0');
        if (value > limit) value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}

uint32_t ParseLayoutHex(std::wstring_view text)
{
    bool negative;
    size_t pos = SkipBlanksAndSign(text, negative);
    if (text.size() - pos >= 3 && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X') &&
        HexDigit(text[pos + 2]) >= 0)
        pos += 2;
    uint64_t value = 0;
    for (int d; pos < text.size() && (d = HexDigit(text[pos])) >= 0; ++pos) {
        value = value * 16 + static_cast<unsigned>(d);
        if (value > UINT32_MAX) return UINT32_MAX;   // out of range, whatever the sign
    }
    const auto result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

}  // namespace qx
