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
    ValueProblem Problem;
    FailureKind Stop;
};

// Each bad value in both policies: a stopping reader names the file, the
// element, the value and the kind of fault; a recording one keeps the same
// facts and goes on with 0.
TEST(ReportReader, BadValueStopsOrIsRecordedWithItsCause) {
    const Parsed report(
        "<Szkola><A><Ile>x1</Ile></A><B><Ile>10001</Ile></B><C><Ile>99999999999</Ile></C>"
        "<D><Ile></Ile></D><Pasek><Uczen1>Ewa<Srednia>4,75</Srednia></Uczen1></Pasek></Szkola>");
    const std::vector<BadValueRow> rows = {
        {"malformed", "A", false, "x1", ValueProblem::CountNotWholeNumber, FailureKind::NotANumber},
        {"above the loop limit", "B", false, "10001", ValueProblem::CountOutOfRange,
         FailureKind::NumberOutOfRange},
        {"beyond 32 bits", "C", false, "99999999999", ValueProblem::CountOutOfRange,
         FailureKind::NumberOutOfRange},
        {"empty", "D", false, "", ValueProblem::MissingCount, FailureKind::MissingNumber},
        {"missing", "E", false, "", ValueProblem::MissingCount, FailureKind::MissingNumber},
        {"average", "Pasek", true, "4,75", ValueProblem::AverageNotNumeric,
         FailureKind::NotANumber},
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
            EXPECT_EQ(failure.Cause().Kind, row.Stop);
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
    EXPECT_EQ(recording.Findings()[0].Problem, ValueProblem::NegativeCount);
    EXPECT_EQ(recording.Findings()[0].Value, "-3");
}

} // namespace
} // namespace notarion
