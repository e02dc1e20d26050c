// The report form: averages as typed, reading every kind (damaged ones
// included), the refusals before saving and the self round trip of every
// sample report.

#include "reports/ReportForm.h"
#include "reports/ReportFormFile.h"

#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace notarion {
namespace {

TEST(ReportForm, AveragesTypedWithCommaOrPointAreHundredths) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"4,75", 475}, {"4.75", 475}, {" 5 ", 500},        {"4,7", 470},       {"0,05", 5},
        {"-0,03", -3}, {"4,", {}},    {"4,755", {}},       {"4,7a", {}},       {"", {}},
        {"abc", {}},   {",5", {}},    {"21474836,48", {}}, {"9999999999", {}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseAverage(text), expected) << text;
    for (const int hundredths : {0, 5, 99, 475, 600, -3, 2147483647, -2147483647 - 1})
        EXPECT_EQ(ParseAverage(AverageText(hundredths)), hundredths) << hundredths;
    EXPECT_EQ(AverageText(475), "4,75");
}

TEST(ReportForm, KindsAreFoundByTextOrShortName) {
    for (const KindInfo& info : KindTable()) {
        EXPECT_EQ(KindOfName(info.Text), info.Kind);
        EXPECT_EQ(KindOfName(ShortName(info.Kind)), info.Kind);
    }
    EXPECT_FALSE(KindOfName("klasa"));
}

TEST(ReportForm, ProposedFileNamesFollowTheSampleSchool) {
    const std::vector<std::pair<ReportForm, std::string>> cases = [] {
        std::vector<std::pair<ReportForm, std::string>> made;
        const auto form = [&](ReportKind kind,
                              std::vector<std::pair<std::string, std::string>> texts,
                              std::string name) {
            ReportForm f = EmptyForm(kind);
            for (const auto& [element, text] : texts)
                FindPart(f, element)->Text = text;
            made.emplace_back(std::move(f), std::move(name));
        };
        form(ReportKind::Class, {{"Klasa", "4d"}}, "4d_klasyfikacja.xml");
        form(ReportKind::Behaviour, {{"Klasa", " 4d "}}, "4d_zachowanie.xml");
        form(ReportKind::Tutor, {}, "wychowawca.xml");
        form(ReportKind::FailJustification, {{"Klasa", "1a"}, {"Przedmiot", "Język angielski"}},
             "1a_ndst_jezyk_angielski.xml");
        form(ReportKind::Subject,
             {{"Przedmiot", "Wiedza o społeczeństwie"}, {"Belfer", "Jan Żrałek "}},
             "przedmiot_wiedza_o_spoleczenstwie_zralek.xml");
        form(ReportKind::Activity, {{"Zajecia", "Teatr i ruch!"}}, "zajecia_teatr_i_ruch.xml");
        form(ReportKind::CardHours, {{"Belfer", "Ewa Śliwińska"}}, "karta_sliwinska.xml");
        form(ReportKind::HeadTeacher, {{"Belfer", "Ala"}}, "sprawozdanie_dyrektora.xml");
        form(ReportKind::OtherInfo, {{"Dotyczy", "../Шев"}}, "inne.xml");
        return made;
    }();
    for (const auto& [form, name] : cases)
        EXPECT_EQ(ProposedFileName(form), name);
}

// Reads a report of the given fields; damaged counts and missing elements.
struct DamageCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Fields;
    FormIssue Issue;
    std::string Element;
    int Part;
    int Row;
};

TEST(ReportForm, ReadingNamesEachBadFieldWithItsPartAndRow) {
    const std::vector<DamageCase> cases = {
        {"count word",
         {{"Doc", "Klasyfikacja klasy"}, {"Frekwencja", "<IleOsob>trzy</IleOsob>"}},
         FormIssue::BadValue,
         "Szkola/Frekwencja/IleOsob",
         4,
         -1},
        {"missing count",
         {{"Doc", "Z karty"}},
         FormIssue::BadValue,
         "Szkola/Info/IloscWierszy",
         1,
         -1},
        {"average",
         {{"Doc", "Klasyfikacja klasy"},
          {"Pasek", "<IleOsob>1</IleOsob><Uczen1>Ala<Srednia>x</Srednia></Uczen1>"}},
         FormIssue::BadValue,
         "Szkola/Pasek/Uczen1/Srednia",
         5,
         0},
        {"fewer students",
         {{"Doc", "Klasyfikacja klasy z zachowania"},
          {"Wzorowi", "<IleOsob>2</IleOsob><Uczen1>Ala</Uczen1>"}},
         FormIssue::MissingElement,
         "Szkola/Wzorowi/Uczen2",
         3,
         1},
        {"fewer lines",
         {{"Doc", "Sprawozdanie dyrektora"},
          {"Dydaktyczna", "<IloscWierszy>1</IloscWierszy>"},
          {"Nadzor", "<IloscWierszy>0</IloscWierszy>"}},
         FormIssue::MissingElement,
         "Szkola/Dydaktyczna/w0",
         1,
         0},
        {"unknown kind",
         {{"Doc", "klasyfikacja klasy"}},
         FormIssue::UnknownKind,
         "Szkola/Doc",
         -1,
         -1},
    };
    for (const DamageCase& test : cases) {
        SCOPED_TRACE(test.Name);
        const FormRead read = ReadReportForm(testing::ReportXml(test.Fields));
        // Other blocks of the kind are missing too; the case is about one element.
        const auto found = std::find_if(
            read.Findings.begin(), read.Findings.end(),
            [&](const FormFinding& finding) { return finding.Value.Element == test.Element; });
        ASSERT_NE(found, read.Findings.end());
        const FormFinding& first = *found;
        EXPECT_EQ(first.Issue, test.Issue);
        EXPECT_EQ(first.Part, test.Part);
        EXPECT_EQ(first.Row, test.Row);
        EXPECT_EQ(read.Form.has_value(), test.Issue != FormIssue::UnknownKind);
    }
}

// A count that cannot be trusted never costs the rows found below it.
struct UntrustedCountCase {
    const char* Name;
    testing::ReportFields Fields;
    const char* Element;
    std::vector<std::string> Names;
};

std::vector<std::string> NamesOf(const PartValue& value) {
    std::vector<std::string> names;
    for (const StudentRow& row : value.Rows)
        names.push_back(row.Name);
    for (const std::string& line : value.Lines)
        names.push_back(line);
    return names;
}

TEST(ReportForm, DamagedCountReadsEveryNumberedElementAndSavesTheTrueCount) {
    const std::string three = "<Uczen1>Ala</Uczen1><Uczen2>Ola</Uczen2><Uczen3>Ela</Uczen3>";
    const auto readAllFound = [](const FormRead& read) {
        return std::find_if(read.Findings.begin(), read.Findings.end(), [](const FormFinding& f) {
            return f.Issue == FormIssue::ReadAllFound;
        });
    };
    const std::vector<UntrustedCountCase> cases = {
        {"count word",
         {{"Frekwencja", "<IleOsob>trzy</IleOsob>" + three}},
         "Frekwencja",
         {"Ala", "Ola", "Ela"}},
        {"no count", {{"Frekwencja", three}}, "Frekwencja", {"Ala", "Ola", "Ela"}},
        {"negative",
         {{"Frekwencja", "<IleOsob>-1</IleOsob>" + three}},
         "Frekwencja",
         {"Ala", "Ola", "Ela"}},
        {"smaller, in number order, gaps closed",
         {{"Frekwencja", "<IleOsob>1</IleOsob><Uczen4>Ela</Uczen4><Uczen1>Ala</Uczen1>"
                         "<Uczen01>x</Uczen01><Uczen2a>x</Uczen2a><Uczen0>x</Uczen0>"}},
         "Frekwencja",
         {"Ala", "Ela"}},
        {"lines",
         {{"Uwagi", "<IloscWierszy>x</IloscWierszy><w1>b</w1><w0>a</w0>"}},
         "Uwagi",
         {"a", "b"}},
    };
    for (const UntrustedCountCase& test : cases) {
        SCOPED_TRACE(test.Name);
        testing::ReportFields fields = {{"Doc", "Klasyfikacja klasy z zachowania"}};
        if (std::string(test.Element) == "Frekwencja")
            fields[0].second = "Klasyfikacja klasy";
        fields.insert(fields.end(), test.Fields.begin(), test.Fields.end());
        const FormRead read = ReadReportForm(testing::ReportXml(fields));
        ASSERT_TRUE(read.Form);
        EXPECT_EQ(NamesOf(*FindPart(*read.Form, test.Element)), test.Names);
        const auto found = readAllFound(read);
        ASSERT_NE(found, read.Findings.end());
        EXPECT_EQ(found->Found, static_cast<int>(test.Names.size()));
        // Saved, the file holds every row under its true count.
        const FormRead again = ReadReportForm(FormDocument(*read.Form)->ToBytes());
        EXPECT_EQ(again.Form, read.Form);
        EXPECT_TRUE(again.Findings.empty());
    }
    // Inside a justification too.
    const FormRead justification = ReadReportForm(testing::ReportXml(
        {{"Doc", "Uzasadnienie oceny niedostatecznej"},
         {"Uzasadnienia", "<Uzasadnienie1><Osoba>Ala</Osoba><IloscWierszy>0</IloscWierszy>"
                          "<Wiersz0>a</Wiersz0></Uzasadnienie1>"}}));
    ASSERT_TRUE(justification.Form);
    const std::vector<StudentRow>& rows = FindPart(*justification.Form, "Uzasadnienia")->Rows;
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Lines, std::vector<std::string>{"a"});
}

TEST(ReportForm, DamagedFileKeepsWhatWasReadAndSavesSound) {
    const std::string bytes = testing::ReportXml({{"Doc", "Klasyfikacja klasy"},
                                                  {"Klasa", "2b"},
                                                  {"Pasek", "<IleOsob>1</IleOsob><Uczen1>Ola"}});
    const FormRead read = ReadReportForm(bytes.substr(0, bytes.size() - 20));
    ASSERT_TRUE(read.Form);
    EXPECT_EQ(read.Findings.front().Issue, FormIssue::DamagedXml);
    EXPECT_EQ(FindPart(*read.Form, "Klasa")->Text, "2b");
    ReportForm form = *read.Form;
    form.Values[5].Rows.at(0).Average = "4,75";
    const FormRead again = ReadReportForm(FormDocument(form)->ToBytes());
    EXPECT_TRUE(again.Findings.empty());
    EXPECT_EQ(again.Form, form);
    EXPECT_EQ(ReadReportText(*FormDocument(form), "Pasek", "Uczen1", "Srednia"), "475");
    EXPECT_EQ(ReadReportText(*FormDocument(form), "Pasek", "IleOsob"), "1");
}

TEST(ReportForm, ReadsEmptyAndUtf16Files) {
    EXPECT_EQ(ReadReportForm("x").Findings.front().Issue, FormIssue::EmptyFile);
    const FormRead unicode = ReadReportForm(
        testing::Utf16File(testing::ReportXml({{"Doc", "Z karty"},
                                               {"Belfer", "Łucja Żak"},
                                               {"Info", "<IloscWierszy>0</IloscWierszy>"}})));
    ASSERT_TRUE(unicode.Form);
    EXPECT_TRUE(unicode.WasUnicode);
    EXPECT_TRUE(unicode.Findings.empty());
    EXPECT_EQ(unicode.Form->Values[0].Text, "Łucja Żak");
    // Saved as Windows-1250, declared so.
    EXPECT_EQ(FormDocument(*unicode.Form)->ToBytes().substr(0, 43),
              "<?xml version=\"1.0\" encoding=\"windows-1250\"");
}

TEST(ReportForm, RefusesCharactersWindows1250CannotHoldAndBadAverages) {
    ReportForm form = EmptyForm(ReportKind::Class);
    FindPart(form, "Belfer")->Text = "Anna ſ Nowak";
    FindPart(form, "Pasek")->Rows = {{"Ola 😀", "4,7x", {}, {}}, {"Ela", "5", {}, {}}};
    const std::vector<SaveRefusal> refusals = CheckBeforeSaving(form);
    ASSERT_EQ(refusals.size(), 3u);
    EXPECT_EQ(refusals[0].Element, "Szkola/Belfer");
    EXPECT_EQ(refusals[0].Value, "ſ");
    EXPECT_EQ(refusals[1].Element, "Szkola/Pasek/Uczen1");
    EXPECT_EQ(refusals[1].Value, "😀");
    EXPECT_EQ(refusals[2].Reason, RefusalReason::BadValue);
    EXPECT_EQ(refusals[2].Fault, BadValue::AverageNotNumeric);
    EXPECT_EQ(refusals[2].Row, 0);
    EXPECT_NE(RefusalMessage(form, refusals[0]).find("„ſ”"), std::string::npos);
    EXPECT_NE(RefusalMessage(form, refusals[2]).find("Uczniowie zasługujący na wyróżnienie"),
              std::string::npos);

    testing::TempFolder folder;
    const std::string path = folder.Cp1250File("r.xml");
    EXPECT_EQ(SaveReportForm(form, path).size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "r.xml"));
    FindPart(form, "Belfer")->Text = "Anna Nowak";
    FindPart(form, "Pasek")->Rows = {{"Ola", "4,70", {}, {}}};
    EXPECT_TRUE(SaveReportForm(form, path).empty());
    EXPECT_EQ(LoadReportForm(path).Form, form);
}

TEST(ReportForm, LettersWindows1250LacksAreSavedAsUtf16AndReadBack) {
    ReportForm form = EmptyForm(ReportKind::Class);
    FindPart(form, "Belfer")->Text = "Søren Nuñez";
    FindPart(form, "Pasek")->Rows = {{"Nguyễn 😀", "4,75", {}, {}}};
    const std::vector<SaveRefusal> letters = LettersNeedingUtf16(form);
    ASSERT_EQ(letters.size(), 2u);
    EXPECT_EQ(letters[0].Value, "ø");
    EXPECT_EQ(letters[1].Element, "Szkola/Pasek/Uczen1");
    EXPECT_TRUE(CheckBeforeSaving(form, FileEncoding::Utf16).empty());

    testing::TempFolder folder;
    const std::string path = folder.Cp1250File("r.xml");
    ASSERT_TRUE(SaveReportForm(form, path, FileEncoding::Utf16).empty());
    const std::string bytes = testing::ReadBytes(folder.Path() / "r.xml");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const FormRead read = LoadReportForm(path);
    EXPECT_EQ(read.Form, form);
    EXPECT_TRUE(read.Findings.empty());
    EXPECT_EQ(EncodingOf(read), FileEncoding::Utf16);
    // Other faults are still refused in UTF-16.
    FindPart(form, "Pasek")->Rows[0].Average = "x";
    EXPECT_EQ(CheckBeforeSaving(form, FileEncoding::Utf16).size(), 1u);
}

TEST(ReportForm, ControlCharactersAreRefusedNamingFieldAndCharacter) {
    ReportForm form = EmptyForm(ReportKind::CardHours);
    FindPart(form, "Belfer")->Text = std::string("Jan Nowak\0", 10);
    // A tab is kept; a line break at an end is trimmed away, as the reader would.
    FindPart(form, "Info")->Lines = {"a\x01", "b\x1b[2J", "c\td", "e\r\n", "f\xc2\x81", "g\x7f"};
    const std::vector<SaveRefusal> refusals = CheckBeforeSaving(form);
    std::vector<std::pair<std::string, std::string>> refused;
    for (const SaveRefusal& refusal : refusals) {
        EXPECT_EQ(refusal.Reason, RefusalReason::ControlCharacter);
        refused.emplace_back(refusal.Element, refusal.Value);
    }
    EXPECT_EQ(refused,
              (std::vector<std::pair<std::string, std::string>>{{"Szkola/Belfer", "U+0000"},
                                                                {"Szkola/Info/w0", "U+0001"},
                                                                {"Szkola/Info/w1", "U+001B"},
                                                                {"Szkola/Info/w4", "U+0081"},
                                                                {"Szkola/Info/w5", "U+007F"}}));
    ASSERT_EQ(refusals.size(), 5u);
    EXPECT_EQ(RefusalMessage(form, refusals[2])
                  .rfind("Pole „Informacja” (Szkola/Info/w1) zawiera "
                         "znak sterujący U+001B",
                         0),
              0u);

    testing::TempFolder folder;
    const std::string path = folder.Cp1250File("r.xml");
    EXPECT_EQ(SaveReportForm(form, path).size(), 5u);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "r.xml"));
    FindPart(form, "Belfer")->Text = "Jan Nowak";
    FindPart(form, "Info")->Lines = {"c\td", "e\r\n"};
    ASSERT_TRUE(SaveReportForm(form, path).empty());
    EXPECT_EQ(FindPart(*LoadReportForm(path).Form, "Info")->Lines,
              (std::vector<std::string>{"c\td", "e"}));
}

// A report beyond the reader's limits would be written and then called
// damaged by every reading: each limit is refused at its place before the
// document is built, and a report at exactly the limit reads back whole.
TEST(ReportForm, SavingRefusesWhatTheReaderWouldCallDamaged) {
    testing::TempFolder folder;
    const std::string path = folder.Cp1250File("r.xml");
    ReportForm card = EmptyForm(ReportKind::CardHours);
    FindPart(card, "Info")->Lines.assign(MaxLoopCount + 1, "x");
    FindPart(card, "Belfer")->Text = "ſ";
    std::vector<SaveRefusal> refusals = SaveReportForm(card, path);
    ASSERT_EQ(refusals.size(), 1u) << "the limit alone is named";
    EXPECT_EQ(refusals[0].Reason, RefusalReason::BadValue);
    EXPECT_EQ(refusals[0].Fault, BadValue::OutOfRange);
    EXPECT_EQ(refusals[0].Element, "Szkola/Info/IloscWierszy");
    EXPECT_EQ(RefusalMessage(card, refusals[0]),
              "Pole „Informacja” (Szkola/Info/IloscWierszy): liczba „10001” jest poza zakresem "
              "(najwyżej 10000); podziel listę na kilka sprawozdań.");
    FindPart(card, "Info")->Lines.pop_back();
    FindPart(card, "Belfer")->Text = "Jan";
    ASSERT_TRUE(SaveReportForm(card, path).empty());
    EXPECT_TRUE(LoadReportForm(path).Findings.empty());

    // Counts that each pass but add up beyond the total; the writer names the
    // count the reader would name.
    ReportForm behaviour = EmptyForm(ReportKind::Behaviour);
    FindPart(behaviour, "Obnizone")
        ->Rows.assign(11,
                      StudentRow{"Ala", "", "dobre", std::vector<std::string>(MaxLoopCount, "x")});
    refusals = SaveReportForm(behaviour, path);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].Reason, RefusalReason::BadValue);
    EXPECT_EQ(refusals[0].Element, "Szkola/Obnizone/Uzasadnienie10/IloscWierszy");
    EXPECT_EQ(refusals[0].Row, 9);
    EXPECT_NE(RefusalMessage(behaviour, refusals[0])
                  .find("dają razem ponad 100000 wierszy (przekracza je liczba „10000”)"),
              std::string::npos);
    const FormRead read = ReadReportForm(FormDocument(behaviour)->ToBytes());
    ASSERT_FALSE(read.Findings.empty());
    EXPECT_EQ(read.Findings[0].Value.Problem, BadValue::TooManyLines);
    EXPECT_EQ(refusals[0].Fault, BadValue::TooManyLines);
    EXPECT_EQ(read.Findings[0].Value.Element, refusals[0].Element);

    // Texts that the file could not hold within the size the reader takes;
    // each quotation mark is written as six characters.
    FindPart(card, "Belfer")->Text.assign(MaxReadableFileSize / 6 + 1, '"');
    refusals = SaveReportForm(card, path);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].Reason, RefusalReason::TooLarge);
    EXPECT_EQ(RefusalMessage(card, refusals[0]),
              "Plik sprawozdania miałby ponad 64 MB, a program odczytuje pliki najwyżej 64 MB; "
              "skróć teksty.");
    EXPECT_EQ(LoadReportForm(path).Form->Values[0].Text, "Jan") << "the file saved before stays";
}

// Every sample report: read, written, read and written again gives the same
// form and the same bytes, and its values survive the first writing.
TEST(ReportForm, EverySampleReportComesBackFromItsOwnWriting) {
    const auto folder = std::filesystem::path(NOTARION_EXAMPLES) / "szkola";
    int reports = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const FormRead read = LoadReportForm(Utf8ToCp1250(entry.path().string()));
        ASSERT_TRUE(read.Form);
        EXPECT_TRUE(read.Findings.empty());
        const std::string written = FormDocument(*read.Form)->ToBytes();
        const FormRead again = ReadReportForm(written);
        EXPECT_TRUE(again.Findings.empty());
        EXPECT_EQ(again.Form, read.Form);
        EXPECT_EQ(FormDocument(*again.Form)->ToBytes(), written);
        ++reports;
    }
    EXPECT_GT(reports, 70);
}

} // namespace
} // namespace notarion
