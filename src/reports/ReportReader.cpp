#include "reports/ReportReader.h"

#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <initializer_list>
#include <utility>

namespace notarion {
namespace {

std::string ElementPath(std::initializer_list<std::string_view> names) {
    std::string path = "Szkola";
    for (const std::string_view name : names)
        if (!name.empty())
            (path += '/') += name;
    return path;
}

FailureKind KindOfFault(const ValueFinding& finding, NumberFault fault) {
    if (finding.Value.empty())
        return FailureKind::MissingNumber;
    return fault == NumberFault::Malformed ? FailureKind::NotANumber
                                           : FailureKind::NumberOutOfRange;
}

} // namespace

std::string ReadReportText(const XmlDocument& report, std::string_view name1,
                           std::string_view name2, std::string_view name3) {
    const XmlNode* node = report.FindChild(u"Szkola");
    for (const std::string_view name : {name1, name2, name3}) {
        if (node == nullptr)
            return {};
        if (name.empty())
            break;
        node = node->FindChild(Cp1250ToUtf16(name));
    }
    return node != nullptr ? Utf16ToCp1250(node->Value) : std::string();
}

ReportReader::ReportReader(const XmlDocument& report, std::string file, OnBadValue policy)
    : m_report(report), m_file(std::move(file)), m_policy(policy) {}

std::string ReportReader::Text(std::string_view name1, std::string_view name2,
                               std::string_view name3) const {
    return ReadReportText(m_report, name1, name2, name3);
}

int ReportReader::Count(std::string_view name1, std::string_view name2, std::string_view name3) {
    std::string text = Text(name1, name2, name3);
    const WholeNumber number = ParseWholeNumber(text, MaxLoopCount);
    ValueFinding finding;
    finding.Element = ElementPath({name1, name2, name3});
    if (text.empty()) {
        finding.Problem = ValueProblem::MissingCount;
        return Bad(std::move(finding), number.Fault);
    }
    finding.Value = std::move(text);
    if (!number) {
        finding.Problem = number.Fault == NumberFault::Malformed ? ValueProblem::CountNotWholeNumber
                                                                 : ValueProblem::CountOutOfRange;
        return Bad(std::move(finding), number.Fault);
    }
    // A negative count stops nothing; only a check wants to hear of it.
    if (number.Value < 0 && m_policy == OnBadValue::Record) {
        finding.Problem = ValueProblem::NegativeCount;
        m_findings.push_back(std::move(finding));
    }
    return number.Value;
}

int ReportReader::Average(std::string_view name1, std::string_view name2, std::string_view name3) {
    std::string text = Text(name1, name2, name3);
    const WholeNumber number = ParseWholeNumber(text);
    if (number)
        return number.Value;
    ValueFinding finding;
    finding.Problem = ValueProblem::AverageNotNumeric;
    finding.Element = ElementPath({name1, name2, name3});
    finding.Value = std::move(text);
    finding.Holder = Text(name1, name2);
    return Bad(std::move(finding), number.Fault);
}

int ReportReader::Bad(ValueFinding finding, NumberFault fault) {
    if (m_policy == OnBadValue::Stop) {
        FailureCause cause{KindOfFault(finding, fault), m_file, finding.Element, finding.Value};
        throw Failure("'" + finding.Value + "' in " + finding.Element + " of " + m_file +
                          " is not a usable whole number",
                      std::move(cause));
    }
    m_findings.push_back(std::move(finding));
    return 0;
}

} // namespace notarion
