#include "check/ReportCheck.h"

#include "check/LostCharacters.h"
#include "check/SetChecks.h"
#include "generate/Sections.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

namespace notarion {
namespace {

bool StartsWithUtf8Signature(std::string_view bytes) {
    return bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

std::size_t EditDistance(std::u16string_view a, std::u16string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0u : 1u)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Reads one report and records its problems into the result.
class ReportChecker {
public:
    explicit ReportChecker(CheckResult& result) : m_result(result) {}

    // Check the report at path. listedKind is the list file's kind of the
    // report, or nullptr when the report comes from a folder.
    void Check(const std::string& path, const std::string* listedKind, int listPosition);
    // Compare the reports checked so far with one another, then give every
    // finding the class of its report.
    void CheckAcrossSet();

private:
    Finding Base(Problem problem, Severity level, std::string element = {}) const;
    void Add(Finding finding) { m_result.Findings.push_back(std::move(finding)); }
    bool ReadReport(const std::string& path);
    void CheckKind(const std::string* listedKind);
    void CheckValues(ReportKind kind);
    void NoteClass(ReportKind kind);
    void CheckCharacters();

    CheckResult& m_result;
    // What the checks across reports need of each report read.
    std::vector<ReportFacts> m_facts;
    // The report being checked.
    std::string m_path;
    int m_position = -1;
    std::string m_bytes;
    XmlDocument m_document;
    bool m_empty = false;
    // The first report of each class, per kind: (kind, folded class) -> path.
    std::map<std::pair<ReportKind, std::u16string>, std::string> m_classes;
    // The class of each report read whose kind has one: path -> class.
    std::map<std::string, std::string> m_classOfFile;
};

void ReportChecker::CheckAcrossSet() {
    CheckAcrossReports(m_facts, m_result);
    for (Finding& finding : m_result.Findings) {
        const auto known = m_classOfFile.find(finding.File);
        if (known != m_classOfFile.end())
            finding.ReportClass = known->second;
    }
}

Finding ReportChecker::Base(Problem problem, Severity level, std::string element) const {
    Finding finding;
    finding.Kind = problem;
    finding.Level = level;
    finding.File = m_path;
    finding.ListPosition = m_position;
    finding.Element = std::move(element);
    return finding;
}

void ReportChecker::Check(const std::string& path, const std::string* listedKind,
                          int listPosition) {
    m_path = path;
    m_position = listPosition;
    m_bytes.clear();
    m_document.Clear();
    m_empty = false;
    ++m_result.ReportsChecked;

    const std::optional<ReportKind> listed =
        listedKind ? KindOf(*listedKind) : std::optional<ReportKind>();
    if (listedKind && !listed) {
        // The generators write no document for this position; its file does
        // not matter to them.
        Finding finding = Base(Problem::UnknownKind, Severity::Warning,
                               "Naglowki/" + NumberedName("Pozycja", listPosition) + "/Typ");
        finding.Value = *listedKind;
        finding.Suggestion = NearestKind(*listedKind);
        Add(std::move(finding));
        return;
    }
    if (!FileExists(path) && !DirectoryExists(path)) {
        // Found in a folder a moment ago, a file that is not there now has a
        // name the search could not spell.
        Add(listedKind ? Base(Problem::ListedFileMissing, Severity::Error)
                       : Base(Problem::UnrepresentableFileName, Severity::Warning));
        return;
    }
    // A file of a folder that cannot be read stops the whole catalogue; a
    // listed one stops the generation of its kind's document.
    if (!ReadReport(path))
        return;
    CheckCharacters();
    CheckKind(listedKind);
    const std::optional<ReportKind> kind =
        listedKind ? listed : KindOf(ReadReportText(m_document, "Doc"));
    if (!kind)
        return;
    if (std::string className = ReportClass(KindText(*kind), m_document); !className.empty())
        m_classOfFile[m_path] = std::move(className);
    CheckValues(*kind);
    NoteClass(*kind);
    ReportFacts facts;
    facts.File = m_path;
    facts.ListPosition = m_position;
    if (ReadReportFacts(*kind, m_document, facts))
        m_facts.push_back(std::move(facts));
}

void ReportChecker::CheckCharacters() {
    // Only a UTF-16 file can hold what cp1250 cannot.
    if (!m_document.Unicode)
        return;
    // The documents show every letter; only the report's title, which the
    // list editor shows and the list file keeps in the code page, loses one.
    const std::optional<ReportKind> kind = KindOf(ReadReportText(m_document, "Doc"));
    if (!kind)
        return;
    const auto inTitle = [&](const std::string& element) {
        for (const TitlePiece& piece : Info(*kind).TitlePieces)
            if (!piece.Element.empty() && element == "Szkola/" + std::string(piece.Element))
                return true;
        return false;
    };
    for (LostValue& lost : FindLostCharacters(m_document)) {
        if (!inTitle(lost.Element))
            continue;
        Finding finding = Base(Problem::CharactersLost, Severity::Warning, std::move(lost.Element));
        finding.LostCharacters = std::move(lost.Characters);
        Add(std::move(finding));
    }
}

bool ReportChecker::ReadReport(const std::string& path) {
    try {
        m_bytes = ReadWholeFile(path);
    } catch (const Failure& failure) {
        Finding finding = Base(Problem::UnreadableFile, Severity::Error);
        finding.SystemError = failure.Cause().SystemError;
        Add(std::move(finding));
        return false;
    }
    if (m_bytes.size() < 2) {
        m_empty = true;
        Add(Base(Problem::EmptyFile, Severity::Warning));
        return true;
    }
    const XmlLoadResult loaded = m_document.LoadFromBytes(m_bytes);
    if (!loaded) {
        Finding finding = Base(Problem::DamagedXml, Severity::Warning);
        finding.Offset = loaded.Offset;
        finding.UnreadCharacters = loaded.UnreadCharacters;
        finding.Line = loaded.Line;
        finding.Column = loaded.Column;
        finding.Utf8Signature = StartsWithUtf8Signature(m_bytes);
        Add(std::move(finding));
    }
    return true;
}

void ReportChecker::CheckKind(const std::string* listedKind) {
    const std::string kind = ReadReportText(m_document, "Doc");
    if (listedKind) {
        // A report changed after the list was saved: the list's kind chooses
        // the writer, so the report's counts may not be where it looks.
        if (!m_empty && kind != *listedKind) {
            Finding finding = Base(Problem::KindDiffersFromList, Severity::Warning, "Szkola/Doc");
            finding.Value = kind;
            finding.Suggestion = *listedKind;
            Add(std::move(finding));
        }
        return;
    }
    // An empty file already has its finding; its missing kind says nothing more.
    if (KindIndex(kind) >= 0 || m_empty)
        return;
    Finding finding = Base(Problem::UnknownKind, Severity::Warning, "Szkola/Doc");
    finding.Value = kind;
    finding.Suggestion = NearestKind(kind);
    Add(std::move(finding));
}

// Run the kind's own section writer with a reader that records every bad
// value and goes on, so the check names exactly what the document set would
// stop at, and all of it at once. What the writer produces is thrown away.
void ReportChecker::CheckValues(ReportKind kind) {
    ReportReader reader(m_document, m_path, OnBadValue::Record);
    HtmlBuffer scratch;
    GenerationState scratchState;
    WriteReportSection(kind, SectionMode::ForSet, reader, scratch, scratchState);
    for (const ValueFinding& value : reader.Findings()) {
        const Problem problem = ProblemOf(value.Problem);
        Finding finding =
            Base(problem, problem == Problem::NegativeCount ? Severity::Warning : Severity::Error,
                 value.Element);
        finding.Value = value.Value;
        finding.Student = value.Holder;
        Add(std::move(finding));
    }
}

void ReportChecker::NoteClass(ReportKind kind) {
    if (kind != ReportKind::Class && kind != ReportKind::Behaviour)
        return;
    const std::string className = ReadReportText(m_document, "Klasa");
    // Reports without a class name cannot be told apart; they are not doubles.
    if (className.empty())
        return;
    const auto key = std::make_pair(kind, UpperCase(Cp1250ToUtf16(className)));
    const auto [first, inserted] = m_classes.emplace(key, m_path);
    if (inserted)
        return;
    Finding finding = Base(Problem::DuplicateClass, Severity::Warning, "Szkola/Klasa");
    finding.Value = className;
    finding.OtherFile = first->second;
    Add(std::move(finding));
}

} // namespace

int CheckResult::ErrorCount() const {
    return static_cast<int>(std::count_if(Findings.begin(), Findings.end(), [](const Finding& f) {
        return f.Level == Severity::Error;
    }));
}

int CheckResult::WarningCount() const {
    return static_cast<int>(Findings.size()) - ErrorCount();
}

CheckResult CheckReportFiles(const std::vector<std::string>& paths,
                             const std::vector<std::string>& unusable) {
    CheckResult result;
    ReportChecker checker(result);
    for (const std::string& path : paths)
        checker.Check(path, nullptr, -1);
    checker.CheckAcrossSet();
    for (const std::string& path : unusable) {
        ++result.ReportsChecked;
        Finding finding;
        finding.Kind = Problem::UnrepresentableFileName;
        finding.Level = Severity::Warning;
        finding.File = Utf8ToCp1250(path);
        finding.ShownFile = path;
        result.Findings.push_back(std::move(finding));
    }
    return result;
}

namespace {

void CheckEntries(const ReportCatalogue& catalogue, ReportChecker& checker) {
    const int count = std::min(catalogue.Count, static_cast<int>(catalogue.Slots.size()));
    for (int i = 0; i < count; ++i) {
        const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(i)];
        // A slot left empty when the list was saved produces nothing and loses nothing now.
        if (entry.Title.empty() && entry.Path.empty() && entry.Kind.empty())
            continue;
        checker.Check(entry.Path, &entry.Kind, i);
    }
}

} // namespace

CheckResult CheckListedReports(const ReportCatalogue& catalogue) {
    CheckResult result;
    ReportChecker checker(result);
    CheckEntries(catalogue, checker);
    checker.CheckAcrossSet();
    return result;
}

CheckResult CheckCatalogue(const ReportCatalogue& catalogue,
                           const std::vector<std::string>& folderFiles) {
    CheckResult result;
    ReportChecker checker(result);
    CheckEntries(catalogue, checker);
    for (const std::string& path : folderFiles) {
        const bool held = std::any_of(catalogue.Slots.begin(), catalogue.Slots.end(),
                                      [&](const ReportEntry& entry) { return entry.Path == path; });
        if (!held)
            checker.Check(path, nullptr, -1);
    }
    checker.CheckAcrossSet();
    return result;
}

std::string NearestKind(std::string_view kind) {
    constexpr std::size_t MaxEdits = 3;
    const std::u16string folded = UpperCase(Cp1250ToUtf16(kind));
    if (folded.empty())
        return {};
    // A report written with the list editor's longer label instead of the
    // kind text is a likely mistake.
    for (const KindInfo& info : KindTable()) {
        if (info.Label != info.Text && folded == UpperCase(Utf8ToUtf16(info.Label)))
            return std::string(info.Text);
    }
    std::string best;
    std::size_t bestDistance = MaxEdits + 1;
    for (const KindInfo& info : KindTable()) {
        const std::size_t distance = EditDistance(folded, UpperCase(Cp1250ToUtf16(info.Text)));
        if (distance < bestDistance) {
            best = std::string(info.Text);
            bestDistance = distance;
        }
    }
    return best;
}

Problem ProblemOf(BadValue problem) {
    switch (problem) {
    case BadValue::Missing:
        return Problem::MissingCount;
    case BadValue::NotWholeNumber:
        return Problem::CountNotWholeNumber;
    case BadValue::OutOfRange:
        return Problem::CountOutOfRange;
    case BadValue::Negative:
        return Problem::NegativeCount;
    case BadValue::AverageNotNumeric:
        return Problem::AverageNotNumeric;
    case BadValue::TooManyLines:
        return Problem::ReportTooLarge;
    }
    return Problem::CountNotWholeNumber;
}

std::string_view ProblemCode(Problem problem) {
    switch (problem) {
    case Problem::UnreadableFile:
        return "unreadable-file";
    case Problem::ListedFileMissing:
        return "listed-file-missing";
    case Problem::UnrepresentableFileName:
        return "unrepresentable-file-name";
    case Problem::EmptyFile:
        return "empty-file";
    case Problem::DamagedXml:
        return "damaged-xml";
    case Problem::UnknownKind:
        return "unknown-kind";
    case Problem::KindDiffersFromList:
        return "kind-differs-from-list";
    case Problem::MissingCount:
        return "missing-count";
    case Problem::CountNotWholeNumber:
        return "count-not-whole-number";
    case Problem::CountOutOfRange:
        return "count-out-of-range";
    case Problem::NegativeCount:
        return "negative-count";
    case Problem::AverageNotNumeric:
        return "average-not-numeric";
    case Problem::DuplicateClass:
        return "duplicate-class";
    case Problem::ReportTooLarge:
        return "report-too-large";
    case Problem::CharactersLost:
        return "characters-lost";
    case Problem::MissingClassReport:
        return "missing-class-report";
    case Problem::MissingBehaviourReport:
        return "missing-behaviour-report";
    case Problem::MissingTutorReport:
        return "missing-tutor-report";
    case Problem::FailingGradeWithoutJustification:
        return "failing-grade-without-justification";
    case Problem::JustificationWithoutFailingGrade:
        return "justification-without-failing-grade";
    case Problem::DistinguishedBelowThreshold:
        return "distinguished-below-threshold";
    case Problem::DistinguishedWithLoweredBehaviour:
        return "distinguished-with-lowered-behaviour";
    case Problem::ClassifiedBelowNamedStudents:
        return "classified-below-named-students";
    case Problem::PromotedAboveClassified:
        return "promoted-above-classified";
    case Problem::DistinguishedWithFailingGrade:
        return "distinguished-with-failing-grade";
    }
    return "unknown";
}

} // namespace notarion
