#pragma once

// Reading any report file into a ReportForm, damaged ones included, and
// writing a form as a sound report file.
//
// Reading keeps everything that could be read and names, per part and row,
// what was missing or invalid. Value problems come from a ReportReader that
// records instead of stopping, so they are the checker's own findings, with
// the same element paths and codes. Writing builds the element structure the
// writers read, with the counts computed from the lists, and saves it through
// the XML writer as Windows-1250, whole or not at all.

#include "reports/ReportForm.h"
#include "reports/ReportReader.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// What kind of problem a read met.
enum class FormIssue {
    // A count or an average the writers need is bad (Value says which).
    BadValue,
    // A count names more numbered elements than the report holds; the
    // documents show an empty line for each missing one.
    MissingElement,
    // The XML is damaged: what follows the stop was not read.
    DamagedXml,
    // The file is empty or shorter than two bytes.
    EmptyFile,
    // "Doc" is none of the nine kinds: the form cannot be built.
    UnknownKind,
    // A count is bad, missing, negative or leaves numbered elements of its
    // group unread: every numbered element there was read instead, in number
    // order (Found of them), and saving writes their true count. Element is
    // the count's path and Value its text.
    ReadAllFound,
};

// One problem met while reading. Texts are cp1250, as the checker's.
struct FormFinding {
    FormIssue Issue = FormIssue::BadValue;
    // BadValue: the reader's finding. MissingElement: Element is the missing
    // element's path and Value the count that names it. UnknownKind: Value is
    // the kind text found.
    ValueFinding Value;
    // DamagedXml: where reading stopped.
    XmlLoadResult Load;
    // The index into FormParts of the part concerned, -1 for the whole file.
    int Part = -1;
    // The row of a student block or the line of a group, -1 for the whole part.
    int Row = -1;
    // ReadAllFound: how many numbered elements were read.
    int Found = 0;
};

// How a report file is written: the documents' own code page, or UTF-16
// (FF FE) for a report that holds letters Windows-1250 lacks.
enum class FileEncoding { Windows1250, Utf16 };

// What reading a report gave.
struct FormRead {
    // The form; none when the kind is unknown.
    std::optional<ReportForm> Form;
    std::vector<FormFinding> Findings;
    // True when the file was UTF-16 with FF FE; such a file is saved as
    // UTF-16 again (EncodingOf).
    bool WasUnicode = false;
    // The file began with the UTF-8 signature, which the reader does not know.
    bool Utf8Signature = false;
};

// Read a report from its bytes. Never throws for the content. A report
// whose "Doc" is none of the nine kinds is read as asKind when one is given
// (the user chose it), still with its UnknownKind finding; saving the form
// writes the kind's own text.
FormRead ReadReportForm(std::string_view bytes, std::optional<ReportKind> asKind = {});

// Read the report file at path (cp1250). Throws Failure when the file cannot
// be opened or read; a missing file reads as an empty one.
FormRead LoadReportForm(const std::string& path, std::optional<ReportKind> asKind = {});

// The encoding a read file is saved in: the one it was read in.
FileEncoding EncodingOf(const FormRead& read);

// Why a form cannot be saved as it is.
enum class RefusalReason {
    // A text holds a character that Windows-1250 cannot hold (only when
    // saving as Windows-1250).
    Unrepresentable,
    // A text holds a control character other than a tab (a NUL, an escape),
    // which would reach the documents as it is.
    ControlCharacter,
    // The file would hold a value every reading calls bad (SaveRefusal::Fault
    // says how): an average not of the form "4,75" (AverageNotNumeric), a list
    // with more entries than one count may name (OutOfRange, MaxLoopCount), or
    // lists together holding more lines than one report may (TooManyLines,
    // MaxReportLines).
    BadValue,
    // The file would be larger than the program reads (MaxReadableFileSize).
    TooLarge,
};

// One reason not to save. Texts are UTF-8.
struct SaveRefusal {
    RefusalReason Reason = RefusalReason::Unrepresentable;
    // The part and the row concerned; -1 for the whole part or the whole file.
    int Part = -1;
    int Row = -1;
    // The element the value goes to, "Szkola/Pasek/Uczen2/Srednia"; for a
    // list too long, its count ("Szkola/Pasek/IleOsob"), the element the
    // reader would name; empty for TooLarge.
    std::string Element;
    // The refused character (a control character as "U+001B"), the average
    // as typed, the number of entries of the list, or the whole megabytes
    // the file would at least take.
    std::string Value;
    // BadValue: what is wrong with the value.
    BadValue Fault = BadValue::Missing;
};

// Every reason the form cannot be saved; empty when it can. A list beyond the
// reader's limits is refused before any text is looked at, and alone: the
// rest of such a form is not worth a list of problems.
std::vector<SaveRefusal> CheckBeforeSaving(const ReportForm& form,
                                           FileEncoding encoding = FileEncoding::Windows1250);

// The texts that hold a letter Windows-1250 lacks, as Unrepresentable
// refusals: empty when the form can be saved as Windows-1250.
std::vector<SaveRefusal> LettersNeedingUtf16(const ReportForm& form);

// The Polish message of a refusal (UTF-8), naming the field by the words the
// documents print and by its element, and the character or value.
std::string RefusalMessage(const ReportForm& form, const SaveRefusal& refusal);

// The report file of a form: the declaration, "Szkola" with "Doc" and the
// kind's parts, counts computed, texts trimmed as the reader would trim them.
// The form must pass CheckBeforeSaving; a refused average is written as 0.
std::unique_ptr<XmlDocument> FormDocument(const ReportForm& form,
                                          FileEncoding encoding = FileEncoding::Windows1250);

// Save the form at path (cp1250) in the encoding, replacing the file whole or
// not at all. Returns the refusals (CheckBeforeSaving's, or TooLarge) and
// writes nothing when there are any. Throws Failure, carrying the system's
// reason, when the file cannot be written.
std::vector<SaveRefusal> SaveReportForm(const ReportForm& form, const std::string& path,
                                        FileEncoding encoding = FileEncoding::Windows1250);

} // namespace notarion
