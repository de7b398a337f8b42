#include "storage/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

std::wstring Wide(std::initializer_list<unsigned> units) {
    std::wstring text;
    for (unsigned unit : units) text.push_back(static_cast<wchar_t>(unit));
    return text;
}

std::string Bytes(std::initializer_list<unsigned> bytes) {
    std::string text;
    for (unsigned byte : bytes) text.push_back(static_cast<char>(byte));
    return text;
}

struct RoundTripCase {
    const char* what;
    std::wstring wide;
    std::string utf8;
};

class Utf8RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(Utf8RoundTrip, ConvertsBothWays) {
    const RoundTripCase& c = GetParam();
    EXPECT_EQ(ToUtf8(c.wide), c.utf8);
    EXPECT_EQ(FromUtf8(c.utf8), c.wide);
}

INSTANTIATE_TEST_SUITE_P(
    ValidTexts, Utf8RoundTrip,
    ::testing::Values(RoundTripCase{"empty", L"", ""},
                      RoundTripCase{"ascii", L"lightmode", "lightmode"},
                      RoundTripCase{"two_byte", L"\u00e9\u00df", Bytes({0xC3, 0xA9, 0xC3, 0x9F})},
                      RoundTripCase{"chinese", L"\u5b8f\u5f55\u5236", Bytes({0xE5, 0xAE, 0x8F, 0xE5, 0xBD, 0x95, 0xE5, 0x88, 0xB6})},
                      // Above U+FFFF: a surrogate pair in a 16-bit wchar_t, one unit in a 32-bit one.
                      RoundTripCase{"emoji", L"\U0001F600", Bytes({0xF0, 0x9F, 0x98, 0x80})},
                      RoundTripCase{"last_code_point", L"\U0010FFFF", Bytes({0xF4, 0x8F, 0xBF, 0xBF})},
                      RoundTripCase{"embedded_nul", std::wstring(L"a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Utf8Text, EmojiIsOneSurrogatePairInSixteenBitWideText) {
    const std::wstring text = FromUtf8(Bytes({0xF0, 0x9F, 0x98, 0x80}));
    if constexpr (sizeof(wchar_t) == 2) {
        EXPECT_EQ(text, Wide({0xD83D, 0xDE00}));
    } else {
        EXPECT_EQ(text, Wide({0x1F600}));
    }
}

TEST(Utf8Text, NullPointerReadsAsEmpty) {
    EXPECT_EQ(FromUtf8(static_cast<const char*>(nullptr)), L"");
}

struct BadWideCase {
    const char* what;
    std::wstring wide;
    std::string utf8;
};

class Utf8BadWide : public ::testing::TestWithParam<BadWideCase> {};

TEST_P(Utf8BadWide, BecomesReplacementCharacters) {
    EXPECT_EQ(ToUtf8(GetParam().wide), GetParam().utf8);
}

const std::string kReplacement = Bytes({0xEF, 0xBF, 0xBD});

INSTANTIATE_TEST_SUITE_P(
    InvalidWide, Utf8BadWide,
    ::testing::Values(BadWideCase{"lone_high", Wide({'a', 0xD83D, 'b'}), "a" + kReplacement + "b"},
                      BadWideCase{"high_at_end", Wide({'a', 0xD83D}), "a" + kReplacement},
                      BadWideCase{"lone_low", Wide({0xDE00, 'x'}), kReplacement + "x"},
                      BadWideCase{"two_highs", Wide({0xD83D, 0xD83D, 0xDE00}), kReplacement + Bytes({0xF0, 0x9F, 0x98, 0x80})},
                      BadWideCase{"reversed_pair", Wide({0xDE00, 0xD83D}), kReplacement + kReplacement}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Utf8Text, WideValuesBeyondUnicodeBecomeReplacement) {
    if constexpr (sizeof(wchar_t) == 4) {
        EXPECT_EQ(ToUtf8(Wide({0x110000, 'z'})), kReplacement + "z");
        EXPECT_EQ(ToUtf8(Wide({0xFFFFFFFFu})), kReplacement);
    } else {
        GTEST_SKIP() << "16-bit wchar_t cannot hold values beyond U+FFFF";
    }
}

struct BadUtf8Case {
    const char* what;
    std::string utf8;
    std::wstring wide;
};

class Utf8BadBytes : public ::testing::TestWithParam<BadUtf8Case> {};

TEST_P(Utf8BadBytes, BecomesReplacementCharacters) {
    EXPECT_EQ(FromUtf8(GetParam().utf8), GetParam().wide);
}

const std::wstring kR = L"\uFFFD";

// One replacement per maximal ill-formed subsequence; the byte that breaks a sequence starts anew.
INSTANTIATE_TEST_SUITE_P(
    InvalidUtf8, Utf8BadBytes,
    ::testing::Values(BadUtf8Case{"stray_continuation", Bytes({'a', 0x80, 'b'}), L"a" + kR + L"b"},
                      BadUtf8Case{"truncated_at_end", Bytes({'a', 0xE5, 0xAE}), L"a" + kR},
                      BadUtf8Case{"truncated_before_ascii", Bytes({0xE5, 'x'}), kR + L"x"},
                      BadUtf8Case{"overlong_two", Bytes({0xC0, 0xAF}), kR + kR},
                      BadUtf8Case{"overlong_three", Bytes({0xE0, 0x80, 0xAF}), kR + kR + kR},
                      BadUtf8Case{"encoded_surrogate", Bytes({0xED, 0xA0, 0x80}), kR + kR + kR},
                      BadUtf8Case{"beyond_unicode", Bytes({0xF4, 0x90, 0x80, 0x80}), kR + kR + kR + kR},
                      BadUtf8Case{"invalid_lead", Bytes({0xFF, 0xFE, 'q'}), kR + kR + L"q"},
                      BadUtf8Case{"four_byte_cut", Bytes({0xF0, 0x9F, 0x98, 'k'}), kR + L"k"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Utf8Text, EveryByteSequenceOfTwoConvertsWithoutFault) {
    // Exhaustive over two bytes: the result is always valid UTF-8 again.
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            const std::wstring wide = FromUtf8(Bytes({a, b}));
            ASSERT_LE(wide.size(), 2u);
            EXPECT_EQ(FromUtf8(ToUtf8(wide)), wide);
        }
    }
}

}  // namespace
}  // namespace qx
