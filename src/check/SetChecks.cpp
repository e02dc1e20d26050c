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

// The students of the numbered elements group/stemN/who, N from 1 to the
// group's count, each element naming one or more students.
void ReadNamedStudents(ReportReader& reader, std::string_view group, std::string_view count,
                       std::string_view stem, std::string_view who,
                       std::vector<NamedStudent>& students) {
    const int n = reader.Count(group, count);
    for (int i = 1; i <= n; ++i) {
        const std::string element = NumberedName(stem, i);
        for (std::string& name : CommaSeparated(reader.Text(group, element, who))) {
            NamedStudent student;
            student.Name = std::move(name);
            student.Element =
                "Szkola/" + std::string(group) + "/" + element + "/" + std::string(who);
            students.push_back(std::move(student));
        }
    }
}

// The names of the numbered elements group/UczenN, N from 1 to the count.
void ReadNames(ReportReader& reader, std::string_view group, std::vector<std::string>& names) {
    const int n = reader.Count(group, "IleOsob");
    for (int i = 1; i <= n; ++i)
        names.push_back(Trimmed(reader.Text(group, NumberedName("Uczen", i))));
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
    const int failing = reader.Count("Ndst", "IleOsob");
    for (int i = 1; i <= failing; ++i) {
        const std::string uczen = NumberedName("Uczen", i);
        NamedStudent student;
        student.Name = Trimmed(reader.Text("Ndst", uczen));
        student.Element = "Szkola/Ndst/" + uczen;
        student.Subjects = CommaSeparated(reader.Text("Ndst", uczen, "Przedmioty"));
        facts.Students.push_back(std::move(student));
    }
    const int distinguished = reader.Count("Pasek", "IleOsob");
    for (int i = 1; i <= distinguished; ++i) {
        const std::string uczen = NumberedName("Uczen", i);
        NamedStudent student;
        student.Name = Trimmed(reader.Text("Pasek", uczen));
        student.Element = "Szkola/Pasek/" + uczen;
        student.AverageText = reader.Text("Pasek", uczen, "Srednia");
        const WholeNumber average = ParseWholeNumber(student.AverageText);
        student.Average = average ? average.Value : -1;
        facts.Distinguished.push_back(std::move(student));
    }
    facts.Promoted = Trimmed(reader.Text("Promowanych"));
    std::vector<std::string> named;
    ReadNames(reader, "Frekwencja", named);
    for (const std::vector<NamedStudent>* block : {&facts.Students, &facts.Distinguished}) {
        for (const NamedStudent& student : *block)
            named.push_back(student.Name);
    }
    facts.NamedStudents = DifferentStudents(named);
}

void ReadBehaviourReport(ReportReader& reader, ReportFacts& facts) {
    ReadNamedStudents(reader, "Obnizone", "Ilosc", "Uzasadnienie", "Osoba", facts.Students);
    std::vector<std::string> named;
    ReadNames(reader, "Wzorowi", named);
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
                Finding finding = FindingAbout(Problem::FailingGradeWithoutJustification,
                                               *classReport, student.Element + "/Przedmioty");
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
                Finding finding = FindingAbout(Problem::DistinguishedBelowThreshold, *classReport,
                                               student.Element + "/Srednia");
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
            Finding finding = FindingAbout(Problem::DistinguishedWithFailingGrade, *classReport,
                                           student.Element);
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
        ReadNamedStudents(reader, "Uzasadnienia", "Ilosc", "Uzasadnienie", "Osoba", facts.Students);
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
