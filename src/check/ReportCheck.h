#pragma once

// The check of a set of reports before its documents are generated. It reads
// every report the way the generators will and names, per file and element,
// everything that would stop the document set (a file that cannot be read, a
// count that is not a whole number, a distinguished student without an
// average) or would silently lose or double something in it (damaged XML, an
// unknown kind, two reports for one class). It never stops at the first
// problem: a school wants the whole list at once. What each kind must hold is
// not written down here: the check runs the kind's own section writer with a
// reader that records every bad value. It knows nothing of terminals; the
// front ends format its findings.

#include "reports/ReportReader.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

struct ReportCatalogue;

enum class Problem {
    // The report file exists but cannot be opened or read.
    UnreadableFile,
    // A list file names a report file that no longer exists.
    ListedFileMissing,
    // A file of the folder whose name has characters outside Windows-1250:
    // the program cannot open it and leaves the report out.
    UnrepresentableFileName,
    // The report file is empty (or shorter than two bytes).
    EmptyFile,
    // The XML is damaged: everything after the offset is not read.
    DamagedXml,
    // "Doc" (or the list file's "Typ") is none of the nine kinds.
    UnknownKind,
    // The list file gives another kind than the report's "Doc".
    KindDiffersFromList,
    // A count the generators read is missing or empty.
    MissingCount,
    // A count is not a whole number.
    CountNotWholeNumber,
    // A count is a whole number outside what the generators accept.
    CountOutOfRange,
    // A count is negative: the generators write its label but nothing under it.
    NegativeCount,
    // A distinguished student has no numeric "Srednia".
    AverageNotNumeric,
    // A second class or behaviour report for the same class.
    DuplicateClass,
    // The report's counts add up to more lines than any report holds; the
    // element is the count that passed the total.
    ReportTooLarge,
    // A value of a UTF-16 report holds characters that Windows-1250 cannot
    // spell: the documents show "?" in their place.
    CharactersLost,
    // A class named by one of its per-class reports lacks the class report,
    // the behaviour report or the tutor's report.
    MissingClassReport,
    MissingBehaviourReport,
    MissingTutorReport,
    // A failing grade of a class report that no justification names.
    FailingGradeWithoutJustification,
    // A justification naming a student without a failing grade in its
    // subject in the class report.
    JustificationWithoutFailingGrade,
    // A distinguished student whose average is shown but lies below 4.75.
    DistinguishedBelowThreshold,
    // A distinguished student whose behaviour grade was lowered.
    DistinguishedWithLoweredBehaviour,
    // A class or behaviour report names more students than it says were
    // classified.
    ClassifiedBelowNamedStudents,
    // A class report promotes more students than it classifies.
    PromotedAboveClassified,
    // A distinguished student is also listed with failing grades.
    DistinguishedWithFailingGrade,
};

// Whether a problem stops the document set or only loses or doubles
// something in it.
enum class Severity { Error, Warning };

// One problem of one report. Texts are core text (cp1250).
struct Finding {
    Problem Kind = Problem::UnreadableFile;
    Severity Level = Severity::Error;
    // The report file as listed or found.
    std::string File;
    // UnrepresentableFileName: the file as the file system holds it, in
    // UTF-8, since File spells it with '?' (possibly another file's name).
    std::string ShownFile;
    // The position in the list file (its "Pozycja" number), or -1.
    int ListPosition = -1;
    // The element concerned, "Szkola/Pasek/Uczen2/Srednia"; for a list
    // file's own element, "Naglowki/Pozycja3/Typ"; empty for the whole file.
    std::string Element;
    // The text found in the element (a count, a kind, a class name).
    std::string Value;
    // What the value was compared with: the classified count beside a
    // promoted one, the number of students a report names, the element that
    // lists a distinguished student with failing grades.
    std::string OtherValue;
    // The nearest of the nine kinds to an unknown kind, when one is close.
    std::string Suggestion;
    // The student of an average, the first report of a duplicated class.
    std::string Student;
    std::string OtherFile;
    // The class and the subject a finding across reports is about.
    std::string Class;
    // The class of the report the finding is in, as the catalogue's title
    // of the report shows it; empty for a report without a class (or of no
    // known kind). Pages group the findings by it.
    std::string ReportClass;
    std::string Subject;
    // The characters a value loses, each once, in UTF-8 (cp1250 cannot hold them).
    std::string LostCharacters;
    // Damaged XML: the character (from 0) at which reading stopped, its line
    // and column (from 1), and the number of characters not read.
    std::size_t Offset = 0;
    std::size_t Line = 0;
    std::size_t Column = 0;
    std::size_t UnreadCharacters = 0;
    // Damaged XML that begins with the UTF-8 signature, which the reader does
    // not know.
    bool Utf8Signature = false;
    // UnreadableFile: the system's code of the failed read (SystemReasonText),
    // 0 when the system gave none.
    int SystemError = 0;
};

// How many reports of each per-class kind name one class.
struct ClassTally {
    // The class as its first report spells it.
    std::string Name;
    int ClassReports = 0;
    int BehaviourReports = 0;
    int TutorReports = 0;
};

struct CheckResult {
    // The reports looked at (empty list positions are not counted).
    int ReportsChecked = 0;
    std::vector<Finding> Findings;
    // Every class named by a class, behaviour or tutor's report, in the
    // order of their names without regard to letter case.
    std::vector<ClassTally> Classes;
    int ErrorCount() const;
    int WarningCount() const;
};

// Check the report files of a folder (as FindReportFiles gives them); each
// file's kind is its "Doc". The unusable ones (UTF-8), whose names the code
// page cannot spell, are named as such. Never throws for the content of a file.
CheckResult CheckReportFiles(const std::vector<std::string>& paths,
                             const std::vector<std::string>& unusable = {});

// Check the positions of a catalogue read from a list file; each position's
// kind is the list's, as the generators take it. Empty positions are skipped.
CheckResult CheckListedReports(const ReportCatalogue& catalogue);

// Check the set the window program holds: the catalogue's positions as
// CheckListedReports does, then the files of the folder the set was found in
// (folderFiles, empty for a set from a list file) that the catalogue left
// out, such as a report whose kind is misspelt, each as a folder's file.
CheckResult CheckCatalogue(const ReportCatalogue& catalogue,
                           const std::vector<std::string>& folderFiles);

// The one of the nine kinds that a wrong kind text most likely meant: equal
// after letter-case folding up to three edits, or equal to the longer label
// the list editor shows for a kind. The empty text when none is close.
std::string NearestKind(std::string_view kind);

// The check's problem of a bad value met by a recording ReportReader.
Problem ProblemOf(BadValue problem);

// A short stable name of the problem for scripts ("damaged-xml").
std::string_view ProblemCode(Problem problem);

} // namespace notarion
