#pragma once

// The checks across the reports of one set: what a single report cannot tell.
// Every class named by a per-class report should have its class report, its
// behaviour report and its tutor's report; every failing grade should be
// justified by the teacher of its subject and every justification should
// name a failing grade; a distinction should rest on an average of at least
// 4.75 and on behaviour that was not lowered. The facts are gathered report
// by report while the single-report check reads them, and compared once the
// whole set has been read.

#include "check/ReportCheck.h"
#include "reports/ComparableText.h"
#include "reports/ReportKind.h"

#include <string>
#include <vector>

namespace notarion {

class XmlDocument;

// One student named in a numbered element of a report.
struct NamedStudent {
    std::string Name;
    // The element that names the student, "Szkola/Ndst/Uczen2".
    std::string Element;
    // Failing block: the failed subjects; justifications and lowered
    // behaviour: empty.
    std::vector<std::string> Subjects;
    // Distinguished block: the average in hundredths and its text; -1 when
    // it is not a number.
    int Average = -1;
    std::string AverageText;
};

// What the checks across reports need of one report. Texts are cp1250.
struct ReportFacts {
    ReportKind Kind = ReportKind::Class;
    std::string File;
    int ListPosition = -1;
    std::string Class;
    // The subject of a justification report.
    std::string Subject;
    // Class report: the failing block; justification report: every student
    // its justifications name; behaviour report: every student of its
    // lowered-behaviour block.
    std::vector<NamedStudent> Students;
    // Class report: the distinguished block.
    std::vector<NamedStudent> Distinguished;
    // Class and behaviour reports: the classified and the promoted counts
    // as written, blanks trimmed, and how many different students the
    // report names in any of its blocks.
    std::string Classified;
    std::string Promoted;
    int NamedStudents = 0;
};

// The facts of a loaded report of a kind the checks across reports look at
// (class, behaviour, tutor's and justification reports); false for the
// other kinds. Bad counts read as zero: the single-report check names them.
bool ReadReportFacts(ReportKind kind, const XmlDocument& report, ReportFacts& facts);

// Compare the facts of a whole set: append the findings and the classes to
// result. Besides the checks across reports, the counts of each class and
// behaviour report are held against each other and against the students it
// names.
void CheckAcrossReports(const std::vector<ReportFacts>& reports, CheckResult& result);

} // namespace notarion
