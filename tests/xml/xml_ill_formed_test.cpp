// Every ill-formed condition fails the load as a whole and is named in the notes by its word.
#include <string>

#include <gtest/gtest.h>

#include "resources/xml_document.h"
#include "tests/xml/scratch_file.h"

namespace qx {
namespace {

struct IllFormedCase {
    const char* text;
    const wchar_t* word;
};

const IllFormedCase kCases[] = {
    {"hello <r/>", L"first_tag_syntax"},
    {"<!-- c --> x <r/>", L"first_tag_syntax"},
    {"<!DOCTYPE r [ <!ELEMENT r ANY>", L"doctype_tag_syntax"},
    {"<!DOCTYPE r SYSTEM \"r.dtd><r/>", L"doctype_tag_syntax"},
    {"<r/><!DOCTYPE r>", L"doctype_tag_syntax"},
    {"<r><!DOCTYPE r></r>", L"doctype_tag_syntax"},
    {"<!DOCTYPE r><!DOCTYPE r><r/>", L"doctype_tag_syntax"},
    {"<r><!ELEMENT r ANY></r>", L"exclamation_tag_syntax"},
    {"<!><r/>", L"exclamation_tag_syntax"},
    {"<r><!- x --></r>", L"exclamation_tag_syntax"},
    {"<r><!-- never closed </r>", L"comment_tag_syntax"},
    {"<!-- x -><r/>", L"comment_tag_syntax"},
    {"<r><![CDATA[ never closed </r>", L"cdata_section_syntax"},
    {"<![CDATA[x]]><r/>", L"cdata_section_syntax"},
    {"<r><b </r>", L"unterminated_tag_syntax"},
    {"<r", L"unterminated_tag_syntax"},
    {"<", L"unterminated_tag_syntax"},
    {"<r a=1/>", L"unterminated_tag_syntax"},
    {"<r a/>", L"unterminated_tag_syntax"},
    {"<r a='1'b='2'/>", L"unterminated_tag_syntax"},
    {"<r a='1/>", L"unterminated_tag_syntax"},
    {"<r a=\"1'/>", L"unterminated_tag_syntax"},
    {"<r><1/></r>", L"unterminated_tag_syntax"},
    {"<r>< b/></r>", L"unterminated_tag_syntax"},
    {"<r></r", L"unterminated_tag_syntax"},
    {"<r></ r>", L"unterminated_tag_syntax"},
    {"<r></r x>", L"unterminated_tag_syntax"},
    {"<r><?pi never closed </r>", L"unterminated_tag_syntax"},
    {"<r/ >", L"unterminated_tag_syntax"},
    {"<r/></b>", L"lone_end_tag"},
    {"</r><r/>", L"lone_end_tag"},
    {"<r></b></r>", L"lone_end_tag"},
    {"<r></R>", L"lone_end_tag"},
    {"<r><b></r>", L"unended_start_tag"},
    {"<r>", L"unended_start_tag"},
    {"<r><b><c/></r>", L"unended_start_tag"},
    {"", L"no_root_element"},
    {"   \r\n\t", L"no_root_element"},
    {"<?xml version='1.0'?><!-- only a comment -->", L"no_root_element"},
    {"<r/><s/>", L"root_has_sibling"},
    {"<r></r><r></r>", L"root_has_sibling"},
    {"<r/>trailing text", L"root_has_sibling"},
};

class IllFormedTest : public ::testing::TestWithParam<IllFormedCase> {};

TEST_P(IllFormedTest, FailsAndNamesTheCondition)
{
    const IllFormedCase& c = GetParam();
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFromBytes(c.text)) << c.text;
    EXPECT_FALSE(doc.IsWellFormed());
    EXPECT_NE(doc.GetDiagnostic().find(c.word), std::wstring::npos) << c.text << "\n" << doc.GetDiagnostic();
    EXPECT_EQ(doc.GetDiagnostic().find(L"well_formed"), std::wstring::npos);
}

INSTANTIATE_TEST_SUITE_P(Conditions, IllFormedTest, ::testing::ValuesIn(kCases));

TEST(IllFormed, UnreadableFilesAreFileErrors)
{
    XmlDocument doc;
    test::ScratchFile file("<r/>");
    EXPECT_FALSE(doc.LoadFile(file.Path() + L".missing"));
    EXPECT_NE(doc.GetDiagnostic().find(L"file_error"), std::wstring::npos);
    EXPECT_FALSE(doc.LoadFile(file.Dir().wstring()));   // a directory
    EXPECT_NE(doc.GetDiagnostic().find(L"file_error"), std::wstring::npos);
    EXPECT_FALSE(doc.LoadFile(L""));
    EXPECT_FALSE(doc.FindElement(L"r"));
    EXPECT_TRUE(doc.LoadFile(file.Path()));
}

TEST(IllFormed, OversizedInputIsRefused)
{
    std::string big = "<r>";
    big.resize(XmlDocument::kMaxFileBytes + 1, ' ');
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFromBytes(big));
    EXPECT_NE(doc.GetDiagnostic().find(L"file_error"), std::wstring::npos);
}

TEST(IllFormed, TwoRootsAndALoneEndTagFailAsAWhole)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFromBytes("<KeyboardLayout><A/></KeyboardLayout><KeyboardLayout/>"));
    EXPECT_FALSE(doc.LoadFromBytes("<KeyboardLayout><A/></B></KeyboardLayout>"));
    EXPECT_EQ(doc.GetDiagnostic().find(L"unended_start_tag"), std::wstring::npos);   // only the lone tag is wrong
}

TEST(IllFormed, AnEndTagClosesTheOpenElementsInsideIt)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFromBytes("<r><a><b></r>"));
    const std::wstring& notes = doc.GetDiagnostic();
    EXPECT_NE(notes.find(L"unended_start_tag: b"), std::wstring::npos) << notes;
    EXPECT_NE(notes.find(L"unended_start_tag: a"), std::wstring::npos) << notes;
    EXPECT_EQ(notes.find(L"unended_start_tag: r"), std::wstring::npos) << notes;
}

TEST(IllFormed, NotesStayBoundedOnAFileFullOfErrors)
{
    std::string text = "<r>";
    for (int i = 0; i < 100000; ++i) text += "</x>";
    text += "</r>";
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFromBytes(text));
    size_t lines = 0;
    for (wchar_t c : doc.GetDiagnostic()) lines += c == L'\n';
    EXPECT_LE(lines, XmlDiagnostic::kMaxLines + 1);
    EXPECT_NE(doc.GetDiagnostic().find(L"more_notes_omitted"), std::wstring::npos);
}

}  // namespace
}  // namespace qx
