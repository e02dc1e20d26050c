#include "generate/StudentLists.h"

#include "ExpectedText.h"
#include "reports/ReportReader.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace notarion {
namespace {

using testing::JoinPlain;
using testing::JoinUtf8;
using testing::ReportXml;
using Lines = std::vector<std::string>;
using Block = void (*)(ReportReader&, HtmlBuffer&, GenerationState&);

const std::string Sep = "===========";

std::string Label(const std::string& label, const std::string& value) {
    return "   <p class=\"N\"><b>" + label + "</b> " + value + "</p>";
}
std::string Item(const std::string& text) {
    return "     <li>" + text + "</li>";
}
const std::string Ul = "   <ul>";
const std::string EndUl = "   </ul>";

// A report with the stopping reader the document set uses.
struct ParsedReport {
    XmlDocument Document;
    ReportReader Reader{Document, "raport.xml", OnBadValue::Stop};
};

// Parses a report of class "1a" from a UTF-8 body, stored as cp1250 bytes.
std::unique_ptr<ParsedReport> ParseReport(const std::string& body) {
    auto report = std::make_unique<ParsedReport>();
    report->Document.LoadFromBytes(
        Utf8ToCp1250(ReportXml("Klasyfikacja klasy", "<Klasa>1a</Klasa>" + body)));
    return report;
}

struct BlockCase {
    const char* Name;
    Block Write;
    std::string Body;
    Lines Expected;
    StudentList GenerationState::*List;
    Lines ExpectedList;
    bool Throws;
};

const BlockCase BlockCases[] = {
    // Full attendance: a class without such students gets no group.
    {"attendance zero",
     WriteAttendanceBlock,
     "<Frekwencja><IleOsob>0</IleOsob><Uczen1>Jan</Uczen1></Frekwencja>",
     {Label("Stuprocentowa frekwencja:", "brak takich uczniów.")},
     &GenerationState::AttendanceList,
     {},
     false},
    {"attendance negative",
     WriteAttendanceBlock,
     "<Frekwencja><IleOsob>-2</IleOsob><Uczen1>Jan</Uczen1></Frekwencja>",
     {Label("Uczniowie ze stuprocentową frekwencją, to:", ""), Ul, EndUl},
     &GenerationState::AttendanceList,
     {Sep, "1a"},
     false},
    {"attendance markup name",
     WriteAttendanceBlock,
     "<Frekwencja><IleOsob>1</IleOsob><Uczen1>&lt;b&gt;Jan&lt;/b&gt; &amp; "
     "Syn</Uczen1></Frekwencja>",
     {Label("Uczniowie ze stuprocentową frekwencją, to:", ""), Ul, Item("<b>Jan</b> & Syn"), EndUl},
     &GenerationState::AttendanceList,
     {Sep, "1a", "<b>Jan</b> & Syn"},
     false},
    {"attendance missing count",
     WriteAttendanceBlock,
     "<Frekwencja><Uczen1>Jan</Uczen1></Frekwencja>",
     {},
     &GenerationState::AttendanceList,
     {},
     true},
    {"attendance count above limit",
     WriteAttendanceBlock,
     "<Frekwencja><IleOsob>10001</IleOsob></Frekwencja>",
     {},
     &GenerationState::AttendanceList,
     {},
     true},

    // Distinguished students: every class gets a group, also without students.
    {"distinguished zero",
     WriteDistinguishedBlock,
     "<Pasek><IleOsob>0</IleOsob></Pasek>",
     {Label("Uczniowie zasługujący na wyróżnienie:", "brak takich uczniów.")},
     &GenerationState::DistinguishedList,
     {Sep, "1a", "Brak uczniów z wyróżnieniem"},
     false},
    {"distinguished negative",
     WriteDistinguishedBlock,
     "<Pasek><IleOsob>-1</IleOsob></Pasek>",
     {Label("Uczniowie zasługujący na wyróżnienie, to:", ""), Ul, EndUl},
     &GenerationState::DistinguishedList,
     {Sep, "1a"},
     false},
    {"distinguished missing average",
     WriteDistinguishedBlock,
     "<Pasek><IleOsob>2</IleOsob><Uczen1>Ala<Srednia>500</Srednia></Uczen1><Uczen2>Ola</Uczen2></"
     "Pasek>",
     {Label("Uczniowie zasługujący na wyróżnienie, to:", ""), Ul, Item("Ala - 5,00")},
     &GenerationState::DistinguishedList,
     {Sep, "1a", "Ala - 5,00"},
     true},
    {"distinguished non-numeric count",
     WriteDistinguishedBlock,
     "<Pasek><IleOsob>dwa</IleOsob></Pasek>",
     {},
     &GenerationState::DistinguishedList,
     {},
     true},

    // Failing grades: like attendance, no group without students.
    {"failing zero",
     WriteFailingBlock,
     "<Ndst><IleOsob>0</IleOsob></Ndst>",
     {Label("Uczniowie z ocenami niedostatecznymi:", "brak takich uczniów.")},
     &GenerationState::FailingList,
     {},
     false},
    {"failing negative",
     WriteFailingBlock,
     "<Ndst><IleOsob>-7</IleOsob></Ndst>",
     {Label("Uczniowie z ocenami niedostatecznymi, to:", ""), Ul, EndUl},
     &GenerationState::FailingList,
     {Sep, "1a"},
     false},
    {"failing missing subjects",
     WriteFailingBlock,
     "<Ndst><IleOsob>2</IleOsob><Uczen1>Jan<Przedmioty>chemia</Przedmioty></Uczen1>"
     "<Uczen2>Ola</Uczen2></Ndst>",
     {Label("Uczniowie z ocenami niedostatecznymi, to:", ""), Ul, Item("Jan - chemia"),
      Item("Ola - "), EndUl},
     &GenerationState::FailingList,
     {Sep, "1a", "Jan - chemia", "Ola - "},
     false},
    {"failing fractional count",
     WriteFailingBlock,
     "<Ndst><IleOsob>1.5</IleOsob></Ndst>",
     {},
     &GenerationState::FailingList,
     {},
     true},

    // Exemplary behaviour: every class gets a group; the empty label keeps
    // the spelling schools know.
    {"exemplary zero",
     WriteExemplaryBlock,
     "<Wzorowi><IleOsob>0</IleOsob></Wzorowi>",
     {Label("Uzcniowie wzorowi:", "brak takich uczniów.")},
     &GenerationState::ExemplaryList,
     {Sep, "1a", "Brak wzorowych uczniów w tej klasie"},
     false},
    {"exemplary negative",
     WriteExemplaryBlock,
     "<Wzorowi><IleOsob>-1</IleOsob></Wzorowi>",
     {Label("Uczniowie wzorowi, to:", ""), Ul, EndUl},
     &GenerationState::ExemplaryList,
     {Sep, "1a"},
     false},
    {"exemplary empty count",
     WriteExemplaryBlock,
     "<Wzorowi><IleOsob></IleOsob></Wzorowi>",
     {},
     &GenerationState::ExemplaryList,
     {},
     true},

    // Lowered behaviour: label lines instead of bullets, a blank line after
    // every justification.
    {"lowered zero",
     WriteLoweredBehaviourBlock,
     "<Obnizone><Ilosc>0</Ilosc></Obnizone>",
     {Label("Uczniowie z obniżonym zachowaniem:", "brak takich uczniów.")},
     &GenerationState::LoweredBehaviourList,
     {},
     false},
    {"lowered negative",
     WriteLoweredBehaviourBlock,
     "<Obnizone><Ilosc>-1</Ilosc></Obnizone>",
     {Label("Uczniowie z obniżonym zachowaniem:", "")},
     &GenerationState::LoweredBehaviourList,
     {Sep, "1a"},
     false},
    {"lowered justification without lines",
     WriteLoweredBehaviourBlock,
     "<Obnizone><Ilosc>1</Ilosc><Uzasadnienie1><Osoba>Jan</Osoba><Ocena>dobre</Ocena>"
     "<IloscWierszy>-3</IloscWierszy><Wiersz0>x</Wiersz0></Uzasadnienie1></Obnizone>",
     {Label("Uczniowie z obniżonym zachowaniem:", ""), Label("Uczeń:", "Jan"),
      Label("Ocena:", "dobre"), "    <br>"},
     &GenerationState::LoweredBehaviourList,
     {Sep, "1a", "Jan - dobre"},
     false},
    {"lowered missing line count",
     WriteLoweredBehaviourBlock,
     "<Obnizone><Ilosc>1</Ilosc><Uzasadnienie1><Osoba>Jan</Osoba><Ocena>dobre</Ocena>"
     "</Uzasadnienie1></Obnizone>",
     {Label("Uczniowie z obniżonym zachowaniem:", ""), Label("Uczeń:", "Jan"),
      Label("Ocena:", "dobre")},
     &GenerationState::LoweredBehaviourList,
     {Sep, "1a", "Jan - dobre"},
     true},

    // Remarks feed no list.
    {"remarks zero",
     WriteRemarksBlock,
     "<Uwagi><IloscWierszy>0</IloscWierszy><w0>x</w0></Uwagi>",
     {},
     nullptr,
     {},
     false},
    {"remarks negative",
     WriteRemarksBlock,
     "<Uwagi><IloscWierszy>-1</IloscWierszy></Uwagi>",
     {Label("Uwagi:", "")},
     nullptr,
     {},
     false},
    {"remarks lines",
     WriteRemarksBlock,
     "<Uwagi><IloscWierszy>2</IloscWierszy><w0>Pierwsza.</w0><w1></w1></Uwagi>",
     {Label("Uwagi:", ""), "   Pierwsza.<br>", "   <br>"},
     nullptr,
     {},
     false},
    {"remarks count above limit",
     WriteRemarksBlock,
     "<Uwagi><IloscWierszy>99999</IloscWierszy></Uwagi>",
     {},
     nullptr,
     {},
     true},
};

TEST(ClassBlocks, WriteTheirLinesAndFeedTheirList) {
    for (const auto& c : BlockCases) {
        SCOPED_TRACE(c.Name);
        const auto report = ParseReport(c.Body);
        HtmlBuffer buffer;
        GenerationState state;
        if (c.Throws) {
            EXPECT_THROW(c.Write(report->Reader, buffer, state), Failure);
        } else {
            EXPECT_NO_THROW(c.Write(report->Reader, buffer, state));
        }
        EXPECT_EQ(JoinUtf8(testing::PageLines(buffer)), JoinPlain(c.Expected));
        if (c.List != nullptr) {
            EXPECT_EQ(JoinUtf8((state.*c.List).Lines), JoinPlain(c.ExpectedList));
        }
        // No block touches another block's list.
        for (auto other : {&GenerationState::AttendanceList, &GenerationState::DistinguishedList,
                           &GenerationState::FailingList, &GenerationState::ExemplaryList,
                           &GenerationState::LoweredBehaviourList}) {
            if (other != c.List) {
                EXPECT_TRUE((state.*other).Lines.empty());
            }
        }
    }
}

TEST(DistinguishedBlock, PrintsOnlyAveragesAboveTheThreshold) {
    const struct {
        std::string Srednia;
        std::string Separator;
        std::string Line;
    } cases[] = {
        {"475", ",", "Jan - 4,75"},  {"5", ",", "Jan - 0,05"},
        {"600", ",", "Jan - 6,00"},  {"1005", ",", "Jan - 10,05"},
        {"$1F4", ",", "Jan - 5,00"}, {"2147483647", ",", "Jan - 21474836,47"},
        {"475", ".", "Jan - 4.75"},  {"4", ",", "Jan"},
        {"0", ",", "Jan"},           {"-500", ",", "Jan"},
        {"-2147483648", ",", "Jan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Srednia + " with '" + c.Separator + "'");
        GenerationState state;
        state.DecimalSeparator = c.Separator;
        HtmlBuffer buffer;
        WriteDistinguishedBlock(ParseReport("<Pasek><IleOsob>1</IleOsob><Uczen1>Jan<Srednia>" +
                                            c.Srednia + "</Srednia></Uczen1></Pasek>")
                                    ->Reader,
                                buffer, state);
        ASSERT_EQ(testing::PageLines(buffer).size(), 4u);
        EXPECT_EQ(testing::PageLines(buffer)[2], Item(c.Line));
        EXPECT_EQ(state.DistinguishedList.Lines, (Lines{Sep, "1a", c.Line}));
    }
}

TEST(LoweredBehaviourBlock, ChoosesThePluralLabelOnlyForAnInnerComma) {
    const struct {
        std::string Osoba;
        std::string Label;
    } cases[] = {
        {"Jan Nowak, Ola Lis", "Uczniowie:"},
        {"Jan,Ola", "Uczniowie:"},
        {",Ola", "Uczniowie:"},
        {"Jan Nowak", "Uczeń:"},
        {"Jan Nowak,", "Uczeń:"},
        {",", "Uczeń:"},
        {"", "Uczeń:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.Osoba + "'");
        GenerationState state;
        HtmlBuffer buffer;
        WriteLoweredBehaviourBlock(
            ParseReport("<Obnizone><Ilosc>1</Ilosc><Uzasadnienie1><Osoba>" + c.Osoba +
                        "</Osoba><Ocena>nieodpowiednie</Ocena><IloscWierszy>0</IloscWierszy>"
                        "</Uzasadnienie1></Obnizone>")
                ->Reader,
            buffer, state);
        ASSERT_GE(testing::PageLines(buffer).size(), 2u);
        EXPECT_EQ(Cp1250ToUtf8(testing::PageLines(buffer)[1]), Label(c.Label, c.Osoba));
        EXPECT_EQ(state.LoweredBehaviourList.Lines.back(),
                  Utf8ToCp1250(c.Osoba + " - nieodpowiednie"));
    }
}

// The list document: the page frame, the title, then one group per class.
class ListDocument : public ::testing::Test {
protected:
    Lines Render(const Lines& accumulatorUtf8) {
        StudentList list;
        for (const auto& line : accumulatorUtf8)
            list.Lines.push_back(Utf8ToCp1250(line));
        path = dir.File("Lista.htm");
        WriteListDocument(buffer, list, Utf8ToCp1250("UCZNIOWIE Z WZOROWĄ FREKWENCJĄ"), path);
        HtmlBuffer frame;
        BeginPage(frame);
        const Lines written = testing::PageLines(buffer);
        const Lines framing = testing::PageLines(frame);
        EXPECT_GE(written.size(), framing.size() + 3);
        EXPECT_TRUE(std::equal(framing.begin(), framing.end(), written.begin()));
        EXPECT_EQ(testing::ReadBytes(path), BufferBytes(buffer));
        const Lines tail(written.end() - 3, written.end());
        EXPECT_EQ(tail, (Lines{"</div>", "</body>", "</html>"}));
        Lines body;
        for (auto it = written.begin() + static_cast<std::ptrdiff_t>(framing.size());
             it != written.end() - 3; ++it)
            body.push_back(Cp1250ToUtf8(*it));
        return body;
    }

    testing::TempFolder dir;
    HtmlBuffer buffer;
    std::string path;
    const std::string Title = "<p align=\"center\"><br><b>UCZNIOWIE Z WZOROWĄ FREKWENCJĄ</b></p>";
    const std::string Open = "<p align=\"left\">";
    const std::string Spacer = "<p align=\"left\">&nbsp;</p>";
};

TEST_F(ListDocument, EmptyAccumulatorGivesOnlyTheTitleAndAnEmptyParagraph) {
    EXPECT_EQ(JoinPlain(Render({})), JoinPlain({Title, Open, "</p>"}));
}

TEST_F(ListDocument, EachClassGroupIsASpacerABoldClassAndABulletList) {
    EXPECT_EQ(JoinPlain(Render({Sep, "1a", "Jan", "Ola & <i>Ela</i>", Sep, "2b",
                                "Brak uczniów z wyróżnieniem"})),
              JoinPlain({Title, Open, Spacer, Label("1a", ""), Ul, Item("Jan"),
                         Item("Ola & <i>Ela</i>"), EndUl, Spacer, Label("2b", ""), Ul,
                         Item("Brak uczniów z wyróżnieniem"), EndUl, "</p>"}));
}

TEST_F(ListDocument, ClassWithoutStudentsShowsAnEmptyList) {
    EXPECT_EQ(JoinPlain(Render({Sep, "3c"})),
              JoinPlain({Title, Open, Spacer, Label("3c", ""), Ul, EndUl, "</p>"}));
}

TEST_F(ListDocument, StudentLineEqualToTheSeparatorStartsAGroup) {
    EXPECT_EQ(JoinPlain(Render({Sep, "1a", "Jan", Sep, "Ola", "Ewa"})),
              JoinPlain({Title, Open, Spacer, Label("1a", ""), Ul, Item("Jan"), EndUl, Spacer,
                         Label("Ola", ""), Ul, Item("Ewa"), EndUl, "</p>"}));
}

TEST_F(ListDocument, SeparatorAsTheLastLineDoesNotReadPastTheEnd) {
    EXPECT_EQ(JoinPlain(Render({Sep, "1a", Sep})),
              JoinPlain({Title, Open, Spacer, Label("1a", ""), Ul, EndUl, Spacer, Label("", ""), Ul,
                         EndUl, "</p>"}));
}

TEST(ListDocumentFailure, UnwritableFolderThrowsAndWritesNothing) {
    testing::TempFolder dir;
    HtmlBuffer buffer;
    StudentList list{{Sep, "1a", "Jan"}};
    const std::string path = dir.File("brak") + "/Lista.htm";
    EXPECT_THROW(WriteListDocument(buffer, list, "T", path), Failure);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "brak"));
}

} // namespace
} // namespace notarion
