#include "reports/ReportCatalogue.h"

#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

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

using testing::ReportXml;
using testing::TempFolder;
using testing::VectorKindList;
using testing::WriteBytes;
using testing::WriteReport;
using Fields = testing::ReportFields;

struct Message {
    int Mode;
    int Icon;
    std::u16string Text;
};

class Catalogue : public ::testing::Test {
protected:
    TempFolder folder;
    std::vector<Message> messages;
    MessageSink sink = [this](int mode, int icon, const std::u16string& text) {
        messages.push_back({mode, icon, text});
    };

    // Write a report file with the given fields; returns its cp1250 path.
    std::string Report(const std::string& name, const Fields& fields) {
        const std::string path = folder.Cp1250File(name);
        WriteReport(testing::Cp1250Path(path), ReportXml(fields));
        return path;
    }
    std::string Report(const std::string& name, const std::string& kind,
                       const std::string& belfer) {
        return Report(name, {{"Doc", kind}, {"Klasa", name}, {"Belfer", belfer}});
    }
    // A path at which a folder stands, so opening it as a file fails.
    std::string Unreadable(const std::string& name) {
        std::filesystem::create_directory(folder.PathOf(name));
        return folder.Cp1250File(name);
    }
};

std::vector<std::string> Kinds(const ReportCatalogue& catalogue) {
    std::vector<std::string> kinds;
    for (const ReportEntry& entry : catalogue.Slots)
        kinds.push_back(entry.Kind);
    return kinds;
}

std::vector<std::string> Paths(const ReportCatalogue& catalogue) {
    std::vector<std::string> paths;
    for (const ReportEntry& entry : catalogue.Slots)
        paths.push_back(entry.Path);
    return paths;
}

// A catalogue of entries whose titles are the given letters, all of one kind.
ReportCatalogue Lettered(const std::string& letters) {
    ReportCatalogue catalogue;
    for (const char letter : letters)
        catalogue.Slots.push_back(
            {std::string(1, letter), "/r/" + std::string(1, letter), "Z karty"});
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
    return catalogue;
}

std::string Letters(const ReportCatalogue& catalogue) {
    std::string letters;
    for (const ReportEntry& entry : catalogue.Slots)
        letters += entry.Title;
    return letters;
}

// --- Titles ---------------------------------------------------------------

struct TitleRow {
    const char* Name;
    Fields ReportFields;
    std::string Expected; // UTF-8
    // The class the title shows, which ReportClass gives.
    std::string Class = {};
};

TEST(ReportTitle, EachKindJoinsItsPiecesWithDashesAndShowsItsClass) {
    const std::string concerns100(100, 'x');
    const std::string concerns60(60, 'x');
    const std::vector<TitleRow> rows = {
        {"class",
         {{"Doc", "Klasyfikacja klasy"}, {"Klasa", "3c"}, {"Belfer", "Ewa Nowak"}},
         "Klasyfikacja klasy - 3c - Ewa Nowak",
         "3c"},
        {"behaviour",
         {{"Doc", "Klasyfikacja klasy z zachowania"}, {"Klasa", "3c"}, {"Belfer", "Ewa Nowak"}},
         "Klasyfikacja klasy z zachowania - 3c - Ewa Nowak",
         "3c"},
        {"failing grade: subject, class, teacher in this order",
         {{"Doc", "Uzasadnienie oceny niedostatecznej"},
          {"Belfer", "Jan Łoś"},
          {"Klasa", "2a"},
          {"Przedmiot", "Fizyka"}},
         "Uzasadnienie oceny niedostatecznej - Fizyka - 2a - Jan Łoś",
         "2a"},
        {"subject programme leaves the class out",
         {{"Doc", "Realizacja programu z przedmiotu nauczania"},
          {"Przedmiot", "Chemia"},
          {"Klasa", "2a"},
          {"Belfer", "Jan Łoś"}},
         "Realizacja programu z przedmiotu nauczania - Chemia - Jan Łoś"},
        {"tutoring programme",
         {{"Doc", "Realizacja programu wychowawczego"}, {"Klasa", "1b"}, {"Belfer", "Ola Żak"}},
         "Realizacja programu wychowawczego - 1b - Ola Żak",
         "1b"},
        {"extra activity",
         {{"Doc", "Realizacja dodatkowych"}, {"Zajecia", "Chór"}, {"Belfer", "Ola Żak"}},
         "Realizacja dodatkowych - Chór - Ola Żak"},
        {"other information cut to sixty characters",
         {{"Doc", "Inne informacje"}, {"Dotyczy", concerns100}, {"Belfer", "Ola Żak"}},
         "Inne informacje - " + concerns60 + " - Ola Żak"},
        {"other information of exactly sixty characters kept whole",
         {{"Doc", "Inne informacje"}, {"Dotyczy", concerns60}, {"Belfer", "B"}},
         "Inne informacje - " + concerns60 + " - B"},
        {"card hours without a teacher keep the separator", {{"Doc", "Z karty"}}, "Z karty - "},
        {"head teacher",
         {{"Doc", "Sprawozdanie dyrektora"}, {"Klasa", "nieużywana"}, {"Belfer", "Dyrektor"}},
         "Sprawozdanie dyrektora - Dyrektor"},
        {"empty middle piece keeps both separators",
         {{"Doc", "Klasyfikacja klasy"}, {"Belfer", "Ewa"}},
         "Klasyfikacja klasy -  - Ewa"},
        {"unknown kind", {{"Doc", "Klasyfikacja Klasy"}, {"Klasa", "3c"}}, ""},
        {"no kind at all", {{"Klasa", "3c"}}, ""},
    };
    for (const TitleRow& row : rows) {
        SCOPED_TRACE(row.Name);
        XmlDocument document;
        ASSERT_TRUE(document.LoadFromBytes(Utf8ToCp1250(ReportXml(row.ReportFields))));
        const std::string kind = ReadReportText(document, "Doc");
        EXPECT_EQ(Cp1250ToUtf8(ComposeTitle(kind, document)), row.Expected);
        EXPECT_EQ(Cp1250ToUtf8(ReportClass(kind, document)), row.Class);
    }
}

TEST(ReportTitle, PolishLettersInAnOtherInformationTitleCountAsOneCharacterEach) {
    // Sixty cp1250 characters, each a Polish letter that takes two bytes in UTF-8.
    std::string concerns;
    for (int i = 0; i < 70; ++i)
        concerns += "ż";
    XmlDocument document;
    ASSERT_TRUE(document.LoadFromBytes(
        Utf8ToCp1250(ReportXml({{"Doc", "Inne informacje"}, {"Dotyczy", concerns}}))));
    const std::string title = ComposeTitle("Inne informacje", document);
    EXPECT_EQ(title, "Inne informacje - " + std::string(60, '\xBF') + " - ");
}

// --- Loading a folder -------------------------------------------------------

TEST_F(Catalogue, FolderIsOrderedByKindWhateverOrderTheFilesWereFoundIn) {
    const std::vector<std::string> found = {
        Report("h.xml", "Inne informacje", "H"),
        Report("i.xml", "Sprawozdanie dyrektora", "I"),
        Report("c.xml", "Uzasadnienie oceny niedostatecznej", "C"),
        Report("g.xml", "Z karty", "G"),
        Report("b.xml", "Klasyfikacja klasy", "B"),
        Report("f.xml", "Realizacja dodatkowych", "F"),
        Report("a.xml", "Klasyfikacja klasy z zachowania", "A"),
        Report("e.xml", "Realizacja programu wychowawczego", "E"),
        Report("d.xml", "Realizacja programu z przedmiotu nauczania", "D"),
    };
    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, found, sink));
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(catalogue.Count, 9);
    const auto& order = KindsInCatalogueOrder();
    EXPECT_EQ(Kinds(catalogue), std::vector<std::string>(order.begin(), order.end()));
    EXPECT_EQ(catalogue.Slots[0].Path, folder.File("a.xml"));
    EXPECT_EQ(catalogue.Slots[0].Title, "Klasyfikacja klasy z zachowania - a.xml - A");
    EXPECT_EQ(catalogue.Slots[8].Path, folder.File("i.xml"));
}

TEST_F(Catalogue, OrderingKeepsTheFoundOrderWithinAKind) {
    const std::vector<std::string> found = {
        Report("3.xml", "Klasyfikacja klasy", "3"),
        Report("1.xml", "Z karty", "1"),
        Report("2.xml", "Klasyfikacja klasy", "2"),
        Report("4.xml", "Klasyfikacja klasy z zachowania", "4"),
        Report("5.xml", "Klasyfikacja klasy", "5"),
    };
    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, found, sink));
    EXPECT_EQ(Paths(catalogue),
              (std::vector<std::string>{found[3], found[0], found[2], found[4], found[1]}));
}

TEST_F(Catalogue, ReportsOfNoKindLeaveEmptyTrailingSlotsAndTheCountUnchanged) {
    std::vector<std::string> found;
    for (int i = 0; i < 10; ++i) {
        const bool odd = i == 2 || i == 5 || i == 9;
        found.push_back(Report(std::to_string(i) + ".xml",
                               odd ? "klasyfikacja klasy" : "Klasyfikacja klasy", "B"));
    }
    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, found, sink));
    EXPECT_EQ(catalogue.Count, 10);
    ASSERT_EQ(catalogue.Slots.size(), 10u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(catalogue.Slots[i].Kind, "Klasyfikacja klasy") << i;
    for (int i = 7; i < 10; ++i)
        EXPECT_EQ(catalogue.Slots[i], ReportEntry{}) << i;
    VectorKindList list;
    FillKindList(catalogue, list, 0);
    EXPECT_EQ(list.Items.size(), 7u);
}

TEST_F(Catalogue, DamagedXmlYieldsWhatWasReadBeforeTheDamage) {
    const std::string afterDoc = folder.File("after.xml");
    WriteBytes(afterDoc, "<Szkola><Doc>Z karty</Doc><Belfer>Ewa</Belfer><Klasa>1a</Szkola>oops");
    const std::string beforeDoc = folder.File("before.xml");
    WriteBytes(beforeDoc, "<Szkola><Klasa a='1a'><Doc>Z karty</Doc></Klasa></Szkola>");
    const std::string garbage = folder.File("garbage.xml");
    WriteBytes(garbage, "\xEF\xBB\xBF<Szkola><Doc>Z karty</Doc></Szkola>");
    const std::string missing = folder.File("missing.xml");

    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, {beforeDoc, garbage, missing, afterDoc}, sink));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(catalogue.Count, 4);
    EXPECT_EQ(catalogue.Slots[0], (ReportEntry{"Z karty - Ewa", afterDoc, "Z karty"}));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(catalogue.Slots[i], ReportEntry{}) << i;
}

TEST_F(Catalogue, UnicodeReportIsReadLikeACodePageOne) {
    const std::string path = folder.File("unicode.xml");
    WriteBytes(path,
               testing::Utf16File(ReportXml(
                   {{"Doc", "Realizacja dodatkowych"}, {"Zajecia", "Koło"}, {"Belfer", "Łucja"}})));
    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, {path}, sink));
    EXPECT_EQ(Cp1250ToUtf8(catalogue.Slots[0].Title), "Realizacja dodatkowych - Koło - Łucja");
}

TEST_F(Catalogue, FileThatCannotBeOpenedStopsTheLoadNamesTheFileAndLeavesAnEmptyCatalogue) {
    const std::string good = Report("dobry.xml", "Z karty", "A");
    const std::string bad = Unreadable("zły & uszkodzony.xml");
    const std::string later = Report("później.xml", "Z karty", "C");
    ReportCatalogue catalogue = Lettered("XYZ");

    EXPECT_FALSE(LoadCatalogue(catalogue, {good, bad, later}, sink));
    EXPECT_TRUE(catalogue.Slots.empty());
    EXPECT_EQ(catalogue.Count, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Mode, ModeClose);
    EXPECT_EQ(messages[0].Icon, IconInfo);
    EXPECT_EQ(messages[0].Text,
              u"Plik: " + Cp1250ToUtf16(bad) + u" jest uszkodzony.\rNapraw plik.");
    EXPECT_NE(messages[0].Text.find(u"zły & uszkodzony.xml"), std::u16string::npos);

    // Without a message box, the file is named in the result instead.
    catalogue = Lettered("XYZ");
    EXPECT_EQ(BuildCatalogue(catalogue, {good, bad, later}), bad);
    EXPECT_TRUE(catalogue.Slots.empty());
    EXPECT_EQ(BuildCatalogue(catalogue, {later, good}), std::nullopt);
    EXPECT_EQ(catalogue.Count, 2);
}

TEST_F(Catalogue, FailedLoadWithoutAMessageBoxStillReportsFailure) {
    ReportCatalogue catalogue = Lettered("AB");
    EXPECT_FALSE(LoadCatalogue(catalogue, {Unreadable("x.xml")}, MessageSink{}));
    EXPECT_EQ(catalogue.Count, 0);
    EXPECT_TRUE(catalogue.Slots.empty());
}

TEST_F(Catalogue, NewLoadReplacesThePreviousCatalogue) {
    ReportCatalogue catalogue = Lettered("ABC");
    ASSERT_TRUE(LoadCatalogue(catalogue, {Report("a.xml", "Z karty", "N")}, sink));
    EXPECT_EQ(catalogue.Count, 1);
    ASSERT_EQ(catalogue.Slots.size(), 1u);
    EXPECT_EQ(catalogue.Slots[0].Title, "Z karty - N");
    ASSERT_TRUE(LoadCatalogue(catalogue, {}, sink));
    EXPECT_EQ(catalogue.Count, 0);
    EXPECT_TRUE(catalogue.Slots.empty());
}

// --- Appending -------------------------------------------------------------

TEST_F(Catalogue, AppendedEntriesGoAfterEmptySlotsUnorderedAndAllCount) {
    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(
        catalogue, {Report("k.xml", "Z karty", "K"), Report("u.xml", "Nieznany", "U")}, sink));
    ASSERT_EQ(catalogue.Slots.size(), 2u);
    ASSERT_EQ(catalogue.Slots[1], ReportEntry{});

    const std::string director = Report("d.xml", "Sprawozdanie dyrektora", "D");
    const std::string behaviour = Report("b.xml", "Klasyfikacja klasy z zachowania", "B");
    const std::string unknown = Report("n.xml", "Nieznany", "N");
    AppendToCatalogue(catalogue, {director, behaviour, director, unknown});

    EXPECT_EQ(catalogue.Count, 6);
    EXPECT_EQ(Paths(catalogue), (std::vector<std::string>{folder.File("k.xml"), "", director,
                                                          behaviour, director, unknown}));
    // A report of no kind stays after an append, with its path and kind but no title.
    EXPECT_EQ(catalogue.Slots[5], (ReportEntry{"", unknown, "Nieznany"}));
}

TEST_F(Catalogue, RefreshGivesEveryEntryOfTheFileItsNewTitleAndLeavesTheRest) {
    const std::string mended = Report("m.xml", "Klasyfikacja klasy", "Stary");
    const std::string other = Report("o.xml", "Klasyfikacja klasy", "Obcy");
    ReportCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, {mended, other, mended}, sink));
    const ReportEntry untouched = catalogue.Slots[1];

    // Unchanged on disk: nothing to refresh.
    EXPECT_EQ(RefreshEntriesOf(catalogue, mended), 0);
    Report("m.xml", "Klasyfikacja klasy", "Nowy");
    EXPECT_EQ(RefreshEntriesOf(catalogue, mended), 2);
    for (const std::size_t slot : {0u, 2u}) {
        EXPECT_EQ(catalogue.Slots[slot].Title, "Klasyfikacja klasy - m.xml - Nowy");
        EXPECT_EQ(catalogue.Slots[slot].Path, mended);
    }
    EXPECT_EQ(catalogue.Slots[1], untouched);
    EXPECT_EQ(RefreshEntriesOf(catalogue, folder.Cp1250File("brak.xml")), 0);

    // A file that can no longer be read leaves its entries as they were.
    std::filesystem::remove(folder.Path() / "m.xml");
    std::filesystem::create_directory(folder.Path() / "m.xml");
    const ReportCatalogue before = catalogue;
    EXPECT_THROW(RefreshEntriesOf(catalogue, mended), ReportFileError);
    EXPECT_EQ(catalogue.Slots, before.Slots);
}

TEST_F(Catalogue, AppendStopsAtAFileThatCannotBeReadKeepingTheEntriesBeforeIt) {
    ReportCatalogue catalogue = Lettered("A");
    const std::string first = Report("1.xml", "Z karty", "1");
    const std::string bad = Unreadable("2.xml");
    const std::string third = Report("3.xml", "Z karty", "3");
    try {
        AppendToCatalogue(catalogue, {first, bad, third});
        FAIL() << "no error for a file that cannot be read";
    } catch (const ReportFileError& error) {
        EXPECT_EQ(error.Path(), bad);
        EXPECT_EQ(DamagedFileMessage(error.Path()),
                  u"Plik: " + Cp1250ToUtf16(bad) + u" jest uszkodzony.\rNapraw plik.");
    }
    EXPECT_EQ(Paths(catalogue), (std::vector<std::string>{"/r/A", first}));
    EXPECT_EQ(catalogue.Count, 2);
}

// --- Listing and finding -----------------------------------------------------

TEST(KindListing, ListsOnlyTheExactKindInCatalogueOrderAndSelectsTheFirst) {
    ReportCatalogue catalogue;
    catalogue.Slots = {
        {"Realizacja dodatkowych - Chór - A", "/a", "Realizacja dodatkowych"},
        {"Realizacja zajęć dodatkowych - x - B", "/b", "Realizacja zajęć dodatkowych"},
        {"Z karty - C", "/c", "Z karty"},
        {"Realizacja dodatkowych - Sks - D", "/d", "Realizacja dodatkowych"},
        {},
    };
    catalogue.Count = 5;
    VectorKindList list;
    list.Items = {"stale line"};

    FillKindList(catalogue, list, 5);
    EXPECT_EQ(list.Items, (std::vector<std::string>{"Realizacja dodatkowych - Chór - A",
                                                    "Realizacja dodatkowych - Sks - D"}));
    EXPECT_EQ(list.SelectCalls, 1);

    FillKindList(catalogue, list, 8);
    EXPECT_TRUE(list.Items.empty());
    EXPECT_EQ(list.SelectCalls, 1) << "an empty list has nothing to select";

    // Outside the nine kinds nothing is listed, not even the blank empty slot.
    for (const int outside : {-1, 9}) {
        list.Items = {"stale line"};
        FillKindList(catalogue, list, outside);
        EXPECT_TRUE(list.Items.empty()) << outside;
    }
}

TEST(KindListing, EqualTitlesAllResolveToTheFirstEntry) {
    ReportCatalogue catalogue;
    catalogue.Slots = {
        {"Z karty - Ewa", "/first", "Z karty"},
        {"Klasyfikacja klasy - 1a - Ewa", "/other", "Klasyfikacja klasy"},
        {"Z karty - Ewa", "/second", "Z karty"},
    };
    catalogue.Count = 3;
    VectorKindList list;
    FillKindList(catalogue, list, 7);
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(CatalogueIndexOf(catalogue, list, 0), 0);
    EXPECT_EQ(CatalogueIndexOf(catalogue, list, 1), 0);
    EXPECT_EQ(CatalogueIndexOfTitle(catalogue, "Z karty - Ewa "), -1) << "titles compare exactly";

    // Removing the second line removes the first entry of that title.
    RemoveEntry(catalogue, CatalogueIndexOf(catalogue, list, 1));
    EXPECT_EQ(Paths(catalogue), (std::vector<std::string>{"/other", "/second"}));
}

TEST(KindListing, LineOutsideTheListFindsNoEntryEvenWhenEmptySlotsExist) {
    ReportCatalogue catalogue;
    catalogue.Slots = {{"Z karty - A", "/a", "Z karty"}, {}};
    catalogue.Count = 2;
    VectorKindList list;
    FillKindList(catalogue, list, 7);
    for (const int line : {-1, 1, 5})
        EXPECT_EQ(CatalogueIndexOf(catalogue, list, line), -1) << line;
    EXPECT_EQ(CatalogueIndexOfTitle(catalogue, "missing"), -1);
}

TEST(KindListing, EachLineOfARepeatedTitleStandsForItsOwnEntry) {
    ReportCatalogue catalogue;
    catalogue.Slots = {
        {"Z karty - Ewa", "/first", "Z karty"},
        {"Klasyfikacja klasy - 1a - Ewa", "/other", "Klasyfikacja klasy"},
        {"Z karty - Ewa", "/second", "Z karty"},
        {"Z karty - Jan", "/third", "Z karty"},
    };
    catalogue.Count = 4;
    VectorKindList list;
    FillKindList(catalogue, list, 7);
    ASSERT_EQ(list.ItemCount(), 3);
    const std::vector<std::pair<int, int>> lineToEntry = {
        {0, 0}, {1, 2}, {2, 3}, {-1, -1}, {3, -1}};
    for (const auto& [line, entry] : lineToEntry)
        EXPECT_EQ(CatalogueEntryOfLine(catalogue, list, line), entry) << line;
    // A list out of step with more lines of a title than entries falls back
    // to the first entry of that title.
    list.Items.push_back("Z karty - Ewa");
    EXPECT_EQ(CatalogueEntryOfLine(catalogue, list, 3), 0);
    list.Items.push_back("gone");
    EXPECT_EQ(CatalogueEntryOfLine(catalogue, list, 4), -1);
}

// --- Moving and removing -------------------------------------------------------

struct MoveRow {
    int From;
    int To;
    std::string Expected;
};

TEST(CatalogueEditing, MoveEntryShiftsTheEntriesBetweenOrDoesNothingOutOfRange) {
    const std::vector<MoveRow> rows = {
        {4, 1, "AEBCD"}, {1, 4, "ACDEB"},  {0, 4, "BCDEA"},  {4, 0, "EABCD"}, {2, 2, "ABCDE"},
        {2, 3, "ABDCE"}, {-1, 2, "ABCDE"}, {2, -1, "ABCDE"}, {5, 0, "ABCDE"}, {0, 5, "ABCDE"},
    };
    for (const MoveRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.From) + " -> " + std::to_string(row.To));
        ReportCatalogue catalogue = Lettered("ABCDE");
        MoveEntry(catalogue, row.From, row.To);
        EXPECT_EQ(Letters(catalogue), row.Expected);
        EXPECT_EQ(catalogue.Count, 5);
        EXPECT_EQ(catalogue.Slots[0].Path, "/r/" + catalogue.Slots[0].Title)
            << "entries move whole";
    }
}

struct RemoveRow {
    int Index;
    std::string Expected;
};

TEST(CatalogueEditing, RemoveEntryDropsOneSlotAndBringsTheCountToTheSlots) {
    const std::vector<RemoveRow> rows = {
        {4, "ABCD"}, {0, "BCDE"}, {2, "ABDE"}, {-1, "ABCDE"}, {5, "ABCDE"},
    };
    for (const RemoveRow& row : rows) {
        SCOPED_TRACE(row.Index);
        ReportCatalogue catalogue = Lettered("ABCDE");
        RemoveEntry(catalogue, row.Index);
        EXPECT_EQ(Letters(catalogue), row.Expected);
        EXPECT_EQ(catalogue.Count, static_cast<int>(row.Expected.size()));
    }
    ReportCatalogue single = Lettered("A");
    RemoveEntry(single, 0);
    EXPECT_TRUE(single.Slots.empty());
    EXPECT_EQ(single.Count, 0);
    RemoveEntry(single, 0);
    EXPECT_EQ(single.Count, 0);
}

} // namespace
} // namespace notarion
