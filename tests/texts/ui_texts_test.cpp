// The interface text table against an independent copy of it (data/ui_texts.tsv: index, English,
// Chinese, UTF-8), in both languages and through the process-wide language.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/language.h"
#include "resources/ui_texts.h"
#include "resources/utf_text.h"

namespace qx {
namespace {

struct ExpectedText {
    std::wstring english;
    std::wstring chinese;
};

std::wstring FromUtf8(const std::string& bytes)
{
    std::u16string text;
    EXPECT_EQ(Utf8ToUtf16(bytes, text), 0u) << "invalid UTF-8 in the test data: " << bytes;
    return Utf16ToWide(text);
}

std::map<int, ExpectedText> LoadExpectedTexts()
{
    std::map<int, ExpectedText> table;
    std::ifstream file(std::string(QX_TESTDATA) + "/ui_texts.tsv", std::ios::binary);
    EXPECT_TRUE(file.is_open()) << "cannot open " << QX_TESTDATA << "/ui_texts.tsv";
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string index, english, chinese;
        std::getline(fields, index, '\t');
        std::getline(fields, english, '\t');
        std::getline(fields, chinese, '\t');
        const bool added = table.emplace(std::stoi(index), ExpectedText{FromUtf8(english), FromUtf8(chinese)}).second;
        EXPECT_TRUE(added) << "index " << index << " twice in the test data";
    }
    return table;
}

class UITextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { expected_ = new std::map<int, ExpectedText>(LoadExpectedTexts()); }
    static void TearDownTestSuite() { delete expected_; expected_ = nullptr; }
    void SetUp() override
    {
        saved_language_ = CurrentLanguage();
        ASSERT_FALSE(expected_->empty());
    }
    void TearDown() override { SetCurrentLanguage(saved_language_); }

    static const std::map<int, ExpectedText>& Expected() { return *expected_; }

private:
    static std::map<int, ExpectedText>* expected_;
    int saved_language_ = 0;
};

std::map<int, ExpectedText>* UITextsTest::expected_ = nullptr;

// Every language id except 2052 reads the English column, including unset and odd values.
constexpr int kEnglishLanguageIds[] = {kLangEnglish, 0, 1028, 3076, 2051, 2053, -1, 0x7fffffff};

TEST_F(UITextsTest, EveryEntryInChinese)
{
    for (const auto& [index, text] : Expected())
        EXPECT_EQ(GetUIText(index, kLangChinese), text.chinese) << "index " << index;
}

TEST_F(UITextsTest, EveryEntryInEnglishForEveryOtherLanguage)
{
    for (int language : kEnglishLanguageIds)
        for (const auto& [index, text] : Expected())
            EXPECT_EQ(GetUIText(index, language), text.english) << "index " << index << ", language " << language;
}

TEST_F(UITextsTest, ProcessLanguageSelectsTheColumn)
{
    SetCurrentLanguage(kLangChinese);
    for (const auto& [index, text] : Expected()) EXPECT_EQ(GetUIText(index), text.chinese) << "index " << index;
    for (int language : kEnglishLanguageIds) {
        SetCurrentLanguage(language);
        for (const auto& [index, text] : Expected())
            EXPECT_EQ(GetUIText(index), text.english) << "index " << index << ", language " << language;
    }
}

TEST_F(UITextsTest, IndexesOutsideTheTableAreEmpty)
{
    for (int language : {kLangChinese, kLangEnglish}) {
        EXPECT_EQ(GetUIText(0, language), L"");
        EXPECT_EQ(GetUIText(229, language), L"");
        EXPECT_EQ(GetUIText(-7, language), L"");
        EXPECT_EQ(GetUIText(0x7fffffff, language), L"");
        for (int index = -1; index <= 1000; ++index)
            if (Expected().count(index) == 0)
                EXPECT_EQ(GetUIText(index, language), L"") << "index " << index << ", language " << language;
    }
}

TEST_F(UITextsTest, NonAsciiTextsAreSingleWideCharactersPerCodePoint)
{
    // The dash of "Volume—" and the Chinese texts lie in the BMP: one wchar_t each on both
    // 16- and 32-bit wchar_t.
    EXPECT_EQ(GetUIText(80, kLangEnglish), std::wstring(L"Volume") + wchar_t(0x2014));
    EXPECT_EQ(GetUIText(7, kLangChinese), std::wstring({wchar_t(0x9000), wchar_t(0x51FA)}));
}

}  // namespace
}  // namespace qx
