#include "resources/xml_text_decoder.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "resources/charset_names.h"
#include "resources/code_page_converter.h"
#include "resources/utf_text.h"

namespace qx {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsCharsetChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == ':';
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

size_t FindIgnoringCase(std::string_view s, std::string_view what, size_t from)
{
    if (what.size() > s.size()) return std::string_view::npos;
    for (size_t i = from; i + what.size() <= s.size(); ++i) {
        size_t k = 0;
        while (k < what.size() && Lower(s[i + k]) == what[k]) ++k;
        if (k == what.size()) return i;
    }
    return std::string_view::npos;
}

// After a keyword at pos: blanks, "=", blanks, an optional quote, then the name itself.
std::string ReadAssignedName(std::string_view s, size_t pos, bool quoteRequired)
{
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    if (pos >= s.size() || s[pos] != '=') return {};
    ++pos;
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    if (pos < s.size() && (s[pos] == '"' || s[pos] == '\'')) {
        ++pos;
    } else if (quoteRequired) {
        return {};
    }
    const size_t start = pos;
    while (pos < s.size() && IsCharsetChar(s[pos])) ++pos;
    return std::string(s.substr(start, pos - start));
}

std::string FromXmlDeclaration(std::string_view head)
{
    size_t pos = 0;
    while (pos < head.size() && IsBlank(head[pos])) ++pos;
    if (head.substr(pos, 5) != "<?xml") return {};
    const size_t end = std::min(head.find("?>", pos), head.size());
    const std::string_view decl = head.substr(pos, end - pos);
    for (size_t at = decl.find("encoding"); at != std::string_view::npos; at = decl.find("encoding", at + 1)) {
        std::string name = ReadAssignedName(decl, at + 8, true);
        if (!name.empty()) return name;
    }
    return {};
}

std::string FromHtmlMeta(std::string_view head)
{
    for (size_t meta = FindIgnoringCase(head, "<meta", 0); meta != std::string_view::npos;
         meta = FindIgnoringCase(head, "<meta", meta + 5)) {
        const size_t end = std::min(head.find('>', meta), head.size());
        const std::string_view tag = head.substr(meta, end - meta);
        for (size_t at = FindIgnoringCase(tag, "charset", 0); at != std::string_view::npos;
             at = FindIgnoringCase(tag, "charset", at + 7)) {
            std::string name = ReadAssignedName(tag, at + 7, false);
            if (!name.empty()) return name;
        }
    }
    return {};
}

std::wstring Ascii(std::string_view s)
{
    return std::wstring(s.begin(), s.end());
}

std::wstring CodePageText(unsigned codePage)
{
    return L"code page " + std::to_wstring(codePage);
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian, XmlDiagnostic& diag)
{
    if (bigEndian) diag.Note(L"endian_swap");
    if (bytes.size() % 2 != 0) diag.Note(L"truncation_error", L"odd byte at the end dropped");
    std::u16string text;
    text.reserve(bytes.size() / 2);
    size_t nulls = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const auto unit = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
        if (unit == 0) {
            ++nulls;
        } else {
            text.push_back(unit);
        }
    }
    if (nulls > 0) diag.Note(L"nulls_removed", std::to_wstring(nulls));
    diag.Note(L"converted_to", bigEndian ? L"UTF-16 from UTF-16BE" : L"UTF-16 from UTF-16LE");
    return text;
}

std::u16string Decode8Bit(std::string_view bytes, unsigned codePage, XmlDiagnostic& diag)
{
    std::u16string text;
    size_t invalid = 0;
    if (codePage == kCodePageUtf8) {
        invalid = Utf8ToUtf16(bytes, text);
    } else if (codePage == kCodePageUtf32 || codePage == kCodePageUtf32Le || codePage == kCodePageUtf32Be) {
        invalid = Utf32ToUtf16(bytes, codePage == kCodePageUtf32Be, text);
    } else {
        const CodePageConversion conv = ConvertCodePageToUtf16(codePage, bytes, text);
        if (!conv.supported) {
            // The system cannot read that code page; UTF-8 keeps at least the ASCII markup intact.
            diag.Note(L"unsupported_code_page", CodePageText(codePage));
            codePage = kCodePageUtf8;
            invalid = Utf8ToUtf16(bytes, text);
        } else {
            invalid = conv.invalid;
        }
    }
    diag.Note(L"converted_to", L"UTF-16 from " + CodePageText(codePage));
    if (invalid > 0) diag.Note(L"truncation_error", std::to_wstring(invalid) + L" unconvertible sequences replaced");
    return text;
}

}  // namespace

std::string FindDeclaredEncoding(std::string_view head)
{
    std::string name = FromXmlDeclaration(head);
    return name.empty() ? FromHtmlMeta(head) : name;
}

std::u16string DecodeXmlBytes(std::string_view bytes, XmlDiagnostic& diag)
{
    auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (startsWith("\xEF\xBB\xBF")) {
        diag.Note(L"bom", L"UTF-8");
        return Decode8Bit(bytes.substr(3), kCodePageUtf8, diag);
    }
    if (startsWith("\xFF\xFE")) {
        diag.Note(L"bom", L"UTF-16LE");
        return DecodeUtf16(bytes.substr(2), false, diag);
    }
    if (startsWith("\xFE\xFF")) {
        diag.Note(L"bom", L"UTF-16BE");
        return DecodeUtf16(bytes.substr(2), true, diag);
    }

    std::string head;
    for (char c : bytes.substr(0, kEncodingSniffBytes))
        if (c != '\0') head.push_back(c);
    const std::string declared = FindDeclaredEncoding(head);
    unsigned codePage = declared.empty() ? 0 : CodePageOfCharset(declared);
    if (!declared.empty()) diag.Note(codePage ? L"encoding" : L"unknown_encoding", Ascii(declared));

    // A file without a mark whose first character is "<" as a 16-bit unit is UTF-16 whatever it
    // declares; a declared UTF-16 that the bytes do not show is not believed.
    if (bytes.size() >= 2 && bytes[0] == '<' && bytes[1] == '\0') {
        diag.Note(L"utf16_detection", L"UTF-16LE");
        return DecodeUtf16(bytes, false, diag);
    }
    if (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '<') {
        diag.Note(L"utf16_detection", L"UTF-16BE");
        return DecodeUtf16(bytes, true, diag);
    }
    if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) codePage = 0;

    if (codePage == 0 && declared.empty() && !bytes.empty() && bytes[0] == '<') codePage = kCodePageUtf8;
    if (codePage == 0) {
        if (IsValidUtf8(bytes)) {
            diag.Note(L"utf8_detection");
            codePage = kCodePageUtf8;
        } else {
            codePage = SystemAnsiCodePage();
        }
    }
    return Decode8Bit(bytes, codePage, diag);
}

}  // namespace qx
