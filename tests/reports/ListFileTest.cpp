#include "reports/ListFile.h"

#include "text/Cp1250.h"

#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/KindList.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

using testing::ReadBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kDataFolder = NOTARION_REPORTS_TEST_DATA;

// An entry from UTF-8 texts.
ReportEntry Entry(const std::string& title, const std::string& path, const std::string& kind) {
    return {Utf8ToCp1250(title), Utf8ToCp1250(path), Utf8ToCp1250(kind)};
}

ReportCatalogue Of(std::vector<ReportEntry> entries) {
    ReportCatalogue catalogue;
    catalogue.Slots = std::move(entries);
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
    return catalogue;
}

ReportCatalogue ThreePositions() {
    return Of({
        Entry("Klasyfikacja klasy z zachowania - 1a - Anna Łącka",
              "/szkola/sprawozdania/1a_zachowanie.xml", "Klasyfikacja klasy z zachowania"),
        Entry("Realizacja programu z przedmiotu nauczania - Matematyka & fizyka - Jan Kowalski",
              "/szkola/R&D <nowe>/mat.xml", "Realizacja programu z przedmiotu nauczania"),
        Entry("Z karty - ", "/szkola/karta \"B\".xml", "Z karty"),
    });
}

// A catalogue that every refused read must leave exactly as it was.
ReportCatalogue Untouched() {
    return Of({Entry("Z karty - A", "/a.xml", "Z karty"), Entry("", "", "")});
}

void ExpectSameCatalogue(const ReportCatalogue& actual, const ReportCatalogue& expected) {
    EXPECT_EQ(actual.Count, expected.Count);
    EXPECT_EQ(actual.Slots, expected.Slots);
}

// The list file text of the given position elements, with a count element.
std::string ListText(const std::string& count, const std::string& positions) {
    return "<Naglowki>\r\n\t<IlePozycji>" + count + "</IlePozycji>\r\n" + positions +
           "</Naglowki>\r\n";
}

// The number of names in the folder, so tests can tell no stray file was left.
long EntriesIn(const TempFolder& folder) {
    return std::distance(std::filesystem::directory_iterator(folder.Path()),
                         std::filesystem::directory_iterator());
}

// --- Writing -------------------------------------------------------------------

struct ExactRow {
    const char* ExpectedFile;
    ReportCatalogue Catalogue;
};

TEST(ListFileWriting, BytesMatchTheReviewedFiles) {
    const std::vector<ExactRow> rows = {
        {"list_0.xmp", Of({})},
        {"list_1.xmp", Of({Entry("Klasyfikacja klasy - 2b - Jan Kowalski",
                                 "/szkola/sprawozdania/2b.xml", "Klasyfikacja klasy")})},
        {"list_3.xmp", ThreePositions()},
        {"list_empty_values.xmp",
         Of({Entry("Sprawozdanie dyrektora - Zofia Żak", "/szkola/dyrektor.xml",
                   "Sprawozdanie dyrektora"),
             Entry("", "/szkola/inne.xml", "Klasyfikacja Klasy"), Entry("", "", "")})},
    };
    TempFolder folder;
    for (const ExactRow& row : rows) {
        SCOPED_TRACE(row.ExpectedFile);
        const std::string expected = ReadBytes(kDataFolder + "/" + row.ExpectedFile);
        ASSERT_FALSE(expected.empty()) << "missing expected file";
        const std::string target = folder.File(row.ExpectedFile);
        ASSERT_TRUE(WriteListFile(row.Catalogue, target));
        EXPECT_TRUE(SameBytes(expected, ReadBytes(target)));
    }
}

TEST(ListFileWriting, ExistingFileIsReplacedWithoutTrace) {
    TempFolder folder;
    const std::string target = folder.File("lista.xmp");
    WriteBytes(target, std::string(5000, 'x'));
    ASSERT_TRUE(WriteListFile(Of({}), target));
    EXPECT_TRUE(SameBytes(ReadBytes(kDataFolder + "/list_0.xmp"), ReadBytes(target)));
    EXPECT_EQ(EntriesIn(folder), 1) << "no temporary file is left beside the list";
}

TEST(ListFileWriting, UnwritableTargetsGiveFalseAndCreateNothing) {
    TempFolder folder;
    const std::string inMissingFolder = folder.File("brak/lista.xmp");
    EXPECT_FALSE(WriteListFile(ThreePositions(), inMissingFolder));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "brak"));

    const std::string folderInPlace = folder.File("katalog.xmp");
    std::filesystem::create_directory(folder.Path() / "katalog.xmp");
    WriteBytes(folder.File("katalog.xmp/plik"), "keep");
    EXPECT_FALSE(WriteListFile(ThreePositions(), folderInPlace));
    EXPECT_EQ(ReadBytes(folder.File("katalog.xmp/plik")), "keep");

    EXPECT_FALSE(WriteListFile(ThreePositions(), ""));
    EXPECT_EQ(EntriesIn(folder), 1) << "only the folder made above is there";
}

// --- Reading ---------------------------------------------------------------------

TEST(ListFileReading, WrittenCatalogueComesBackWithOnlyEndBlanksLost) {
    TempFolder folder;
    const std::string path = folder.File("lista.xmp");
    ReportCatalogue written = ThreePositions();
    written.Slots.push_back({});
    written.Slots.push_back(Entry("  obie strony  ", "/a b/ c.xml", "Inne informacje"));
    written.Count = 5;
    ASSERT_TRUE(WriteListFile(written, path));

    ReportCatalogue read;
    ASSERT_TRUE(ReadListFile(read, path));
    ReportCatalogue expected = written;
    expected.Slots[2].Title = "Z karty -";
    expected.Slots[4].Title = "obie strony";
    ExpectSameCatalogue(read, expected);
    EXPECT_EQ(read.Slots[1].Path, "/szkola/R&D <nowe>/mat.xml");
}

struct ReadRow {
    const char* Name;
    std::string Bytes;
    std::vector<ReportEntry> Expected;
};

TEST(ListFileReading, AcceptsGapsLetterCaseAnyOrderAndExtraElements) {
    const std::string p0 =
        "\t<Pozycja0><Tresc>T0</Tresc><Adres>/p0</Adres><Typ>Z karty</Typ></Pozycja0>\r\n";
    const std::string p1 =
        "\t<Pozycja1><Tresc>T1</Tresc><Adres>/p1</Adres><Typ>K1</Typ></Pozycja1>\r\n";
    const std::string p2 =
        "\t<Pozycja2><Tresc>T2</Tresc><Adres>/p2</Adres><Typ>K2</Typ></Pozycja2>\r\n";
    const ReportEntry e0{"T0", "/p0", "Z karty"};
    const ReportEntry e1{"T1", "/p1", "K1"};
    const ReportEntry e2{"T2", "/p2", "K2"};
    const std::vector<ReadRow> rows = {
        {"middle position missing", ListText("3", p0 + p2), {e0, {}, e2}},
        {"positions in reverse order", ListText("3", p2 + p1 + p0), {e0, e1, e2}},
        {"fewer positions than the count", ListText("4", p0), {e0, {}, {}, {}}},
        {"more positions than the count", ListText("1", p0 + p1 + p2), {e0}},
        {"zero positions", ListText("0", p0), {}},
        {"names in other letter case",
         "<NAGLOWKI><ilepozycji> 1 </ilepozycji><pozycja0><TRESC>T</TRESC><adres>/p</adres>"
         "<tYP>Z karty</tYP></pozycja0></NAGLOWKI>",
         {{"T", "/p", "Z karty"}}},
        {"further elements and missing fields",
         ListText("2", "\t<Uwaga>x</Uwaga>\r\n\t<Pozycja1><Typ>Z karty</Typ><Inne>y</Inne>"
                       "</Pozycja1>\r\n"),
         {{}, {"", "", "Z karty"}}},
        {"first of two equal positions wins",
         ListText("1", p0 + "\t<POZYCJA0><Tresc>duplikat</Tresc></POZYCJA0>\r\n"),
         {e0}},
        {"count in hexadecimal", ListText("$2", p0 + p1), {e0, e1}},
        {"entities in any letter case",
         ListText("1", "<Pozycja0><Adres>/R&AMP;D &lt;x&GT;</Adres></Pozycja0>"),
         {{"", "/R&D <x>", ""}}},
        {"damaged after the first position",
         ListText("2", p0 + "\t<Pozycja1><Tresc a='b'>T1</Tresc></Pozycja1>\r\n"),
         {e0, {}}},
        {"text ending inside the count element", "<Naglowki><IlePozycji>2", {{}, {}}},
        {"declaration and comment before the list",
         "<?xml version=\"1.0\"?>\r\n<!-- lista -->\r\n" + ListText("1", p0),
         {e0}},
    };
    TempFolder folder;
    const std::string path = folder.File("lista.xmp");
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBytes(path, row.Bytes);
        ReportCatalogue catalogue = Untouched();
        ASSERT_TRUE(ReadListFile(catalogue, path));
        ExpectSameCatalogue(catalogue, Of(row.Expected));
    }
}

TEST(ListFileReading, UnicodeListWithMarkIsRead) {
    TempFolder folder;
    const std::string path = folder.File("lista.xmp");
    const std::string text = ReadBytes(kDataFolder + "/list_3.xmp");
    WriteBytes(path, testing::Utf16File(Cp1250ToUtf8(text)));
    ReportCatalogue catalogue;
    ASSERT_TRUE(ReadListFile(catalogue, path));
    ReportCatalogue expected = ThreePositions();
    expected.Slots[2].Title = "Z karty -";
    ExpectSameCatalogue(catalogue, expected);
}

TEST(ListFileReading, PathWithPolishLettersAndAmpersandIsOpened) {
    TempFolder folder;
    const std::string path = folder.Cp1250File("Zażółć & gęślą.xmp");
    ASSERT_TRUE(WriteListFile(ThreePositions(), path));
    ReportCatalogue catalogue;
    ASSERT_TRUE(ReadListFile(catalogue, path));
    EXPECT_EQ(catalogue.Count, 3);
}

TEST(ListFileReading, RefusalsLeaveTheCatalogueUnchanged) {
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"empty file", ""},
        {"one byte", "<"},
        {"no count", "<Naglowki><Pozycja0><Tresc>T</Tresc></Pozycja0></Naglowki>"},
        {"no list element", "<Lista><IlePozycji>1</IlePozycji></Lista>"},
        {"count outside the list element", "<IlePozycji>1</IlePozycji>"},
        {"empty count", ListText("", "")},
        {"self-closed count", "<Naglowki><IlePozycji/></Naglowki>"},
        {"words", ListText("trzy", "")},
        {"digits then letters", ListText("3x", "")},
        {"decimal point", ListText("2.0", "")},
        {"sign only", ListText("-", "")},
        {"hex mark only", ListText("$", "")},
        {"negative", ListText("-1", "")},
        {"above the limit", ListText("100001", "")},
        {"beyond 32 bits", ListText("4294967297", "")},
        {"very long number", ListText(std::string(400, '9'), "")},
        {"UTF-8 mark before the list", "\xEF\xBB\xBF" + ListText("1", "")},
    };
    TempFolder folder;
    const std::string path = folder.File("lista.xmp");
    for (const auto& [name, bytes] : rows) {
        SCOPED_TRACE(name);
        WriteBytes(path, bytes);
        ReportCatalogue catalogue = Untouched();
        EXPECT_FALSE(ReadListFile(catalogue, path));
        ExpectSameCatalogue(catalogue, Untouched());
    }

    for (const std::string& unreadable :
         {folder.File("brak.xmp"), folder.File(""), std::string(), folder.File("lista.xmp/x")}) {
        SCOPED_TRACE(unreadable);
        ReportCatalogue catalogue = Untouched();
        EXPECT_EQ(ReadListFile(catalogue, unreadable).Cause().Kind, FailureKind::UnreadableFile);
        ExpectSameCatalogue(catalogue, Untouched());
    }

    // A bad count is named with its element and its text.
    const std::pair<std::string, BadValue> counts[] = {{"trzy", BadValue::NotWholeNumber},
                                                       {"-1", BadValue::Negative},
                                                       {"100001", BadValue::OutOfRange},
                                                       {"", BadValue::Missing}};
    for (const auto& [text, fault] : counts) {
        WriteBytes(path, ListText(text, ""));
        ReportCatalogue catalogue;
        const Result<> read = ReadListFile(catalogue, path);
        EXPECT_EQ(read.Cause().Fault, fault) << text;
        EXPECT_EQ(read.Cause().Element, "Naglowki/IlePozycji");
        EXPECT_EQ(read.Cause().Value, text);
    }
}

TEST(ListFileReading, TheLargestAllowedCountIsAccepted) {
    TempFolder folder;
    const std::string path = folder.File("lista.xmp");
    WriteBytes(path, ListText(std::to_string(MaxListPositions), ""));
    ReportCatalogue catalogue;
    ASSERT_TRUE(ReadListFile(catalogue, path));
    EXPECT_EQ(catalogue.Count, MaxListPositions);
    EXPECT_EQ(catalogue.Slots.size(), static_cast<std::size_t>(MaxListPositions));
}

TEST(ListFileReading, RelativeReportPathsAreTakenFromTheListFolder) {
    TempFolder folder;
    const std::string positions =
        "<Pozycja0><Adres>1a.xml</Adres></Pozycja0>"
        "<Pozycja1><Adres>" + testing::WithNativeSeparators("/szkola/2b.xml") + "</Adres></Pozycja1>"
        "<Pozycja2><Adres>" + testing::WithNativeSeparators("podkatalog/3c.xml") + "</Adres></Pozycja2>"
        "<Pozycja3><Typ>Z karty</Typ></Pozycja3>";
    const std::string path = folder.File("lista.xmp");
    WriteBytes(path, ListText("4", positions));
    ReportCatalogue catalogue;
    ASSERT_TRUE(ReadListFile(catalogue, path));
    EXPECT_EQ(catalogue.Slots[0].Path, folder.File("1a.xml"));
    EXPECT_EQ(catalogue.Slots[1].Path, testing::WithNativeSeparators("/szkola/2b.xml"));
    EXPECT_EQ(catalogue.Slots[2].Path, folder.File("podkatalog/3c.xml"));
    EXPECT_EQ(catalogue.Slots[3].Path, "") << "an empty slot stays empty";

    // A list named without a folder is in the working folder, as are its reports.
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.Path());
    ReportCatalogue here;
    const bool read = static_cast<bool>(ReadListFile(here, "lista.xmp"));
    std::filesystem::current_path(previous);
    ASSERT_TRUE(read);
    EXPECT_EQ(here.Slots[0].Path, "1a.xml");
}

TEST(ListFileReading, MovedReportsAreFoundBesideTheListFile) {
    // The school's folder was saved at /stara/szkola and copied elsewhere
    // with its list; only the copy exists.
    TempFolder folder;
    const std::string school = folder.File("pendrive/szkola");
    const std::string renamed = folder.File("kopia");
    for (const char* file : {"pendrive/szkola/klasy/1a.xml", "pendrive/szkola/2b.xml",
                             "kopia/1a.xml", "na_miejscu.xml", "pendrive/szkola/na_miejscu.xml"})
        WriteBytes(folder.File(file), "<Szkola/>");
    const std::string present = folder.File("na_miejscu.xml");
    const auto listed = [](const char* path) { return testing::WithNativeSeparators(path); };

    struct Row {
        std::string ListFolder;
        std::string Listed;
        std::string Expected;
    };
    const std::vector<Row> rows = {
        // The path below the folder the list was saved from, subfolder kept.
        {school, listed("/stara/szkola/klasy/1a.xml"), folder.File("pendrive/szkola/klasy/1a.xml")},
        {school, listed("/stara/szkola/2b.xml"), folder.File("pendrive/szkola/2b.xml")},
        // A renamed folder: the file name alone in the list's folder.
        {renamed, listed("/stara/szkola/klasy/1a.xml"), folder.File("kopia/1a.xml")},
        // A report still where it was listed stays there.
        {school, present, present},
        // Found nowhere: the listed path stays, for the caller to name.
        {renamed, listed("/stara/szkola/2b.xml"), listed("/stara/szkola/2b.xml")},
        {school, listed("/stara/szkola/klasy/brak.xml"), listed("/stara/szkola/klasy/brak.xml")},
    };
    for (const Row& row : rows) {
        const std::string path = row.ListFolder + testing::WithNativeSeparators("/lista.xmp");
        WriteBytes(path, ListText("1", "<Pozycja0><Adres>" + row.Listed + "</Adres></Pozycja0>"));
        const std::string before = ReadBytes(path);
        ReportCatalogue catalogue;
        ASSERT_TRUE(ReadListFile(catalogue, path));
        EXPECT_EQ(catalogue.Slots[0].Path, row.Expected) << row.Listed;
        EXPECT_EQ(ReadBytes(path), before) << "reading never rewrites the list";
    }
}

} // namespace
} // namespace notarion
