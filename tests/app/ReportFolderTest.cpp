#include "app/ReportFolder.h"

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
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
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
    const FolderCatalogue loaded = CatalogueFromFolder(Folder() + "/");
    EXPECT_EQ(loaded.Refusal, FolderRefusal::None);
    EXPECT_EQ(loaded.Message(), u"");
    EXPECT_EQ(loaded.Found, (std::vector<std::string>{Folder() + "/a.xml", Folder() + "/b.xml"}));
    ASSERT_EQ(loaded.Catalogue.Count, 2);
    EXPECT_EQ(loaded.Catalogue.Slots[0].Title, "Z karty - Ala");
    EXPECT_EQ(loaded.Catalogue.Slots[1].Title, "Sprawozdanie dyrektora - Dyr");
}

TEST_F(ReportFolderTest, RefusalsNameTheirCauseWithTheWindowsMessage) {
    const FolderCatalogue empty = CatalogueFromFolder(Folder());
    EXPECT_EQ(empty.Refusal, FolderRefusal::NoReportFiles);
    EXPECT_EQ(empty.Message(), Utf8ToUtf16("Brak plików z danymi we wskazanym folderze.\r"
                                           "Program nie ma co przetwarzać."));

    // A name written in another code page comes back from the search with '?'.
    Write("a.xml", KartaReport);
    Write("karta_\xff.xml", KartaReport);
    const FolderCatalogue unnamed = CatalogueFromFolder(Folder());
    EXPECT_EQ(unnamed.Refusal, FolderRefusal::NameCannotBeOpened);
    EXPECT_EQ(unnamed.File, Folder() + "/karta_?.xml");
    EXPECT_EQ(unnamed.Message(), DamagedFileMessage(unnamed.File));
    EXPECT_EQ(unnamed.Catalogue.Count, 0);
}
