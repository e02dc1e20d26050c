#include "check/SetChecks.h"

#include "reports/ComparableText.h"
#include "reports/ReportReader.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace notarion {
namespace {

// The lowest average, in hundredths, that earns a distinction.
constexpr int DistinctionThreshold = 475;
// Averages of 4 hundredths or less are not shown in the lists: they mean
// "no average given", not a low one.
constexpr int LowestShownAverage = 5;

// One row of a student block as the checks read it, through the kind
// table's layout. Texts are cp1250 as written.
struct BlockRow {
    // The element that holds the row's name, "Szkola/Ndst/Uczen2" or
    // "Szkola/Obnizone/Uzasadnienie1/Osoba".
    std::string Element;
    std::string Name;
    std::string Detail;
    std::string Average;
};

// The rows of the kind's student block group, as many as its count says.
std::vector<BlockRow> ReadBlock(ReportReader& reader, ReportKind kind, std::string_view group) {
    const PartShape shape =
        Info(kind).Parts[static_cast<std::size_t>(PartIndex(kind, group))].Shape;
    const ShapeLayout& layout = LayoutOf(shape);
    std::vector<BlockRow> rows;
    const int count = reader.Count(group, layout.Count);
    for (int i = 0; i < count; ++i) {
        const std::string row = NumberedName(layout.Row, layout.FirstRow + i);
        BlockRow read;
        for (const RowField& field : layout.Fields) {
            const std::string text = reader.Text(group, row, field.Element);
            if (field.Value == RowValue::Name) {
                read.Element = ElementPath({group, row, field.Element});
                read.Name = text;
            } else if (field.Value == RowValue::Detail) {
                read.Detail = text;
            } else if (field.Value == RowValue::Average) {
                read.Average = text;
            }
        }
        rows.push_back(std::move(read));
    }
    return rows;
}

// The students of a block of justifications, each of its rows naming one
// or more students.
void ReadNamedStudents(ReportReader& reader, ReportKind kind, std::string_view group,
                       std::vector<NamedStudent>& students) {
    for (const BlockRow& row : ReadBlock(reader, kind, group)) {
        for (std::string& name : CommaSeparated(row.Name)) {
            NamedStudent student;
            student.Name = std::move(name);
            student.Element = row.Element;
            students.push_back(std::move(student));
        }
    }
}

// The names of a block of names.
void ReadNames(ReportReader& reader, ReportKind kind, std::string_view group,
               std::vector<std::string>& names) {
    for (const BlockRow& row : ReadBlock(reader, kind, group))
        names.push_back(Trimmed(row.Name));
}

// The element of a field of the row whose name is at element.
std::string FieldElement(const std::string& element, PartShape shape, RowValue value) {
    return element + "/" + std::string(FieldOf(shape, value)->Element);
}

// How many different students the names are, compared as the checks compare them.
int DifferentStudents(const std::vector<std::string>& names) {
    std::set<std::u16string> different;
    for (const std::string& name : names) {
        if (!name.empty())
            different.insert(ComparableText(name));
    }
    return static_cast<int>(different.size());
}

void ReadClassReport(ReportReader& reader, ReportFacts& facts) {
    for (BlockRow& row : ReadBlock(reader, ReportKind::Class, "Ndst")) {
        NamedStudent student;
        student.Name = Trimmed(row.Name);
        student.Element = std::move(row.Element);
        student.Subjects = CommaSeparated(row.Detail);
        facts.Students.push_back(std::move(student));
    }
    for (BlockRow& row : ReadBlock(reader, ReportKind::Class, "Pasek")) {
        NamedStudent student;
        student.Name = Trimmed(row.Name);
        student.Element = std::move(row.Element);
        student.AverageText = std::move(row.Average);
        const WholeNumber average = ParseWholeNumber(student.AverageText);
        student.Average = average ? average.Value : -1;
        facts.Distinguished.push_back(std::move(student));
    }
    facts.Promoted = Trimmed(reader.Text("Promowanych"));
    std::vector<std::string> named;
    ReadNames(reader, ReportKind::Class, "Frekwencja", named);
    for (const std::vector<NamedStudent>* block : {&facts.Students, &facts.Distinguished}) {
        for (const NamedStudent& student : *block)
            named.push_back(student.Name);
    }
    facts.NamedStudents = DifferentStudents(named);
}

void ReadBehaviourReport(ReportReader& reader, ReportFacts& facts) {
    ReadNamedStudents(reader, ReportKind::Behaviour, "Obnizone", facts.Students);
    std::vector<std::string> named;
    ReadNames(reader, ReportKind::Behaviour, "Wzorowi", named);
    for (const NamedStudent& student : facts.Students)
        named.push_back(student.Name);
    facts.NamedStudents = DifferentStudents(named);
}

// The facts of one class: its reports of each kind, in the order read.
struct ClassReports {
    std::string Name;
    std::vector<const ReportFacts*> Class;
    std::vector<const ReportFacts*> Behaviour;
    std::vector<const ReportFacts*> Tutor;
    std::vector<const ReportFacts*> Justifications;
};

Finding FindingAbout(Problem problem, const ReportFacts& report, std::string element) {
    Finding finding;
    finding.Kind = problem;
    finding.Level = Severity::Warning;
    finding.File = report.File;
    finding.ListPosition = report.ListPosition;
    finding.Element = std::move(element);
    finding.Class = report.Class;
    return finding;
}

bool NamesSubject(const NamedStudent& student, const std::u16string& subject) {
    return std::any_of(student.Subjects.begin(), student.Subjects.end(),
                       [&](const std::string& s) { return ComparableText(s) == subject; });
}

// Is the student named with the subject in one of the reports? For class
// reports the subject is one of the student's failed subjects; for
// justification reports it is the report's own.
bool IsNamedIn(const std::vector<const ReportFacts*>& reports, const std::u16string& name,
               const std::u16string& subject) {
    return std::any_of(reports.begin(), reports.end(), [&](const ReportFacts* report) {
        if (report->Kind == ReportKind::FailJustification &&
            ComparableText(report->Subject) != subject)
            return false;
        return std::any_of(report->Students.begin(), report->Students.end(),
                           [&](const NamedStudent& student) {
                               return ComparableText(student.Name) == name &&
                                      (report->Kind == ReportKind::FailJustification ||
                                       NamesSubject(student, subject));
                           });
    });
}

void CheckCompleteness(const ClassReports& reports, CheckResult& result) {
    const ReportFacts& first = !reports.Class.empty()       ? *reports.Class.front()
                               : !reports.Behaviour.empty() ? *reports.Behaviour.front()
                                                            : *reports.Tutor.front();
    const std::pair<const std::vector<const ReportFacts*>*, Problem> kinds[] = {
        {&reports.Class, Problem::MissingClassReport},
        {&reports.Behaviour, Problem::MissingBehaviourReport},
        {&reports.Tutor, Problem::MissingTutorReport},
    };
    for (const auto& [found, problem] : kinds) {
        if (!found->empty())
            continue;
        Finding finding = FindingAbout(problem, first, "Szkola/Klasa");
        finding.Value = first.Class;
        result.Findings.push_back(std::move(finding));
    }
}

void CheckFailingGrades(const ClassReports& reports, CheckResult& result) {
    for (const ReportFacts* classReport : reports.Class) {
        for (const NamedStudent& student : classReport->Students) {
            for (const std::string& subject : student.Subjects) {
                if (IsNamedIn(reports.Justifications, ComparableText(student.Name),
                              ComparableText(subject)))
                    continue;
                Finding finding = FindingAbout(
                    Problem::FailingGradeWithoutJustification, *classReport,
                    FieldElement(student.Element, PartShape::NamesWithSubjects, RowValue::Detail));
                finding.Student = student.Name;
                finding.Subject = subject;
                result.Findings.push_back(std::move(finding));
            }
        }
    }
    // A justification of a class no class report names (a misspelt class
    // name, a report that never came) holds no failing grade either.
    for (const ReportFacts* justification : reports.Justifications) {
        for (const NamedStudent& student : justification->Students) {
            if (IsNamedIn(reports.Class, ComparableText(student.Name),
                          ComparableText(justification->Subject)))
                continue;
            Finding finding = FindingAbout(Problem::JustificationWithoutFailingGrade,
                                           *justification, student.Element);
            finding.Student = student.Name;
            finding.Subject = justification->Subject;
            result.Findings.push_back(std::move(finding));
        }
    }
}

void CheckDistinctions(const ClassReports& reports, CheckResult& result) {
    for (const ReportFacts* classReport : reports.Class) {
        for (const NamedStudent& student : classReport->Distinguished) {
            if (student.Average >= LowestShownAverage && student.Average < DistinctionThreshold) {
                Finding finding = FindingAbout(
                    Problem::DistinguishedBelowThreshold, *classReport,
                    FieldElement(student.Element, PartShape::NamesWithAverage, RowValue::Average));
                finding.Student = student.Name;
                finding.Value = student.AverageText;
                result.Findings.push_back(std::move(finding));
            }
            const std::u16string name = ComparableText(student.Name);
            for (const ReportFacts* behaviour : reports.Behaviour) {
                const bool lowered = std::any_of(
                    behaviour->Students.begin(), behaviour->Students.end(),
                    [&](const NamedStudent& other) { return ComparableText(other.Name) == name; });
                if (!lowered)
                    continue;
                Finding finding = FindingAbout(Problem::DistinguishedWithLoweredBehaviour,
                                               *classReport, student.Element);
                finding.Student = student.Name;
                finding.OtherFile = behaviour->File;
                result.Findings.push_back(std::move(finding));
                break;
            }
        }
    }
}

// A free-text count that is a whole number of students, or -1.
long long StudentCount(const std::string& text) {
    const WholeNumber number = ParseWholeNumber(text);
    return number && number.Value >= 0 ? number.Value : -1;
}

// The counts of one class or behaviour report against each other and against
// the students it names; a count that is no number is the summary's note.
void CheckCounts(const ReportFacts& report, CheckResult& result) {
    const long long classified = StudentCount(report.Classified);
    if (classified < 0)
        return;
    if (classified < report.NamedStudents) {
        Finding finding =
            FindingAbout(Problem::ClassifiedBelowNamedStudents, report, "Szkola/Klasyfikowanych");
        finding.Value = report.Classified;
        finding.OtherValue = std::to_string(report.NamedStudents);
        result.Findings.push_back(std::move(finding));
    }
    if (report.Kind == ReportKind::Class && StudentCount(report.Promoted) > classified) {
        Finding finding =
            FindingAbout(Problem::PromotedAboveClassified, report, "Szkola/Promowanych");
        finding.Value = report.Promoted;
        finding.OtherValue = report.Classified;
        result.Findings.push_back(std::move(finding));
    }
}

void CheckDistinguishedFailing(const ClassReports& reports, CheckResult& result) {
    for (const ReportFacts* classReport : reports.Class) {
        for (const NamedStudent& student : classReport->Distinguished) {
            const std::u16string name = ComparableText(student.Name);
            const NamedStudent* failing = nullptr;
            for (const ReportFacts* other : reports.Class) {
                for (const NamedStudent& candidate : other->Students) {
                    if (failing == nullptr && ComparableText(candidate.Name) == name)
                        failing = &candidate;
                }
            }
            if (failing == nullptr || name.empty())
                continue;
            Finding finding =
                FindingAbout(Problem::DistinguishedWithFailingGrade, *classReport, student.Element);
            finding.Student = student.Name;
            finding.OtherValue = failing->Element;
            result.Findings.push_back(std::move(finding));
        }
    }
}

} // namespace

bool ReadReportFacts(ReportKind kind, const XmlDocument& report, ReportFacts& facts) {
    if (kind != ReportKind::Class && kind != ReportKind::Behaviour && kind != ReportKind::Tutor &&
        kind != ReportKind::FailJustification)
        return false;
    // Bad counts were named by the single-report check; here they read as 0.
    ReportReader reader(report, facts.File, OnBadValue::Record);
    facts.Kind = kind;
    facts.Class = Trimmed(reader.Text("Klasa"));
    if (kind == ReportKind::Class || kind == ReportKind::Behaviour)
        facts.Classified = Trimmed(reader.Text("Klasyfikowanych"));
    switch (kind) {
    case ReportKind::Class:
        ReadClassReport(reader, facts);
        break;
    case ReportKind::Behaviour:
        ReadBehaviourReport(reader, facts);
        break;
    case ReportKind::FailJustification:
        facts.Subject = Trimmed(reader.Text("Przedmiot"));
        ReadNamedStudents(reader, ReportKind::FailJustification, "Uzasadnienia", facts.Students);
        break;
    default:
        break;
    }
    return true;
}

void CheckAcrossReports(const std::vector<ReportFacts>& reports, CheckResult& result) {
    std::map<std::u16string, ClassReports> classes;
    for (const ReportFacts& report : reports) {
        if (report.Kind == ReportKind::Class || report.Kind == ReportKind::Behaviour)
            CheckCounts(report, result);
        // A report without a class name belongs to no class.
        if (report.Class.empty())
            continue;
        ClassReports& of = classes[ComparableText(report.Class)];
        switch (report.Kind) {
        case ReportKind::Class:
            of.Class.push_back(&report);
            break;
        case ReportKind::Behaviour:
            of.Behaviour.push_back(&report);
            break;
        case ReportKind::Tutor:
            of.Tutor.push_back(&report);
            break;
        default:
            of.Justifications.push_back(&report);
            break;
        }
        if (of.Name.empty() && report.Kind != ReportKind::FailJustification)
            of.Name = report.Class;
    }
    for (const auto& [key, of] : classes) {
        // Justifications alone do not make a class to complete: a misspelt
        // class name of a justification shows as a justification without
        // its failing grade.
        if (!of.Name.empty()) {
            result.Classes.push_back(ClassTally{of.Name, static_cast<int>(of.Class.size()),
                                                static_cast<int>(of.Behaviour.size()),
                                                static_cast<int>(of.Tutor.size())});
            CheckCompleteness(of, result);
        }
        CheckFailingGrades(of, result);
        CheckDistinctions(of, result);
        CheckDistinguishedFailing(of, result);
    }
}

} // namespace notarion
