// Files made to stall the reader: unmatched end tags under deep nesting, and attribute values full
// of "&". The layout file is read on every keyboard arrival on the window's thread, so the work
// must stay linear in the input. The reader counts its end-tag name comparisons, which shows that
// without relying on a clock.
#include <chrono>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "resources/xml_document.h"
#include "tests/xml/scratch_file.h"

namespace qx {
namespace {

std::string Repeat(std::string_view piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

size_t Count(const std::string& text, std::string_view what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// Opening, matching and closing an element touches the index of open names a few times, and
// each time compares with at most the few names it holds here.
constexpr size_t kComparisonsPerTag = 8;

TEST(HostileXml, FourMegabytesOfUnmatchedEndTagsAreRefusedInLinearWork)
{
    // N open elements, then N end tags that match none of them: a search of the open elements per
    // end tag costs N * N comparisons, about 3.6e11 here.
    const size_t pairs = XmlDocument::kMaxFileBytes / 7;
    const std::string text = Repeat("<a>", pairs) + Repeat("</b>", pairs);
    ASSERT_LE(text.size(), XmlDocument::kMaxFileBytes);
    ASSERT_GT(text.size(), XmlDocument::kMaxFileBytes - 7);
    test::ScratchFile file(text);

    XmlDocument doc;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(doc.LoadFile(file.Path()));
    const auto elapsed = std::chrono::steady_clock::now() - started;

    EXPECT_NE(doc.GetDiagnostic().find(L"lone_end_tag: b"), std::wstring::npos) << doc.GetDiagnostic();
    EXPECT_LE(doc.GetEndTagComparisons(), kComparisonsPerTag * 2 * pairs);
    // The quadratic reader ran past 400 s on this file. Linear work takes a fraction of a second,
    // about 1.3 s in an unoptimised sanitizer build, so this bound only trips on a return of the
    // stall, never on a busy machine.
    EXPECT_LT(elapsed, std::chrono::seconds(10));
    std::printf("4 MB of unmatched end tags refused in %.0f ms\n",
                std::chrono::duration<double, std::milli>(elapsed).count());
}

struct NestingCase {
    const char* name;
    const char* prefix;
    const char* open;     // repeated N times
    const char* close;    // repeated N times
    const char* suffix;
    bool wellFormed;
};

void PrintTo(const NestingCase& c, std::ostream* os)
{
    *os << c.name;
}

const NestingCase kNestings[] = {
    {"unmatched_end_tags", "<r>", "<a>", "</b>", "</r>", false},
    {"end_tags_of_the_outer_element", "<r>", "<a>", "</r>", "", false},
    {"matched_nesting", "<r>", "<a x='1'>", "</a>", "</r>", true},
    {"alternating_names", "<r>", "<a><b>", "</b></a>", "</r>", true},
    {"every_end_tag_closes_the_outermost", "", "<a><b>", "</a>", "", false},
    {"end_tags_before_any_element", "", "</a>", "", "<r/>", false},
};

class NestingTest : public ::testing::TestWithParam<NestingCase> {
protected:
    // Comparisons of a document with times repetitions of the case's open and close pieces.
    size_t Comparisons(size_t times)
    {
        const NestingCase& c = GetParam();
        const std::string text = c.prefix + Repeat(c.open, times) + Repeat(c.close, times) + c.suffix;
        XmlDocument doc;
        EXPECT_EQ(doc.LoadFromBytes(text), c.wellFormed) << doc.GetDiagnostic();
        EXPECT_LE(doc.GetEndTagComparisons(), kComparisonsPerTag * Count(text, "<")) << times << " repetitions";
        return doc.GetEndTagComparisons();
    }
};

TEST_P(NestingTest, ComparisonsGrowWithTheNumberOfTags)
{
    const size_t small = Comparisons(1000);
    const size_t large = Comparisons(16000);
    // Sixteen times the input costs at most sixteen times the comparisons, give or take those of
    // the fixed tags around the repeated ones; quadratic work would cost 256 times as many.
    EXPECT_LE(large, 16 * (small + 16));
}

INSTANTIATE_TEST_SUITE_P(Shapes, NestingTest, ::testing::ValuesIn(kNestings),
                         [](const auto& info) { return std::string(info.param.name); });

// The linear end-tag search must still pick the innermost open element of the name, and name
// every element it leaves unended, exactly as before.
TEST(HostileXml, EndTagsCloseTheInnermostElementOfTheirName)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFromBytes("<a><a><b/></a><a></a></a>")) << doc.GetDiagnostic();
    EXPECT_TRUE(doc.LoadFromBytes("<r><a><b><a></a></b></a></r>")) << doc.GetDiagnostic();

    EXPECT_FALSE(doc.LoadFromBytes("<r><a><b><a><c></a></b></a></r>"));
    const std::wstring& notes = doc.GetDiagnostic();
    EXPECT_NE(notes.find(L"unended_start_tag: c at offset 12"), std::wstring::npos) << notes;
    EXPECT_EQ(notes.find(L"unended_start_tag: b"), std::wstring::npos) << notes;
    EXPECT_EQ(notes.find(L"unended_start_tag: a"), std::wstring::npos) << notes;
    EXPECT_EQ(notes.find(L"lone_end_tag"), std::wstring::npos) << notes;

    // Once the inner "a" is closed by the end tag of the outer one, the next "</a>" is lone.
    EXPECT_FALSE(doc.LoadFromBytes("<r><a><a><b></a></a></a></r>"));
    const std::wstring& second = doc.GetDiagnostic();
    EXPECT_NE(second.find(L"unended_start_tag: b at offset 9"), std::wstring::npos) << second;
    EXPECT_NE(second.find(L"lone_end_tag: a at offset 20"), std::wstring::npos) << second;
    EXPECT_EQ(second.find(L"unended_start_tag: a"), std::wstring::npos) << second;
}

TEST(HostileXml, AttributeValuesFullOfAmpersandsResolve)
{
    const std::string ampersands = Repeat("&", 1'000'000);
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes("<r v='" + ampersands + "&amp;&#65;&unknown;'/>"));
    ASSERT_TRUE(doc.FindElement(L"r"));
    const std::wstring value = doc.GetAttribute(L"v");
    EXPECT_EQ(value, std::wstring(1'000'000, L'&') + L"&A&unknown;");
}

}  // namespace
}  // namespace qx
