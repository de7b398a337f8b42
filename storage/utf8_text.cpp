#include "storage/utf8_text.h"

#include <cstdint>

namespace qx {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendWide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(c));
}

// Decodes one code point at text[i], advancing i past what it consumed. Follows the Unicode
// "maximal subpart" rule: an ill-formed sequence is replaced once, and the byte that broke it
// starts the next sequence.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<uint8_t>(text[i++]);
    if (lead < 0x80) return lead;
    int trailing = 0;
    char32_t c = 0;
    uint8_t low = 0x80, high = 0xBF;   // allowed range of the first trailing byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        c = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;         // no overlong forms
        if (lead == 0xED) high = 0x9F;        // no encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        c = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;        // nothing beyond U+10FFFF
    } else {
        return kReplacement;
    }
    for (int n = 0; n < trailing; ++n) {
        if (i >= text.size()) return kReplacement;
        const auto next = static_cast<uint8_t>(text[i]);
        if (next < low || next > high) return kReplacement;
        low = 0x80;
        high = 0xBF;
        c = (c << 6) | (next & 0x3F);
        ++i;
    }
    return c;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        if (IsHighSurrogate(c) && i + 1 < text.size()) {
            const auto next = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i + 1]));
            if (IsLowSurrogate(next)) {
                c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            }
        }
        if (IsSurrogate(c) || c > kMaxCodePoint) c = kReplacement;
        AppendUtf8(out, c);
    }
    return out;
}

std::wstring FromUtf8(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) AppendWide(out, DecodeUtf8(utf8, i));
    return out;
}

std::wstring FromUtf8(const char* utf8) {
    if (utf8 == nullptr) return std::wstring();
    return FromUtf8(std::string_view(utf8));
}

}  // namespace qx
