#include "generate/Sections.h"

#include "ExpectedText.h"
#include "reports/ReportCatalogue.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "text/Failure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

using testing::JoinPlain;
using testing::JoinUtf8;
using Lines = std::vector<std::string>;

struct KindFixture {
    const char* File;
    ReportKind Section;
    const char* Kind;
};

const KindFixture KindFixtures[] = {
    {"klasa", ReportKind::Class, "Klasyfikacja klasy"},
    {"zachowanie", ReportKind::Behaviour, "Klasyfikacja klasy z zachowania"},
    {"przedmiot", ReportKind::Subject, "Realizacja programu z przedmiotu nauczania"},
    {"wychowawczy", ReportKind::Tutor, "Realizacja programu wychowawczego"},
    {"dodatkowe", ReportKind::Activity, "Realizacja dodatkowych"},
    {"ndst", ReportKind::FailJustification, "Uzasadnienie oceny niedostatecznej"},
    {"dyrektor", ReportKind::HeadTeacher, "Sprawozdanie dyrektora"},
    {"inne", ReportKind::OtherInfo, "Inne informacje"},
    {"karta", ReportKind::CardHours, "Z karty"},
};

// The cause carried by the Failure that work throws; fails the test when
// nothing is thrown.
template <typename Work> FailureCause CauseOf(Work work) {
    try {
        work();
    } catch (const Failure& failure) {
        return failure.Cause();
    }
    ADD_FAILURE() << "no Failure thrown";
    return {};
}

// A catalogue whose entry 1 is the given report file; entry 0 is another
// report, so a writer that reads the wrong entry shows in the output.
class SectionTest : public ::testing::Test {
protected:
    int AddFixture(const std::string& name) {
        const std::string utf8 = testing::ReadBytes(testing::DataPath("sections/" + name + ".xml"));
        return AddReport(testing::WriteReport(dir.File(name + ".xml"), utf8));
    }
    int AddReport(const std::string& path) {
        catalogue.Slots.push_back({"title " + path, path, "kind"});
        catalogue.Count = static_cast<int>(catalogue.Slots.size());
        return catalogue.Count - 1;
    }
    void SetUp() override {
        AddReport(
            testing::WriteReport(dir.File("other.xml"), testing::ReportXml("Inne informacje", "")));
    }

    testing::TempFolder dir;
    ReportCatalogue catalogue;
    GenerationState state;
};

TEST_F(SectionTest, EachKindWritesItsExpectedLinesInBothModes) {
    for (const auto& kind : KindFixtures) {
        SCOPED_TRACE(kind.File);
        const int index = AddFixture(kind.File);
        for (const auto mode : {SectionMode::ForSet, SectionMode::ForPreview}) {
            const std::string suffix = mode == SectionMode::ForSet ? ".set.txt" : ".preview.txt";
            SCOPED_TRACE(suffix);
            HtmlBuffer buffer;
            AppendLine(buffer, "kept");
            WriteSection(kind.Section, mode, catalogue, index, buffer, state);
            Lines expected{"kept"};
            const Lines file = testing::ReadExpectedLines(
                testing::DataPath("sections/" + std::string(kind.File) + suffix));
            ASSERT_FALSE(file.empty());
            expected.insert(expected.end(), file.begin(), file.end());
            EXPECT_EQ(JoinUtf8(testing::PageLines(buffer)), JoinPlain(expected));
        }
    }
}

TEST_F(SectionTest, ClassSectionsFeedTheListsInBothModes) {
    const int klasa = AddFixture("klasa");
    const int zachowanie = AddFixture("zachowanie");
    for (const auto mode : {SectionMode::ForSet, SectionMode::ForPreview}) {
        HtmlBuffer buffer;
        WriteSection(ReportKind::Class, mode, catalogue, klasa, buffer, state);
        WriteSection(ReportKind::Behaviour, mode, catalogue, zachowanie, buffer, state);
    }
    const std::string sep = "===========";
    const auto twice = [](const Lines& lines) {
        Lines doubled = lines;
        doubled.insert(doubled.end(), lines.begin(), lines.end());
        return JoinPlain(doubled);
    };
    EXPECT_EQ(JoinUtf8(state.AttendanceList.Lines),
              twice({sep, "3b ął", "Jan Kowalski", "Ewa Zając"}));
    EXPECT_EQ(
        JoinUtf8(state.DistinguishedList.Lines),
        twice({sep, "3b ął", "Piotr Wiśniewski - 4,75", "Ola & <b>Ala</b> - 0,05", "Tomasz Bez"}));
    EXPECT_EQ(JoinUtf8(state.FailingList.Lines),
              twice({sep, "3b ął", "Adam Mały - matematyka, fizyka"}));
    EXPECT_EQ(JoinUtf8(state.ExemplaryList.Lines), twice({sep, "2a", "Zofia Kot", "Marek Sęp"}));
    EXPECT_EQ(
        JoinUtf8(state.LoweredBehaviourList.Lines),
        twice({sep, "2a", "Jan Nowak, Piotr Lis - nieodpowiednie", "Kasia Wrona, - poprawne"}));
}

TEST_F(SectionTest, EveryWriterFailsOnAMissingReportFile) {
    const int missing = AddReport(dir.File("usuniety.xml"));
    for (const auto& kind : KindFixtures) {
        SCOPED_TRACE(kind.File);
        HtmlBuffer buffer;
        EXPECT_THROW(
            WriteSection(kind.Section, SectionMode::ForSet, catalogue, missing, buffer, state),
            Failure);
    }
}

TEST_F(SectionTest, EveryWriterFailsOnAnIndexOutsideTheCatalogue) {
    for (const auto& kind : KindFixtures) {
        SCOPED_TRACE(kind.File);
        for (const int index : {-1, catalogue.Count, 1000}) {
            HtmlBuffer buffer;
            EXPECT_THROW(WriteSection(kind.Section, SectionMode::ForPreview, catalogue, index,
                                      buffer, state),
                         Failure);
            EXPECT_TRUE(buffer.Bytes.empty());
        }
    }
}

TEST_F(SectionTest, MissingLineCountFailsWhileMissingTextsPrintEmpty) {
    const int index = AddReport(testing::WriteReport(
        dir.File("bez.xml"), testing::ReportXml("Realizacja programu z przedmiotu nauczania",
                                                "<Ogolne><w0>Linia</w0></Ogolne>")));
    HtmlBuffer buffer;
    const FailureCause cause = CauseOf([&] {
        WriteSection(ReportKind::Subject, SectionMode::ForSet, catalogue, index, buffer, state);
    });
    EXPECT_EQ(cause.Fault, BadValue::Missing);
    EXPECT_EQ(cause.File, catalogue.Slots[static_cast<std::size_t>(index)].Path);
    EXPECT_EQ(cause.Element, "Szkola/Ogolne/IloscWierszy");
    // The lines written before the count stay; the buffer is never saved.
    EXPECT_EQ(JoinUtf8(testing::PageLines(buffer)),
              JoinPlain({"<p align=\"left\">&nbsp;</p>", "<p align=\"left\">",
                         "   <p class=\"N\"><b>Przedmiot: </b> </p>",
                         "   <p class=\"N\"><b>Uczący: </b> </p>",
                         "   <p class=\"N\"><b>Klasy: </b> </p>"}));
}

TEST_F(SectionTest, DamagedReportKeepsWhatWasReadBeforeTheDamage) {
    const int index = AddReport(testing::WriteReport(
        dir.File("uszkodzony.xml"),
        "<Szkola><Doc>Z karty</Doc><Belfer>Ala</Belfer><Info><IloscWierszy>1</IloscWierszy>"
        "<w0>Jedna linia</w0></Info><Nadzor><<<"));
    HtmlBuffer buffer;
    WriteSection(ReportKind::CardHours, SectionMode::ForSet, catalogue, index, buffer, state);
    EXPECT_EQ(
        JoinUtf8(testing::PageLines(buffer)),
        JoinPlain({"<p align=\"left\">&nbsp;</p>", "<p align=\"left\">",
                   "   <p class=\"N\"><b>Nauczyciel: </b> Ala</p>",
                   "   <p class=\"N\"><b>Informacja:</b> </p>", "   Jedna linia<br>", "</p>"}));
}

TEST_F(SectionTest, LineCountAboveTheLimitFails) {
    const int index = AddReport(testing::WriteReport(
        dir.File("duzo.xml"),
        testing::ReportXml("Inne informacje",
                           "<Info><IloscWierszy>2000000000</IloscWierszy></Info>")));
    HtmlBuffer buffer;
    const FailureCause cause = CauseOf([&] {
        WriteSection(ReportKind::OtherInfo, SectionMode::ForSet, catalogue, index, buffer, state);
    });
    EXPECT_EQ(cause.Fault, BadValue::OutOfRange);
    EXPECT_EQ(cause.Element, "Szkola/Info/IloscWierszy");
    EXPECT_EQ(cause.Value, "2000000000");
}

TEST_F(SectionTest, ReportThatCannotBeReadIsNamedAsTheCause) {
    // A folder in place of the report file exists but cannot be read.
    const int index = AddReport(dir.File(""));
    HtmlBuffer buffer;
    const FailureCause cause = CauseOf([&] {
        WriteSection(ReportKind::Class, SectionMode::ForSet, catalogue, index, buffer, state);
    });
    EXPECT_EQ(cause.Kind, FailureKind::UnreadableFile);
    EXPECT_EQ(cause.File, catalogue.Slots[static_cast<std::size_t>(index)].Path);
    EXPECT_NE(cause.SystemError, 0) << "the system's reason is kept";
}

// The catalogue parses every report once and its writer takes that parse;
// a report changed on disk in between is written as it is then.
TEST_F(SectionTest, ReportChangedAfterLoadingIsWrittenAsItIsThen) {
    const auto info = [](const std::string& text) {
        return testing::ReportXml("Inne informacje", "<Info><IloscWierszy>1</IloscWierszy><w0>" +
                                                         text + "</w0></Info>");
    };
    const std::string path = testing::WriteReport(dir.File("zmieniony.xml"), info("przed"));
    const auto written = [&](const ReportCatalogue& loaded) {
        HtmlBuffer buffer;
        WriteSection(ReportKind::OtherInfo, SectionMode::ForSet, loaded, 0, buffer, state);
        return testing::PageLines(buffer);
    };
    ReportCatalogue loaded;
    ASSERT_FALSE(BuildCatalogue(loaded, {path}));
    ASSERT_EQ(loaded.Parsed.Count(), 1u);
    const auto unchanged = written(loaded);
    EXPECT_EQ(loaded.Parsed.Count(), 0u);

    ASSERT_FALSE(BuildCatalogue(loaded, {path}));
    testing::WriteReport(path, info("po zmianie"));
    const auto changed = written(loaded);
    ReportCatalogue fresh;
    ASSERT_FALSE(BuildCatalogue(fresh, {path}));
    fresh.Parsed.Clear();
    EXPECT_EQ(changed, written(fresh));
    EXPECT_NE(changed, unchanged);

    ASSERT_FALSE(BuildCatalogue(loaded, {path}));
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    HtmlBuffer buffer;
    EXPECT_EQ(CauseOf([&] {
                  WriteSection(ReportKind::OtherInfo, SectionMode::ForSet, loaded, 0, buffer,
                               state);
              }).Kind,
              FailureKind::UnreadableFile);
}

TEST(SectionKindOf, ChoosesByTheExactKindText) {
    for (const auto& kind : KindFixtures)
        EXPECT_EQ(SectionKindOf(kind.Kind), kind.Section) << kind.Kind;
    for (const char* other :
         {"", "klasyfikacja klasy", "Klasyfikacja klasy ", "Realizacja zajęć dodatkowych"})
        EXPECT_EQ(SectionKindOf(other), ReportKind::OtherInfo) << other;
}

} // namespace
} // namespace notarion
