#include "reports/ReportReader.h"

#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace notarion {
namespace {

// A report parsed from UTF-8 text stored as cp1250 bytes.
class Parsed : public XmlDocument {
public:
    explicit Parsed(const std::string& utf8) { LoadFromBytes(Utf8ToCp1250(utf8)); }
};

TEST(ReportText, ReadsPathsBelowSzkolaAndMissingElementsAsEmptyText) {
    Parsed report(
        "<Szkola><Klasa>1a</Klasa><Pasek><IleOsob>1</IleOsob>"
        "<Uczen1>Łucja Ćwik<Srednia>512</Srednia></Uczen1></Pasek><Belfer>€ ☃</Belfer></Szkola>");
    EXPECT_EQ(ReadReportText(report, "klasa"), "1a");
    EXPECT_EQ(ReadReportText(report, "Pasek", "Uczen1"), Utf8ToCp1250("Łucja Ćwik"));
    EXPECT_EQ(ReadReportText(report, "Pasek", "Uczen1", "Srednia"), "512");
    EXPECT_EQ(ReadReportText(report, "Pasek", "Uczen2", "Srednia"), "");
    EXPECT_EQ(ReadReportText(report, "Brak"), "");
    EXPECT_EQ(ReadReportText(report, "Belfer"), "\x80 ?") << "the snowman has no cp1250 byte";
    const int childrenBefore = report.FindChild(u"Szkola")->ChildCount();
    for (int i = 0; i < 1000; ++i)
        ReadReportText(report, "Frekwencja", ("Uczen" + std::to_string(i)).c_str());
    EXPECT_EQ(report.FindChild(u"Szkola")->ChildCount(), childrenBefore)
        << "probing missing elements must not grow the document";
    XmlDocument empty;
    EXPECT_EQ(ReadReportText(empty, "Klasa"), "");
}

struct BadValueRow {
    const char* Name;
    std::string Element;
    bool IsAverage;
    std::string Value;
    BadValue Problem;
    // What a stopping reader names: an average by the fault of its number.
    BadValue Stop;
};

// Each bad value in both policies: a stopping reader names the file, the
// element, the value and the kind of fault; a recording one keeps the same
// facts and goes on with 0.
TEST(ReportReader, BadValueStopsOrIsRecordedWithItsCause) {
    const Parsed report(
        "<Szkola><A><Ile>x1</Ile></A><B><Ile>10001</Ile></B><C><Ile>99999999999</Ile></C>"
        "<D><Ile></Ile></D><Pasek><Uczen1>Ewa<Srednia>4,75</Srednia></Uczen1></Pasek></Szkola>");
    const std::vector<BadValueRow> rows = {
        {"malformed", "A", false, "x1", BadValue::NotWholeNumber, BadValue::NotWholeNumber},
        {"above the loop limit", "B", false, "10001", BadValue::OutOfRange, BadValue::OutOfRange},
        {"beyond 32 bits", "C", false, "99999999999", BadValue::OutOfRange, BadValue::OutOfRange},
        {"empty", "D", false, "", BadValue::Missing, BadValue::Missing},
        {"missing", "E", false, "", BadValue::Missing, BadValue::Missing},
        {"average", "Pasek", true, "4,75", BadValue::AverageNotNumeric, BadValue::NotWholeNumber},
    };
    for (const BadValueRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const auto read = [&row](ReportReader& reader) {
            return row.IsAverage ? reader.Average(row.Element, "Uczen1", "Srednia")
                                 : reader.Count(row.Element, "Ile");
        };
        const std::string element =
            "Szkola/" + row.Element + (row.IsAverage ? "/Uczen1/Srednia" : "/Ile");
        ReportReader stopping(report, "r.xml", OnBadValue::Stop);
        try {
            read(stopping);
            ADD_FAILURE() << "no Failure thrown";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.Cause().Kind, FailureKind::BadValue);
            EXPECT_EQ(failure.Cause().Fault, row.Stop);
            EXPECT_EQ(failure.Cause().File, "r.xml");
            EXPECT_EQ(failure.Cause().Element, element);
            EXPECT_EQ(failure.Cause().Value, row.Value);
        }
        ReportReader recording(report, "r.xml", OnBadValue::Record);
        EXPECT_EQ(read(recording), 0);
        ASSERT_EQ(recording.Findings().size(), 1u);
        EXPECT_EQ(recording.Findings()[0].Problem, row.Problem);
        EXPECT_EQ(recording.Findings()[0].Element, element);
        EXPECT_EQ(recording.Findings()[0].Value, row.Value);
        EXPECT_EQ(recording.Findings()[0].Holder, row.IsAverage ? "Ewa" : "");
    }
}

TEST(ReportReader, NegativeCountStopsNothingButIsRecorded) {
    const Parsed report("<Szkola><A><Ile>-3</Ile></A><B><Ile>$10</Ile></B></Szkola>");
    ReportReader stopping(report, "r.xml", OnBadValue::Stop);
    EXPECT_EQ(stopping.Count("A", "Ile"), -3);
    EXPECT_EQ(stopping.Count("B", "Ile"), 16);
    ReportReader recording(report, "r.xml", OnBadValue::Record);
    EXPECT_EQ(recording.Count("A", "Ile"), -3);
    EXPECT_EQ(recording.Count("B", "Ile"), 16);
    ASSERT_EQ(recording.Findings().size(), 1u);
    EXPECT_EQ(recording.Findings()[0].Problem, BadValue::Negative);
    EXPECT_EQ(recording.Findings()[0].Value, "-3");
}

// A group of numbered elements read one by one: the first of a name wins
// and letter case is ignored, whether the group is small or large enough to
// be indexed, and a missing element reads as empty text.
TEST(ReportReader, NumberedElementsOfSmallAndLargeGroupsReadAsAScanFindsThem) {
    for (const int size : {3, 15, 16, 500}) {
        SCOPED_TRACE(size);
        std::string xml = "<Szkola><G>";
        for (int i = 0; i < size; ++i)
            xml += "<w" + std::to_string(i) + ">line " + std::to_string(i) + "</w" +
                   std::to_string(i) + ">";
        xml += "<W1>later twin</W1><Wąs>ą</Wąs></G></Szkola>";
        const Parsed report(xml);
        const ReportReader reader(report, "r.xml", OnBadValue::Stop);
        for (int i = 0; i < size; ++i)
            ASSERT_EQ(reader.Text("g", "W" + std::to_string(i)), "line " + std::to_string(i));
        EXPECT_EQ(reader.Text("G", "w" + std::to_string(size)), "");
        EXPECT_EQ(reader.Text("G", Utf8ToCp1250("WĄS")), Utf8ToCp1250("ą"));
        EXPECT_EQ(reader.Text("G", "w1", "deeper"), "");
        EXPECT_EQ(reader.Text("G", "w1"), ReadReportText(report, "G", "w1"));
    }
}

// Counts that each pass the loop limit still multiply; their total is held
// to MaxReportLines, the count that passes it is named, and a recording
// reader reads nothing more after it.
TEST(ReportReader, CountsAddingUpBeyondTheReportTotalAreDamage) {
    std::string xml = "<Szkola><U><Ilosc>12</Ilosc>";
    for (int i = 1; i <= 12; ++i)
        xml += "<U" + std::to_string(i) + "><N>10000</N></U" + std::to_string(i) + ">";
    const Parsed report(xml + "</U></Szkola>");
    const auto readAll = [](ReportReader& reader) {
        long long total = reader.Count("U", "Ilosc");
        for (int i = 1; i <= 12; ++i)
            total += reader.Count("U", "U" + std::to_string(i), "N");
        return total;
    };
    ReportReader stopping(report, "r.xml", OnBadValue::Stop);
    try {
        readAll(stopping);
        ADD_FAILURE() << "no Failure thrown";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Cause().Fault, BadValue::TooManyLines);
        EXPECT_EQ(failure.Cause().Element, "Szkola/U/U10/N");
        EXPECT_EQ(failure.Cause().Value, "10000");
    }
    ReportReader recording(report, "r.xml", OnBadValue::Record);
    EXPECT_EQ(readAll(recording), 12 + 9 * 10000) << "the tenth and later counts read as 0";
    ASSERT_EQ(recording.Findings().size(), 1u);
    EXPECT_EQ(recording.Findings()[0].Problem, BadValue::TooManyLines);
    EXPECT_EQ(recording.Findings()[0].Element, "Szkola/U/U10/N");

    const Parsed atTheTotal("<Szkola><A>10000</A><C>-7</C></Szkola>");
    ReportReader fits(atTheTotal, "r.xml", OnBadValue::Stop);
    int total = fits.Count("C");
    for (int i = 0; i < MaxReportLines / MaxLoopCount; ++i)
        total += fits.Count("A");
    EXPECT_EQ(total, MaxReportLines - 7) << "exactly the total is no damage";
}

} // namespace
} // namespace notarion
