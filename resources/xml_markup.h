#pragma once
// Character classes and small scanners of XML markup over UTF-16 text. Every scanner stays
// inside the text it is given and returns npos when the construct is not closed.
#include <cstddef>
#include <string>
#include <string_view>

namespace qx::xml {

constexpr size_t npos = std::u16string_view::npos;

inline bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Names: letters, "_" and ":" first, then also digits, "-" and "."; everything from U+0080 on
// counts as a letter, which accepts every name XML allows (and a few it does not).
inline bool IsNameStart(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' || c >= 0x80;
}

inline bool IsNameChar(char16_t c)
{
    return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
}

inline size_t SkipBlanks(std::u16string_view t, size_t pos)
{
    while (pos < t.size() && IsBlank(t[pos])) ++pos;
    return pos;
}

inline size_t ScanName(std::u16string_view t, size_t pos)
{
    if (pos >= t.size() || !IsNameStart(t[pos])) return pos;
    ++pos;
    while (pos < t.size() && IsNameChar(t[pos])) ++pos;
    return pos;
}

// One attribute at pos (a name start): name, blanks, "=", blanks, a quoted value. On success
// returns the offset after the closing quote and sets the name and value spans; npos when the
// attribute is malformed or its value never ends.
struct AttributeSpan {
    size_t nameStart, nameEnd, valueStart, valueEnd;
};
size_t ScanAttribute(std::u16string_view t, size_t pos, AttributeSpan& span);

// Offset after the ">" that closes a document type declaration starting at pos ("<!DOCTYPE"),
// stepping over quoted literals, the internal subset in brackets and the comments and
// processing instructions inside it; npos when it never closes.
size_t ScanDoctype(std::u16string_view t, size_t pos);

// Resolves the predefined entities and character references of an attribute value. A reference
// that is malformed, unknown or names no character stays as it is written.
std::u16string ResolveReferences(std::u16string_view value);

}  // namespace qx::xml
