// Decoding: byte-order marks, UTF-16 of both byte orders, declared and detected 8-bit encodings.
// Each variant of one document must load to the same tree.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/charset_names.h"
#include "resources/code_page_converter.h"
#include "resources/xml_document.h"
#include "resources/xml_text_decoder.h"
#include "tests/xml/scratch_file.h"
#include "tests/xml/tree_dump.h"

namespace qx {
namespace {

// The same document in several encodings: the prologue is filled in per case, the key names
// hold "é" (U+00E9) and "Ω"/"€" where the encoding has them.
std::u16string Document(std::u16string_view declaration, std::u16string_view special)
{
    std::u16string text(declaration);
    text += u"<KeyboardLayout><LayoutA><KeyItems>"
            u"<key code=\"0x04\" name=\"A\"/><key code=\"0x05\" name=\"caf\u00e9 ";
    text += special;
    text += u"\"/></KeyItems></LayoutA></KeyboardLayout>";
    return text;
}

std::string Utf16Bytes(std::u16string_view text, bool bigEndian, bool mark)
{
    std::string out;
    if (mark) out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    }
    return out;
}

std::string Utf8Bytes(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {   // the test documents hold no surrogates
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// Text whose characters all lie below 0x100, written one byte each.
std::string Latin1Bytes(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) out.push_back(static_cast<char>(c));
    return out;
}

std::wstring ExpectedTree(std::wstring_view special)
{
    return L"KeyboardLayout(name=;code=){LayoutA(name=;code=){KeyItems(name=;code=){key(name=A;code=0x04)"
           L"key(name=caf\u00e9 " + std::wstring(special) + L";code=0x05)}}}";
}

struct EncodingCase {
    const char* label;
    std::string bytes;
    std::wstring special;
    std::vector<const wchar_t*> notes;
};

class EncodingTest : public ::testing::TestWithParam<int> {};

std::vector<EncodingCase> Cases()
{
    const std::u16string plain = Document(u"", u"\u03a9");
    const std::u16string declared16 = Document(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>", u"\u03a9");
    return {
        {"utf8", Utf8Bytes(plain), L"\u03a9", {L"converted_to: UTF-16 from code page 65001"}},
        {"utf8 declared", Utf8Bytes(Document(u"<?xml version='1.0' encoding='utf-8'?>", u"\u03a9")), L"\u03a9",
         {L"encoding: utf-8"}},
        {"utf8 bom", "\xEF\xBB\xBF" + Utf8Bytes(plain), L"\u03a9", {L"bom: UTF-8"}},
        {"utf8 detected", " \n" + Utf8Bytes(plain), L"\u03a9", {L"utf8_detection"}},
        {"utf16le bom", Utf16Bytes(declared16, false, true), L"\u03a9", {L"bom: UTF-16LE"}},
        {"utf16be bom", Utf16Bytes(declared16, true, true), L"\u03a9", {L"bom: UTF-16BE", L"endian_swap"}},
        {"utf16le no bom", Utf16Bytes(declared16, false, false), L"\u03a9", {L"utf16_detection: UTF-16LE"}},
        {"utf16be no bom", Utf16Bytes(plain, true, false), L"\u03a9", {L"utf16_detection: UTF-16BE", L"endian_swap"}},
        {"windows-1252", Latin1Bytes(Document(u"<?xml version=\"1.0\" encoding=\"Windows-1252\" ?>", u"")) ,
         L"", {L"encoding: Windows-1252", L"converted_to: UTF-16 from code page 1252"}},
        {"iso-8859-1", Latin1Bytes(Document(u"<?xml version=\"1.0\" encoding = \"ISO-8859-1\"?>", u"\u00ff")),
         L"\u00ff", {L"converted_to: UTF-16 from code page 28591"}},
    };
}

TEST_P(EncodingTest, LoadsToTheSameTree)
{
    const EncodingCase c = Cases()[GetParam()];
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(c.bytes)) << c.label << "\n" << doc.GetDiagnostic();
    EXPECT_EQ(test::DumpChildren(doc), ExpectedTree(c.special)) << c.label;
    for (const wchar_t* note : c.notes)
        EXPECT_NE(doc.GetDiagnostic().find(note), std::wstring::npos) << c.label << ": " << note << "\n" << doc.GetDiagnostic();
}

INSTANTIATE_TEST_SUITE_P(Variants, EncodingTest, ::testing::Range(0, static_cast<int>(Cases().size())));

TEST(Encoding, FilesOfEveryFormLoadAlike)
{
    for (const EncodingCase& c : Cases()) {
        test::ScratchFile file(c.bytes);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(file.Path())) << c.label;
        EXPECT_EQ(test::DumpChildren(doc), ExpectedTree(c.special)) << c.label;
    }
}

TEST(Encoding, HtmlMetaCharsetCounts)
{
    for (const auto& [charset, expected] : {std::pair{"iso-8859-1", L"caf\u00e9"}, std::pair{"windows-1251", L"caf\u0439"}}) {
        const std::string bytes = std::string("<html><head><META http-equiv=\"Content-Type\" content=\"text/html; charset=") +
                                  charset + "\"/></head><body x='caf\xE9'/></html>";
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFromBytes(bytes)) << doc.GetDiagnostic();
        ASSERT_TRUE(doc.FindElement(L"html") && doc.EnterElement() && doc.FindElement(L"body"));
        EXPECT_EQ(doc.GetAttribute(L"x"), expected) << charset;
    }
}

TEST(Encoding, MultiByteCodePagesGoThroughTheSystem)
{
    struct Case {
        const char* bytes;
        std::wstring expected;
    } cases[] = {
        {"<?xml version='1.0' encoding='GBK'?><r name='\xD6\xD0\xCE\xC4'/>", L"\u4e2d\u6587"},
        {"<?xml version='1.0' encoding='GB2312'?><r name='\xD6\xD0'/>", L"\u4e2d"},
        {"<?xml version='1.0' encoding='Shift_JIS'?><r name='\x83\x4C\x81\x5B'/>", L"\u30ad\u30fc"},
        {"<?xml version='1.0' encoding='big5'?><r name='\xA4\xA4'/>", L"\u4e2d"},
        {"<?xml version='1.0' encoding='KOI8-R'?><r name='\xEB\xCC'/>", L"\u041a\u043b"},
        {"<?xml version='1.0' encoding='windows-1251'?><r name='\xCA\xEB'/>", L"\u041a\u043b"},
        {"<?xml version='1.0' encoding='windows-1252'?><r name='\x80'/>", L"\u20ac"},
    };
    for (const Case& c : cases) {
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFromBytes(c.bytes)) << c.bytes << "\n" << doc.GetDiagnostic();
        ASSERT_TRUE(doc.FindElement(L"r"));
        EXPECT_EQ(doc.GetAttribute(L"name"), c.expected) << c.bytes;
    }
}

TEST(Encoding, Utf16KeepsCharactersBeyondTheBasicPlane)
{
    const std::u16string text = u"<r name=\"\U0001F600\"/>";
    for (bool bigEndian : {false, true}) {
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFromBytes(Utf16Bytes(text, bigEndian, true)));
        ASSERT_TRUE(doc.FindElement(L"r"));
        EXPECT_EQ(doc.GetAttribute(L"name"), sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(L"\U0001F600"));
    }
}

TEST(Encoding, NullUnitsAreRemovedAndOddBytesDropped)
{
    std::string bytes = Utf16Bytes(u"<r a='1'/>", false, true);
    bytes.insert(4, std::string("\0\0", 2));   // a U+0000 unit after "<r"
    bytes.push_back('x');                      // half a unit at the end
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes)) << doc.GetDiagnostic();
    EXPECT_NE(doc.GetDiagnostic().find(L"nulls_removed: 1"), std::wstring::npos);
    EXPECT_NE(doc.GetDiagnostic().find(L"truncation_error"), std::wstring::npos);
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"1");
}

TEST(Encoding, Utf32LittleEndianReadsThroughNullRemoval)
{
    std::string bytes;
    for (char c : std::string("<r a='1'/>")) bytes += std::string(1, c) + std::string(3, '\0');
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes)) << doc.GetDiagnostic();
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"1");
}

TEST(Encoding, DeclaredUtf32IsDecodedAsUtf32)
{
    // A declaration the sniffer finds (NULs removed) and bytes that do not look 16-bit at first.
    std::string bytes = "\x20";
    bytes += std::string(3, '\0');
    for (char32_t c : std::u32string(U"<?xml version='1.0' encoding='UTF-32'?><r a='\U0001F600'/>")) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((c >> (8 * i)) & 0xFF));
    }
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes)) << doc.GetDiagnostic();
    EXPECT_NE(doc.GetDiagnostic().find(L"code page 65005"), std::wstring::npos);
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(L"\U0001F600"));
}

TEST(Encoding, InvalidBytesBecomeReplacementCharactersAndAreNoted)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes("<r a='\xC3\x28 \xFF'/>"));   // no declaration, starts with "<": UTF-8
    EXPECT_NE(doc.GetDiagnostic().find(L"truncation_error"), std::wstring::npos);
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"\xFFFD( \xFFFD");
    // Whether a code page takes a byte is the system's decision (Windows maps 0xE9 of US-ASCII to
    // a letter); either way the load goes on with one character for the byte.
    XmlDocument ascii;
    ASSERT_TRUE(ascii.LoadFromBytes("<?xml version='1.0' encoding='us-ascii'?><r a='\xE9'/>"));
    ASSERT_TRUE(ascii.FindElement(L"r"));
    EXPECT_EQ(ascii.GetAttribute(L"a").size(), 1u);
}

TEST(Encoding, UnknownOrUnbelievableDeclarationsFallBack)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes("<?xml version='1.0' encoding='x-unheard-of'?><r a='\xC3\xA9'/>"));
    EXPECT_NE(doc.GetDiagnostic().find(L"unknown_encoding: x-unheard-of"), std::wstring::npos);
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"\u00e9");   // valid UTF-8 is read as UTF-8

    // An 8-bit file that claims UTF-16 is read as 8-bit.
    XmlDocument claims16;
    ASSERT_TRUE(claims16.LoadFromBytes("<?xml version='1.0' encoding='UTF-16'?><r a='b'/>")) << claims16.GetDiagnostic();
    ASSERT_TRUE(claims16.FindElement(L"r"));
    EXPECT_EQ(claims16.GetAttribute(L"a"), L"b");
}

TEST(Encoding, UndeclaredNonUtf8ReadsInTheAnsiCodePage)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(" <r a='caf\xE9'/>")) << doc.GetDiagnostic();
    EXPECT_NE(doc.GetDiagnostic().find(L"code page " + std::to_wstring(SystemAnsiCodePage())), std::wstring::npos);
    ASSERT_TRUE(doc.FindElement(L"r"));
    if (SystemAnsiCodePage() == 1252) EXPECT_EQ(doc.GetAttribute(L"a"), L"caf\u00e9");
}

TEST(CharsetNames, TableLookupIgnoresCase)
{
    EXPECT_EQ(CodePageOfCharset("UTF-8"), 65001u);
    EXPECT_EQ(CodePageOfCharset("utf-8"), 65001u);
    EXPECT_EQ(CodePageOfCharset("UTF-32"), 65005u);
    EXPECT_EQ(CodePageOfCharset("Windows-1252"), 1252u);
    EXPECT_EQ(CodePageOfCharset("gb2312"), 936u);
    EXPECT_EQ(CodePageOfCharset("SHIFT_JIS"), 932u);
    EXPECT_EQ(CodePageOfCharset("utf-16be"), 1201u);
    EXPECT_EQ(CodePageOfCharset("UTF-8 "), 0u);
    EXPECT_EQ(CodePageOfCharset(""), 0u);
    EXPECT_EQ(CodePageOfCharset("x-unknown"), 0u);
}

TEST(CharsetNames, EveryNamedCodePageIsKnownToTheSystem)
{
    for (const char* name : {"US-ASCII", "ISO-8859-1", "ISO-8859-2", "ISO-8859-5", "ISO-8859-15", "WINDOWS-1250",
                             "WINDOWS-1251", "WINDOWS-1258", "GBK", "BIG5", "SHIFT_JIS", "EUC-JP",
                             "EUC-KR", "KOI8-R", "KOI8-U", "CP437", "CP850", "CP866", "WINDOWS-874", "MACINTOSH"}) {
        std::u16string text;
        const CodePageConversion conv = ConvertCodePageToUtf16(CodePageOfCharset(name), "abc", text);
        EXPECT_TRUE(conv.supported) << name;
        EXPECT_EQ(text, u"abc") << name;
    }
    std::u16string text;
    EXPECT_FALSE(ConvertCodePageToUtf16(4242, "abc", text).supported);
    EXPECT_TRUE(text.empty());
}

TEST(Encoding, ACodePageTheSystemLacksFallsBackToUtf8)
{
    // GB18030 is read by Windows but not by every system (Wine lacks it); ASCII text survives both ways.
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes("<?xml version='1.0' encoding='GB18030'?><r a='abc'/>")) << doc.GetDiagnostic();
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"abc");
    std::u16string text;
    if (!ConvertCodePageToUtf16(54936, "abc", text).supported)
        EXPECT_NE(doc.GetDiagnostic().find(L"unsupported_code_page: code page 54936"), std::wstring::npos);
}

TEST(DeclaredEncoding, FoundInDeclarationOrMetaOnly)
{
    EXPECT_EQ(FindDeclaredEncoding("<?xml version=\"1.0\" encoding=\"GBK\"?>"), "GBK");
    EXPECT_EQ(FindDeclaredEncoding("  <?xml version='1.0' encoding = 'koi8-r' standalone='yes'?>"), "koi8-r");
    EXPECT_EQ(FindDeclaredEncoding("<?xml version='1.0'?><r encoding='GBK'/>"), "");
    EXPECT_EQ(FindDeclaredEncoding("<?xml version='1.0' encoding=GBK?>"), "");   // must be quoted
    EXPECT_EQ(FindDeclaredEncoding("<meta charset=utf-8>"), "utf-8");
    EXPECT_EQ(FindDeclaredEncoding("<meta content='text/html; charset=\"big5\"'>"), "big5");
    EXPECT_EQ(FindDeclaredEncoding("<r charset='big5'/>"), "");
    EXPECT_EQ(FindDeclaredEncoding("<?xml encoding='"), "");
    EXPECT_EQ(FindDeclaredEncoding(""), "");
}

}  // namespace
}  // namespace qx
