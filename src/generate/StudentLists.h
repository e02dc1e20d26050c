#pragma once

// The class blocks and the five student lists. The class report and the
// behaviour report of each class name students; their protocol sections are
// made of six blocks, five of which also append the same students, grouped by
// class, to one of the five accumulators of GenerationState. After the
// protocol documents are written, each accumulator becomes a list document.

#include "generate/GenerationState.h"
#include "reports/ReportKind.h"

#include <functional>

#include <string>
#include <string_view>

namespace notarion {

class ReportReader;

// The line that opens a class group in an accumulator; the class line follows it.
inline constexpr std::string_view ClassGroupSeparator = "===========";

// The average "a / 100" with two digits after separator ("4,75" for 475, "0,05"
// for 5); the empty text for 4 or less, which the lists do not print.
std::string FormatAverage(int hundredths, std::string_view separator);

// Each block writes its part of a class section from the loaded report into
// target, and appends its class group to its accumulator in state (the remarks
// block feeds no list). Counts and averages are read through the reader, whose
// policy decides what a bad one does: a stopping reader throws Failure and
// the lines appended before it stay.

// "Frekwencja": students with full attendance; feeds AttendanceList.
void WriteAttendanceBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state);
// "Pasek": distinguished students with their averages; feeds DistinguishedList.
void WriteDistinguishedBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state);
// "Ndst": students with failing grades and their subjects; feeds FailingList.
void WriteFailingBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state);
// "Wzorowi": students with exemplary behaviour; feeds ExemplaryList.
void WriteExemplaryBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state);
// "Obnizone": lowered behaviour grades with their justifications; feeds
// LoweredBehaviourList.
void WriteLoweredBehaviourBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state);
// "Uwagi": the tutor's remark lines; feeds no list.
void WriteRemarksBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state);

// The first count numbered justifications of group, a part of shape
// Justifications or GradedJustifications (the caller has read its count):
// for each, its persons and (graded only) its grade after their labels, then
// its lines. afterLabels(who, grade) runs between the two; with BlankLine a
// line of blanks closes every justification.
enum class JustificationEnd { Nothing, BlankLine };
void WriteJustifications(
    ReportReader& report, HtmlBuffer& target, std::string_view group, PartShape shape, int count,
    JustificationEnd end,
    const std::function<void(const std::string&, const std::string&)>& afterLabels);

// Render the accumulator as a list document in listBuffer (page frame, title,
// one spacer, bold class line and bullet list per class group) and save it at
// path. Throws Failure when the file cannot be written.
void WriteListDocument(HtmlBuffer& listBuffer, const StudentList& accumulator,
                       std::string_view title, const std::string& path);

} // namespace notarion
