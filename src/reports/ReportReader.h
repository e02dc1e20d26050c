#pragma once

// Reading the values of a loaded report: texts by element path below
// "Szkola", and the whole numbers (counts, averages) that decide how much of
// a report the writers show. The writers of the documents read through a
// ReportReader; the checker runs the same writers with a reader that records
// every bad value instead of stopping, so the two cannot disagree on what a
// report must hold.

#include "reports/WholeNumber.h"
#include "system/ReadLimits.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace notarion {

class XmlDocument;
class XmlNode;

// The words that the generators' failure and the checker's finding both say
// of a count above MaxLoopCount, in UTF-8: "jest poza zakresem (najwyżej …)".
std::string OutOfRangeWords();
// The words both say of a report whose counts pass MaxReportLines, up to the
// count that passed it: "liczby w sprawozdaniu dają razem ponad … wierszy
// (przekracza je liczba ".
std::string TooManyLinesWords();

// The name of a numbered element of a report: "Uczen" and 2 give "Uczen2".
std::string NumberedName(std::string_view stem, int number);

// The path of an element below "Szkola" as findings name it: "Pasek",
// "Uczen2" and "Srednia" give "Szkola/Pasek/Uczen2/Srednia". Empty names are
// left out.
std::string ElementPath(std::initializer_list<std::string_view> names);

// The text of Szkola/name1[/name2[/name3]] as cp1250; a missing element reads
// as the empty text. The lookup does not grow the document.
std::string ReadReportText(const XmlDocument& report, std::string_view name1,
                           std::string_view name2 = {}, std::string_view name3 = {});

// What a reader does with a value that is not the number the writers need.
enum class OnBadValue {
    // Throw Failure carrying the file, the element, the value and the kind
    // of fault: the document set stops.
    Stop,
    // Record a ValueFinding and go on as if the value were 0.
    Record,
};

// One bad value met by a recording reader. Texts are cp1250.
struct ValueFinding {
    // A count above MaxLoopCount is OutOfRange; TooManyLines names the count
    // that took the report's counts past MaxReportLines.
    BadValue Problem = BadValue::Missing;
    // "Szkola/Pasek/Uczen2/Srednia".
    std::string Element;
    std::string Value;
    // The text of the element that holds an average (the student), else empty.
    std::string Holder;
};

// How a reader gives a character Windows-1250 lacks (only a UTF-16 report
// holds one).
enum class LackingLetters {
    // As '?': titles, class names and everything not bound for a page.
    QuestionMark,
    // As an HTML numeric character reference ("&#7877;"): values written
    // into a page, which then shows the letter.
    CharacterReference,
};

class ReportReader {
public:
    // Read from report, which must outlive the reader and not change once
    // read from (the reader remembers where its elements are); file names the report
    // in failures; letters says how Text gives a letter the code page lacks.
    ReportReader(const XmlDocument& report, std::string file, OnBadValue policy,
                 LackingLetters letters = LackingLetters::QuestionMark);

    // ReadReportText of the report.
    std::string Text(std::string_view name1, std::string_view name2 = {},
                     std::string_view name3 = {}) const;
    // A count that drives a loop: a whole number no larger than MaxLoopCount;
    // zero and negative values are returned as they are. A count that takes
    // the report's counts above MaxReportLines is bad (TooManyLines); once
    // past the total, a recording reader returns 0 for every further count.
    int Count(std::string_view name1, std::string_view name2 = {}, std::string_view name3 = {});
    // An average in hundredths: any 32-bit whole number. The text of the
    // element above the average names its holder in a finding.
    int Average(std::string_view name1, std::string_view name2, std::string_view name3);

    // The element Szkola/name1[/name2[/name3]], or nullptr. A group's
    // numbered elements are found through an index, one by one in constant time.
    const XmlNode* Element(std::string_view name1, std::string_view name2 = {},
                           std::string_view name3 = {}) const {
        return Find(name1, name2, name3);
    }

    // The bad values recorded so far, in reading order (Record only).
    const std::vector<ValueFinding>& Findings() const { return m_findings; }
    const std::string& File() const { return m_file; }

private:
    // The text of a number: a failure quotes it, and a message box shows no
    // character reference.
    std::string NumberText(std::string_view name1, std::string_view name2,
                           std::string_view name3) const;
    // Stop: throw; Record: keep the finding. Returns the value to go on with.
    int Bad(ValueFinding finding, BadValue fault);
    // The element Szkola/name1[/name2[/name3]], or nullptr.
    const XmlNode* Find(std::string_view name1, std::string_view name2,
                        std::string_view name3) const;
    // The first child of parent named name (letter case ignored). A group
    // with many children gets an index of them on its first lookup, so that
    // reading its numbered elements one by one costs constant time each.
    const XmlNode* Child(const XmlNode& parent, std::string_view name) const;

    // Element names hashed and compared without regard to letter case; a
    // wanted name (cp1250) is looked up without first being widened.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view name) const;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::u16string_view a, std::u16string_view b) const;
        bool operator()(std::string_view wanted, std::u16string_view name) const;
        bool operator()(std::u16string_view name, std::string_view wanted) const;
    };
    // The first child of each name; the keys are the children's own names.
    using ChildIndex = std::unordered_map<std::u16string_view, const XmlNode*, NameHash, NameEqual>;

    const XmlDocument& m_report;
    // The report's Szkola element, looked up on the first read.
    mutable const XmlNode* m_school = nullptr;
    mutable bool m_schoolLooked = false;
    std::string m_file;
    OnBadValue m_policy;
    LackingLetters m_letters;
    std::vector<ValueFinding> m_findings;
    // The positive counts returned so far, added up.
    long long m_lines = 0;
    mutable std::unordered_map<const XmlNode*, ChildIndex> m_indexes;
};

} // namespace notarion
