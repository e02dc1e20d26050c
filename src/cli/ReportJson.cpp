#include "cli/ReportJson.h"

#include "cli/CommandError.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace notarion {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kKindKey = "Doc";
constexpr std::string_view kProblemsKey = "problems";
constexpr std::string_view kName = "Uczen";
constexpr std::string_view kAverage = "Srednia";
constexpr std::string_view kSubjects = "Przedmioty";
constexpr std::string_view kPerson = "Osoba";
constexpr std::string_view kGrade = "Ocena";
constexpr std::string_view kLines = "Wiersze";

// The keys of one row object of a shape, the name first.
std::vector<std::string_view> RowKeys(PartShape shape) {
    switch (shape) {
    case PartShape::NamesWithAverage:
        return {kName, kAverage};
    case PartShape::NamesWithSubjects:
        return {kName, kSubjects};
    case PartShape::Justifications:
        return {kPerson, kLines};
    case PartShape::GradedJustifications:
        return {kPerson, kGrade, kLines};
    default:
        return {};
    }
}

Json RowJson(PartShape shape, const StudentRow& row) {
    if (shape == PartShape::Names)
        return row.Name;
    Json object = Json::object();
    for (const std::string_view key : RowKeys(shape)) {
        const std::string name(key);
        if (key == kName || key == kPerson)
            object[name] = row.Name;
        else if (key == kAverage)
            object[name] = row.Average;
        else if (key == kLines)
            object[name] = row.Lines;
        else
            object[name] = row.Detail;
    }
    return object;
}

[[noreturn]] void Refuse(const std::string& place, const std::string& what) {
    ThrowWorkFailed("JSON, „" + (place.empty() ? std::string("/") : place) + "”: " + what);
}

const Json& Member(const Json& object, std::string_view key, const std::string& place) {
    const auto found = object.find(std::string(key));
    if (found == object.end())
        Refuse(place, "brak pola „" + std::string(key) + "”.");
    return *found;
}

std::string Text(const Json& value, const std::string& place) {
    if (!value.is_string())
        Refuse(place, "wartość powinna być tekstem w cudzysłowie.");
    return value.get<std::string>();
}

std::vector<std::string> Texts(const Json& value, const std::string& place) {
    if (!value.is_array())
        Refuse(place, "wartość powinna być tablicą tekstów [\"…\", \"…\"].");
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < value.size(); ++i)
        texts.push_back(Text(value[i], place + "/" + std::to_string(i)));
    return texts;
}

// Keys outside the schema are refused: a misspelt key would otherwise lose
// its value without a word.
void RefuseUnknownKeys(const Json& object, const std::vector<std::string_view>& known,
                       const std::string& place) {
    for (const auto& [key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end())
            Refuse(place + "/" + key, "nieznane pole „" + key + "”.");
    }
}

StudentRow RowFromJson(PartShape shape, const Json& value, const std::string& place) {
    StudentRow row;
    if (shape == PartShape::Names) {
        row.Name = Text(value, place);
        return row;
    }
    if (!value.is_object())
        Refuse(place, "wartość powinna być obiektem {…}.");
    const std::vector<std::string_view> keys = RowKeys(shape);
    RefuseUnknownKeys(value, keys, place);
    for (const std::string_view key : keys) {
        const std::string at = place + "/" + std::string(key);
        const Json& member = Member(value, key, place);
        if (key == kName || key == kPerson)
            row.Name = Text(member, at);
        else if (key == kAverage)
            row.Average = Text(member, at);
        else if (key == kLines)
            row.Lines = Texts(member, at);
        else
            row.Detail = Text(member, at);
    }
    return row;
}

} // namespace

std::string FormToJson(const ReportForm* form, const std::vector<FormProblem>& problems) {
    Json json = Json::object();
    if (form != nullptr)
        json[std::string(kKindKey)] = std::string(Info(form->Kind).Text);
    const std::span<const FormPart> parts =
        form != nullptr ? FormParts(form->Kind) : std::span<const FormPart>();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const PartValue& value = form->Values[i];
        Json& target = json[std::string(parts[i].Element)];
        if (parts[i].Shape == PartShape::Text) {
            target = value.Text;
        } else if (parts[i].Shape == PartShape::Lines) {
            target = value.Lines;
        } else {
            target = Json::array();
            for (const StudentRow& row : value.Rows)
                target.push_back(RowJson(parts[i].Shape, row));
        }
    }
    Json list = Json::array();
    for (const FormProblem& problem : problems) {
        list.push_back({{"element", problem.Element},
                        {"severity", problem.Level == Severity::Error ? "error" : "warning"},
                        {"problem", problem.Code},
                        {"message", problem.Message}});
    }
    json[std::string(kProblemsKey)] = std::move(list);
    // Polish letters stay readable; invalid UTF-8 from a damaged file is replaced.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

ReportForm FormFromJson(std::string_view text) {
    Json json;
    try {
        json = Json::parse(text);
    } catch (const Json::parse_error& error) {
        ThrowWorkFailed("To nie jest poprawny JSON (bajt " + std::to_string(error.byte) +
                        "): " + error.what());
    }
    if (!json.is_object())
        Refuse("", "oczekiwano obiektu {…} z polami sprawozdania.");
    const std::string kind = Text(Member(json, kKindKey, ""), "/Doc");
    const std::optional<ReportKind> known = KindOf(kind);
    if (!known)
        Refuse("/Doc", "nieznany rodzaj sprawozdania „" + kind + "”.");
    ReportForm form = EmptyForm(*known);
    const std::span<const FormPart> parts = FormParts(form.Kind);
    std::vector<std::string_view> keys = {kKindKey, kProblemsKey};
    for (const FormPart& part : parts)
        keys.push_back(part.Element);
    RefuseUnknownKeys(json, keys, "");
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string place = "/" + std::string(parts[i].Element);
        const Json& member = Member(json, parts[i].Element, "");
        PartValue& value = form.Values[i];
        if (parts[i].Shape == PartShape::Text) {
            value.Text = Text(member, place);
        } else if (parts[i].Shape == PartShape::Lines) {
            value.Lines = Texts(member, place);
        } else {
            if (!member.is_array())
                Refuse(place, "wartość powinna być tablicą [ … ].");
            for (std::size_t r = 0; r < member.size(); ++r)
                value.Rows.push_back(
                    RowFromJson(parts[i].Shape, member[r], place + "/" + std::to_string(r)));
        }
    }
    return form;
}

} // namespace notarion
