#include "app/ReportFolder.h"

#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class ReportFolderTest : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_temp.PathOf(name), std::ios::binary) << bytes;
    }
    std::string Folder() const { return m_folder.string(); }
    notarion::testing::TempFolder m_temp;
    const fs::path& m_folder = m_temp.Path();
};

const std::string KartaReport =
    "<Szkola><Doc>Z karty</Doc><Belfer>Ala</Belfer><Info><IloscWierszy>0</IloscWierszy>"
    "</Info></Szkola>";

} // namespace

TEST_F(ReportFolderTest, LoadsEveryReportOrderedByKind) {
    Write("b.xml", KartaReport);
    Write("a.xml", "<Szkola><Doc>Sprawozdanie dyrektora</Doc><Belfer>Dyr</Belfer></Szkola>");
    Write("notatka.txt", "x");
    const FolderCatalogue loaded = CatalogueFromFolder(Folder() + PathSeparator);
    EXPECT_EQ(loaded.Refusal, FolderRefusal::None);
    EXPECT_EQ(loaded.Message(), u"");
    EXPECT_EQ(loaded.Found, (std::vector<std::string>{m_temp.File("a.xml"), m_temp.File("b.xml")}));
    ASSERT_EQ(loaded.Catalogue.Count, 2);
    EXPECT_EQ(loaded.Catalogue.Slots[0].Title, "Z karty - Ala");
    EXPECT_EQ(loaded.Catalogue.Slots[1].Title, "Sprawozdanie dyrektora - Dyr");
}

TEST_F(ReportFolderTest, RefusalsNameTheirCauseWithTheWindowsMessage) {
    const FolderCatalogue empty = CatalogueFromFolder(Folder());
    EXPECT_EQ(empty.Refusal, FolderRefusal::NoReportFiles);
    EXPECT_EQ(empty.Message(), Utf8ToUtf16("Brak plików z danymi we wskazanym folderze.\r"
                                           "Program nie ma co przetwarzać."));

    // A name with letters Windows-1250 lacks comes back from the search
    // with '?'; when it is all the folder holds, nothing is left to load.
    Write("karta_Ив.xml", KartaReport);
    const FolderCatalogue unnamed = CatalogueFromFolder(Folder());
    EXPECT_EQ(unnamed.Refusal, FolderRefusal::NameCannotBeOpened);
    EXPECT_EQ(unnamed.File, m_temp.File("karta_??.xml"));
    EXPECT_EQ(unnamed.Message(),
              Utf8ToUtf16("Nazwa pliku zawiera znak, którego program nie może użyć: " +
                          m_temp.File("karta_Ив.xml") +
                          "\rZmień nazwę pliku i wskaż folder jeszcze raz."));
    EXPECT_EQ(unnamed.Notice(), u"");
    EXPECT_EQ(unnamed.Catalogue.Count, 0);
}

TEST_F(ReportFolderTest, AnUnusableNameIsNamedAndTheRestOfTheFolderLoaded) {
    Write("a.xml", KartaReport);
    Write("Mu\xc3\xb1oz.xml", KartaReport);
    const FolderCatalogue loaded = CatalogueFromFolder(Folder());
    EXPECT_EQ(loaded.Refusal, FolderRefusal::None);
    EXPECT_EQ(loaded.Message(), u"");
    EXPECT_EQ(loaded.Unusable, std::vector<std::string>{m_temp.File("Mu\xc3\xb1oz.xml")});
    ASSERT_EQ(loaded.Catalogue.Count, 1);
    EXPECT_EQ(loaded.Catalogue.Slots[0].Path, m_temp.File("a.xml"));
    EXPECT_EQ(loaded.Notice(), UnusableNamesMessage(loaded.Unusable) +
                                   u"\rPozostałe pliki folderu zostały wczytane.");
}

TEST_F(ReportFolderTest, AListedReportFoundNowhereIsTakenOutAndNamed) {
    // The list was saved in /stara/szkola; the school now lies in this folder
    // under another name, with one report lost on the way.
    Write("a.xml", KartaReport);
    const std::string list = m_temp.File("lista.xmp");
    const auto old = [](const char* path) { return notarion::testing::WithNativeSeparators(path); };
    Write("lista.xmp", "<Naglowki><IlePozycji>3</IlePozycji>"
                       "<Pozycja0><Tresc>A</Tresc><Adres>" +
                           old("/stara/szkola/a.xml") +
                           "</Adres><Typ>Z karty</Typ></Pozycja0>"
                           "<Pozycja1><Tresc>B</Tresc><Adres>" +
                           old("/stara/szkola/b.xml") +
                           "</Adres><Typ>Z karty</Typ></Pozycja1>"
                           "<Pozycja2><Tresc>C</Tresc><Adres>" +
                           old("/stara/c.xml") +
                           "</Adres><Typ>Z karty</Typ></Pozycja2></Naglowki>");
    const Result<ListCatalogue> opened = CatalogueFromListFile(list);
    ASSERT_TRUE(opened);
    const ListCatalogue& read = opened.Value();
    ASSERT_EQ(read.Catalogue.Count, 1);
    EXPECT_EQ(read.Catalogue.Slots.size(), 1u);
    EXPECT_EQ(read.Catalogue.Slots[0].Path, m_temp.File("a.xml"));
    EXPECT_EQ(read.Missing,
              (std::vector<std::string>{old("/stara/szkola/b.xml"), old("/stara/c.xml")}));
    EXPECT_EQ(read.Notice(), u"Nie znaleziono plików: " +
                                 Cp1250ToUtf16(old("/stara/szkola/b.xml")) + u", " +
                                 Cp1250ToUtf16(old("/stara/c.xml")) +
                                 u"\rNie ma ich też w folderze pliku listy: " +
                                 Cp1250ToUtf16(m_temp.Text()) + u".");

    Write("lista.xmp", "<Naglowki><IlePozycji>1</IlePozycji><Pozycja0><Adres>" +
                           m_temp.File("a.xml") + "</Adres></Pozycja0></Naglowki>");
    EXPECT_EQ(CatalogueFromListFile(list).Value().Notice(), u"") << "nothing missing, nothing said";
}

TEST_F(ReportFolderTest, AListFileThatCannotBeReadIsNamedWithItsCause) {
    const std::u16string fixed = ListFileUnreadableMessage() + u"\rPlik: ";
    const std::string missing = m_temp.File("brak.xmp");
    const Result<ListCatalogue> none = CatalogueFromListFile(missing);
    ASSERT_FALSE(none);
    EXPECT_EQ(ListFileUnreadableMessage(none.Cause(), missing),
              fixed + Cp1250ToUtf16(missing) + u"\rNie można odczytać pliku.");

    Write("zla.xmp", "<Naglowki><IlePozycji>trzy</IlePozycji></Naglowki>");
    const std::string bad = m_temp.File("zla.xmp");
    EXPECT_EQ(ListFileUnreadableMessage(CatalogueFromListFile(bad).Cause(), bad),
              fixed + Cp1250ToUtf16(bad) +
                  u"\rNaglowki/IlePozycji: „trzy” nie jest liczbą całkowitą.");
    // A cause that names nothing (memory ran out) still leaves the list's name.
    EXPECT_EQ(ListFileUnreadableMessage(FailureCause{}, bad), fixed + Cp1250ToUtf16(bad));
}
