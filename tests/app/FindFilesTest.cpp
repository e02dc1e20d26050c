#include "app/StartOfWork.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class FindFilesTest : public ::testing::Test {
protected:
    void Touch(const std::string& name) { std::ofstream(m_temp.PathOf(name)) << "x"; }
    std::string Folder() const { return m_folder.string(); }
    notarion::testing::TempFolder m_temp;
    const fs::path& m_folder = m_temp.Path();
};

} // namespace

TEST_F(FindFilesTest, MatchesWithoutRegardToCaseInNameOrderAndSkipsFolders) {
    for (const char* name : {"b.xml", "RAPORT.XML", "a.Xml", "c.txt", "d.xmlx", "Ab.xml"})
        Touch(name);
    fs::create_directory(m_folder / "katalog.xml");
    std::vector<std::string> found{"/earlier/entry.xml"};
    EXPECT_TRUE(FindFiles(m_temp.File("*.xml"), "", found).empty());
    const std::string f = m_temp.File("");
    EXPECT_EQ(found, (std::vector<std::string>{"/earlier/entry.xml", f + "a.Xml", f + "Ab.xml",
                                               f + "b.xml", f + "RAPORT.XML"}));
}

TEST_F(FindFilesTest, NamesEqualIgnoringCaseAreOrderedByTheirBytes) {
    Touch("klasa.xml");
    Touch("KLASA.xml");
    if (fs::equivalent(m_folder / "klasa.xml", m_folder / "KLASA.xml"))
        GTEST_SKIP() << "this file system takes the two names for one file (Windows)";
    std::vector<std::string> found;
    EXPECT_TRUE(FindFiles(m_temp.File("*"), ".xml", found).empty());
    const std::string f = m_temp.File("");
    EXPECT_EQ(found, (std::vector<std::string>{f + "KLASA.xml", f + "klasa.xml"}));
}

TEST_F(FindFilesTest, NoMatchLeavesTheListUnchanged) {
    fs::create_directory(m_folder / "tylko_folder.xml");
    std::vector<std::string> found{"x"};
    EXPECT_TRUE(FindFiles(m_temp.File("*.xml"), "", found).empty());
    EXPECT_TRUE(FindFiles(m_temp.File("brak/*.xml"), "", found).empty());
    EXPECT_EQ(found, std::vector<std::string>{"x"});
}

TEST_F(FindFilesTest, AReportWhoseNameTheCodePageCannotSpellIsHandedBackNotUsedTwice) {
    // "Ив.xml" is spelt "??.xml" in the code page, the name of another file
    // where a name may hold '?' (not on Windows).
    Touch("??.xml");
    Touch("Ив.xml");
    Touch("Łódź.xml");
    std::vector<std::string> found;
    const std::vector<std::string> unusable = FindFiles(m_temp.File("*.xml"), "", found);
    const std::string f = m_temp.File("");
    std::vector<std::string> expected{f + "\xA3\xF3"
                                          "d\x9F.xml"};
    if (fs::exists(m_folder / "??.xml"))
        expected.insert(expected.begin(), f + "??.xml");
    EXPECT_EQ(found, expected);
    // Named as the file system holds it: its spelling would name the other file.
    EXPECT_EQ(unusable, std::vector<std::string>{f + "Ив.xml"});
}
