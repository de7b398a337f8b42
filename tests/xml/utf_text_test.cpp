// The Unicode conversions under the reader, on their edge cases.
#include <string>

#include <gtest/gtest.h>

#include "resources/utf_text.h"

namespace qx {
namespace {

TEST(Utf8, ValidityRejectsEveryMalformedForm)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"));
    for (const char* bad : {"\x80", "\xC3", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xE2\x82", "\xC3\x28"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}

TEST(Utf8, DecodingReplacesAndCounts)
{
    std::u16string out;
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80", out), 0u);
    EXPECT_EQ(out, u"a\u00e9\U0001F600");
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b\xE2\x82", out), 3u);
    EXPECT_EQ(out, u"a\xFFFD" u"b\xFFFD\xFFFD");
}

TEST(Utf32, DecodesBothOrdersAndReplacesBadUnits)
{
    std::u16string out;
    EXPECT_EQ(Utf32ToUtf16(std::string("A\0\0\0\x00\xF6\x01\x00", 8), false, out), 0u);
    EXPECT_EQ(out, u"A\U0001F600");
    EXPECT_EQ(Utf32ToUtf16(std::string("\0\0\0A\0\x11\0\0\0\0\xD8\0\x01", 13), true, out), 3u);
    EXPECT_EQ(out, u"A\xFFFD\xFFFD\xFFFD");
}

TEST(Wide, RoundTripsThroughUtf16)
{
    const std::wstring wide = L"Key \u00e9\u4e2d\U0001F600";
    EXPECT_EQ(Utf16ToWide(WideToUtf16(wide)), wide);
    EXPECT_EQ(WideToUtf16(wide), u"Key \u00e9\u4e2d\U0001F600");
    EXPECT_EQ(WideToUtf8(wide), "Key \xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    // A lone surrogate cannot stand in UTF-32 or UTF-8.
    const std::u16string lone = u"a\xD800" u"b";
    if constexpr (sizeof(wchar_t) == 4) EXPECT_EQ(Utf16ToWide(lone), L"a\xFFFD" L"b");
    EXPECT_EQ(WideToUtf8(Utf16ToWide(lone)), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace qx
