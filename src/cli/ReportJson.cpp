#include "cli/ReportJson.h"

#include "cli/CommandError.h"
#include "cli/TerminalText.h"
#include "system/ReadLimits.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace notarion {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kKindKey = "Doc";
constexpr std::string_view kProblemsKey = "problems";
// A row whose only field is its name is written as a plain text.
bool IsPlainRow(PartShape shape) {
    return LayoutOf(shape).Fields.size() == 1;
}

Json RowJson(PartShape shape, const StudentRow& row) {
    if (IsPlainRow(shape))
        return row.Name;
    Json object = Json::object();
    for (const RowField& field : LayoutOf(shape).Fields) {
        const std::string key(field.JsonKey);
        if (field.Value == RowValue::Lines)
            object[key] = row.Lines;
        else
            object[key] = FieldText(row, field.Value);
    }
    return object;
}

// The place and the words are shown escaped: a key or a value may hold
// anything, a terminal's control sequences included.
[[noreturn]] void Refuse(const std::string& place, const std::string& what) {
    ThrowWorkFailed(OneLine("JSON, „" + (place.empty() ? std::string("/") : place) + "”: " + what));
}

// The most members any object of a form has: the root's parts, its kind and
// the problems of a shown report; a row has fewer.
std::size_t MaxMembers() {
    std::size_t most = 0;
    for (const KindInfo& info : KindTable())
        most = std::max(most, FormParts(info.Kind).size());
    return most + 2;
}

// The deepest a form nests: the root, a part's list, a row, a row's lines.
constexpr std::size_t kMaxDepth = 4;

// Reads the JSON text into a value for the parser (a SAX handler of
// nlohmann/json) and refuses at once, naming the place, what no form holds:
// a key given twice, a list beyond the reader's limits (system/ReadLimits.h),
// more members or deeper nesting than any form has. Nothing beyond those
// limits is ever built, so a huge or hostile file costs no more than a
// report at the limits. The problems of a shown report are passed over
// without being built. Every failure of the parser leaves as our message.
class FormJsonBuilder {
public:
    explicit FormJsonBuilder(Json& root) : m_root(root) {}

    bool null() { return Add(nullptr); }
    bool boolean(bool value) { return Add(value); }
    bool number_integer(Json::number_integer_t value) { return Add(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return Add(value); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return Add(value); }
    bool string(Json::string_t& value) { return Add(std::move(value)); }
    bool binary(Json::binary_t& value) { return Add(Json::binary(std::move(value))); }
    bool start_object(std::size_t) { return Open(Json::object()); }
    bool start_array(std::size_t) { return Open(Json::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(Json::string_t& name) {
        if (m_skipped > 0)
            return true;
        Frame& object = m_open.back();
        const std::string place = object.Place + "/" + name;
        if (std::find(object.Keys.begin(), object.Keys.end(), name) != object.Keys.end())
            Refuse(place, "pole „" + name + "” występuje dwa razy; zostaw jedno.");
        if (object.Keys.size() == m_maxMembers) {
            Refuse(place, "obiekt ma więcej pól, niż ma jakikolwiek formularz sprawozdania (" +
                              std::to_string(m_maxMembers) + ").");
        }
        object.Keys.push_back(name);
        m_skipNext = m_open.size() == 1 && name == kProblemsKey;
        return true;
    }

    bool parse_error(std::size_t byte, const std::string&, const nlohmann::json::exception& error) {
        // 406: a number beyond a double ("1e400").
        if (error.id == 406)
            Refuse(NextPlace(),
                   "liczba spoza zakresu; wartości sprawozdania to teksty w cudzysłowie.");
        ThrowWorkFailed(OneLine("To nie jest poprawny JSON (bajt " + std::to_string(byte) + ", „" +
                                (NextPlace().empty() ? std::string("/") : NextPlace()) +
                                "”): " + error.what()));
    }

private:
    struct Frame {
        Json* Value = nullptr;
        std::string Place;
        std::size_t Entries = 0;
        std::vector<std::string> Keys;
    };

    // The JSON pointer of the value that comes next.
    std::string NextPlace() const {
        if (m_open.empty())
            return {};
        const Frame& top = m_open.back();
        if (top.Value->is_array())
            return top.Place + "/" + std::to_string(top.Entries);
        return top.Place + "/" + (top.Keys.empty() ? std::string() : top.Keys.back());
    }

    // True while a value is passed over; counts the containers it opens.
    bool Skipping(int step) {
        if (m_skipNext) {
            m_skipNext = false;
            m_skipped = step > 0 ? 1 : 0;
            return true;
        }
        if (m_skipped == 0)
            return false;
        if (step > 0)
            ++m_skipped;
        if (step < 0)
            --m_skipped;
        return true;
    }

    // Put the value in its place; returns where it is.
    Json* Place(Json value) {
        if (m_open.empty()) {
            m_root = std::move(value);
            return &m_root;
        }
        Frame& top = m_open.back();
        if (!top.Value->is_array())
            return &((*top.Value)[top.Keys.back()] = std::move(value));
        const std::string place = NextPlace();
        if (++top.Entries > static_cast<std::size_t>(MaxLoopCount)) {
            Refuse(top.Place, "lista ma ponad " + std::to_string(MaxLoopCount) +
                                  " pozycji, a tyle program odczytuje najwyżej w jednej liście.");
        }
        if (++m_lines > static_cast<std::size_t>(MaxReportLines)) {
            Refuse(place, "listy sprawozdania miałyby razem ponad " +
                              std::to_string(MaxReportLines) +
                              " wierszy, a tyle program odczytuje najwyżej.");
        }
        top.Value->push_back(std::move(value));
        return &top.Value->back();
    }

    bool Add(Json value) {
        if (!Skipping(0))
            Place(std::move(value));
        return true;
    }

    bool Open(Json container) {
        if (Skipping(1))
            return true;
        if (m_open.size() == kMaxDepth)
            Refuse(NextPlace(), "wartość zagnieżdżona głębiej niż w formularzu sprawozdania.");
        std::string place = NextPlace();
        Json* value = Place(std::move(container));
        m_open.push_back({value, std::move(place), 0, {}});
        return true;
    }

    bool Close() {
        if (!Skipping(-1))
            m_open.pop_back();
        return true;
    }

    Json& m_root;
    std::vector<Frame> m_open;
    const std::size_t m_maxMembers = MaxMembers();
    // The array entries outside the problems: the lines of the report.
    std::size_t m_lines = 0;
    bool m_skipNext = false;
    std::size_t m_skipped = 0;
};

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
    if (IsPlainRow(shape)) {
        row.Name = Text(value, place);
        return row;
    }
    if (!value.is_object())
        Refuse(place, "wartość powinna być obiektem {…}.");
    std::vector<std::string_view> keys;
    for (const RowField& field : LayoutOf(shape).Fields)
        keys.push_back(field.JsonKey);
    RefuseUnknownKeys(value, keys, place);
    for (const RowField& field : LayoutOf(shape).Fields) {
        const std::string at = place + "/" + std::string(field.JsonKey);
        const Json& member = Member(value, field.JsonKey, place);
        if (field.Value == RowValue::Lines)
            row.Lines = Texts(member, at);
        else
            FieldText(row, field.Value) = Text(member, at);
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
    FormJsonBuilder builder(json);
    try {
        Json::sax_parse(text, &builder);
    } catch (const nlohmann::json::exception& error) {
        // The builder names the parser's failures; whatever else it throws
        // is named in our words too.
        ThrowWorkFailed(OneLine(std::string("Nie można odczytać JSON: ") + error.what()));
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
