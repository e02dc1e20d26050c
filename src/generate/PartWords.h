#pragma once

// The words the documents print over and beside the parts of a report, in
// cp1250, made once from the kind table (reports/ReportKind.h): the section
// writers print no heading or label of their own, so the documents and the
// report editor show the same words.

#include "reports/ReportKind.h"

#include <string>
#include <string_view>

namespace notarion {

// The forms of one part's label.
struct PartWords {
    // "Label: ", before the text of a text part.
    std::string Text;
    // "Label:", over a line group or a block of justifications.
    std::string Group;
    // "Label, to:", over a list of students.
    std::string Some;
    // "Label:" or "EmptyLabel:", beside an empty list of students.
    std::string None;
};

// The words of the part of kind with this element; empty words when the kind
// has no such part.
const PartWords& WordsOf(ReportKind kind, std::string_view element);

// The heading of a kind's section (KindInfo::SectionHeading).
const std::string& SectionHeading(ReportKind kind);

// The label printed before a field of a justification's row ("Uczeń:",
// "Ocena:"), "Uczniowie:" for persons separated by commas; empty for a
// field that is not printed with a label.
const std::string& FieldLabel(PartShape shape, RowValue value, std::string_view text);

} // namespace notarion
