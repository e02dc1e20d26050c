#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

using namespace notarion;

TEST(XmlWriter, WritesLeavesOnOneLineAndElementsWithChildrenOverSeveral) {
    XmlDocument doc;
    XmlNode& root = doc.FindOrAddChild(doc.Root, u"Naglowki");
    doc.SetValue(doc.FindOrAddChild(root, u"IlePozycji"), u"1");
    XmlNode& position = doc.FindOrAddChild(root, u"Pozycja0");
    doc.SetValue(doc.FindOrAddChild(position, u"Tresc"), u"A < B & \"C\"");
    doc.FindOrAddChild(position, u"Typ");
    EXPECT_EQ(&doc.FindOrAddChild(root, u"pozycja0"), &position) << "found, not added again";
    EXPECT_EQ(doc.ToText(), u"<Naglowki>\r\n"
                            u"\t<IlePozycji>1</IlePozycji>\r\n"
                            u"\t<Pozycja0>\r\n"
                            u"\t\t<Tresc>A &lt; B &amp; &quot;C&quot;</Tresc>\r\n"
                            u"\t\t<Typ/>\r\n"
                            u"\t</Pozycja0>\r\n"
                            u"</Naglowki>\r\n");
}

TEST(XmlWriter, DeclarationCommentAttributesAndCDataAreWrittenBack) {
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(
        "<?xml version=\"1.0\"?><!--  uwaga  --><a k=\"x&amp;y\">tekst<![CDATA[<surowe>]]></a>"));
    EXPECT_EQ(doc.ToText(), u"<?xml version=\"1.0\"?>\r\n"
                            u"<!-- uwaga -->\r\n"
                            u"<a k=\"x&amp;y\">tekst\r\n"
                            u"\t<![CDATA[<surowe>]]>\r\n"
                            u"</a>\r\n");
}

TEST(XmlWriter, EncodingFollowsTheLastLoad) {
    XmlDocument doc;
    doc.SetValue(doc.FindOrAddChild(doc.Root, u"a"), u"żółw €");
    EXPECT_EQ(doc.ToBytes(), Utf8ToCp1250("<a>żółw €</a>\r\n"));
    doc.Unicode = true;
    const std::string bytes = doc.ToBytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE<\0", 4));
    XmlDocument again;
    ASSERT_TRUE(again.LoadFromBytes(bytes));
    EXPECT_EQ(again.FindChild(u"A")->Value(), u"żółw €");
    XmlDocument empty;
    EXPECT_EQ(empty.ToBytes(), "");
}

TEST(XmlText, ReplaceAllIgnoreCaseDoesNotRescanReplacements) {
    EXPECT_EQ(ReplaceAllIgnoreCase(u"aAa", u"a", u"aa"), u"aaaaaa");
    EXPECT_EQ(ReplaceAllIgnoreCase(u"xyz", u"", u"q"), u"xyz");
    EXPECT_EQ(ReplaceAllIgnoreCase(u"AbAB", u"ab", u"-"), u"--");
    EXPECT_EQ(EscapeText(u"&<>\""), u"&amp;&lt;&gt;&quot;");
    EXPECT_EQ(UnescapeText(EscapeText(u"a&lt;b")), u"a&lt;b");
}

// A tree read from a file keeps growing in order after the load: children are
// appended after the ones read, texts set later outlive their sources, and
// Clear gives all memory back.
TEST(XmlWriter, ALoadedTreeGrowsAndEmptiesAgain) {
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes("<a><b>1</b><c/><d>3</d></a>"));
    XmlNode& a = *doc.FindChild(u"a");
    for (const char16_t* name : {u"e", u"f", u"g", u"h", u"i"}) {
        std::u16string value = name;
        doc.AddChild(a, XmlNodeKind::Element, name, value + u"!");
    }
    doc.SetValue(*a.FindChild(u"c"), std::u16string(u"nowa"));
    EXPECT_EQ(a.ChildCount(), 8);
    EXPECT_EQ(doc.ToText(), u"<a>\r\n\t<b>1</b>\r\n\t<c>nowa</c>\r\n\t<d>3</d>\r\n\t<e>e!</e>\r\n"
                            u"\t<f>f!</f>\r\n\t<g>g!</g>\r\n\t<h>h!</h>\r\n\t<i>i!</i>\r\n</a>\r\n");
    EXPECT_GT(doc.HeldBytes(), 0u);
    doc.Clear();
    EXPECT_EQ(doc.Root.ChildCount(), 0);
    EXPECT_EQ(doc.HeldBytes(), 0u);
}
