#include "cli/ReportCheck.h"

#include "generate/Counts.h"
#include "generate/HtmlPage.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "text/Cp1250.h"
#include "text/Failure.h"
#include "text/FileSystem.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <optional>
#include <utility>

namespace notarion {
namespace {

// Kind indexes (KindText) of the kinds whose counts are walked differently.
enum KindIndexes : int {
    ClassKind = 0,
    BehaviourKind = 1,
    FailJustificationKind = 2,
    SubjectKind = 3,
    TutorKind = 4,
    ActivityKind = 5,
    OtherInfoKind = 6,
    CardHoursKind = 7,
    HeadTeacherKind = 8,
};

std::string Numbered(std::string_view stem, int number) {
    return std::string(stem) + std::to_string(number);
}

// True when the text has the shape of a whole number (blanks, a sign, decimal
// digits or "$"/"0x" and hexadecimal digits), whatever its size: a text of
// this shape that ParseCount refuses is too large, not malformed.
bool LooksLikeWholeNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        const bool hexDigit = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit && !(hex && hexDigit))
            return false;
    }
    return true;
}

// Line and column (from 1) of the character at offset in the file's text,
// counting characters as the reader decodes them: UTF-16 units after the
// FF FE mark, else one byte per character.
std::pair<std::size_t, std::size_t> LineAndColumn(std::string_view bytes, std::size_t offset) {
    const bool unicode = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                         static_cast<unsigned char>(bytes[1]) == 0xFE;
    const std::size_t length = unicode ? (bytes.size() - 2) / 2 : bytes.size();
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < std::min(offset, length); ++i) {
        const bool newline =
            unicode ? bytes[2 + 2 * i] == '\n' && bytes[3 + 2 * i] == '\0' : bytes[i] == '\n';
        if (newline) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {line, column};
}

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

private:
    Finding Base(Problem problem, Severity level, std::string element = {}) const;
    void Add(Finding finding) { m_result.Findings.push_back(std::move(finding)); }
    bool ReadReport(const std::string& path);
    void CheckKind(const std::string* listedKind);
    void WalkCounts(int kindIndex);
    std::optional<int> LoopCount(std::initializer_list<std::string_view> names);
    void LineGroup(std::string_view group) { LoopCount({group, "IloscWierszy"}); }
    void Average(int student);
    void NoteClass(int kindIndex);

    CheckResult& m_result;
    // The report being checked.
    std::string m_path;
    int m_position = -1;
    std::string m_bytes;
    XmlDocument m_document;
    bool m_empty = false;
    // The first report of each class, per kind: (kind, folded class) -> path.
    std::map<std::pair<int, std::u16string>, std::string> m_classes;
};

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

    const int listedIndex = listedKind ? KindIndex(*listedKind) : -1;
    if (listedKind && listedIndex < 0) {
        // The generators write no document for this position; its file does
        // not matter to them.
        Finding finding = Base(Problem::UnknownKind, Severity::Warning,
                               "Naglowki/" + Numbered("Pozycja", listPosition) + "/Typ");
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
    CheckKind(listedKind);
    const int kindIndex = listedKind ? listedIndex : KindIndex(ReadReportText(m_document, "Doc"));
    if (kindIndex < 0)
        return;
    WalkCounts(kindIndex);
    NoteClass(kindIndex);
}

bool ReportChecker::ReadReport(const std::string& path) {
    try {
        m_bytes = ReadWholeFile(path);
    } catch (const Failure&) {
        Add(Base(Problem::UnreadableFile, Severity::Error));
        return false;
    }
    if (m_bytes.size() < 2) {
        m_empty = true;
        Add(Base(Problem::EmptyFile, Severity::Warning));
        return true;
    }
    if (!m_document.LoadFromBytes(m_bytes)) {
        Finding finding = Base(Problem::DamagedXml, Severity::Warning);
        finding.Offset = std::min(m_document.ErrorOffset, m_document.TextLength);
        finding.UnreadCharacters = m_document.TextLength - finding.Offset;
        const auto [line, column] = LineAndColumn(m_bytes, finding.Offset);
        finding.Line = line;
        finding.Column = column;
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

// Walk exactly the counts that the section writer of the kind reads, in its
// order, but go on after a bad one so that every problem is named at once.
void ReportChecker::WalkCounts(int kindIndex) {
    switch (kindIndex) {
    case ClassKind:
        LoopCount({"Frekwencja", "IleOsob"});
        if (const auto students = LoopCount({"Pasek", "IleOsob"})) {
            for (int i = 1; i <= *students; ++i)
                Average(i);
        }
        LoopCount({"Ndst", "IleOsob"});
        break;
    case BehaviourKind:
        LoopCount({"Wzorowi", "IleOsob"});
        if (const auto justifications = LoopCount({"Obnizone", "Ilosc"})) {
            for (int i = 1; i <= *justifications; ++i)
                LoopCount({"Obnizone", Numbered("Uzasadnienie", i), "IloscWierszy"});
        }
        LoopCount({"Uwagi", "IloscWierszy"});
        break;
    case FailJustificationKind:
        if (const auto justifications = LoopCount({"Uzasadnienia", "Ilosc"})) {
            for (int i = 1; i <= *justifications; ++i)
                LoopCount({"Uzasadnienia", Numbered("Uzasadnienie", i), "IloscWierszy"});
        }
        break;
    case SubjectKind:
    case TutorKind:
    case ActivityKind:
        LineGroup("Ogolne");
        LineGroup("Sukcesy");
        LineGroup("Wnioski");
        break;
    case OtherInfoKind:
    case CardHoursKind:
        LineGroup("Info");
        break;
    case HeadTeacherKind:
        LineGroup("Dydaktyczna");
        LineGroup("Nadzor");
        break;
    default:
        break;
    }
}

std::string ElementPath(std::initializer_list<std::string_view> names) {
    std::string path = "Szkola";
    for (const std::string_view name : names)
        (path += '/') += name;
    return path;
}

std::string ReadPath(const XmlDocument& document, std::initializer_list<std::string_view> names) {
    const auto* name = names.begin();
    const std::string_view first = names.size() > 0 ? name[0] : std::string_view();
    const std::string_view second = names.size() > 1 ? name[1] : std::string_view();
    const std::string_view third = names.size() > 2 ? name[2] : std::string_view();
    return ReadReportText(document, first, second, third);
}

std::optional<int> ReportChecker::LoopCount(std::initializer_list<std::string_view> names) {
    const std::string text = ReadPath(m_document, names);
    const std::string element = ElementPath(names);
    if (text.empty()) {
        Add(Base(Problem::MissingCount, Severity::Error, element));
        return std::nullopt;
    }
    int value = 0;
    try {
        value = ParseCount(text);
    } catch (const Failure&) {
        Finding finding = Base(LooksLikeWholeNumber(text) ? Problem::CountOutOfRange
                                                          : Problem::CountNotWholeNumber,
                               Severity::Error, element);
        finding.Value = text;
        Add(std::move(finding));
        return std::nullopt;
    }
    // The generators' own limit decides what is out of range.
    try {
        ParseLoopCount(text);
    } catch (const Failure&) {
        Finding finding = Base(Problem::CountOutOfRange, Severity::Error, element);
        finding.Value = text;
        Add(std::move(finding));
        return std::nullopt;
    }
    if (value < 0) {
        Finding finding = Base(Problem::NegativeCount, Severity::Warning, element);
        finding.Value = text;
        Add(std::move(finding));
    }
    return value;
}

void ReportChecker::Average(int student) {
    const std::string stem = Numbered("Uczen", student);
    const std::string text = ReadReportText(m_document, "Pasek", stem, "Srednia");
    try {
        ParseCount(text);
        return;
    } catch (const Failure&) {
    }
    Finding finding =
        Base(Problem::AverageNotNumeric, Severity::Error, ElementPath({"Pasek", stem, "Srednia"}));
    finding.Value = text;
    finding.Student = ReadReportText(m_document, "Pasek", stem);
    Add(std::move(finding));
}

void ReportChecker::NoteClass(int kindIndex) {
    if (kindIndex != ClassKind && kindIndex != BehaviourKind)
        return;
    const std::string className = ReadReportText(m_document, "Klasa");
    // Reports without a class name cannot be told apart; they are not doubles.
    if (className.empty())
        return;
    const auto key = std::make_pair(kindIndex, UpperCase(Cp1250ToUtf16(className)));
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
    for (const std::string& path : unusable) {
        ++result.ReportsChecked;
        Finding finding;
        finding.Kind = Problem::UnrepresentableFileName;
        finding.Level = Severity::Warning;
        finding.File = path;
        result.Findings.push_back(std::move(finding));
    }
    return result;
}

CheckResult CheckListedReports(const ReportCatalogue& catalogue) {
    CheckResult result;
    ReportChecker checker(result);
    const int count = std::min(catalogue.Count, static_cast<int>(catalogue.Slots.size()));
    for (int i = 0; i < count; ++i) {
        const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(i)];
        // A slot left empty when the list was saved produces nothing and loses nothing now.
        if (entry.Title.empty() && entry.Path.empty() && entry.Kind.empty())
            continue;
        checker.Check(entry.Path, &entry.Kind, i);
    }
    return result;
}

std::string NearestKind(std::string_view kind) {
    // The list editor shows these two kinds under longer labels; a report
    // written with the label instead of the kind text is a likely mistake.
    static const std::array<std::pair<std::u16string, int>, 2> labels = {{
        {UpperCase(Utf8ToUtf16("Realizacja zajęć dodatkowych")), 5},
        {UpperCase(Utf8ToUtf16("Realizacja zajęć wynikających z karty")), 7},
    }};
    constexpr std::size_t MaxEdits = 3;
    const std::u16string folded = UpperCase(Cp1250ToUtf16(kind));
    if (folded.empty())
        return {};
    for (const auto& [label, index] : labels) {
        if (folded == label)
            return KindText(index);
    }
    int best = -1;
    std::size_t bestDistance = MaxEdits + 1;
    for (int i = 0; i < ReportKindCount; ++i) {
        const std::size_t distance = EditDistance(folded, UpperCase(Cp1250ToUtf16(KindText(i))));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best >= 0 ? KindText(best) : std::string();
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
    }
    return "unknown";
}

} // namespace notarion
