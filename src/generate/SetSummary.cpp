#include "generate/SetSummary.h"

#include "generate/HtmlPage.h"
#include "generate/Sections.h"
#include "reports/ComparableText.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "reports/WholeNumber.h"
#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <map>

namespace notarion {
namespace {

using Column = SummaryColumn;

// Where a long word of a heading may break in the page's narrow columns.
constexpr std::string_view SoftHyphen = "\u00AD";

Figure Number(long long value) {
    return {FigureState::Number, value, {}};
}

Figure AsWritten(std::string text) {
    return {FigureState::AsWritten, 0, std::move(text)};
}

// The classified and promoted counts are free text in a report: a whole
// number of students, or whatever the tutor wrote instead.
Figure FreeTextFigure(const ReportReader& report, std::string_view element) {
    std::string text = Trimmed(report.Text(element));
    const WholeNumber number = ParseWholeNumber(text);
    if (number && number.Value >= 0)
        return Number(number.Value);
    return AsWritten(std::move(text));
}

// A count the documents loop over, read as they read it; a count the reader
// finds bad (damaged, missing, negative) is kept as written.
Figure CountFigure(ReportReader& report, std::string_view group, std::string_view element,
                   int& count) {
    const std::size_t before = report.Findings().size();
    count = report.Count(group, element);
    if (report.Findings().size() != before) {
        count = 0;
        return AsWritten(Trimmed(report.Text(group, element)));
    }
    return Number(count);
}

void ReadClassReport(ReportReader& report, ClassFigures& figures) {
    figures[Column::Classified] = FreeTextFigure(report, "Klasyfikowanych");
    figures[Column::Promoted] = FreeTextFigure(report, "Promowanych");
    figures[Column::NotPromoted] = {};
    figures[Column::NotPromoted].State = FigureState::None;
    if (figures[Column::Classified].IsNumber() && figures[Column::Promoted].IsNumber()) {
        figures[Column::NotPromoted] =
            Number(figures[Column::Classified].Value - figures[Column::Promoted].Value);
    }
    int count = 0;
    figures[Column::Distinguished] = CountFigure(report, "Pasek", "IleOsob", count);
    for (int i = 1; i <= count; ++i) {
        const std::size_t before = report.Findings().size();
        const int average = report.Average("Pasek", NumberedName("Uczen", i), "Srednia");
        // The lists leave out an average of 4 hundredths or less: it means
        // that none was given, and so does the mean.
        if (report.Findings().size() == before && average > 4) {
            figures.AverageSum += average;
            ++figures.AverageCount;
        }
    }
    figures[Column::Attendance] = CountFigure(report, "Frekwencja", "IleOsob", count);
    figures[Column::Failing] = CountFigure(report, "Ndst", "IleOsob", count);
}

void ReadBehaviourReport(ReportReader& report, ClassFigures& figures) {
    figures[Column::BehaviourClassified] = FreeTextFigure(report, "Klasyfikowanych");
    int count = 0;
    figures[Column::Exemplary] = CountFigure(report, "Wzorowi", "IleOsob", count);
    figures[Column::Lowered] = CountFigure(report, "Obnizone", "Ilosc", count);
    // One justification may name several students, separated by commas.
    long long students = 0;
    for (int i = 1; i <= count; ++i) {
        students += static_cast<long long>(
            CommaSeparated(report.Text("Obnizone", NumberedName("Uzasadnienie", i), "Osoba"))
                .size());
    }
    if (figures[Column::Lowered].IsNumber())
        figures[Column::Lowered].Value = students;
}

// The mean of the averages, or nothing to show when there are none; the
// mean of a class with no class report stays NoReport.
void SetAverage(ClassFigures& figures) {
    Figure& average = figures[Column::DistinguishedAverage];
    if (figures.AverageCount > 0)
        average =
            Number((figures.AverageSum * 2 + figures.AverageCount) / (2LL * figures.AverageCount));
    else
        average.State = FigureState::None;
}

const std::string& NoReportCp1250() {
    static const std::string text = Utf8ToCp1250(NoReportText);
    return text;
}

std::string WithSeparator(long long value, int digits, std::string_view separator) {
    const bool negative = value < 0;
    std::string text = std::to_string(negative ? -value : value);
    if (text.size() <= static_cast<std::size_t>(digits))
        text.insert(0, static_cast<std::size_t>(digits) + 1 - text.size(), '0');
    text.insert(text.size() - static_cast<std::size_t>(digits), separator);
    return negative ? "-" + text : text;
}

// The notes on the values of one class that the totals leave out.
void NoteValuesLeftOut(const ClassFigures& figures, std::vector<std::string>& notes) {
    for (const SummaryColumnInfo& info : SummaryColumns()) {
        const Figure& figure = figures[info.Column];
        if (figure.State != FigureState::AsWritten)
            continue;
        notes.push_back(Utf8ToCp1250("Klasa ") + figures.Class + ", " +
                        Utf8ToCp1250(WithoutSoftHyphens(info.Heading) + ": „") + figure.Text +
                        Utf8ToCp1250("” nie jest liczbą uczniów; tej wartości nie wliczono do "
                                     "sum i odsetków."));
    }
}

void AddToTotals(const ClassFigures& figures, ClassFigures& totals) {
    for (const SummaryColumnInfo& info : SummaryColumns()) {
        if (info.Column != Column::DistinguishedAverage && figures[info.Column].IsNumber())
            totals[info.Column].Value += figures[info.Column].Value;
    }
    totals.AverageSum += figures.AverageSum;
    totals.AverageCount += figures.AverageCount;
}

ClassFigures ZeroTotals() {
    ClassFigures totals;
    for (Figure& figure : totals.Figures)
        figure = Number(0);
    return totals;
}

} // namespace

const std::array<SummaryColumnInfo, SummaryColumnCount>& SummaryColumns() {
    static const std::array<SummaryColumnInfo, SummaryColumnCount> columns = {{
        {Column::Classified, "Klasyfi\u00ADkowa\u00ADnych", "Klas.", "klasyfikowanych", false,
         false},
        {Column::Promoted, "Promo\u00ADwanych", "Prom.", "promowanych", false, true},
        {Column::NotPromoted, "Niepro\u00ADmowa\u00ADnych", "Nieprom.", "niepromowanych", false,
         false},
        {Column::Distinguished, "Z wyróż\u00ADnieniem", "Wyróżn.", "wyroznionych", false, true},
        {Column::DistinguishedAverage, "Średnia wyróż\u00ADnionych", "Średnia",
         "srednia_wyroznionych", false, false},
        {Column::Attendance, "Ze stupro\u00ADcentową frekwen\u00ADcją", "Frekw.", "frekwencja_100",
         false, true},
        {Column::Failing, "Z ocenami niedosta\u00ADtecz\u00ADnymi", "Ndst", "z_ocenami_ndst", false,
         true},
        {Column::BehaviourClassified, "Klasyfi\u00ADkowa\u00ADnych z zacho\u00ADwania",
         "Zach. klas.", "klasyfikowanych_z_zachowania", true, false},
        {Column::Exemplary, "Z zacho\u00ADwaniem wzoro\u00ADwym", "Wzorowe", "zachowanie_wzorowe",
         true, false},
        {Column::Lowered, "Z obni\u00ADżonym zacho\u00ADwaniem", "Obniżone", "zachowanie_obnizone",
         true, false},
    }};
    return columns;
}

std::string WithoutSoftHyphens(std::string_view utf8) {
    std::string text(utf8);
    for (std::size_t at; (at = text.find(SoftHyphen)) != std::string::npos;)
        text.erase(at, SoftHyphen.size());
    return text;
}

SetSummary SummariseSet(const ReportCatalogue& catalogue) {
    SetSummary summary;
    std::map<std::u16string, std::size_t> classIndex;
    // Which kinds each class already has: a second report of a kind is noted.
    std::vector<std::array<bool, 2>> seen;
    const int count = std::min(catalogue.Count, static_cast<int>(catalogue.Slots.size()));
    for (int i = 0; i < count; ++i) {
        const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(i)];
        const std::optional<ReportKind> kind = KindOf(entry.Kind);
        if (kind != ReportKind::Class && kind != ReportKind::Behaviour)
            continue;
        const std::unique_ptr<XmlDocument> document = LoadEntryReport(catalogue, i);
        ReportReader report(*document, entry.Path, OnBadValue::Record);
        const std::string name = Trimmed(report.Text("Klasa"));
        const auto [place, added] =
            classIndex.emplace(ComparableText(name), summary.Classes.size());
        if (added) {
            summary.Classes.emplace_back().Class = name;
            seen.push_back({false, false});
        }
        ClassFigures& figures = summary.Classes[place->second];
        const std::size_t side = kind == ReportKind::Class ? 0 : 1;
        if (seen[place->second][side]) {
            summary.Notes.push_back(Utf8ToCp1250("Klasa ") + figures.Class +
                                    Utf8ToCp1250(": drugie sprawozdanie „") + entry.Kind +
                                    Utf8ToCp1250("” (plik ") + entry.Path +
                                    Utf8ToCp1250(") pominięto; liczy się pierwsze."));
            continue;
        }
        seen[place->second][side] = true;
        if (kind == ReportKind::Class)
            ReadClassReport(report, figures);
        else
            ReadBehaviourReport(report, figures);
    }

    summary.Totals = ZeroTotals();
    summary.ShareTotals = ZeroTotals();
    for (ClassFigures& figures : summary.Classes) {
        if (seen[static_cast<std::size_t>(&figures - summary.Classes.data())][0])
            SetAverage(figures);
        NoteValuesLeftOut(figures, summary.Notes);
        AddToTotals(figures, summary.Totals);
        if (figures[Column::Classified].IsNumber())
            AddToTotals(figures, summary.ShareTotals);
    }
    SetAverage(summary.Totals);
    return summary;
}

std::optional<long long> ShareTenths(const SetSummary& summary, SummaryColumn column) {
    const auto& info = SummaryColumns()[static_cast<std::size_t>(column)];
    const long long base = summary.ShareTotals[Column::Classified].Value;
    if (!info.HasShare || base <= 0)
        return std::nullopt;
    return (summary.ShareTotals[column].Value * 2000 + base) / (2 * base);
}

std::string FigureText(const Figure& figure, SummaryColumn column, std::string_view separator) {
    switch (figure.State) {
    case FigureState::Number:
        if (column == Column::DistinguishedAverage)
            return WithSeparator(figure.Value, 2, separator);
        return std::to_string(figure.Value);
    case FigureState::AsWritten:
        return figure.Text;
    case FigureState::NoReport:
        return NoReportCp1250();
    case FigureState::None:
        break;
    }
    return "\x96";
}

std::string ShareText(std::optional<long long> tenths, std::string_view separator) {
    return tenths ? WithSeparator(*tenths, 1, separator) + "%" : std::string("\x96");
}

namespace {

std::string Cell(std::string_view text, std::string_view attributes = {}) {
    std::string cell = "<td class=\"M\"";
    if (!attributes.empty())
        cell.append(" ").append(attributes);
    return cell.append(">").append(text).append("</td>");
}

// The columns of one report kind: the class report's or the behaviour report's.
std::vector<SummaryColumnInfo> ColumnsOf(bool behaviour) {
    std::vector<SummaryColumnInfo> columns;
    for (const SummaryColumnInfo& info : SummaryColumns())
        if (info.FromBehaviourReport == behaviour)
            columns.push_back(info);
    return columns;
}

// The cells of one row over columns of one kind: a class without that
// kind's report gets one wide cell instead.
void AddFigureRow(HtmlBuffer& page, const std::vector<SummaryColumnInfo>& columns,
                  const ClassFigures& figures, std::string_view label, std::string_view separator) {
    AppendLine(page, "<tr>");
    AppendLine(page, Cell(label));
    if (figures[columns.front().Column].State == FigureState::NoReport) {
        AppendLine(page, Cell(NoReportCp1250(), "align=\"center\" colspan=\"" +
                                                    std::to_string(columns.size()) + "\""));
    } else {
        for (const SummaryColumnInfo& info : columns)
            AppendLine(page, Cell(FigureText(figures[info.Column], info.Column, separator),
                                  "align=\"right\""));
    }
    AppendLine(page, "</tr>");
}

// One table: the classes, the totals and, where the columns have them, the
// shares of the classified students.
void AddFigureTable(HtmlBuffer& page, const SetSummary& summary, bool behaviour,
                    std::string_view separator) {
    const std::vector<SummaryColumnInfo> columns = ColumnsOf(behaviour);
    AppendLine(page, "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    // A table longer than a page repeats its heading row on each printed page.
    AppendLine(page, "<thead><tr>");
    AppendLine(page, Cell("<b>" + std::string(ClassLabel) + "</b>"));
    for (const SummaryColumnInfo& info : columns)
        AppendLine(page, Cell("<b>" + Utf8ToCp1250(info.Heading) + "</b>", "align=\"center\""));
    AppendLine(page, "</tr></thead>");
    for (const ClassFigures& figures : summary.Classes)
        AddFigureRow(page, columns, figures, figures.Class, separator);
    AddFigureRow(page, columns, summary.Totals, "<b>" + std::string(TotalsLabel) + "</b>",
                 separator);
    if (std::any_of(columns.begin(), columns.end(),
                    [](const SummaryColumnInfo& info) { return info.HasShare; })) {
        AppendLine(page, "<tr>");
        AppendLine(page, Cell("<b>" + Utf8ToCp1250(SharesLabel) + "</b>"));
        for (const SummaryColumnInfo& info : columns) {
            const std::optional<long long> share = ShareTenths(summary, info.Column);
            AppendLine(page, Cell(info.HasShare ? ShareText(share, separator) : std::string(),
                                  "align=\"right\""));
        }
        AppendLine(page, "</tr>");
    }
    AppendLine(page, "</table>");
    // A line below the table keeps its bottom edge inside the page's laid
    // out height, where the set's PDF looks for everything it prints.
    AddSpacer(page);
}

} // namespace

void WriteSummaryDocument(const SetSummary& summary, std::string_view separator,
                          const std::string& path) {
    HtmlBuffer page;
    BeginPage(page);
    AddHeading(page, Utf16ToCp1250(UpperCase(Utf8ToUtf16(SummaryTitle))));
    // Ten columns do not fit the width of a printed page: the figures of the
    // class reports and those of the behaviour reports get a table each.
    AddBoldLine(page, Utf8ToCp1250("Klasyfikacja klas"));
    AddFigureTable(page, summary, false, separator);
    AddBoldLine(page, Utf8ToCp1250("Klasyfikacja klas z zachowania"));
    AddFigureTable(page, summary, true, separator);
    if (!summary.Notes.empty()) {
        OpenParagraph(page);
        for (const std::string& note : summary.Notes)
            AddTextLine(page, note);
        CloseParagraph(page);
    }
    EndPage(page);
    SaveBuffer(page, path);
}

} // namespace notarion
