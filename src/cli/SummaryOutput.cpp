#include "cli/SummaryOutput.h"

#include "cli/TerminalText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace notarion {
namespace {

using Json = nlohmann::ordered_json;

// A cell as the page shows it, in UTF-8.
std::string CellText(const Figure& figure, SummaryColumn column) {
    return TerminalText(FigureText(figure, column, ","));
}

// The characters of UTF-8 text, for the widths of the terminal's columns.
std::size_t Width(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The rows of the table in UTF-8: the classes, the totals and the shares,
// each led by its label.
std::vector<std::vector<std::string>> Rows(const SetSummary& summary) {
    std::vector<std::vector<std::string>> rows;
    const auto figureRow = [&](const ClassFigures& figures, std::string label) {
        std::vector<std::string> row = {std::move(label)};
        for (const SummaryColumnInfo& info : SummaryColumns())
            row.push_back(CellText(figures[info.Column], info.Column));
        rows.push_back(std::move(row));
    };
    for (const ClassFigures& figures : summary.Classes)
        figureRow(figures, TerminalText(figures.Class));
    figureRow(summary.Totals, std::string(TotalsLabel));
    std::vector<std::string> shares = {WithoutSoftHyphens(SharesLabel)};
    for (const SummaryColumnInfo& info : SummaryColumns()) {
        shares.push_back(info.HasShare
                             ? TerminalText(ShareText(ShareTenths(summary, info.Column), ","))
                             : std::string());
    }
    rows.push_back(std::move(shares));
    return rows;
}

Json FigureJson(const Figure& figure, SummaryColumn column) {
    switch (figure.State) {
    case FigureState::Number:
        if (column == SummaryColumn::DistinguishedAverage)
            return static_cast<double>(figure.Value) / 100.0;
        return figure.Value;
    case FigureState::AsWritten:
        return TerminalText(figure.Text);
    case FigureState::NoReport:
    case FigureState::None:
        break;
    }
    return nullptr;
}

Json FiguresJson(const ClassFigures& figures) {
    Json object;
    for (const SummaryColumnInfo& info : SummaryColumns())
        object[std::string(info.Key)] = FigureJson(figures[info.Column], info.Column);
    return object;
}

// Whether the class has a report of the kind that fills the columns.
bool HasReport(const ClassFigures& figures, bool behaviour) {
    for (const SummaryColumnInfo& info : SummaryColumns()) {
        if (info.FromBehaviourReport == behaviour &&
            figures[info.Column].State != FigureState::NoReport)
            return true;
    }
    return false;
}

// A CSV field, quoted when it holds the separator, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted.push_back('"');
        quoted.push_back(c);
    }
    return quoted + "\"";
}

void WriteCsvLine(const std::vector<std::string>& fields, std::ostream& out) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        out << (i == 0 ? "" : ";") << CsvField(fields[i]);
    out << "\r\n";
}

} // namespace

void WriteSummaryText(const SetSummary& summary, std::ostream& out) {
    std::vector<std::string> headings = {std::string(ClassLabel)};
    for (const SummaryColumnInfo& info : SummaryColumns())
        headings.emplace_back(info.Short);
    std::vector<std::vector<std::string>> rows = Rows(summary);
    for (std::vector<std::string>& row : rows)
        for (std::string& cell : row)
            cell = OneLine(cell);
    std::vector<std::size_t> widths(headings.size());
    for (std::size_t c = 0; c < headings.size(); ++c) {
        widths[c] = Width(headings[c]);
        for (const auto& row : rows)
            widths[c] = std::max(widths[c], Width(row[c]));
    }
    // The labels stand on the left, the figures on the right of their columns.
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - Width(cells[c]), ' ');
            text += c == 0 ? cells[c] + pad : "  " + pad + cells[c];
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    out << SummaryTitle << "\n\n";
    line(headings);
    for (const auto& row : rows)
        line(row);
    out << '\n';
    for (const SummaryColumnInfo& info : SummaryColumns())
        out << info.Short << " – " << WithoutSoftHyphens(info.Heading) << '\n';
    if (!summary.Notes.empty())
        out << '\n';
    for (const std::string& note : summary.Notes)
        out << "Uwaga: " << OneLine(TerminalText(note)) << '\n';
}

void WriteSummaryJson(const SetSummary& summary, std::string_view source, std::ostream& out) {
    Json document;
    document["zrodlo"] = std::string(source);
    Json classes = Json::array();
    for (const ClassFigures& figures : summary.Classes) {
        Json item;
        item["klasa"] = TerminalText(figures.Class);
        item["sprawozdanie_klasy"] = HasReport(figures, false);
        item["sprawozdanie_zachowania"] = HasReport(figures, true);
        item.update(FiguresJson(figures));
        classes.push_back(std::move(item));
    }
    document["klasy"] = std::move(classes);
    document["razem"] = FiguresJson(summary.Totals);
    Json shares = Json::object();
    for (const SummaryColumnInfo& info : SummaryColumns()) {
        if (!info.HasShare)
            continue;
        const auto tenths = ShareTenths(summary, info.Column);
        shares[std::string(info.Key)] =
            tenths ? Json(static_cast<double>(*tenths) / 10.0) : Json(nullptr);
    }
    document["odsetki"] = std::move(shares);
    Json notes = Json::array();
    for (const std::string& note : summary.Notes)
        notes.push_back(TerminalText(note));
    document["uwagi"] = std::move(notes);
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void WriteSummaryCsv(const SetSummary& summary, std::ostream& out) {
    // The mark tells a spreadsheet that the file is UTF-8, so that it opens
    // the Polish letters right instead of guessing the code page.
    out << "\xEF\xBB\xBF";
    std::vector<std::string> headings = {std::string(ClassLabel)};
    for (const SummaryColumnInfo& info : SummaryColumns())
        headings.push_back(WithoutSoftHyphens(info.Heading));
    WriteCsvLine(headings, out);
    std::vector<std::vector<std::string>> rows = Rows(summary);
    // A spreadsheet reads a number with a decimal comma; the percent sign
    // would make the share a text in some of them.
    for (std::string& cell : rows.back()) {
        if (!cell.empty() && cell.back() == '%')
            cell.pop_back();
    }
    rows.back().front() += " (%)";
    for (const auto& row : rows)
        WriteCsvLine(row, out);
    for (const std::string& note : summary.Notes)
        WriteCsvLine({"Uwaga", TerminalText(note)}, out);
}

} // namespace notarion
