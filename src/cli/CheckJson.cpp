#include "cli/CheckJson.h"

#include "cli/CheckOutput.h"
#include "cli/TerminalText.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace notarion {
namespace {

using Json = nlohmann::ordered_json;

std::string Dump(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// An object on one line, with a blank after each colon and comma, as
// scripts and people have read the check's output so far.
std::string OneLineObject(const Json& object) {
    std::string text = "{";
    for (auto item = object.begin(); item != object.end(); ++item) {
        if (item != object.begin())
            text += ", ";
        text += Dump(item.key()) + ": " + Dump(item.value());
    }
    return text + "}";
}

void WriteArray(std::ostream& out, std::string_view name, const std::vector<Json>& items,
                bool last) {
    out << "  \"" << name << "\": [";
    bool first = true;
    for (const Json& item : items) {
        out << (first ? "\n" : ",\n") << "    " << OneLineObject(item);
        first = false;
    }
    out << (first ? "]" : "\n  ]") << (last ? "\n" : ",\n");
}

bool HasValue(Problem problem) {
    switch (problem) {
    case Problem::UnknownKind:
    case Problem::KindDiffersFromList:
    case Problem::MissingCount:
    case Problem::CountNotWholeNumber:
    case Problem::CountOutOfRange:
    case Problem::NegativeCount:
    case Problem::AverageNotNumeric:
    case Problem::DuplicateClass:
    case Problem::DistinguishedBelowThreshold:
    case Problem::ClassifiedBelowNamedStudents:
    case Problem::PromotedAboveClassified:
        return true;
    default:
        return false;
    }
}

// The findings about more than one report name their class.
bool IsAcrossReports(Problem problem) {
    return problem >= Problem::MissingClassReport;
}

Json FindingJson(const Finding& finding) {
    const auto text = [](std::string_view cp1250) { return TerminalText(cp1250); };
    Json item;
    item["file"] = ShownFile(finding);
    if (finding.ListPosition >= 0)
        item["listPosition"] = finding.ListPosition;
    if (!finding.Element.empty())
        item["element"] = text(finding.Element);
    item["severity"] = finding.Level == Severity::Error ? "error" : "warning";
    item["problem"] = std::string(ProblemCode(finding.Kind));
    if (finding.Kind == Problem::DamagedXml) {
        item["offset"] = finding.Offset;
        item["line"] = finding.Line;
        item["column"] = finding.Column;
        item["unreadCharacters"] = finding.UnreadCharacters;
    }
    if (HasValue(finding.Kind))
        item["value"] = text(finding.Value);
    if (!finding.Suggestion.empty()) {
        item[finding.Kind == Problem::KindDiffersFromList ? "listedKind" : "suggestion"] =
            text(finding.Suggestion);
    }
    if (IsAcrossReports(finding.Kind))
        item["class"] = text(finding.Class);
    if (finding.Kind == Problem::AverageNotNumeric || !finding.Student.empty())
        item["student"] = text(finding.Student);
    if (!finding.Subject.empty())
        item["subject"] = text(finding.Subject);
    if (!finding.LostCharacters.empty())
        item["characters"] = finding.LostCharacters;
    if (!finding.OtherFile.empty())
        item["otherFile"] = text(finding.OtherFile);
    switch (finding.Kind) {
    case Problem::ClassifiedBelowNamedStudents:
        item["namedStudents"] = std::stoi(finding.OtherValue);
        break;
    case Problem::PromotedAboveClassified:
        item["classified"] = text(finding.OtherValue);
        break;
    case Problem::DistinguishedWithFailingGrade:
        item["failingElement"] = text(finding.OtherValue);
        break;
    default:
        break;
    }
    item["message"] = FindingMessage(finding);
    return item;
}

Json ClassJson(const ClassTally& tally) {
    Json item;
    item["class"] = TerminalText(tally.Name);
    item["classReports"] = tally.ClassReports;
    item["behaviourReports"] = tally.BehaviourReports;
    item["tutorReports"] = tally.TutorReports;
    return item;
}

} // namespace

std::string JsonString(std::string_view utf8) {
    return Dump(Json(std::string(utf8)));
}

void WriteCheckJson(const CheckResult& result, std::string_view sourceUtf8, std::ostream& out) {
    out << "{\n  \"source\": " << JsonString(sourceUtf8) << ",\n"
        << "  \"checkedReports\": " << result.ReportsChecked << ",\n"
        << "  \"errors\": " << result.ErrorCount() << ",\n"
        << "  \"warnings\": " << result.WarningCount() << ",\n";
    std::vector<Json> findings;
    for (const Finding& finding : result.Findings)
        findings.push_back(FindingJson(finding));
    WriteArray(out, "findings", findings, false);
    std::vector<Json> classes;
    for (const ClassTally& tally : result.Classes)
        classes.push_back(ClassJson(tally));
    WriteArray(out, "classes", classes, true);
    out << "}\n";
}

} // namespace notarion
