// Walking and reading a well-formed document: the cursor operations, attribute values and the
// constructs a document may hold besides elements.
#include <string>

#include <gtest/gtest.h>

#include "resources/xml_document.h"
#include "tests/xml/scratch_file.h"
#include "tests/xml/tree_dump.h"

namespace qx {
namespace {

constexpr char kLayout[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- keyboard layouts -->\n"
    "<KeyboardLayout>\n"
    "  <LayoutA left=\"20\" image=\"a.png\">\n"
    "    <keys code=\"0xFF\"/>\n"
    "    <KeyItems>\n"
    "      <key code=\"0x29\" name=\"Esc\"/>\n"
    "      <keyx code=\"0x01\"/>\n"
    "      <Key code=\"0x02\"/>\n"
    "      <key code=\"0x3A\" name=\"F1\"></key>\n"
    "      <other><key code=\"0x99\"/></other>\n"
    "      <key code=\"0x3B\" name=\"F2\"/>\n"
    "    </KeyItems>\n"
    "  </LayoutA>\n"
    "</KeyboardLayout>\n";

class XmlDocumentTest : public ::testing::Test {
protected:
    void Load(std::string_view bytes) { ASSERT_TRUE(doc.LoadFromBytes(bytes)) << doc.GetDiagnostic(); }
    void EnterKeyItems()
    {
        ASSERT_TRUE(doc.FindElement(L"KeyboardLayout"));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.FindElement(L"LayoutA"));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.FindElement(L"KeyItems"));
        ASSERT_TRUE(doc.EnterElement());
    }
    XmlDocument doc;
};

TEST_F(XmlDocumentTest, LoadFileReadsTheFileAndStartsAtTheTopLevel)
{
    test::ScratchFile file(kLayout);
    ASSERT_TRUE(doc.LoadFile(file.Path())) << doc.GetDiagnostic();
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_EQ(doc.GetTagName(), L"");
    EXPECT_FALSE(doc.FindElement(L"LayoutA"));   // not at the top level
    EXPECT_TRUE(doc.FindElement(L"KeyboardLayout"));
}

TEST_F(XmlDocumentTest, RepeatedFindVisitsEveryKeyInOrderThenStays)
{
    Load(kLayout);
    EnterKeyItems();
    std::wstring codes;
    while (doc.FindElement(L"key")) codes += doc.GetAttribute(L"code") + L" ";
    EXPECT_EQ(codes, L"0x29 0x3A 0x3B ");   // not keyx, Key, nor the key nested in other
    EXPECT_EQ(doc.GetAttribute(L"name"), L"F2");   // the failed search left the cursor there
    EXPECT_FALSE(doc.FindElement(L"key"));
    EXPECT_EQ(doc.GetAttribute(L"name"), L"F2");
}

TEST_F(XmlDocumentTest, NamesMatchWholeAndCaseSensitive)
{
    Load(kLayout);
    ASSERT_TRUE(doc.FindElement(L"KeyboardLayout"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(L"LayoutA"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindElement(L"key"));   // "keys" is not "key", and KeyItems holds the keys
    EXPECT_EQ(doc.GetTagName(), L"");
    EXPECT_TRUE(doc.FindElement(L"keys"));
    EXPECT_EQ(doc.GetAttribute(L"code"), L"0xFF");
    EXPECT_FALSE(doc.FindElement(L"Keyitems"));
    EXPECT_FALSE(doc.FindElement(L"KeyItem"));
    EXPECT_FALSE(doc.FindElement(L"KeyItemsX"));
    EXPECT_EQ(doc.GetTagName(), L"keys");
    EXPECT_TRUE(doc.FindElement(L"KeyItems"));
}

TEST_F(XmlDocumentTest, SearchGoesForwardFromTheCurrentElement)
{
    Load("<r><a n='1'/><b/><a n='2'/></r>");
    ASSERT_TRUE(doc.FindElement(L"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(L"b"));
    ASSERT_TRUE(doc.FindElement(L"a"));
    EXPECT_EQ(doc.GetAttribute(L"n"), L"2");   // the first a lies behind the cursor
    EXPECT_FALSE(doc.FindElement(L"b"));
}

TEST_F(XmlDocumentTest, EnterAndLeave)
{
    Load(kLayout);
    EXPECT_FALSE(doc.EnterElement());   // no current element yet
    EXPECT_FALSE(doc.OutOfElement());
    ASSERT_TRUE(doc.FindElement(L"KeyboardLayout"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.GetTagName(), L"");   // before the first child
    EXPECT_EQ(doc.GetAttribute(L"left"), L"");
    ASSERT_TRUE(doc.FindElement(L"LayoutA"));
    EXPECT_EQ(doc.GetAttribute(L"left"), L"20");
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.OutOfElement());
    EXPECT_EQ(doc.GetTagName(), L"LayoutA");
    EXPECT_TRUE(doc.OutOfElement());
    EXPECT_EQ(doc.GetTagName(), L"KeyboardLayout");
    EXPECT_FALSE(doc.OutOfElement());
    // An empty element can be entered; it has no children.
    Load("<r><e/></r>");
    ASSERT_TRUE(doc.FindElement(L"r") && doc.EnterElement() && doc.FindElement(L"e"));
    EXPECT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindElement(L""));
}

TEST_F(XmlDocumentTest, AttributeValues)
{
    Load("<r a='x &amp; y' b=\"&lt;&gt;&quot;&apos;\" c = ' spaced ' d='say \"hi\"' e=\"it's\""
         " f='&#65;&#x42;&#X43;&#x1F600;' g='&foo; &#0; &#xD800; &#x110000; & &amp' h='' i='1' i='2'"
         " j='a>b' k='&#97'/>");
    ASSERT_TRUE(doc.FindElement(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"x & y");
    EXPECT_EQ(doc.GetAttribute(L"b"), L"<>\"'");
    EXPECT_EQ(doc.GetAttribute(L"c"), L" spaced ");
    EXPECT_EQ(doc.GetAttribute(L"d"), L"say \"hi\"");
    EXPECT_EQ(doc.GetAttribute(L"e"), L"it's");
    EXPECT_EQ(doc.GetAttribute(L"f"), std::wstring(L"AB&#X43;") + (sizeof(wchar_t) == 2 ? L"\xD83D\xDE00" : L"\U0001F600"));
    EXPECT_EQ(doc.GetAttribute(L"g"), L"&foo; &#0; &#xD800; &#x110000; & &amp");   // kept as written
    EXPECT_EQ(doc.GetAttribute(L"h"), L"");
    EXPECT_EQ(doc.GetAttribute(L"i"), L"1");
    EXPECT_EQ(doc.GetAttribute(L"j"), L"a>b");
    EXPECT_EQ(doc.GetAttribute(L"k"), L"&#97");
    EXPECT_EQ(doc.GetAttribute(L"missing"), L"");
    EXPECT_EQ(doc.GetAttribute(L"A"), L"");   // attribute names are case-sensitive too
    EXPECT_EQ(doc.GetAttribute(L""), L"");
}

TEST_F(XmlDocumentTest, ProloguesCommentsInstructionsDoctypeAndCdata)
{
    Load("\xEF\xBB\xBF<?xml version='1.0'?>\r\n"
         "<!DOCTYPE r [ <!ELEMENT r ANY> <!ATTLIST r a CDATA \"]>\"> <!-- ]> --> <?pi ]> ?> ]>\n"
         "<?top instruction?>\n"
         "<r a='1'>text &amp; more<!-- <x/> --><?p <y/>?><![CDATA[ <z/> ]]> ]]> <s/></r>\n"
         "<!-- after -->\t<?after?>\n");
    EXPECT_EQ(test::DumpChildren(doc), L"r(name=;code=){s(name=;code=)}");
}

TEST_F(XmlDocumentTest, ReloadReplacesTreeAndCursor)
{
    Load(kLayout);
    EnterKeyItems();
    ASSERT_TRUE(doc.FindElement(L"key"));
    Load("<other/>");
    EXPECT_EQ(doc.GetTagName(), L"");
    EXPECT_FALSE(doc.FindElement(L"KeyboardLayout"));
    EXPECT_TRUE(doc.FindElement(L"other"));
    EXPECT_FALSE(doc.LoadFromBytes("<broken"));
    EXPECT_EQ(doc.GetTagName(), L"");
    EXPECT_FALSE(doc.FindElement(L"other"));
}

TEST_F(XmlDocumentTest, DeepNestingLoadsWithoutRecursion)
{
    constexpr int kDepth = 200000;
    std::string text;
    for (int i = 0; i < kDepth; ++i) text += "<d>";
    for (int i = 0; i < kDepth; ++i) text += "</d>";
    Load(text);
    int depth = 0;
    while (doc.FindElement(L"d") && doc.EnterElement()) ++depth;
    EXPECT_EQ(depth, kDepth);
}

TEST_F(XmlDocumentTest, EveryProperPrefixOfADocumentFails)
{
    const std::string full = kLayout;
    const size_t rootEnd = full.rfind('>') + 1;
    for (size_t length = 0; length < rootEnd; ++length) {
        XmlDocument prefix;
        EXPECT_FALSE(prefix.LoadFromBytes(std::string_view(full).substr(0, length))) << length;
    }
    for (size_t length = rootEnd; length <= full.size(); ++length) EXPECT_TRUE(doc.LoadFromBytes(full.substr(0, length)));
}

}  // namespace
}  // namespace qx
