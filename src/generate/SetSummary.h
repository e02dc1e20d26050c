#pragma once

// The council's figures at a glance: per class, in the order the set holds
// the classes, the counts of its class report and its behaviour report; then
// the school's totals and what share of the classified students were
// promoted, distinguished, fully present and failing. The figures are read
// through the ReportReader the document writers use, so a count means here
// what it means in the documents. The page "Zestawienie wyników
// klasyfikacji" shows them beside the fourteen documents of the set; the
// command line prints them as a table, JSON or CSV from the same columns.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

struct ReportCatalogue;

// The columns of the summary, in the order every form of it shows them.
enum class SummaryColumn {
    Classified,
    Promoted,
    NotPromoted,
    Distinguished,
    DistinguishedAverage,
    Attendance,
    Failing,
    BehaviourClassified,
    Exemplary,
    Lowered,
};

inline constexpr int SummaryColumnCount = 10;

// What is fixed for one column. Texts are UTF-8.
struct SummaryColumnInfo {
    SummaryColumn Column;
    // The heading of the page, with soft hyphens where its long words may
    // break in a narrow column (WithoutSoftHyphens for the other forms).
    std::string_view Heading;
    // The heading of the terminal's narrow table.
    std::string_view Short;
    // The name in JSON.
    std::string_view Key;
    // Filled from the behaviour report; else from the class report.
    bool FromBehaviourReport;
    // The totals give its share of the classified students.
    bool HasShare;
};

// The ten columns in order.
const std::array<SummaryColumnInfo, SummaryColumnCount>& SummaryColumns();

// A heading or a label (UTF-8) without its soft hyphens, as the CSV, the
// terminal and the notes show it.
std::string WithoutSoftHyphens(std::string_view utf8);

enum class FigureState {
    // A whole number, in Value.
    Number,
    // The report holds something else (free text, a damaged or negative
    // count); Text keeps it as written, and the totals leave it out.
    AsWritten,
    // The class has no report of the kind that holds the column.
    NoReport,
    // Nothing to show: a difference with a side that is no number, an
    // average of no averages.
    None,
};

// One cell of the summary. Text is cp1250.
struct Figure {
    FigureState State = FigureState::NoReport;
    // A count, or an average in hundredths.
    long long Value = 0;
    std::string Text;
    bool IsNumber() const { return State == FigureState::Number; }
};

// The figures of one class, or the school's totals.
struct ClassFigures {
    // The class as its first report writes it, blanks trimmed (cp1250).
    std::string Class;
    std::array<Figure, SummaryColumnCount> Figures;
    // The averages the documents print (above 4 hundredths) of the
    // distinguished students: their sum and their number.
    long long AverageSum = 0;
    int AverageCount = 0;

    Figure& operator[](SummaryColumn column) { return Figures[static_cast<std::size_t>(column)]; }
    const Figure& operator[](SummaryColumn column) const {
        return Figures[static_cast<std::size_t>(column)];
    }
};

struct SetSummary {
    // The classes named by a class or behaviour report, in catalogue order
    // of their first report; letter case and extra blanks do not make a
    // second class.
    std::vector<ClassFigures> Classes;
    // The sums of the columns over the classes where they are numbers.
    ClassFigures Totals;
    // The same sums over the classes whose classified count is a number:
    // only their students have a share of the classified students.
    ClassFigures ShareTotals;
    // What the reader should know of the table: values left out of the
    // totals, second reports of one class. Texts are cp1250.
    std::vector<std::string> Notes;
};

// The figures of the class and behaviour reports of catalogue. A value that
// is no whole number is kept as written and noted; a second report of a kind
// for one class is noted and left out. Throws Failure (an UnreadableFile
// cause naming it) when a report file exists but cannot be read.
SetSummary SummariseSet(const ReportCatalogue& catalogue);

// The share of column among the classified students in tenths of a percent,
// rounded half up; none for a column without a share or when no student
// counts as classified.
std::optional<long long> ShareTenths(const SetSummary& summary, SummaryColumn column);

// A cell as the page and the CSV show it (cp1250): a number, an average or a
// share with separator ("4,87"), the value as written, "brak sprawozdania",
// or "–" for nothing to show.
std::string FigureText(const Figure& figure, SummaryColumn column, std::string_view separator);
std::string ShareText(std::optional<long long> tenths, std::string_view separator);

// The page's heading and the title the viewer lists it under (UTF-8).
inline constexpr std::string_view SummaryTitle = "Zestawienie wyników klasyfikacji";
// The file name of the page inside the output folder of the set.
inline constexpr std::string_view SummaryFileName = "Zestawienie.htm";
// The labels of the first column: its heading, the totals and the shares
// (UTF-8, soft hyphens as in the headings).
inline constexpr std::string_view ClassLabel = "Klasa";
inline constexpr std::string_view TotalsLabel = "Razem";
inline constexpr std::string_view SharesLabel = "Odsetek klasyfi\u00ADkowa\u00ADnych";
// What a class without a report of a kind shows in that kind's columns (UTF-8).
inline constexpr std::string_view NoReportText = "brak sprawozdania";

// Write the page of summary at path in the documents' page frame, averages
// and shares with separator. Throws Failure when the file cannot be written.
void WriteSummaryDocument(const SetSummary& summary, std::string_view separator,
                          const std::string& path);

} // namespace notarion
