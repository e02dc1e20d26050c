#include "check/ReportFindings.h"

#include "text/Cp1250.h"

namespace notarion {
namespace {

// The check's finding for a reading problem the check also knows.
Finding CheckFinding(const FormRead& read, const FormFinding& found) {
    Finding finding;
    finding.Element = found.Value.Element;
    finding.Value = found.Value.Value;
    finding.Student = found.Value.Holder;
    finding.Level = Severity::Warning;
    switch (found.Issue) {
    case FormIssue::BadValue:
        finding.Kind = ProblemOf(found.Value.Problem);
        if (finding.Kind != Problem::NegativeCount)
            finding.Level = Severity::Error;
        break;
    case FormIssue::DamagedXml:
        finding.Kind = Problem::DamagedXml;
        finding.Offset = found.Load.Offset;
        finding.Line = found.Load.Line;
        finding.Column = found.Load.Column;
        finding.UnreadCharacters = found.Load.UnreadCharacters;
        finding.Utf8Signature = read.Utf8Signature;
        break;
    case FormIssue::EmptyFile:
        finding.Kind = Problem::EmptyFile;
        break;
    case FormIssue::UnknownKind:
    case FormIssue::MissingElement:
    case FormIssue::ReadAllFound:
        finding.Kind = Problem::UnknownKind;
        finding.Suggestion = NearestKind(found.Value.Value);
        break;
    }
    return finding;
}

// "3 uczniów", "1 wiersz", "2 uzasadnienia": what a count element counts.
std::string Counted(std::string_view countElement, int n) {
    const bool one = n == 1;
    const bool few = n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);
    std::string_view noun;
    if (countElement.ends_with("IloscWierszy"))
        noun = one ? "wiersz" : few ? "wiersze" : "wierszy";
    else if (countElement.ends_with("Ilosc"))
        noun = one ? "uzasadnienie" : few ? "uzasadnienia" : "uzasadnień";
    else
        noun = one ? "ucznia" : "uczniów";
    return std::to_string(n) + " " + std::string(noun);
}

// What the reader did where a count could not be trusted.
std::string ReadAllFoundText(const FormFinding& found) {
    return "Wczytano " + Counted(found.Value.Element, found.Found) +
           " znalezionych w pliku; zapisanie sprawozdania wpisze właściwą liczbę.";
}

} // namespace

std::vector<FormProblem> DescribeFormFindings(const FormRead& read, const ShownText& shown) {
    std::vector<FormProblem> problems;
    for (const FormFinding& found : read.Findings) {
        FormProblem problem;
        problem.Element = Cp1250ToUtf8(found.Value.Element);
        problem.Part = found.Part;
        problem.Row = found.Row;
        if (found.Issue == FormIssue::ReadAllFound) {
            // Beside the bad count it mends, or alone for a sound count that
            // leaves elements out.
            if (!problems.empty() && problems.back().Element == problem.Element) {
                problems.back().Message += " " + ReadAllFoundText(found);
                continue;
            }
            problem.Code = "count-below-elements";
            problem.Level = Severity::Warning;
            problem.Message = "liczba „" + shown(Cp1250ToUtf8(found.Value.Value)) + "” w " +
                              shown(problem.Element) + " pomija elementy, które są w pliku. " +
                              ReadAllFoundText(found);
        } else if (found.Issue == FormIssue::MissingElement) {
            // The check does not look for these: the documents only show an
            // empty line where the element is missing.
            problem.Code = "missing-element";
            problem.Level = Severity::Warning;
            problem.Message = "brak elementu " + shown(problem.Element) + ", choć liczba „" +
                              found.Value.Value +
                              "” go zapowiada; dokument pokaże w tym miejscu pusty wiersz.";
        } else {
            const Finding finding = CheckFinding(read, found);
            problem.Code = ProblemCode(finding.Kind);
            problem.Level = finding.Level;
            problem.Message = FindingMessage(finding, shown);
        }
        problems.push_back(std::move(problem));
    }
    return problems;
}

} // namespace notarion
