#include "generate/DocumentSet.h"

#include "ExpectedText.h"
#include "generate/Sections.h"
#include "generate/SetContents.h"
#include "reports/ReportCatalogue.h"
#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/KindList.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "system/FileSystem.h"
#include "system/SystemReason.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::JoinPlain;
using testing::JoinUtf8;
using testing::ReportXml;
using Lines = std::vector<std::string>;

const std::string Sep = "===========";

// The document options of the viewer with their files, as the viewer lists them.
const std::pair<int, const char*> OptionFiles[] = {
    {0, "Lista_WzoroweZachowanie.htm"},
    {1, "Lista_ObnizoneZachowania.htm"},
    {2, "Lista_WzorowaFrekwencja.htm"},
    {3, "Lista_UczniowieWyroznieni.htm"},
    {4, "Lista_Ndst.htm"},
    {5, "Prot_KlasyfikacjaZachowanie.htm"},
    {6, "Prot_KlasyfikacjaOceny.htm"},
    {7, "Prot_UzasadnienieNdst.htm"},
    {8, "Prot_RealizacjaProgramow.htm"},
    {9, "Prot_RealizacjaProgramowWych.htm"},
    {10, "Prot_RealizacjaZadanDod.htm"},
    {11, "Prot_GodzinyKartowe.htm"},
    {12, "Prot_InneZadania.htm"},
    {13, "Prot_SprawozdanieDyr.htm"},
};

std::string ClassReport(const std::string& klasa, const std::string& attendance,
                        const std::string& distinguished, const std::string& failing) {
    return ReportXml("Klasyfikacja klasy", "<Klasa>" + klasa + "</Klasa><Belfer>B</Belfer>" +
                                               "<Frekwencja>" + attendance +
                                               "</Frekwencja><Pasek>" + distinguished +
                                               "</Pasek><Ndst>" + failing + "</Ndst>");
}

std::string BehaviourReport(const std::string& klasa, const std::string& exemplary,
                            const std::string& lowered) {
    return ReportXml("Klasyfikacja klasy z zachowania",
                     "<Klasa>" + klasa + "</Klasa><Wzorowi>" + exemplary + "</Wzorowi><Obnizone>" +
                         lowered + "</Obnizone><Uwagi><IloscWierszy>0</IloscWierszy></Uwagi>");
}

// A small school: two classes (2b listed before 1a), one report of most other
// kinds, no head teacher's report, and one report of no known kind.
class DocumentSetTest : public ::testing::Test {
protected:
    void Add(const std::string& name, const std::string& kind, const std::string& utf8Xml) {
        const std::string path = testing::WriteReport(reports.File(name), utf8Xml);
        catalogue.Slots.push_back({kind + " - " + name, path, kind});
        catalogue.Count = static_cast<int>(catalogue.Slots.size());
    }

    void AddSchool() {
        Add("k2b.xml", "Klasyfikacja klasy",
            ClassReport("2b", "<IleOsob>0</IleOsob>", "<IleOsob>0</IleOsob>",
                        "<IleOsob>1</IleOsob><Uczen1>Ola<Przedmioty>fizyka</Przedmioty></Uczen1>"));
        Add("k1a.xml", "Klasyfikacja klasy",
            ClassReport("1a", "<IleOsob>1</IleOsob><Uczen1>Jan</Uczen1>",
                        "<IleOsob>1</IleOsob><Uczen1>Ala<Srednia>510</Srednia></Uczen1>",
                        "<IleOsob>0</IleOsob>"));
        Add("z2b.xml", "Klasyfikacja klasy z zachowania",
            BehaviourReport("2b", "<IleOsob>0</IleOsob>",
                            "<Ilosc>1</Ilosc><Uzasadnienie1><Osoba>Piotr</Osoba><Ocena>naganne"
                            "</Ocena><IloscWierszy>0</IloscWierszy></Uzasadnienie1>"));
        Add("z1a.xml", "Klasyfikacja klasy z zachowania",
            BehaviourReport("1a", "<IleOsob>1</IleOsob><Uczen1>Ela</Uczen1>", "<Ilosc>0</Ilosc>"));
        const std::string three = "<Ogolne><IloscWierszy>1</IloscWierszy><w0>Ogólnie.</w0></Ogolne>"
                                  "<Sukcesy><IloscWierszy>0</IloscWierszy></Sukcesy>"
                                  "<Wnioski><IloscWierszy>0</IloscWierszy></Wnioski>";
        Add("p.xml", "Realizacja programu z przedmiotu nauczania",
            ReportXml("Realizacja programu z przedmiotu nauczania",
                      "<Przedmiot>Fizyka</Przedmiot>" + three));
        Add("w.xml", "Realizacja programu wychowawczego",
            ReportXml("Realizacja programu wychowawczego", "<Klasa>1a</Klasa>" + three));
        Add("d.xml", "Realizacja dodatkowych",
            ReportXml("Realizacja dodatkowych", "<Zajecia>Chór</Zajecia>" + three));
        Add("u.xml", "Uzasadnienie oceny niedostatecznej",
            ReportXml(
                "Uzasadnienie oceny niedostatecznej",
                "<Przedmiot>Fizyka</Przedmiot><Uzasadnienia><Ilosc>0</Ilosc></Uzasadnienia>"));
        const std::string info = "<Info><IloscWierszy>1</IloscWierszy><w0>Info.</w0></Info>";
        Add("c.xml", "Z karty", ReportXml("Z karty", "<Belfer>Karta</Belfer>" + info));
        Add("i.xml", "Inne informacje",
            ReportXml("Inne informacje", "<Dotyczy>Sala</Dotyczy>" + info));
        // A kind that differs only in letter case belongs to no document.
        Add("x.xml", "Klasyfikacja Klasy",
            ClassReport("9z", "<IleOsob>1</IleOsob><Uczen1>Obcy</Uczen1>", "<IleOsob>0</IleOsob>",
                        "<IleOsob>0</IleOsob>"));
    }

    std::string Out(const std::string& name) const { return output.File(name); }

    // The lines of a written document between the page frame and the page end, as UTF-8.
    Lines Body(const std::string& name) const {
        const std::string bytes = testing::ReadBytes(Out(name));
        Lines lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            const std::size_t end = bytes.find("\r\n", start);
            lines.push_back(Cp1250ToUtf8(bytes.substr(start, end - start)));
            start = end + 2;
        }
        HtmlBuffer frame;
        BeginPage(frame);
        EXPECT_GE(lines.size(), testing::PageLines(frame).size() + 3) << name;
        if (lines.size() < testing::PageLines(frame).size() + 3)
            return {};
        EXPECT_EQ(JoinPlain(Lines(lines.end() - 3, lines.end())),
                  JoinPlain({"</div>", "</body>", "</html>"}));
        return Lines(lines.begin() + static_cast<std::ptrdiff_t>(testing::PageLines(frame).size()),
                     lines.end() - 3);
    }

    bool GenerateAll() {
        return GenerateProtocols(state, catalogue, output.Text()) &&
               GenerateLists(state, output.Text());
    }

    std::map<std::string, std::string> OutputFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(output.Path()))
            files[entry.path().filename().string()] = testing::ReadBytes(entry.path());
        return files;
    }

    testing::TempFolder reports;
    testing::TempFolder output;
    ReportCatalogue catalogue;
    GenerationState state;
};

std::string Heading(const std::string& text) {
    return "<p align=\"center\"><br><b>" + text + "</b></p>";
}
std::string Label(const std::string& label, const std::string& value) {
    return "   <p class=\"N\"><b>" + label + "</b> " + value + "</p>";
}
std::string Item(const std::string& text) {
    return "     <li>" + text + "</li>";
}
const std::string Spacer = "<p align=\"left\">&nbsp;</p>";
const std::string Open = "<p align=\"left\">";

TEST_F(DocumentSetTest, WritesTheFourteenDocumentsOfTheViewerOptions) {
    AddSchool();
    ASSERT_TRUE(GenerateAll());
    const auto files = OutputFiles();
    EXPECT_EQ(files.size(), 14u);
    for (const auto& [option, name] : OptionFiles) {
        EXPECT_EQ(DocumentFileForOption(option), name);
        EXPECT_EQ(files.count(name), 1u) << name;
    }
    // The buffers keep the last document of each kind of the set.
    EXPECT_EQ(files.at("Prot_InneZadania.htm"), BufferBytes(state.ProtocolBuffer));
    EXPECT_EQ(files.at("Lista_Ndst.htm"), BufferBytes(state.ListBuffer));
}

TEST_F(DocumentSetTest, ListsGatherTheClassesInCatalogueOrder) {
    AddSchool();
    ASSERT_TRUE(GenerateAll());
    EXPECT_EQ(
        JoinPlain(Body("Lista_UczniowieWyroznieni.htm")),
        JoinPlain({Heading("UCZNIOWIE ZASŁUGUJĄCY NA WYRÓŻNIENIE"), Open, Spacer, Label("2b", ""),
                   "   <ul>", Item("Brak uczniów z wyróżnieniem"), "   </ul>", Spacer,
                   Label("1a", ""), "   <ul>", Item("Ala - 5,10"), "   </ul>", "</p>"}));
    EXPECT_EQ(JoinPlain(Body("Lista_WzoroweZachowanie.htm")),
              JoinPlain({Heading("UCZNIOWIE Z WZOROWYM ZACHOWANIEM"), Open, Spacer, Label("2b", ""),
                         "   <ul>", Item("Brak wzorowych uczniów w tej klasie"), "   </ul>", Spacer,
                         Label("1a", ""), "   <ul>", Item("Ela"), "   </ul>", "</p>"}));
    EXPECT_EQ(JoinPlain(Body("Lista_WzorowaFrekwencja.htm")),
              JoinPlain({Heading("UCZNIOWIE Z WZOROWĄ FREKWENCJĄ"), Open, Spacer, Label("1a", ""),
                         "   <ul>", Item("Jan"), "   </ul>", "</p>"}));
    EXPECT_EQ(JoinPlain(Body("Lista_ObnizoneZachowania.htm")),
              JoinPlain({Heading("UCZNIOWIE Z OBNIŻONYM ZACHOWANIEM"), Open, Spacer,
                         Label("2b", ""), "   <ul>", Item("Piotr - naganne"), "   </ul>", "</p>"}));
    EXPECT_EQ(JoinPlain(Body("Lista_Ndst.htm")),
              JoinPlain({Heading("UCZNIOWIE Z OCENAMI NIEDOSTATECZNYMI"), Open, Spacer,
                         Label("2b", ""), "   <ul>", Item("Ola - fizyka"), "   </ul>", "</p>"}));
}

TEST_F(DocumentSetTest, NamesOutsideWindows1250ReachTheDocumentsAsCharacterReferences) {
    const std::string xml =
        ClassReport("1a", "<IleOsob>2</IleOsob><Uczen1>Nguyễn</Uczen1><Uczen2>Шев 😀 ?</Uczen2>",
                    "<IleOsob>1</IleOsob><Uczen1>Ørsted<Srednia>510</Srednia></Uczen1>",
                    "<IleOsob>0</IleOsob>");
    testing::WriteBytes(reports.File("u.xml"), testing::Utf16File(xml));
    catalogue.Slots.push_back(
        {"Klasyfikacja klasy - 1a", reports.File("u.xml"), "Klasyfikacja klasy"});
    catalogue.Count = 1;
    ASSERT_TRUE(GenerateAll());
    EXPECT_EQ(JoinPlain(Body("Lista_WzorowaFrekwencja.htm")),
              JoinPlain({Heading("UCZNIOWIE Z WZOROWĄ FREKWENCJĄ"), Open, Spacer, Label("1a", ""),
                         "   <ul>", Item("Nguy&#7877;n"), Item("&#1064;&#1077;&#1074; &#128512; ?"),
                         "   </ul>", "</p>"}));
    const std::string protocol = JoinPlain(Body("Prot_KlasyfikacjaOceny.htm"));
    EXPECT_NE(protocol.find("Nguy&#7877;n"), std::string::npos) << protocol;
    EXPECT_NE(JoinPlain(Body("Lista_UczniowieWyroznieni.htm")).find(Item("&#216;rsted - 5,10")),
              std::string::npos);
}

TEST_F(DocumentSetTest, ProtocolDocumentsCarryTheirTitleAndOnlyTheirKind) {
    AddSchool();
    ASSERT_TRUE(GenerateAll());
    const Lines classes = Body("Prot_KlasyfikacjaOceny.htm");
    ASSERT_FALSE(classes.empty());
    EXPECT_EQ(classes[0], Heading("KLASYFIKACJA UCZNIÓW"));
    const auto at = [&](const std::string& line) {
        return std::find(classes.begin(), classes.end(), line) - classes.begin();
    };
    EXPECT_LT(at("   <p class=\"N\"><b>2B</b></p>"), at("   <p class=\"N\"><b>1A</b></p>"));
    EXPECT_LT(at("   <p class=\"N\"><b>1A</b></p>"), static_cast<std::ptrdiff_t>(classes.size()));

    const std::pair<const char*, const char*> titles[] = {
        {"Prot_KlasyfikacjaZachowanie.htm", "KLASYFIKACJA UCZNIÓW Z ZACHOWANIA"},
        {"Prot_RealizacjaProgramow.htm", "REALIZACJA PROGRAMÓW NAUCZANIA"},
        {"Prot_RealizacjaProgramowWych.htm", "REALIZACJA PROGRAMÓW WYCHOWAWCZYCH"},
        {"Prot_RealizacjaZadanDod.htm", "REALIZACJA ZADAŃ DODATKOWYCH"},
        {"Prot_UzasadnienieNdst.htm", "UZASADNIENIE OCENY NIEDOSTATECZNEJ"},
        {"Prot_GodzinyKartowe.htm", "REALIZACJA GODZIN WYNIKAJĄCYCH Z KARTY"},
        {"Prot_InneZadania.htm", "INNE ZADANIA"},
    };
    for (const auto& [file, title] : titles) {
        const Lines body = Body(file);
        ASSERT_FALSE(body.empty()) << file;
        EXPECT_EQ(body[0], Heading(title)) << file;
        // One report of each kind: the title, then its spacer.
        ASSERT_GE(body.size(), 2u);
        EXPECT_EQ(body[1], Spacer) << file;
    }
    // The report of no known kind shows nowhere.
    for (const auto& [name, bytes] : OutputFiles())
        EXPECT_EQ(bytes.find("9Z"), std::string::npos) << name;
    for (const auto& [name, bytes] : OutputFiles())
        EXPECT_EQ(bytes.find("Obcy"), std::string::npos) << name;
}

TEST_F(DocumentSetTest, KindsWithoutReportsStillGiveTheirDocuments) {
    Add("i.xml", "Inne informacje",
        ReportXml("Inne informacje", "<Info><IloscWierszy>0</IloscWierszy></Info>"));
    ASSERT_TRUE(GenerateAll());
    EXPECT_TRUE(Body("Prot_SprawozdanieDyr.htm").empty());
    EXPECT_EQ(JoinPlain(Body("Prot_KlasyfikacjaOceny.htm")),
              JoinPlain({Heading("KLASYFIKACJA UCZNIÓW")}));
    EXPECT_EQ(JoinPlain(Body("Lista_WzorowaFrekwencja.htm")),
              JoinPlain({Heading("UCZNIOWIE Z WZOROWĄ FREKWENCJĄ"), Open, "</p>"}));
    EXPECT_EQ(JoinPlain(Body("Lista_UczniowieWyroznieni.htm")),
              JoinPlain({Heading("UCZNIOWIE ZASŁUGUJĄCY NA WYRÓŻNIENIE"), Open, "</p>"}));
    EXPECT_EQ(JoinPlain(Body("Lista_Ndst.htm")),
              JoinPlain({Heading("UCZNIOWIE Z OCENAMI NIEDOSTATECZNYMI"), Open, "</p>"}));
}

TEST_F(DocumentSetTest, HeadTeacherDocumentHasNoTitleOfItsOwn) {
    Add("dyr.xml", "Sprawozdanie dyrektora",
        ReportXml("Sprawozdanie dyrektora", "<Belfer>Dyr</Belfer><Dydaktyczna><IloscWierszy>0"
                                            "</IloscWierszy></Dydaktyczna><Nadzor><IloscWierszy>0"
                                            "</IloscWierszy></Nadzor>"));
    ASSERT_TRUE(GenerateAll());
    EXPECT_EQ(JoinPlain(Body("Prot_SprawozdanieDyr.htm")),
              JoinPlain({Heading("SPRAWOZDANIE DYREKTORA SZKOŁY"), Open, Label("Dyrektor: ", "Dyr"),
                         Label("Sfery dydaktyczna, wychowawcza i opiekuncza:", ""), "</p>"}));
}

TEST_F(DocumentSetTest, BadFirstClassReportWritesNoneOfTheDocuments) {
    AddSchool();
    // An earlier set is in the folder; a failed set must leave it as it was.
    for (const auto& [option, name] : OptionFiles)
        testing::WriteBytes(output.Path() / name, "old " + std::string(name));
    testing::WriteReport(
        reports.File("k2b.xml"),
        ClassReport("2b", "<IleOsob>x</IleOsob>", "<IleOsob>0</IleOsob>", "<IleOsob>0</IleOsob>"));
    const auto before = OutputFiles();
    EXPECT_FALSE(GenerateProtocols(state, catalogue, output.Text()));
    EXPECT_EQ(OutputFiles(), before);

    testing::TempFolder fresh;
    EXPECT_FALSE(GenerateProtocols(state, catalogue, fresh.Text()));
    EXPECT_TRUE(fs::is_empty(fresh.Path()));
}

TEST_F(DocumentSetTest, FailureInALaterKindStopsAfterTheDocumentsBeforeIt) {
    AddSchool();
    testing::WriteReport(reports.File("p.xml"),
                         ReportXml("Realizacja programu z przedmiotu nauczania", "<Ogolne/>"));
    EXPECT_FALSE(GenerateProtocols(state, catalogue, output.Text()));
    const auto files = OutputFiles();
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(files.count("Prot_KlasyfikacjaOceny.htm"), 1u);
    EXPECT_EQ(files.count("Prot_KlasyfikacjaZachowanie.htm"), 1u);
}

TEST_F(DocumentSetTest, CountAboveTheLimitFailsTheSet) {
    Add("k.xml", "Klasyfikacja klasy",
        ClassReport("1a", "<IleOsob>999999</IleOsob>", "<IleOsob>0</IleOsob>",
                    "<IleOsob>0</IleOsob>"));
    const Result<> generated = GenerateProtocols(state, catalogue, output.Text());
    EXPECT_FALSE(generated);
    EXPECT_TRUE(fs::is_empty(output.Path()));
    EXPECT_EQ(generated.Cause().Fault, BadValue::OutOfRange);
    EXPECT_EQ(generated.Cause().File, catalogue.Slots[0].Path);
    EXPECT_EQ(generated.Cause().Element, "Szkola/Frekwencja/IleOsob");
    EXPECT_EQ(generated.Cause().Value, "999999");
}

TEST_F(DocumentSetTest, MissingOutputFolderFailsBothSteps) {
    AddSchool();
    const std::string missing = output.File("Protokoly");
    const Result<> protocols = GenerateProtocols(state, catalogue, missing);
    EXPECT_FALSE(protocols);
    EXPECT_EQ(protocols.Cause().Kind, FailureKind::UnwritableDocument);
    EXPECT_EQ(protocols.Cause().File, missing + PathSeparator + "Prot_KlasyfikacjaOceny.htm");
    const Result<> lists = GenerateLists(state, missing);
    EXPECT_FALSE(lists);
    EXPECT_EQ(lists.Cause().File, missing + PathSeparator + "Lista_UczniowieWyroznieni.htm");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(DocumentSetTest, UnwritableDocumentIsBlamedOnTheFolderWithTheSystemsReason) {
    const std::string first = output.File("Prot_KlasyfikacjaOceny.htm");
    fs::create_directory(first);
    const Result<> generated = GenerateProtocols(state, catalogue, output.Text());
    EXPECT_FALSE(generated);
    EXPECT_EQ(generated.Cause().File, first);
    EXPECT_NE(generated.Cause().SystemError, 0);
    EXPECT_EQ(Utf16ToUtf8(FailureCauseMessage(generated.Cause())),
              "Nie można zapisać dokumentu: " + first + "\rW miejscu dokumentu jest folder.");
}

TEST_F(DocumentSetTest, PreviewBetweenTwoSetsChangesNoList) {
    AddSchool();
    ASSERT_TRUE(GenerateAll());
    const auto first = OutputFiles();
    const GenerationState afterFirst = state;

    testing::TempFolder temp;
    testing::VectorKindList list({catalogue.Slots[1].Title, catalogue.Slots[2].Title});
    ASSERT_TRUE(WritePreviewFile(state, catalogue, list, 0, temp.Text() + "/"));
    ASSERT_TRUE(WritePreviewFile(state, catalogue, list, 1, temp.Text() + "/"));
    // The preview ran the class blocks, which fed the lists.
    EXPECT_GT(state.AttendanceList.Lines.size(), afterFirst.AttendanceList.Lines.size());
    EXPECT_GT(state.ExemplaryList.Lines.size(), afterFirst.ExemplaryList.Lines.size());

    ASSERT_TRUE(GenerateAll());
    EXPECT_EQ(OutputFiles(), first);
    EXPECT_EQ(state.AttendanceList.Lines, afterFirst.AttendanceList.Lines);
    EXPECT_EQ(state.DistinguishedList.Lines, afterFirst.DistinguishedList.Lines);
    EXPECT_EQ(state.FailingList.Lines, afterFirst.FailingList.Lines);
    EXPECT_EQ(state.ExemplaryList.Lines, afterFirst.ExemplaryList.Lines);
    EXPECT_EQ(state.LoweredBehaviourList.Lines, afterFirst.LoweredBehaviourList.Lines);
}

// A tutor's report of lineCount lines, the kind of report a list may name
// thousands of times.
std::string LongTutorReport(int lineCount) {
    std::string lines;
    for (int j = 0; j < lineCount; ++j)
        lines += "<w" + std::to_string(j) + ">Wiersz " + std::to_string(j) +
                 " sprawozdania wychowawcy klasy.</w" + std::to_string(j) + ">";
    return ReportXml("Realizacja programu wychowawczego",
                     "<Klasa>1a</Klasa><Ogolne><IloscWierszy>" + std::to_string(lineCount) +
                         "</IloscWierszy>" + lines +
                         "</Ogolne><Sukcesy><IloscWierszy>0</IloscWierszy></Sukcesy>"
                         "<Wnioski><IloscWierszy>0</IloscWierszy></Wnioski>");
}

// The tutors' document of the catalogue built whole in memory, as a
// reference for the streamed one.
std::string UnstreamedTutorDocument(const ReportCatalogue& catalogue) {
    GenerationState scratch;
    HtmlBuffer whole;
    BeginPage(whole);
    AddHeading(whole, DocumentTable()[3].Title);
    for (int i = 0; i < catalogue.Count; ++i)
        WriteSection(ReportKind::Tutor, SectionMode::ForSet, catalogue, i, whole, scratch);
    EndPage(whole);
    return BufferBytes(whole);
}

TEST_F(DocumentSetTest, ALargeDocumentIsStreamedInBlocksWithTheSameBytes) {
    Add("w.xml", "Realizacja programu wychowawczego", LongTutorReport(200));
    for (int i = 1; i < 600; ++i)
        catalogue.Slots.push_back(catalogue.Slots[0]);
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
    ASSERT_EQ(DocumentTable()[3].Kind, "Realizacja programu wychowawczego");
    const std::string expected = UnstreamedTutorDocument(catalogue);
    ASSERT_GT(expected.size(), 40 * DocumentStream::BlockBytes);

    // Section by section, the buffer never holds much more than a block.
    const std::string path = Out("strumien.htm");
    HtmlBuffer buffer;
    BeginPage(buffer);
    std::size_t mostHeld = 0;
    {
        DocumentStream stream(buffer, path);
        AddHeading(buffer, DocumentTable()[3].Title);
        for (int i = 0; i < catalogue.Count; ++i) {
            WriteSection(ReportKind::Tutor, SectionMode::ForSet, catalogue, i, buffer, state);
            mostHeld = std::max(mostHeld, BufferBytes(buffer).size());
            ASSERT_FALSE(fs::exists(path)) << "the document appears only when complete";
        }
        EndPage(buffer);
        stream.Save();
    }
    EXPECT_LT(mostHeld, DocumentStream::BlockBytes + 16 * 1024);
    EXPECT_EQ(buffer.Stream, nullptr);
    EXPECT_TRUE(testing::SameBytes(expected, testing::ReadBytes(path)));

    // The set streams its documents too: the protocol buffer's room shows the
    // most it ever held, a small part of the document.
    fs::remove(path);
    ASSERT_TRUE(GenerateAll());
    const std::string written = testing::ReadBytes(Out("Prot_RealizacjaProgramowWych.htm"));
    EXPECT_TRUE(testing::SameBytes(expected, written));
    EXPECT_LT(state.ProtocolBuffer.Bytes.capacity(), written.size() / 20);
}

TEST_F(DocumentSetTest, AFailureAfterStreamedBlocksLeavesTheOldDocumentAndNoTemporaryFile) {
    Add("w.xml", "Realizacja programu wychowawczego", LongTutorReport(200));
    for (int i = 1; i < 100; ++i)
        catalogue.Slots.push_back(catalogue.Slots[0]);
    Add("zly.xml", "Realizacja programu wychowawczego",
        ReportXml("Realizacja programu wychowawczego", "<Ogolne/>"));
    const std::string document = Out("Prot_RealizacjaProgramowWych.htm");
    testing::WriteBytes(document, "poprzedni zestaw");
    const Result<> generated = GenerateProtocols(state, catalogue, output.Text());
    EXPECT_FALSE(generated);
    EXPECT_EQ(generated.Cause().Fault, BadValue::Missing);
    EXPECT_EQ(generated.Cause().File, catalogue.Slots.back().Path);
    // The three documents before it are written; the tutors' is not, and the
    // blocks streamed for it went nowhere.
    auto after = OutputFiles();
    EXPECT_EQ(after.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after.count(DocumentTable()[static_cast<std::size_t>(i)].FileName), 1u) << i;
    EXPECT_EQ(after[document.substr(document.rfind(PathSeparator) + 1)], "poprzedni zestaw");
}

TEST(ClearAccumulators, EmptiesTheListsAndTheListBufferOnly) {
    GenerationState state;
    for (auto list : {&GenerationState::AttendanceList, &GenerationState::DistinguishedList,
                      &GenerationState::FailingList, &GenerationState::ExemplaryList,
                      &GenerationState::LoweredBehaviourList})
        (state.*list).Lines = {Sep, "1a", "Jan"};
    state.ListBuffer.Bytes = "list\r\n";
    state.ProtocolBuffer.Bytes = "protocol\r\n";
    state.PreviewBuffer.Bytes = "preview\r\n";
    ClearAccumulators(state);
    EXPECT_TRUE(state.AttendanceList.Lines.empty());
    EXPECT_TRUE(state.DistinguishedList.Lines.empty());
    EXPECT_TRUE(state.FailingList.Lines.empty());
    EXPECT_TRUE(state.ExemplaryList.Lines.empty());
    EXPECT_TRUE(state.LoweredBehaviourList.Lines.empty());
    EXPECT_TRUE(state.ListBuffer.Bytes.empty());
    EXPECT_EQ(state.ProtocolBuffer.Bytes, "protocol\r\n");
    EXPECT_EQ(state.PreviewBuffer.Bytes, "preview\r\n");
}

// The preview file of one report of the list editor's list.
class PreviewTest : public DocumentSetTest {
protected:
    // The preview at position, keeping the message a window shows for a failure.
    bool Preview(const testing::VectorKindList& list, int position,
                 const std::string& folder = {}) {
        const Result<> written = WritePreviewFile(state, catalogue, list, position,
                                                  folder.empty() ? temp.Text() + "/" : folder);
        if (!written)
            shown.push_back(MessageWithCause(PreviewFailureMessage(), written.Cause()));
        return static_cast<bool>(written);
    }
    std::string TempFile() const { return temp.File("Temp.htm"); }

    testing::TempFolder temp;
    std::vector<std::u16string> shown;
    const std::u16string previewMessage =
        u"Wystąpił problem z wygenerowaniem podglądu.\rPrawdopodobnie plik sprawozdania jest "
        u"uszkodzony lub został usunięty.";
};

TEST_F(PreviewTest, WritesTheFramedPreviewSectionToTempHtm) {
    Add("przedmiot.xml", "Realizacja programu z przedmiotu nauczania",
        testing::ReadBytes(testing::DataPath("sections/przedmiot.xml")));
    testing::VectorKindList list({catalogue.Slots[0].Title});
    ASSERT_TRUE(Preview(list, 0));
    EXPECT_TRUE(shown.empty());
    HtmlBuffer expected;
    BeginPage(expected);
    for (const auto& line :
         testing::ReadExpectedLines(testing::DataPath("sections/przedmiot.preview.txt")))
        AppendLine(expected, Utf8ToCp1250(line));
    EndPage(expected);
    EXPECT_EQ(testing::ReadBytes(TempFile()), BufferBytes(expected));
    EXPECT_EQ(state.PreviewBuffer.Bytes, expected.Bytes);
}

TEST_F(PreviewTest, EqualTitlesShowTheFirstEntry) {
    Add("a.xml", "Z karty",
        ReportXml("Z karty",
                  "<Belfer>Pierwsza</Belfer><Info><IloscWierszy>0</IloscWierszy></Info>"));
    Add("b.xml", "Z karty",
        ReportXml("Z karty", "<Belfer>Druga</Belfer><Info><IloscWierszy>0</IloscWierszy></Info>"));
    catalogue.Slots[1].Title = catalogue.Slots[0].Title;
    testing::VectorKindList list({catalogue.Slots[0].Title, catalogue.Slots[1].Title});
    ASSERT_TRUE(Preview(list, 1));
    const std::string page = testing::ReadBytes(TempFile());
    EXPECT_NE(page.find("Pierwsza"), std::string::npos);
    EXPECT_EQ(page.find("Druga"), std::string::npos);
}

TEST_F(PreviewTest, UnknownKindIsPreviewedAsOtherInformation) {
    Add("a.xml", "Inne", ReportXml("Inne", "<Info><IloscWierszy>0</IloscWierszy></Info>"));
    testing::VectorKindList list({catalogue.Slots[0].Title});
    ASSERT_TRUE(Preview(list, 0));
    EXPECT_NE(testing::ReadBytes(TempFile()).find(Heading("INNE INFORMACJE")), std::string::npos);
}

TEST_F(PreviewTest, FailuresShowTheMessageOnceAndKeepTheLastPreview) {
    Add("a.xml", "Z karty", ReportXml("Z karty", "<Info><IloscWierszy>0</IloscWierszy></Info>"));
    Add("gone.xml", "Z karty", ReportXml("Z karty", "<Info><IloscWierszy>0</IloscWierszy></Info>"));
    Add("bad.xml", "Z karty",
        ReportXml("Z karty", "<Info><IloscWierszy>jeden</IloscWierszy></Info>"));
    fs::remove(catalogue.Slots[1].Path);
    testing::VectorKindList list({catalogue.Slots[0].Title, catalogue.Slots[1].Title,
                                  catalogue.Slots[2].Title, "no such title"});
    ASSERT_TRUE(Preview(list, 0));
    const std::string good = testing::ReadBytes(TempFile());

    // A report's failure names the file and the reason after the message;
    // a line that stands for no report has nothing more to say.
    const std::vector<std::pair<int, std::u16string>> cases = {
        {1, u"\rPlik: " + Cp1250ToUtf16(catalogue.Slots[1].Path) + u"\r"},
        {2, u"\rPlik: " + Cp1250ToUtf16(catalogue.Slots[2].Path) +
                u"\rSzkola/Info/IloscWierszy: „jeden” nie jest liczbą całkowitą."},
        {3, u""},
        {-1, u""},
        {4, u""}};
    for (const auto& [position, cause] : cases) {
        SCOPED_TRACE(position);
        shown.clear();
        EXPECT_FALSE(Preview(list, position));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rfind(previewMessage + cause, 0), 0u);
        if (cause.empty()) {
            EXPECT_EQ(shown[0], previewMessage);
        }
        EXPECT_EQ(testing::ReadBytes(TempFile()), good);
    }
}

TEST_F(PreviewTest, UnwritableTempFolderFailsWithTheMessage) {
    Add("a.xml", "Z karty", ReportXml("Z karty", "<Info><IloscWierszy>0</IloscWierszy></Info>"));
    testing::VectorKindList list({catalogue.Slots[0].Title});
    EXPECT_FALSE(Preview(list, 0, temp.File("brak") + "/"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind(previewMessage + u"\r", 0), 0u);
    EXPECT_NE(shown[0].find(Cp1250ToUtf16(temp.File("brak"))), std::u16string::npos);
}

TEST(DocumentTable, MapsEveryViewerOptionAndNothingElse) {
    for (const auto& [option, name] : OptionFiles)
        EXPECT_EQ(DocumentFileForOption(option), name) << option;
    EXPECT_EQ(DocumentFileForOption(-1), "");
    EXPECT_EQ(DocumentFileForOption(14), "");
    EXPECT_EQ(DocumentPath("/tmp/a", "b.htm"), std::string("/tmp/a") + PathSeparator + "b.htm");
}

TEST(SetContents, CountsEachKnownKindAndListsTheDocumentsInChooserOrder) {
    ReportCatalogue catalogue;
    for (const char* kind : {"Klasyfikacja klasy", "Z karty", "Klasyfikacja klasy", "Nieznany"})
        catalogue.Slots.push_back({"tytul", "/r.xml", kind});
    catalogue.Count = 4;
    const SetContents contents = DescribeSet(catalogue, "/szkola/Protokoly");

    EXPECT_EQ(contents.Folder, "/szkola/Protokoly");
    ASSERT_EQ(contents.Counts.size(), 9u);
    std::map<std::string, int> counts;
    int total = 0;
    for (const KindCount& kind : contents.Counts) {
        counts[kind.Kind] = kind.Count;
        total += kind.Count;
    }
    EXPECT_EQ(counts.size(), 9u) << "every kind once";
    EXPECT_EQ(counts["Klasyfikacja klasy"], 2);
    EXPECT_EQ(counts["Z karty"], 1);
    EXPECT_EQ(total, 3) << "a report of no known kind is in no document";

    // The set's figures first, then the fourteen documents in chooser order.
    ASSERT_EQ(contents.Documents.size(), 15u);
    EXPECT_EQ(contents.Documents[0].Path,
              std::string("/szkola/Protokoly") + PathSeparator + "Zestawienie.htm");
    EXPECT_EQ(Cp1250ToUtf8(contents.Documents[0].Title), "Zestawienie wyników klasyfikacji");
    for (const auto& [option, name] : OptionFiles) {
        EXPECT_EQ(contents.Documents[static_cast<std::size_t>(option) + 1].Path,
                  std::string("/szkola/Protokoly") + PathSeparator + name);
    }
    EXPECT_EQ(Cp1250ToUtf8(contents.Documents[1].Title), "Uczniowie z oceną wzorową z zachowania");
    EXPECT_EQ(Cp1250ToUtf8(contents.Documents[14].Title), "Sprawozdanie dyrektora szkoły");
    EXPECT_EQ(DocumentTitleForOption(14), "");
}

TEST(GenerationMessages, AreTheTwoLineTextsOfTheirSteps) {
    const std::u16string hint =
        u"Prawdopodobnie pliki sprawozdań (jeden lub więcej) są "
        u"uszkodzone. Skontroluj je poleceniem „Sprawdź zestaw” w oknie listy "
        u"sprawozdań.";
    EXPECT_EQ(ProtocolsFailureMessage(),
              u"Wystąpiły problemy przy generowaniu plików protokołu.\r" + hint);
    EXPECT_EQ(ListsFailureMessage(), u"Wystąpiły problemy przy generowaniu plików list.\r" + hint);
}

TEST(GenerationMessages, CauseNamesTheFileTheElementAndTheFault) {
    const struct {
        FailureCause Cause;
        std::u16string Text;
    } rows[] = {
        {{FailureKind::BadValue, "/s/a.xml", "Szkola/Info/IloscWierszy", "", 0, BadValue::Missing},
         u"Plik: /s/a.xml\rSzkola/Info/IloscWierszy: brak liczby."},
        {{FailureKind::BadValue, "/s/a.xml", "Szkola/Pasek/Uczen1/Srednia", "4,75", 0,
          BadValue::NotWholeNumber},
         u"Plik: /s/a.xml\rSzkola/Pasek/Uczen1/Srednia: „4,75” nie jest liczbą całkowitą."},
        {{FailureKind::BadValue, "/s/a.xml", "Szkola/Ndst/IleOsob", "10001", 0,
          BadValue::OutOfRange},
         u"Plik: /s/a.xml\rSzkola/Ndst/IleOsob: liczba „10001” jest poza zakresem (najwyżej "
         u"10000)."},
        {{FailureKind::BadValue, "/s/a.xml", "Szkola/Uwagi/IloscWierszy", "9000", 0,
          BadValue::TooManyLines},
         u"Plik: /s/a.xml\rSzkola/Uwagi/IloscWierszy: liczby w sprawozdaniu dają razem ponad "
         u"100000 wierszy (przekracza je liczba „9000”)."},
        {{FailureKind::UnreadableFile, "/s/ł.xml", "", ""},
         u"Plik: /s/ł.xml\rNie można odczytać pliku."},
        {{FailureKind::UnwritableDocument, "/p/Lista_Ndst.htm", "", ""},
         u"Nie można zapisać dokumentu: /p/Lista_Ndst.htm"},
        {{}, u""},
    };
    for (const auto& row : rows) {
        FailureCause cause = row.Cause;
        cause.File = Utf8ToCp1250(cause.File);
        EXPECT_EQ(FailureCauseMessage(cause), row.Text) << Utf16ToUtf8(row.Text);
        // Only a cause found in a report names a file the editor can mend.
        const bool inReport = row.Text.rfind(u"Plik: ", 0) == 0;
        EXPECT_EQ(ReportFileOf(cause), inReport ? cause.File : std::string());
    }
    // The system's reason, whatever its code, is the second line.
    const FailureCause refused{FailureKind::UnwritableDocument, "/p/a.htm", "", "", 5};
    EXPECT_EQ(FailureCauseMessage(refused),
              u"Nie można zapisać dokumentu: /p/a.htm\r" + Utf8ToUtf16(SystemReasonText(5)));
}

} // namespace
} // namespace notarion
