#include "resources/utf_text.h"

namespace qx {
namespace {

void AppendCodePoint(char32_t cp, std::u16string& out)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

bool IsCodePoint(char32_t cp)
{
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

// Reads one UTF-8 sequence at pos; returns its length, or 0 when the bytes there are not a
// well-formed sequence (then one byte is to be skipped).
size_t DecodeUtf8At(std::string_view s, size_t pos, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - pos < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || !IsCodePoint(cp)) return 0;
    return len;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    char32_t cp;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t len = DecodeUtf8At(bytes, pos, cp);
        if (len == 0) return false;
        pos += len;
    }
    return true;
}

size_t Utf8ToUtf16(std::string_view bytes, std::u16string& out)
{
    out.clear();
    out.reserve(bytes.size());
    size_t bad = 0;
    char32_t cp;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t len = DecodeUtf8At(bytes, pos, cp);
        if (len == 0) {
            out.push_back(kReplacementChar);
            ++bad;
            ++pos;
        } else {
            AppendCodePoint(cp, out);
            pos += len;
        }
    }
    return bad;
}

size_t Utf32ToUtf16(std::string_view bytes, bool bigEndian, std::u16string& out)
{
    out.clear();
    out.reserve(bytes.size() / 2);
    size_t bad = 0;
    size_t pos = 0;
    for (; bytes.size() - pos >= 4; pos += 4) {
        char32_t cp = 0;
        for (size_t i = 0; i < 4; ++i) {
            const auto b = static_cast<unsigned char>(bytes[pos + (bigEndian ? i : 3 - i)]);
            cp = (cp << 8) | b;
        }
        if (IsCodePoint(cp)) {
            AppendCodePoint(cp, out);
        } else {
            out.push_back(kReplacementChar);
            ++bad;
        }
    }
    if (pos < bytes.size()) {
        out.push_back(kReplacementChar);
        ++bad;
    }
    return bad;
}

std::wstring Utf16ToWide(std::u16string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    if constexpr (sizeof(wchar_t) == 2) {
        for (char16_t c : text) out.push_back(static_cast<wchar_t>(c));
    } else {
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                out.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00)));
                ++i;
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                out.push_back(static_cast<wchar_t>(kReplacementChar));   // no lone surrogates in UTF-32
            } else {
                out.push_back(static_cast<wchar_t>(c));
            }
        }
    }
    return out;
}

std::u16string WideToUtf16(std::wstring_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t w : text) {
        const auto cp = static_cast<char32_t>(w);
        if (sizeof(wchar_t) == 2 || cp < 0x10000) {
            out.push_back(static_cast<char16_t>(cp));
        } else if (IsCodePoint(cp)) {
            AppendCodePoint(cp, out);
        } else {
            out.push_back(kReplacementChar);
        }
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    const std::u16string units = WideToUtf16(text);
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacementChar;   // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace qx
