#pragma once

// The set's figures for people and for the school's spreadsheets: a table on
// the terminal, JSON for scripts, CSV for a spreadsheet. All three show the
// columns of SummaryColumns() in its order, as the page of the set does.

#include "generate/SetSummary.h"

#include <iosfwd>
#include <string_view>

namespace notarion {

enum class SummaryFormat { Text, Json, Csv };

// A table with the short headings and a legend of them, then the notes; UTF-8.
void WriteSummaryText(const SetSummary& summary, std::ostream& out);

// One object: "zrodlo", "klasy" (one object per class), "razem", "odsetki" and
// "uwagi". Counts are numbers, averages and shares numbers with a decimal
// point, a value as written a string, a cell without a report null.
void WriteSummaryJson(const SetSummary& summary, std::string_view source, std::ostream& out);

// UTF-8 behind a byte-order mark, fields separated by semicolons, lines ended
// by CR LF, averages and shares with a decimal comma; the headings of the
// page, then the classes, the totals, the shares and the notes.
void WriteSummaryCsv(const SetSummary& summary, std::ostream& out);

} // namespace notarion
