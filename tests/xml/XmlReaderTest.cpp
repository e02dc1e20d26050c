#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace notarion;

namespace {

class XmlReader : public ::testing::Test {
protected:
    // Parse UTF-8 test text as the cp1250 bytes a report file would hold.
    XmlLoadResult Parse(std::string_view utf8) { return m_doc.LoadFromBytes(Utf8ToCp1250(utf8)); }
    const XmlNode* Node(std::initializer_list<std::u16string_view> path) const {
        const XmlNode* node = &m_doc.Root;
        for (auto name : path) {
            node = node->FindChild(name);
            if (node == nullptr)
                return nullptr;
        }
        return node;
    }
    std::u16string Value(std::initializer_list<std::u16string_view> path) const {
        const XmlNode* node = Node(path);
        return node ? std::u16string(node->Value()) : u"<missing>";
    }
    XmlDocument m_doc;
};

} // namespace

TEST_F(XmlReader, ReadsAReportWithDeclarationCommentAndNesting) {
    ASSERT_TRUE(Parse("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
                      "<!--  wygenerowano  -->\r\n"
                      "<Szkola>\r\n\t<Doc>Klasyfikacja klasy</Doc>\r\n"
                      "\t<Pasek>\r\n\t\t<IleOsob>1</IleOsob>\r\n"
                      "\t\t<Uczen1>Anna Żak<Srednia>475</Srednia></Uczen1>\r\n"
                      "\t</Pasek>\r\n</Szkola>\r\n"));
    ASSERT_EQ(m_doc.Root.ChildCount(), 3);
    EXPECT_EQ(m_doc.Root.ChildAt(0)->Kind(), XmlNodeKind::Declaration);
    EXPECT_EQ(m_doc.Root.ChildAt(0)->AttributeAt(1)->Value, u"windows-1250");
    EXPECT_EQ(m_doc.Root.ChildAt(1)->Kind(), XmlNodeKind::Comment);
    EXPECT_EQ(m_doc.Root.ChildAt(1)->Value(), u"wygenerowano");
    EXPECT_EQ(Value({u"SZKOLA", u"doc"}), u"Klasyfikacja klasy");
    EXPECT_EQ(Value({u"Szkola", u"Pasek", u"Uczen1"}), u"Anna Żak");
    EXPECT_EQ(Value({u"Szkola", u"Pasek", u"Uczen1", u"Srednia"}), u"475");
    EXPECT_FALSE(m_doc.Unicode);
}

TEST_F(XmlReader, EntitiesAreDecodedInOrderAndOnlyTheFourKnownOnes) {
    struct Case {
        const char* text;
        std::u16string expected;
    } cases[] = {
        {"a &amp; b", u"a & b"},
        {"a &AMP; b &Lt; c", u"a & b < c"},
        {"&amp;lt;", u"&lt;"},
        {"&quot;cytat&quot; &gt;", u"\"cytat\" >"},
        {"&#261; &apos;", u"&#261; &apos;"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Parse(std::string("<a>") + c.text + "</a>")) << c.text;
        EXPECT_EQ(Value({u"a"}), c.expected) << c.text;
    }
}

TEST_F(XmlReader, TextIsTrimmedButAttributeValuesAreNot) {
    ASSERT_TRUE(Parse("<a k=\"  x y  \">  \t tekst z odstępami \r\n </a>"));
    EXPECT_EQ(Value({u"a"}), u"tekst z odstępami");
    EXPECT_EQ(Node({u"a"})->AttributeAt(0)->Value, u"  x y  ");
}

TEST_F(XmlReader, TextAfterASelfClosedChildBelongsToTheChild) {
    ASSERT_TRUE(Parse("<a><b/> ogon <c>x</c></a>"));
    EXPECT_EQ(Value({u"a"}), u"");
    EXPECT_EQ(Value({u"a", u"b"}), u"ogon");
    EXPECT_EQ(Value({u"a", u"c"}), u"x");
}

TEST_F(XmlReader, CDataGoesToTheEnclosingElementUnchanged) {
    ASSERT_TRUE(Parse("<a>tekst<![CDATA[  <b>&amp; ]]><c>1</c></a>"));
    EXPECT_EQ(Node({u"a"})->CData(), u"  <b>&amp; ");
    EXPECT_EQ(Value({u"a", u"c"}), u"1");
    EXPECT_EQ(Node({u"a"})->ChildCount(), 1);
}

TEST_F(XmlReader, SyntaxErrorsFailButKeepWhatWasReadBefore) {
    const char* damaged[] = {
        "<a><b>1</b><c k='v'>2</c></a>",       // single quotes
        "<a><b>1</b>< >2</a>",                 // empty name
        "<a><b>1</b><c>2</d></a>",             // wrong end tag
        "<a><b>1</b> mieszana treść <c/></a>", // text after a child's end tag
        "<a><b>1</b><c k=\"v>2</c></a>",       // unclosed attribute value
        "<a><b>1</b><c k>2</c></a>",           // attribute without "="
    };
    for (const char* text : damaged) {
        const XmlLoadResult result = Parse(text);
        EXPECT_FALSE(result) << text;
        EXPECT_EQ(Value({u"a", u"b"}), u"1") << text;
        EXPECT_EQ(result.Offset + result.UnreadCharacters, Utf8ToUtf16(text).size()) << text;
    }
    const XmlLoadResult garbage = Parse("śmieci <a/>");
    EXPECT_FALSE(garbage);
    EXPECT_EQ(m_doc.Root.ChildCount(), 0);
    EXPECT_EQ(garbage.Offset, 1u);
    EXPECT_EQ(garbage.UnreadCharacters, 10u);
}

TEST_F(XmlReader, StopIsGivenAsLineAndColumnOfTheDecodedText) {
    // The attribute without "=" on the third line stops the reader there; in
    // UTF-16 the positions count the same characters, not bytes.
    const std::string text = "<a>\r\n<b>1</b>\r\n<c k>2</c></a>";
    const std::size_t thirdLine = text.find("<c");
    std::string utf16 = "\xFF\xFE";
    for (const char c : text)
        utf16 += std::string{c, '\0'};
    for (const std::string& bytes : {text, utf16}) {
        const XmlLoadResult result = m_doc.LoadFromBytes(bytes);
        EXPECT_FALSE(result.Complete);
        EXPECT_EQ(result.Line, 3u);
        EXPECT_GT(result.Offset, thirdLine);
        EXPECT_EQ(result.Column, result.Offset - thirdLine + 1);
        EXPECT_EQ(result.Offset + result.UnreadCharacters, text.size());
    }
    const XmlLoadResult whole = m_doc.LoadFromBytes("<a/>\n");
    EXPECT_TRUE(whole.Complete);
    EXPECT_EQ(whole.UnreadCharacters, 0u);
}

TEST_F(XmlReader, EndTagNamesMatchWithoutRegardToCase) {
    EXPECT_TRUE(Parse("<Szkola><Klasa>1a</KLASA></szkola>"));
    EXPECT_EQ(Value({u"Szkola", u"Klasa"}), u"1a");
}

TEST_F(XmlReader, TextEndingInsideOpenElementsIsReadWithoutError) {
    ASSERT_TRUE(Parse("<Szkola><Pasek><Uczen1>Jan Nowak"));
    EXPECT_EQ(Value({u"Szkola", u"Pasek", u"Uczen1"}), u"Jan Nowak");
}

TEST_F(XmlReader, UnterminatedCommentOrCDataYieldsEmptyText) {
    EXPECT_TRUE(Parse("<a><!-- bez końca"));
    ASSERT_EQ(Node({u"a"})->ChildCount(), 1);
    EXPECT_EQ(Node({u"a"})->ChildAt(0)->Value(), u"");
    EXPECT_FALSE(Parse("<a><!-x")) << "fewer than seven characters after <!";
}

TEST_F(XmlReader, Utf16WithByteOrderMarkIsDetected) {
    const std::u16string text = u"<Szkola><Klasa>2ż</Klasa></Szkola>";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    bytes.push_back('\x01'); // a trailing odd byte is ignored
    ASSERT_TRUE(m_doc.LoadFromBytes(bytes));
    EXPECT_TRUE(m_doc.Unicode);
    EXPECT_EQ(Value({u"Szkola", u"Klasa"}), u"2ż");
    EXPECT_EQ(m_doc.ToBytes().substr(0, 2), "\xFF\xFE");
}

// Windows-1250 bytes are read as they are and UTF-16 after its mark: the
// same text reads to the same tree, stop and position in both, Polish
// letters (bytes above 127) in names, end tags, attributes and texts included.
TEST_F(XmlReader, BothEncodingsReadPolishLettersAlikeEverywhere) {
    const char* texts[] = {
        "<Łąka Źródło=\"ś&amp;ć\">\t Żółw &lt;ą&gt; \r\n<Ćma/>ę</łĄKA>",
        "<Szkoła><Wąs>ó</WĄS><Ń",
        "<a><![cdata[Żaba]]></a>",
        "<ą\xc2\xa0"
        "b>x</ą\xc2\xa0"
        "b>",
        "<a>ź</b>",
    };
    for (const char* utf8 : texts) {
        SCOPED_TRACE(utf8);
        const std::u16string wide = Utf8ToUtf16(utf8);
        std::string utf16 = "\xFF\xFE";
        for (const char16_t c : wide) {
            utf16.push_back(static_cast<char>(c & 0xFF));
            utf16.push_back(static_cast<char>(c >> 8));
        }
        XmlDocument fromUtf16;
        const XmlLoadResult a = fromUtf16.LoadFromBytes(utf16);
        const XmlLoadResult b = Parse(utf8);
        EXPECT_EQ(a.Complete, b.Complete);
        EXPECT_EQ(a.Offset, b.Offset);
        EXPECT_EQ(a.Column, b.Column);
        EXPECT_EQ(a.UnreadCharacters, b.UnreadCharacters);
        EXPECT_EQ(fromUtf16.ToText(), m_doc.ToText());
    }
    Parse(texts[0]);
    const XmlNode* meadow = Node({u"ŁĄKA"});
    ASSERT_NE(meadow, nullptr);
    EXPECT_EQ(meadow->Value(), u"Żółw <ą>");
    EXPECT_EQ(meadow->AttributeAt(0)->Name, u"Źródło");
    EXPECT_EQ(meadow->AttributeAt(0)->Value, u"ś&ć");
    EXPECT_EQ(Value({u"Łąka", u"ćma"}), u"ę");
}

// A value read from Windows-1250 bytes keeps those bytes beside its UTF-16
// form, so the writers need not convert it back; they must be the very bytes
// the UTF-16 form converts to, and there must be none where they would not be.
TEST_F(XmlReader, AValueKeepsItsOwnCp1250BytesOnlyWhereTheyAreItsText) {
    ASSERT_TRUE(Parse("<Szkola><Belfer> \tŁukasz Źdźbło, klasa 1a \r\n<Pusty/></Belfer>"
                      "<Uwagi>a &amp; b</Uwagi><Brak></Brak></Szkola>"));
    const XmlNode* tutor = Node({u"Szkola", u"Belfer"});
    ASSERT_NE(tutor, nullptr);
    ASSERT_TRUE(tutor->Cp1250Value());
    EXPECT_EQ(*tutor->Cp1250Value(), Utf8ToCp1250("Łukasz Źdźbło, klasa 1a"));
    EXPECT_EQ(*tutor->Cp1250Value(), Utf16ToCp1250(tutor->Value()));
    // An entity makes the text differ from its bytes; an empty text has none.
    EXPECT_FALSE(Node({u"Szkola", u"Uwagi"})->Cp1250Value());
    EXPECT_FALSE(Node({u"Szkola", u"Brak"})->Cp1250Value());
    EXPECT_FALSE(Node({u"Szkola", u"Belfer", u"Pusty"})->Cp1250Value());
    // A value set afterwards is the node's only text.
    m_doc.SetValue(*m_doc.Root.FindChild(u"Szkola")->FindChild(u"Belfer"), u"Nowy");
    EXPECT_FALSE(tutor->Cp1250Value());
    EXPECT_EQ(tutor->Value(), u"Nowy");
    // UTF-16 has no bytes of the code page to keep.
    XmlDocument wide;
    ASSERT_TRUE(wide.LoadFromBytes(std::string("\xFF\xFE<\0a\0>\0x\0<\0/\0a\0>\0", 18)));
    EXPECT_EQ(wide.Root.FindChild(u"a")->Value(), u"x");
    EXPECT_FALSE(wide.Root.FindChild(u"a")->Cp1250Value());
}

TEST_F(XmlReader, Utf8ByteOrderMarkIsNotRecognised) {
    EXPECT_FALSE(m_doc.LoadFromBytes("\xEF\xBB\xBF<a/>"));
}

TEST_F(XmlReader, EmptyAndOneByteInputsFail) {
    EXPECT_FALSE(m_doc.LoadFromBytes(""));
    EXPECT_FALSE(m_doc.LoadFromBytes("<"));
}

// Nothing of one load reaches the next: not the tree, and not what a load
// that stopped inside open elements left on the reader's stacks.
TEST_F(XmlReader, ALoadStartsFromAnEmptyTree) {
    ASSERT_TRUE(Parse("<a>1</a>"));
    ASSERT_TRUE(Parse("<b>2</b>"));
    EXPECT_EQ(m_doc.Root.ChildCount(), 1);
    EXPECT_EQ(Node({u"a"}), nullptr);
    XmlDocument stopped;
    EXPECT_FALSE(stopped.LoadFromBytes("<a><b><c>1</c><d>2</d><e>x</f>"));
    ASSERT_TRUE(Parse("<g><h>3</h></g>"));
    EXPECT_EQ(m_doc.Root.ChildCount(), 1);
    ASSERT_EQ(Node({u"g"})->ChildCount(), 1);
    EXPECT_EQ(Value({u"g", u"h"}), u"3");
    EXPECT_EQ(Node({u"a"}), nullptr) << "the stopped load's tree is not this one";
    ASSERT_EQ(stopped.FindChild(u"a")->FindChild(u"b")->ChildCount(), 3);
}

TEST_F(XmlReader, DeepNestingStopsWithAnErrorInsteadOfOverflowingTheStack) {
    std::string deep;
    for (int i = 0; i < 1000000; ++i)
        deep += "<a>";
    EXPECT_FALSE(m_doc.LoadFromBytes(deep));
    int depth = 0;
    for (const XmlNode* node = &m_doc.Root; node->ChildCount() > 0; node = node->ChildAt(0))
        ++depth;
    EXPECT_EQ(depth, MaxXmlDepth);
    m_doc.Clear(); // releasing the deep tree must not recurse either
    EXPECT_EQ(m_doc.Root.ChildCount(), 0);
}

TEST_F(XmlReader, NamesAndValuesRunningToTheEndDoNotCrash) {
    const std::string unending(1 << 20, 'x');
    EXPECT_FALSE(Parse("<" + unending));
    EXPECT_FALSE(Parse("<a k=\"" + unending));
    EXPECT_TRUE(Parse("<a>" + unending));
}

TEST_F(XmlReader, RandomBytesNeverCrash) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "<>/?!=\"[]-CDATA a\r\n&;";
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int length = byte(random) * 4;
        for (int i = 0; i < length; ++i)
            bytes.push_back(
                round % 2 ? static_cast<char>(byte(random))
                          : alphabet[static_cast<std::size_t>(byte(random)) % alphabet.size()]);
        m_doc.LoadFromBytes(bytes);
        (void)m_doc.ToText();
    }
    SUCCEED() << "no crash, no hang";
}

TEST(XmlFile, MissingEmptyAndUnreadableFiles) {
    namespace fs = std::filesystem;
    const notarion::testing::TempFolder temp;
    const fs::path& folder = temp.Path();
    const std::string base = temp.Text() + "/";
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFromFile(base + "brak.xml"));
    std::ofstream(folder / "pusty.xml").close();
    EXPECT_FALSE(doc.LoadFromFile(base + "pusty.xml"));
    fs::create_directory(folder / "katalog.xml");
    EXPECT_THROW(doc.LoadFromFile(base + "katalog.xml"), Failure)
        << "a directory is a file that cannot be opened";
}
