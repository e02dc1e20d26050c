#include "reports/ReportReader.h"

#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <utility>

namespace notarion {
namespace {

// Below this many children a plain scan is cheaper than building an index.
constexpr int IndexedGroupSize = 16;

const XmlNode* FindElement(const XmlNode& parent, std::string_view name) {
    if (name.empty())
        return nullptr;
    const auto last = static_cast<unsigned char>(name.back());
    for (const XmlNode* child : parent.Children()) {
        const std::u16string_view childName = child->Name();
        // Most children differ in length, and numbered ones ("w1", "w2")
        // in their last character, ASCII in either letter case: those cost
        // no full comparison.
        if (childName.size() != name.size() ||
            (last < 0x80 && childName.back() < 0x80 && ((last ^ childName.back()) & ~0x20u) != 0))
            continue;
        if (NamesEqual(name, childName))
            return child;
    }
    return nullptr;
}

template <typename Char> std::size_t HashName(std::basic_string_view<Char> name) {
    std::size_t hash = 14695981039346656037ull;
    for (const Char c : name) {
        const char16_t wide =
            sizeof(Char) == 1 ? Cp1250Char(static_cast<unsigned char>(c)) : char16_t(c);
        hash = (hash ^ UpperCaseChar(wide)) * 1099511628211ull;
    }
    return hash;
}

// The node's value in cp1250: its own bytes where the reader kept them.
std::string TextOf(const XmlNode& node, LackingLetters letters = LackingLetters::QuestionMark) {
    if (const std::optional<std::string_view> bytes = node.Cp1250Value())
        return std::string(*bytes);
    return letters == LackingLetters::CharacterReference ? Utf16ToCp1250Html(node.Value())
                                                         : Utf16ToCp1250(node.Value());
}

// What a stopping reader says of a bad value: a bad average by the fault of
// its number, as the documents' failure tells it.
BadValue StopFault(const ValueFinding& finding, BadValue fault) {
    if (finding.Problem == BadValue::TooManyLines)
        return BadValue::TooManyLines;
    if (finding.Value.empty())
        return BadValue::Missing;
    return fault;
}

} // namespace

std::string ElementPath(std::initializer_list<std::string_view> names) {
    std::string path = "Szkola";
    for (const std::string_view name : names)
        if (!name.empty())
            (path += '/') += name;
    return path;
}

std::string OutOfRangeWords() {
    return "jest poza zakresem (najwyżej " + std::to_string(MaxLoopCount) + ")";
}

std::string TooManyLinesWords() {
    return "liczby w sprawozdaniu dają razem ponad " + std::to_string(MaxReportLines) +
           " wierszy (przekracza je liczba ";
}

std::string NumberedName(std::string_view stem, int number) {
    return std::string(stem) + std::to_string(number);
}

std::string ReadReportText(const XmlDocument& report, std::string_view name1,
                           std::string_view name2, std::string_view name3) {
    const XmlNode* node = FindElement(report.Root, "Szkola");
    for (const std::string_view name : {name1, name2, name3}) {
        if (node == nullptr)
            return {};
        if (name.empty())
            break;
        node = FindElement(*node, name);
    }
    return node != nullptr ? TextOf(*node) : std::string();
}

ReportReader::ReportReader(const XmlDocument& report, std::string file, OnBadValue policy,
                           LackingLetters letters)
    : m_report(report), m_file(std::move(file)), m_policy(policy), m_letters(letters) {}

std::size_t ReportReader::NameHash::operator()(std::u16string_view name) const {
    return HashName(name);
}
std::size_t ReportReader::NameHash::operator()(std::string_view name) const {
    return HashName(name);
}

bool ReportReader::NameEqual::operator()(std::u16string_view a, std::u16string_view b) const {
    return NamesEqual(a, b);
}
bool ReportReader::NameEqual::operator()(std::string_view wanted, std::u16string_view name) const {
    return NamesEqual(wanted, name);
}
bool ReportReader::NameEqual::operator()(std::u16string_view name, std::string_view wanted) const {
    return NamesEqual(wanted, name);
}

const XmlNode* ReportReader::Child(const XmlNode& parent, std::string_view name) const {
    if (parent.ChildCount() < IndexedGroupSize)
        return FindElement(parent, name);
    auto [at, added] = m_indexes.try_emplace(&parent);
    ChildIndex& index = at->second;
    if (added) {
        index.reserve(static_cast<std::size_t>(parent.ChildCount()));
        // The first child of a name wins, as in a scan.
        for (const XmlNode* child : parent.Children())
            index.try_emplace(child->Name(), child);
    }
    const auto found = index.find(name);
    return found != index.end() ? found->second : nullptr;
}

const XmlNode* ReportReader::Find(std::string_view name1, std::string_view name2,
                                  std::string_view name3) const {
    if (!m_schoolLooked) {
        m_school = FindElement(m_report.Root, "Szkola");
        m_schoolLooked = true;
    }
    const XmlNode* node = m_school;
    for (const std::string_view name : {name1, name2, name3}) {
        if (node == nullptr || name.empty())
            break;
        node = Child(*node, name);
    }
    return node;
}

std::string ReportReader::Text(std::string_view name1, std::string_view name2,
                               std::string_view name3) const {
    const XmlNode* node = Find(name1, name2, name3);
    return node != nullptr ? TextOf(*node, m_letters) : std::string();
}

std::string ReportReader::NumberText(std::string_view name1, std::string_view name2,
                                     std::string_view name3) const {
    const XmlNode* node = Find(name1, name2, name3);
    return node != nullptr ? TextOf(*node) : std::string();
}

int ReportReader::Count(std::string_view name1, std::string_view name2, std::string_view name3) {
    std::string text = NumberText(name1, name2, name3);
    const WholeNumber number = ParseWholeNumber(text, MaxLoopCount);
    // A finding is made only for a bad count: a good one, the common case,
    // costs no path text.
    const auto finding = [&](BadValue problem) {
        ValueFinding made;
        made.Problem = problem;
        made.Element = ElementPath({name1, name2, name3});
        made.Value = std::move(text);
        return made;
    };
    if (text.empty())
        return Bad(finding(BadValue::Missing), BadValue::Missing);
    if (!number)
        return Bad(finding(*number.Fault), *number.Fault);
    // A negative count stops nothing; only a check wants to hear of it.
    if (number.Value < 0 && m_policy == OnBadValue::Record)
        m_findings.push_back(finding(BadValue::Negative));
    if (number.Value <= 0)
        return number.Value;
    // Past the total once is enough to name the report; what follows is
    // not read, so that a check does no more work than a generation.
    if (m_lines > MaxReportLines)
        return 0;
    m_lines += number.Value;
    if (m_lines > MaxReportLines)
        return Bad(finding(BadValue::TooManyLines), BadValue::TooManyLines);
    return number.Value;
}

int ReportReader::Average(std::string_view name1, std::string_view name2, std::string_view name3) {
    std::string text = NumberText(name1, name2, name3);
    const WholeNumber number = ParseWholeNumber(text);
    if (number)
        return number.Value;
    ValueFinding finding;
    finding.Problem = BadValue::AverageNotNumeric;
    finding.Element = ElementPath({name1, name2, name3});
    finding.Value = std::move(text);
    finding.Holder = Text(name1, name2);
    return Bad(std::move(finding), *number.Fault);
}

int ReportReader::Bad(ValueFinding finding, BadValue fault) {
    if (m_policy == OnBadValue::Stop) {
        FailureCause cause{FailureKind::BadValue, m_file, finding.Element, finding.Value};
        cause.Fault = StopFault(finding, fault);
        if (finding.Problem == BadValue::TooManyLines)
            throw Failure("the counts of " + m_file + " add up to more than " +
                              std::to_string(MaxReportLines) + " lines at " + finding.Element,
                          std::move(cause));
        throw Failure("'" + finding.Value + "' in " + finding.Element + " of " + m_file +
                          " is not a usable whole number",
                      std::move(cause));
    }
    m_findings.push_back(std::move(finding));
    return 0;
}

} // namespace notarion
