#pragma once

// The editable form of one report: exactly the values that the section
// writers, the class blocks and the catalogue's title read from a report of
// its kind, and nothing else. Counts are not part of the form: they follow
// from the lists when the form is written.
//
// The kind table (ReportKind.h) describes the parts of each kind once, in
// the order they are written to a file; ReportFormFile.h reads and writes forms; the editor window
// and the command line build their fields from the same description.

#include "reports/ReportKind.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The parts of a kind in the order they are written.
std::span<const FormPart> FormParts(ReportKind kind);

// True for the shapes that hold students or justifications.
bool IsStudentBlock(PartShape shape);

// One student or one justification. Texts are UTF-8; fields that the part's
// shape does not have stay empty.
struct StudentRow {
    // The student's name, or the persons a justification is about.
    std::string Name;
    // The average as the user types it ("4,75", "4.75" or "5"), NamesWithAverage only.
    std::string Average;
    // The failed subjects (NamesWithSubjects) or the lowered grade (GradedJustifications).
    std::string Detail;
    // The lines of a justification.
    std::vector<std::string> Lines;
    bool operator==(const StudentRow&) const = default;
};

// The value of one part: Text for a text part, Lines for a line group, Rows
// for a student block.
struct PartValue {
    std::string Text;
    std::vector<std::string> Lines;
    std::vector<StudentRow> Rows;
    bool operator==(const PartValue&) const = default;
};

// A report as the editor holds it. Values has one entry per FormParts(Kind).
struct ReportForm {
    ReportKind Kind = ReportKind::Class;
    std::vector<PartValue> Values;
    bool operator==(const ReportForm&) const = default;
};

// The text of a row's field (Name, Average or Detail); Lines has no text
// and gives Name.
const std::string& FieldText(const StudentRow& row, RowValue value);
std::string& FieldText(StudentRow& row, RowValue value);

// An empty form of a kind: every text empty, every list empty.
ReportForm EmptyForm(ReportKind kind);

// The value of the part with this element, or nullptr when the kind has none.
PartValue* FindPart(ReportForm& form, std::string_view element);
const PartValue* FindPart(const ReportForm& form, std::string_view element);

// An average typed by a user, in hundredths: blanks around, an optional
// minus, digits, and
// optionally "," or "." with one or two digits ("4,75" and "4.75" give 475,
// "5" gives 500, "4,7" gives 470). None for any other text or a value beyond
// 32 bits.
std::optional<int> ParseAverage(std::string_view text);

// Hundredths as the user reads them, with a comma (or the separator given):
// 475 gives "4,75", 5 gives "0,05", -3 gives "-0,03". ParseAverage reads the
// comma form back to the same value.
std::string AverageText(int hundredths, std::string_view separator = ",");

// A kind by its kind text ("Z karty") or its short name ("karta"), for the
// command line. None for any other text.
std::optional<ReportKind> KindOfName(std::string_view name);

// The short name of a kind ("klasyfikacja", "karta", ...).
std::string_view ShortName(ReportKind kind);

// The file name a form is proposed to be saved under, in the sample school's
// pattern (UTF-8, ASCII only): "4d_klasyfikacja.xml", "4d_zachowanie.xml",
// "4d_wychowawca.xml", "1a_ndst_fizyka.xml", "przedmiot_fizyka_cwiek.xml"
// (the teacher's surname), "zajecia_chor.xml", "inne_biblioteka.xml",
// "karta_nowak.xml", "sprawozdanie_dyrektora.xml". Polish letters lose their
// marks, blanks become "_", other characters go; an empty field is left out.
std::string ProposedFileName(const ReportForm& form);

} // namespace notarion
