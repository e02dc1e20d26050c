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
