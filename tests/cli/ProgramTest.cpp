// The whole road through the built notarion-cli, run as a user runs it.

#include "ProgramRun.h"
#include "app/StartOfWork.h"
#include "cli/CheckJson.h"
#include "generate/DocumentSet.h"
#include "generate/OutputFolderLock.h"
#include "generate/SetSummary.h"
#include "reports/ReportCatalogue.h"
#include "support/ReportXml.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

using testing::CopySchool;
using testing::Lines;
using testing::ReadBytes;
using testing::RunProgram;
using testing::TempFolder;
using testing::WriteReport;
namespace fs = std::filesystem;

// The paths of the fourteen documents in a folder, in the order written,
// and the page of the figures last.
std::vector<std::string> DocumentPaths(const std::string& folder) {
    std::vector<std::string> paths;
    for (const DocumentInfo& document : DocumentTable())
        paths.push_back(folder + PathSeparator + Cp1250ToUtf8(document.FileName));
    paths.push_back(folder + PathSeparator + std::string(SummaryFileName));
    return paths;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CliProgram, GenerateFromAFolderWritesTheFourteenDocumentsIntoProtokoly) {
    TempFolder school;
    CopySchool(school.Text());
    const auto run = RunProgram({"generate", school.File(""), "--decimal-separator", ","});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_TRUE(run.Err.empty()) << run.Err;
    const std::vector<std::string> expected = DocumentPaths(school.File("Protokoly"));
    EXPECT_EQ(Lines(run.Out), expected);
    for (const std::string& path : expected)
        EXPECT_TRUE(Contains(ReadBytes(path), "</html>\r\n")) << path;
    // The documents are cp1250, with the students gathered across reports.
    const std::string distinguished = ReadBytes(expected[9]);
    EXPECT_TRUE(Contains(distinguished, Utf8ToCp1250("Ewa Żurawska - 4,75")));
    EXPECT_TRUE(Contains(ReadBytes(expected[13]), "Tomasz Nowak - matematyka, fizyka"));
}

TEST(CliProgram, GenerateFromTheListFileGivesByteIdenticalDocuments) {
    TempFolder school;
    CopySchool(school.Text());
    TempFolder lists;
    const auto save = RunProgram({"list", "save", school.Text(), lists.File("zestaw")});
    ASSERT_EQ(save.Code, 0) << save.Err;
    EXPECT_EQ(save.Out, lists.File("zestaw.xmp") + "\n");
    ASSERT_EQ(RunProgram({"generate", school.Text(), "--decimal-separator", "."}).Code, 0);
    const auto fromList =
        RunProgram({"generate", "zestaw.xmp", "--decimal-separator", "."}, lists.Text());
    ASSERT_EQ(fromList.Code, 0) << fromList.Err;
    // A list file named from its own folder puts the documents beside it.
    EXPECT_EQ(Lines(fromList.Out), DocumentPaths(testing::WithNativeSeparators("./Protokoly")));
    const auto folderDocuments = DocumentPaths(school.File("Protokoly"));
    const auto listDocuments = DocumentPaths(lists.File("Protokoly"));
    for (std::size_t i = 0; i < folderDocuments.size(); ++i)
        EXPECT_EQ(ReadBytes(folderDocuments[i]), ReadBytes(listDocuments[i])) << listDocuments[i];
    EXPECT_TRUE(Contains(ReadBytes(listDocuments[9]), "4.75"));
}

TEST(CliProgram, AListMovedWithItsSchoolStillMakesTheSetAndNamesWhatIsGone) {
    TempFolder place;
    const std::string before = place.File("stara/szkola");
    fs::create_directories(before);
    CopySchool(before);
    ASSERT_EQ(RunProgram({"list", "save", before, place.File("stara/szkola/lista.xmp")}).Code, 0);
    const std::string listBytes = ReadBytes(place.File("stara/szkola/lista.xmp"));
    const std::string after = place.File("pendrive/szkola");
    const std::string list = place.File("pendrive/szkola/lista.xmp");
    fs::create_directories(place.File("pendrive"));
    fs::rename(before, after);
    const auto moved = RunProgram({"generate", list});
    ASSERT_EQ(moved.Code, 0) << moved.Err;
    EXPECT_TRUE(moved.Err.empty()) << moved.Err;
    EXPECT_EQ(Lines(moved.Out), DocumentPaths(place.File("pendrive/szkola/Protokoly")));
    EXPECT_EQ(ReadBytes(list), listBytes) << "the list keeps its full paths";

    // One report lost on the way is named; the others still make the set.
    fs::remove(place.File("pendrive/szkola/klasa_1a.xml"));
    const auto lost = RunProgram({"generate", list});
    EXPECT_EQ(lost.Code, 0) << lost.Err;
    EXPECT_TRUE(Contains(lost.Err, "Uwaga: Nie znaleziono plików: " +
                                       place.File("stara/szkola/klasa_1a.xml")))
        << lost.Err;
    // With every report gone there is no set to make.
    for (const auto& entry : fs::directory_iterator(after))
        if (entry.path().extension() == ".xml")
            fs::remove(entry.path());
    const auto none = RunProgram({"generate", list});
    EXPECT_EQ(none.Code, 1);
    EXPECT_TRUE(Contains(none.Err, "Nie znaleziono plików: ")) << none.Err;
}

TEST(CliProgram, ListShowPrintsEveryPositionInUtf8) {
    TempFolder school;
    CopySchool(school.Text());
    WriteReport(school.File("zle.xml"), "<Szkola><Doc>Nieznany</Doc></Szkola>");
    const std::string list = school.File("lista.xmp");
    const auto save = RunProgram({"list", "save", school.Text(), list});
    ASSERT_EQ(save.Code, 0);
    // The report no document holds is named, not dropped in silence.
    EXPECT_TRUE(Contains(save.Err, "pominięto plik " + school.File("zle.xml"))) << save.Err;
    const auto show = RunProgram({"list", "show", list});
    ASSERT_EQ(show.Code, 0) << show.Err;
    const auto lines = Lines(show.Out);
    // Nine reports in kind order, then the slot the unknown kind left empty.
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Klasyfikacja klasy z zachowania - 1a - Anna Wiśniewska\t" +
                            school.File("zachowanie_1a.xml") + "\tKlasyfikacja klasy z zachowania");
    EXPECT_EQ(lines[8], "Sprawozdanie dyrektora - Halina Źródłowska\t" +
                            school.File("dyrektor.xml") + "\tSprawozdanie dyrektora");
    EXPECT_EQ(lines[9], "\t\t");
}

TEST(CliProgram, PreviewIsThePageTheListEditorShows) {
    TempFolder school;
    CopySchool(school.Text());
    const std::string report = school.File("klasa_1a.xml");
    const auto toOutput = RunProgram({"preview", report, "--decimal-separator", ","});
    ASSERT_EQ(toOutput.Code, 0) << toOutput.Err;
    TempFolder pages;
    const auto toFile = RunProgram(
        {"preview", report, "--out", pages.File("podglad.htm"), "--decimal-separator=,"});
    ASSERT_EQ(toFile.Code, 0) << toFile.Err;
    EXPECT_TRUE(toFile.Out.empty());
    EXPECT_EQ(ReadBytes(pages.File("podglad.htm")), toOutput.Out);

    // The core's own preview file of the same report, as the window saves it.
    ReportCatalogue catalogue;
    AppendToCatalogue(catalogue, {report});
    struct OneLine : KindList {
        std::string Title;
        void ClearItems() override {}
        void AddItem(const std::string&) override {}
        int ItemCount() const override { return 1; }
        std::string ItemText(int) const override { return Title; }
        void SelectFirstItem() override {}
    } list;
    list.Title = catalogue.Slots[0].Title;
    GenerationState state;
    state.DecimalSeparator = ",";
    ASSERT_TRUE(WritePreviewFile(state, catalogue, list, 0, pages.Text() + "/"));
    EXPECT_EQ(ReadBytes(pages.File("Temp.htm")), toOutput.Out);
    EXPECT_TRUE(Contains(toOutput.Out, "KLASYFIKACJA KLASY - 1A"));
}

TEST(CliProgram, FailuresShowTheSystemsMessageAndExitWithOne) {
    TempFolder folder;
    WriteReport(folder.File("zepsuty/klasa.xml"),
                "<Szkola><Doc>Klasyfikacja klasy</Doc><Frekwencja><IleOsob>dużo</IleOsob>"
                "</Frekwencja></Szkola>");
    WriteReport(folder.File("podglad/inny.xml"), "<Szkola><Doc>Notatka</Doc></Szkola>");
    WriteReport(folder.File("listy/zla.xmp"), "<Naglowki><IlePozycji>x</IlePozycji></Naglowki>");
    WriteReport(folder.PathOf("nazwa/karta_Ив.xml"), "<Szkola><Doc>Z karty</Doc></Szkola>");
    fs::create_directories(folder.File("pusty"));
    fs::create_directories(folder.File("tylko-do-odczytu.xmp"));
    struct Case {
        std::vector<std::string> Words;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {{"generate", folder.File("pusty")},
         "Brak plików z danymi we wskazanym folderze.\nProgram nie ma co przetwarzać.\n"},
        {{"generate", folder.File("zepsuty")},
         "Wystąpiły problemy przy generowaniu plików protokołu.\nPrawdopodobnie pliki "
         "sprawozdań (jeden lub więcej) są uszkodzone. Skontroluj je poleceniem „Sprawdź "
         "zestaw” w oknie listy sprawozdań.\n"},
        {{"generate", folder.File("listy/zla.xmp")},
         "Wystąpiły problemy z wczytaniem pliku listy.\nPrawdopodobnie plik jest uszkodzony.\n"
         "Plik: " +
             folder.File("listy/zla.xmp") +
             "\nNaglowki/IlePozycji: „x” nie jest liczbą całkowitą.\n"},
        {{"list", "show", folder.File("listy/brak.xmp")},
         "Wystąpiły problemy z wczytaniem pliku listy.\nPrawdopodobnie plik jest uszkodzony.\n"
         "Plik: " +
             folder.File("listy/brak.xmp") + "\nNie można odczytać pliku.\n"},
        // The second line is the system's reason, which differs by system.
        {{"list", "save", folder.File("zepsuty"), folder.File("tylko-do-odczytu.xmp")},
         "Wystąpiły problemy z zapisem pliku.\n"},
        {{"preview", folder.File("zepsuty/klasa.xml")},
         "Wystąpił problem z wygenerowaniem podglądu.\nPrawdopodobnie plik sprawozdania jest "
         "uszkodzony lub został usunięty.\n"},
        {{"preview", folder.File("podglad/inny.xml")}, "żadnego ze znanych rodzajów"},
        {{"preview", folder.File("podglad/brak.xml")}, "Nie ma takiego pliku"},
        {{"check", folder.File("pusty")}, "Brak plików z danymi we wskazanym folderze."},
        // The windows would leave such a report out in silence.
        {{"generate", folder.File("nazwa")}, "karta_Ив.xml zawiera znaki spoza strony kodowej"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Words[0] + " " + c.Words[1]);
        const auto run = RunProgram(c.Words);
        EXPECT_EQ(run.Code, 1);
        EXPECT_TRUE(Contains(run.Err, c.Message)) << run.Err;
        EXPECT_TRUE(run.Out.empty()) << run.Out;
    }
    // A set failed at its first document leaves no folder of its own making.
    EXPECT_FALSE(fs::exists(folder.File("zepsuty/Protokoly")));

    // A folder that cannot be made is named with the system's reason.
    const auto made = RunProgram(
        {"generate", folder.File("zepsuty"), "--out", folder.File("zepsuty/klasa.xml/Protokoly")});
    const std::string said =
        "Nie można utworzyć folderu: " + folder.File("zepsuty/klasa.xml") + "\n";
    EXPECT_EQ(made.Code, 1);
    ASSERT_TRUE(Contains(made.Err, said)) << made.Err;
    EXPECT_GT(made.Err.size(), made.Err.find(said) + said.size()) << "no reason follows";
}

TEST(CliProgram, UnwritableDocumentIsNamedWithTheReasonAndNoCheckIsSuggested) {
    TempFolder folder;
    CopySchool(folder.File("szkola"));
    const std::string blocked = folder.File("szkola/Protokoly/Prot_KlasyfikacjaOceny.htm");
    fs::create_directories(blocked);
    const auto run = RunProgram({"generate", folder.File("szkola")});
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(Lines(run.Err),
              (std::vector<std::string>{
                  "Wystąpiły problemy przy generowaniu plików protokołu.",
                  "Prawdopodobnie pliki sprawozdań (jeden lub więcej) są uszkodzone. Skontroluj je "
                  "poleceniem „Sprawdź zestaw” w oknie listy sprawozdań.",
                  "Nie można zapisać dokumentu: " + blocked, "W miejscu dokumentu jest folder."}));
}

TEST(CliProgram, SecondGenerationIntoABusyFolderFailsAndWritesNothing) {
    TempFolder folder;
    CopySchool(folder.File("szkola"));
    const std::string out = folder.File("szkola/Protokoly");
    fs::create_directories(out);
    const OutputFolderLock first(out);
    ASSERT_FALSE(first.Busy());
    const auto run = RunProgram({"generate", folder.File("szkola")});
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(run.Err, "Dokumenty w tym folderze tworzy właśnie inny proces.\n");
    EXPECT_FALSE(fs::exists(out + "/Prot_KlasyfikacjaOceny.htm"));
}

TEST(CliProgram, GenerateNamesTheReportFileAndTheElementThatStoppedIt) {
    TempFolder folder;
    WriteReport(folder.File("3a_klasyfikacja.xml"),
                "<Szkola><Doc>Klasyfikacja klasy</Doc><Frekwencja><IleOsob>0</IleOsob>"
                "</Frekwencja><Pasek><IleOsob>1</IleOsob><Uczen1>Ewa<Srednia>4,75</Srednia>"
                "</Uczen1></Pasek></Szkola>");
    WriteReport(folder.File("karta.xml"),
                "<Szkola><Doc>Z karty</Doc><Info><IloscWierszy></IloscWierszy></Info></Szkola>");
    const auto run = RunProgram({"generate", folder.Text()});
    EXPECT_EQ(run.Code, 1);
    const std::vector<std::string> lines = Lines(run.Err);
    ASSERT_GE(lines.size(), 5u) << run.Err;
    // The fixed message first, then the first cause in the order of the set.
    EXPECT_EQ(lines[0], "Wystąpiły problemy przy generowaniu plików protokołu.");
    EXPECT_EQ(lines[2], "Plik: " + folder.File("3a_klasyfikacja.xml"));
    EXPECT_EQ(lines[3], "Szkola/Pasek/Uczen1/Srednia: „4,75” nie jest liczbą całkowitą.");
    EXPECT_EQ(lines[4], "Szczegóły pokaże polecenie: notarion-cli check " + folder.Text());

    fs::remove(folder.File("3a_klasyfikacja.xml"));
    const auto missing = RunProgram({"generate", folder.Text()});
    EXPECT_TRUE(Contains(missing.Err, "Plik: " + folder.File("karta.xml") +
                                          "\nSzkola/Info/IloscWierszy: brak liczby.\n"))
        << missing.Err;
}

TEST(CliProgram, CheckFindsEveryProblemOfADamagedFolder) {
    TempFolder folder;
    WriteReport(folder.File("a_uszkodzony.xml"),
                "<Szkola><Doc>Z karty</Doc><Info><IloscWierszy>0</IloscWierszy></Info>"
                "<Belfer x=1>J</Belfer></Szkola>");
    WriteReport(folder.File("b_rodzaj.xml"), "<Szkola><Doc>z karty</Doc></Szkola>");
    WriteReport(folder.File("c_liczba.xml"),
                "<Szkola><Doc>Inne informacje</Doc><Info><IloscWierszy>1O</IloscWierszy></Info>"
                "</Szkola>");
    WriteReport(folder.File("d_klasa.xml"),
                "<Szkola><Doc>Klasyfikacja klasy</Doc><Klasa>1a</Klasa><Frekwencja><IleOsob>0"
                "</IleOsob></Frekwencja><Pasek><IleOsob>1</IleOsob><Uczen1>Ewa</Uczen1></Pasek>"
                "<Ndst><IleOsob>0</IleOsob></Ndst></Szkola>");
    WriteReport(folder.File("e_klasa.xml"),
                "<Szkola><Doc>Klasyfikacja klasy</Doc><Klasa>1a</Klasa><Frekwencja><IleOsob>0"
                "</IleOsob></Frekwencja><Pasek><IleOsob>0</IleOsob></Pasek><Ndst><IleOsob>20000"
                "</IleOsob></Ndst></Szkola>");
    const auto text = RunProgram({"check", folder.Text()});
    EXPECT_EQ(text.Code, 1);
    const auto lines = Lines(text.Out);
    ASSERT_EQ(lines.size(), 9u) << text.Out;
    EXPECT_EQ(lines[0].rfind(folder.File("a_uszkodzony.xml") + ": ostrzeżenie: uszkodzony", 0), 0u);
    EXPECT_TRUE(Contains(lines[1], "Czy chodziło o „Z karty”?"));
    EXPECT_TRUE(Contains(lines[2], "błąd: Szkola/Info/IloscWierszy zawiera „1O”"));
    EXPECT_TRUE(Contains(lines[3], "„Ewa” nie ma liczbowej średniej"));
    EXPECT_TRUE(Contains(lines[4], "„20000” w Szkola/Ndst/IleOsob jest poza zakresem"));
    EXPECT_TRUE(Contains(lines[5], "(pierwsze: " + folder.File("d_klasa.xml") + ")"));
    // Then what the set lacks as a whole: class 1a has only class reports.
    EXPECT_TRUE(Contains(lines[6], "d_klasa.xml: ostrzeżenie: klasa „1a” nie ma sprawozdania "
                                   "„Klasyfikacja klasy z zachowania”."));
    EXPECT_TRUE(Contains(lines[7], "„Realizacja programu wychowawczego”."));
    EXPECT_EQ(lines[8], "Sprawdzone sprawozdania: 5. Błędy: 3. Ostrzeżenia: 5.");

    const auto json = RunProgram({"check", "--json", folder.Text()});
    EXPECT_EQ(json.Code, 1);
    for (const char* code :
         {"\"damaged-xml\"", "\"unknown-kind\"", "\"count-not-whole-number\"",
          "\"average-not-numeric\"", "\"count-out-of-range\"", "\"duplicate-class\"",
          "\"unreadCharacters\": ", "\"suggestion\": \"Z karty\"", "\"errors\": 3",
          "\"problem\": \"missing-tutor-report\", \"class\": \"1a\"",
          "{\"class\": \"1a\", \"classReports\": 2, \"behaviourReports\": 0, \"tutorReports\": 0}"})
        EXPECT_TRUE(Contains(json.Out, code)) << code;
}

TEST(CliProgram, AReportSpeltLikeAnotherFileIsNamedNotReplacedByIt) {
    TempFolder folder;
    const std::string report =
        "<Szkola><Doc>Z karty</Doc><Info><IloscWierszy>0</IloscWierszy></Info></Szkola>";
    // In the code page "Ив.xml" is spelt "??.xml", the name of its neighbour
    // where a name may hold '?' (not on Windows, where another one stands).
    WriteReport(folder.File(PathSeparator == '/' ? "??.xml" : "karta.xml"), report);
    WriteReport(folder.PathOf("Ив.xml"), report);
    // The file whose name cannot be used is named as the file system holds
    // it, not by the spelling that names its neighbour; the rest makes the set.
    const auto generate = RunProgram({"generate", folder.Text()});
    EXPECT_EQ(generate.Code, 0) << generate.Err;
    EXPECT_TRUE(Contains(generate.Err, "Uwaga: Nazwa pliku " + folder.File("Ив.xml") +
                                           " zawiera znaki spoza strony kodowej"))
        << generate.Err;
    EXPECT_FALSE(Contains(generate.Err, "??")) << generate.Err;
    EXPECT_EQ(Lines(generate.Out), DocumentPaths(folder.File("Protokoly")));
    const auto check = RunProgram({"check", folder.Text()});
    EXPECT_EQ(check.Code, 1);
    EXPECT_TRUE(Contains(check.Out,
                         folder.File("Ив.xml") + ": ostrzeżenie: nazwa pliku zawiera znaki spoza"))
        << check.Out;
    const auto json = RunProgram({"check", "--json", folder.Text()});
    EXPECT_TRUE(Contains(json.Out, JsonString(folder.File("Ив.xml")))) << json.Out;
    EXPECT_FALSE(Contains(json.Out, "??")) << json.Out;
}

TEST(CliProgram, CheckOfASoundSchoolFindsOnlyItsUnjustifiedGrade) {
    TempFolder school;
    CopySchool(school.Text());
    const std::string list = school.File("lista.xmp");
    ASSERT_EQ(RunProgram({"list", "save", school.Text(), list}).Code, 0);
    for (const std::string& source : {school.Text(), list}) {
        // Its files are sound; its failing grade in physics has no justification.
        const auto text = RunProgram({"check", source});
        EXPECT_EQ(text.Code, 1) << text.Out;
        EXPECT_EQ(text.Out, school.File("klasa_1a.xml") +
                                ": ostrzeżenie: ocena niedostateczna ucznia „Tomasz Nowak” z "
                                "przedmiotu „fizyka” (klasa „1a”) nie ma uzasadnienia: żadne "
                                "sprawozdanie „Uzasadnienie oceny niedostatecznej” tej klasy i "
                                "tego przedmiotu nie wymienia ucznia.\n"
                                "Sprawdzone sprawozdania: 9. Błędy: 0. Ostrzeżenia: 1.\n");
        const auto json = RunProgram({"check", source, "--json"});
        EXPECT_EQ(json.Code, 1);
        EXPECT_TRUE(Contains(json.Out, "\"problem\": \"failing-grade-without-justification\", "
                                       "\"class\": \"1a\", \"student\": \"Tomasz Nowak\", "
                                       "\"subject\": \"fizyka\""))
            << json.Out;
    }
    // A report moved away after the list was saved is named by the check.
    fs::remove(school.File("karta_zajac.xml"));
    const auto moved = RunProgram({"check", list});
    EXPECT_EQ(moved.Code, 1);
    EXPECT_TRUE(Contains(moved.Out, school.File("karta_zajac.xml") + ": błąd: plik nie istnieje"));
}

TEST(CliProgram, OrderKlasyPutsANewClassAfterTheOnesBeforeIt) {
    TempFolder school;
    CopySchool(school.Text());
    // Found first by its name, class 5a would head its kind.
    std::string report = testing::ReadBytes(school.File("zachowanie_1a.xml"));
    report.replace(report.find("<Klasa>1a</Klasa>"), 17, "<Klasa>5a</Klasa>");
    testing::WriteBytes(school.File("00_zachowanie.xml"), report);
    const auto firstOfKind = [](const std::string& list) {
        const auto show = RunProgram({"list", "show", list});
        return show.Code == 0 ? Lines(show.Out).front().substr(0, 40) : show.Err;
    };
    ASSERT_EQ(RunProgram({"list", "save", school.Text(), school.File("jak.xmp")}).Code, 0);
    EXPECT_EQ(firstOfKind(school.File("jak.xmp")), "Klasyfikacja klasy z zachowania - 5a - A");
    const auto ordered =
        RunProgram({"list", "save", school.Text(), school.File("klasy.xmp"), "--order", "klasy"});
    ASSERT_EQ(ordered.Code, 0) << ordered.Err;
    EXPECT_EQ(firstOfKind(school.File("klasy.xmp")), "Klasyfikacja klasy z zachowania - 1a - A");

    ASSERT_EQ(RunProgram({"generate", school.Text(), "--order=klasy"}).Code, 0);
    const std::string behaviour = ReadBytes(DocumentPaths(school.File("Protokoly"))[1]);
    EXPECT_LT(behaviour.find("<b>1A</b>"), behaviour.find("<b>5A</b>"));
    EXPECT_NE(behaviour.find("<b>5A</b>"), std::string::npos);

    const auto wrong = RunProgram({"generate", school.Text(), "--order", "nazwy"});
    EXPECT_EQ(wrong.Code, 2);
    EXPECT_TRUE(Contains(wrong.Err, "--order przyjmuje tylko wartość „klasy”")) << wrong.Err;
}

TEST(CliProgram, UsageErrorsExitWithTwo) {
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{}, {"zrob"}, {"check"}, {"list", "save", "x"}}) {
        const auto run = RunProgram(words);
        EXPECT_EQ(run.Code, 2);
        EXPECT_TRUE(Contains(run.Err, "Pomoc: notarion-cli")) << run.Err;
    }
    const auto help = RunProgram({"--help"});
    EXPECT_EQ(help.Code, 0);
    EXPECT_TRUE(Contains(help.Out, "notarion-cli generate ŹRÓDŁO"));
}

TEST(CliProgram, TheSchoolWithGapsShowsEachGapOnceAndNothingElse) {
    const fs::path braki = fs::path(NOTARION_EXAMPLES) / "braki";
    for (const std::string& source : {braki.string(), (braki / "braki.xmp").string()}) {
        const auto json = RunProgram({"check", "--json", source});
        EXPECT_EQ(json.Code, 1) << json.Err;
        EXPECT_TRUE(Contains(json.Out, "\"errors\": 0,\n  \"warnings\": 4,")) << json.Out;
        for (const char* code :
             {"missing-tutor-report", "failing-grade-without-justification",
              "justification-without-failing-grade", "distinguished-below-threshold"}) {
            const std::string problem = "\"problem\": \"" + std::string(code) + "\"";
            const std::size_t at = json.Out.find(problem);
            EXPECT_NE(at, std::string::npos) << code;
            EXPECT_EQ(json.Out.find(problem, at + 1), std::string::npos) << code;
        }
        EXPECT_TRUE(Contains(json.Out, "\"classes\": [\n"
                                       "    {\"class\": \"1a\", \"classReports\": 1, "
                                       "\"behaviourReports\": 1, \"tutorReports\": 1},\n"))
            << json.Out;
        EXPECT_TRUE(Contains(json.Out, "{\"class\": \"2a\", \"classReports\": 1, "
                                       "\"behaviourReports\": 1, \"tutorReports\": 0}"));
    }
}

// The sample school's documents are proven byte for byte in the generator's
// tests; here its folder and its list (relative addresses) are sources the
// commands take, and the set lands where --out says with its paths printed.
TEST(CliProgram, SampleSchoolChecksCleanAndGeneratesFromItsListWhereAsked) {
    const fs::path examples = NOTARION_EXAMPLES;
    ASSERT_TRUE(fs::is_directory(examples / "szkola")) << examples;
    TempFolder copy;
    fs::copy(examples / "szkola", copy.Text(), fs::copy_options::recursive);
    fs::remove_all(copy.File("Protokoly"));
    const std::string list = copy.File("szkola.xmp");
    for (const std::string& source : {copy.Text(), list}) {
        const auto check = RunProgram({"check", source});
        EXPECT_EQ(check.Code, 0) << check.Out;
        EXPECT_EQ(Lines(check.Out).size(), 1u) << check.Out;
    }
    TempFolder other;
    const auto fromList = RunProgram({"generate", list, "--out", other.File("a/b")});
    ASSERT_EQ(fromList.Code, 0) << fromList.Err;
    const auto listDocuments = DocumentPaths(other.File("a/b"));
    EXPECT_EQ(Lines(fromList.Out), listDocuments);
    for (const std::string& path : listDocuments)
        EXPECT_TRUE(Contains(ReadBytes(path), "</html>\r\n")) << path;
}

TEST(CliProgram, DamagedSampleFilesAreEachNamedByTheCheck) {
    const fs::path damaged = fs::path(NOTARION_EXAMPLES) / "uszkodzone";
    ASSERT_TRUE(fs::is_directory(damaged)) << damaged;
    const auto check = RunProgram({"check", damaged.string()});
    EXPECT_EQ(check.Code, 1);
    for (const char* name : {"1a_klasyfikacja_liczba_slowami.xml", "1a_zachowanie_przerwany.xml",
                             "2a_klasyfikacja_male_litery.xml", "3a_klasyfikacja_bez_sredniej.xml"})
        EXPECT_TRUE(Contains(check.Out, (damaged / name).string() + ": ")) << name;
    EXPECT_FALSE(Contains(check.Out, "4a_")) << check.Out;
    const auto list = RunProgram({"check", (damaged / "lista_uszkodzona.xmp").string()});
    EXPECT_EQ(list.Code, 1);
    EXPECT_TRUE(Contains(list.Err, "Wystąpiły problemy z wczytaniem pliku listy."));
}

} // namespace
} // namespace notarion
