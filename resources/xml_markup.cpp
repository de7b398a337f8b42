#include "resources/xml_markup.h"

namespace qx::xml {
namespace {

bool StartsWith(std::u16string_view t, size_t pos, std::u16string_view what)
{
    return t.size() - pos >= what.size() && t.substr(pos, what.size()) == what;
}

// Value of &#...; digits, or -1 when they are malformed or name no character.
long CharacterReference(std::u16string_view digits, bool hex)
{
    if (digits.empty() || digits.size() > 8) return -1;
    long value = 0;
    for (char16_t c : digits) {
        int d;
        if (c >= u'0' && c <= u'9') {
            d = c - u'0';
        } else if (hex && c >= u'a' && c <= u'f') {
            d = c - u'a' + 10;
        } else if (hex && c >= u'A' && c <= u'F') {
            d = c - u'A' + 10;
        } else {
            return -1;
        }
        value = value * (hex ? 16 : 10) + d;
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return -1;
    return value;
}

void AppendCodePoint(long cp, std::u16string& out)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

}  // namespace

size_t ScanAttribute(std::u16string_view t, size_t pos, AttributeSpan& span)
{
    span.nameStart = pos;
    span.nameEnd = ScanName(t, pos);
    if (span.nameEnd == pos) return npos;
    pos = SkipBlanks(t, span.nameEnd);
    if (pos >= t.size() || t[pos] != u'=') return npos;
    pos = SkipBlanks(t, pos + 1);
    if (pos >= t.size() || (t[pos] != u'"' && t[pos] != u'\'')) return npos;
    const char16_t quote = t[pos];
    span.valueStart = pos + 1;
    span.valueEnd = t.find(quote, span.valueStart);
    if (span.valueEnd == npos) return npos;
    return span.valueEnd + 1;
}

size_t ScanDoctype(std::u16string_view t, size_t pos)
{
    bool inSubset = false;
    for (pos += 9; pos < t.size();) {
        const char16_t c = t[pos];
        if (c == u'"' || c == u'\'') {
            const size_t close = t.find(c, pos + 1);
            if (close == npos) return npos;
            pos = close + 1;
        } else if (inSubset && StartsWith(t, pos, u"<!--")) {
            const size_t close = t.find(u"-->", pos + 4);
            if (close == npos) return npos;
            pos = close + 3;
        } else if (inSubset && StartsWith(t, pos, u"<?")) {
            const size_t close = t.find(u"?>", pos + 2);
            if (close == npos) return npos;
            pos = close + 2;
        } else if (c == u'[' && !inSubset) {
            inSubset = true;
            ++pos;
        } else if (c == u']' && inSubset) {
            inSubset = false;
            ++pos;
        } else if (c == u'>' && !inSubset) {
            return pos + 1;
        } else {
            ++pos;
        }
    }
    return npos;
}

std::u16string ResolveReferences(std::u16string_view value)
{
    static constexpr struct {
        std::u16string_view name;
        char16_t ch;
    } kEntities[] = {{u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};

    std::u16string out;
    out.reserve(value.size());
    for (size_t pos = 0; pos < value.size();) {
        const size_t amp = value.find(u'&', pos);
        if (amp == npos) {
            out.append(value.substr(pos));
            break;
        }
        out.append(value.substr(pos, amp - pos));
        pos = amp + 1;
        // A reference is at most ten characters; looking further for its ";" would make a value
        // full of "&" quadratic.
        const size_t semi = value.substr(pos, 11).find(u';');
        if (semi == npos) {
            out.push_back(u'&');
            continue;
        }
        const std::u16string_view ref = value.substr(pos, semi);
        bool resolved = false;
        if (ref.size() >= 2 && ref[0] == u'#') {
            const bool hex = ref[1] == u'x';
            const long cp = CharacterReference(ref.substr(hex ? 2 : 1), hex);
            if (cp > 0) {
                AppendCodePoint(cp, out);
                resolved = true;
            }
        } else {
            for (const auto& e : kEntities) {
                if (ref == e.name) {
                    out.push_back(e.ch);
                    resolved = true;
                    break;
                }
            }
        }
        if (resolved) {
            pos += semi + 1;
        } else {
            out.push_back(u'&');
        }
    }
    return out;
}

}  // namespace qx::xml
