#include "reports/ReportFormFile.h"

#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <initializer_list>
#include <memory>
#include <utility>

namespace notarion {
namespace {

std::string Numbered(std::string_view stem, int number) {
    return std::string(stem) + std::to_string(number);
}

// The element names of a block's shape.
struct BlockNames {
    std::string_view Count;
    std::string_view Row;
    int FirstRow;
};

BlockNames NamesOf(PartShape shape) {
    switch (shape) {
    case PartShape::Text:
        return {{}, {}, 0};
    case PartShape::Lines:
        return {"IloscWierszy", "w", 0};
    case PartShape::Names:
    case PartShape::NamesWithAverage:
    case PartShape::NamesWithSubjects:
        return {"IleOsob", "Uczen", 1};
    case PartShape::Justifications:
    case PartShape::GradedJustifications:
        return {"Ilosc", "Uzasadnienie", 1};
    }
    return {};
}

constexpr std::string_view kJustificationLines = "IloscWierszy";
constexpr std::string_view kJustificationLine = "Wiersz";

std::string_view DetailElement(PartShape shape) {
    if (shape == PartShape::NamesWithSubjects)
        return "Przedmioty";
    if (shape == PartShape::GradedJustifications)
        return "Ocena";
    return {};
}

std::string PathOf(std::initializer_list<std::string_view> names) {
    std::string path = "Szkola";
    for (const std::string_view name : names)
        if (!name.empty())
            (path += '/') += name;
    return path;
}

// Reads one report into a form. Texts are taken from the UTF-16 model
// directly, so a character that Windows-1250 cannot hold survives into the
// form and is refused by name when saving instead of turning into "?".
class FormReader {
public:
    FormReader(const XmlDocument& document, FormRead& result)
        : m_document(document), m_reader(document, {}, OnBadValue::Record), m_result(result) {}

    void Read(ReportForm& form) {
        const std::span<const FormPart> parts = FormParts(form.Kind);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            m_part = static_cast<int>(i);
            ReadPart(parts[i], form.Values[i]);
        }
    }

private:
    const XmlNode* Node(std::initializer_list<std::string_view> names) const {
        const XmlNode* node = m_document.FindChild(u"Szkola");
        for (const std::string_view name : names) {
            if (node == nullptr)
                return nullptr;
            node = node->FindChild(Cp1250ToUtf16(name));
        }
        return node;
    }

    std::string Text(std::initializer_list<std::string_view> names) const {
        const XmlNode* node = Node(names);
        return node != nullptr ? Utf16ToUtf8(node->Value()) : std::string();
    }

    // Move the reader's new findings into the result, marked with the row.
    void TakeFindings(int row) {
        const std::vector<ValueFinding>& found = m_reader.Findings();
        for (; m_taken < found.size(); ++m_taken) {
            FormFinding finding;
            finding.Issue = FormIssue::BadValue;
            finding.Value = found[m_taken];
            finding.Part = m_part;
            finding.Row = row;
            m_result.Findings.push_back(std::move(finding));
        }
    }

    // A numbered element that the count promises but the report lacks.
    void NoteIfMissing(std::initializer_list<std::string_view> names, int row, int count) {
        if (Node(names) != nullptr)
            return;
        FormFinding finding;
        finding.Issue = FormIssue::MissingElement;
        finding.Value.Element = PathOf(names);
        finding.Value.Value = std::to_string(count);
        finding.Part = m_part;
        finding.Row = row;
        m_result.Findings.push_back(std::move(finding));
    }

    std::vector<std::string> ReadLines(std::string_view group, std::string_view sub,
                                       std::string_view countName, std::string_view stem, int row) {
        const int count =
            sub.empty() ? m_reader.Count(group, countName) : m_reader.Count(group, sub, countName);
        TakeFindings(row);
        std::vector<std::string> lines;
        for (int j = 0; j < count; ++j) {
            const std::string line = Numbered(stem, j);
            if (sub.empty()) {
                NoteIfMissing({group, line}, j, count);
                lines.push_back(Text({group, line}));
            } else {
                NoteIfMissing({group, sub, line}, row, count);
                lines.push_back(Text({group, sub, line}));
            }
        }
        return lines;
    }

    void ReadPart(const FormPart& part, PartValue& value) {
        if (part.Shape == PartShape::Text) {
            value.Text = Text({part.Element});
            return;
        }
        const BlockNames names = NamesOf(part.Shape);
        if (part.Shape == PartShape::Lines) {
            value.Lines = ReadLines(part.Element, {}, names.Count, names.Row, -1);
            return;
        }
        const int count = m_reader.Count(part.Element, names.Count);
        TakeFindings(-1);
        for (int i = 0; i < count; ++i) {
            const std::string rowName = Numbered(names.Row, i + names.FirstRow);
            NoteIfMissing({part.Element, rowName}, i, count);
            StudentRow row;
            if (part.Shape == PartShape::Justifications ||
                part.Shape == PartShape::GradedJustifications) {
                row.Name = Text({part.Element, rowName, "Osoba"});
                if (part.Shape == PartShape::GradedJustifications)
                    row.Detail = Text({part.Element, rowName, DetailElement(part.Shape)});
                row.Lines =
                    ReadLines(part.Element, rowName, kJustificationLines, kJustificationLine, i);
            } else {
                row.Name = Text({part.Element, rowName});
                if (part.Shape == PartShape::NamesWithSubjects)
                    row.Detail = Text({part.Element, rowName, DetailElement(part.Shape)});
                if (part.Shape == PartShape::NamesWithAverage) {
                    const std::size_t before = m_reader.Findings().size();
                    const int average = m_reader.Average(part.Element, rowName, "Srednia");
                    // A bad average stays as it was written, so the user sees what to mend.
                    row.Average = m_reader.Findings().size() == before
                                      ? AverageText(average)
                                      : Text({part.Element, rowName, "Srednia"});
                    TakeFindings(i);
                }
            }
            value.Rows.push_back(std::move(row));
        }
    }

    const XmlDocument& m_document;
    ReportReader m_reader;
    FormRead& m_result;
    std::size_t m_taken = 0;
    int m_part = -1;
};

std::u16string Trimmed(std::string_view utf8) {
    std::u16string text = Utf8ToUtf16(utf8);
    const auto blank = [](char16_t c) { return c == 9 || c == 10 || c == 13 || c == 32; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Appends the elements of a report being written.
class FormWriter {
public:
    explicit FormWriter(XmlDocument& document) : m_document(document) {}

    XmlNode* AddElement(XmlNode& parent, std::string_view name, std::u16string_view value = {}) {
        return &m_document.AddChild(parent, XmlNodeKind::Element, Cp1250ToUtf16(name), value);
    }
    void AddLines(XmlNode& parent, std::string_view countName, std::string_view stem,
                  const std::vector<std::string>& lines);
    void AddPart(XmlNode& szkola, const FormPart& part, const PartValue& value);

private:
    XmlDocument& m_document;
};

void FormWriter::AddLines(XmlNode& parent, std::string_view countName, std::string_view stem,
                          const std::vector<std::string>& lines) {
    AddElement(parent, countName, Cp1250ToUtf16(std::to_string(lines.size())));
    for (std::size_t j = 0; j < lines.size(); ++j)
        AddElement(parent, Numbered(stem, static_cast<int>(j)), Trimmed(lines[j]));
}

void FormWriter::AddPart(XmlNode& szkola, const FormPart& part, const PartValue& value) {
    if (part.Shape == PartShape::Text) {
        AddElement(szkola, part.Element, Trimmed(value.Text));
        return;
    }
    XmlNode& group = *AddElement(szkola, part.Element);
    const BlockNames names = NamesOf(part.Shape);
    if (part.Shape == PartShape::Lines) {
        AddLines(group, names.Count, names.Row, value.Lines);
        return;
    }
    AddElement(group, names.Count, Cp1250ToUtf16(std::to_string(value.Rows.size())));
    for (std::size_t i = 0; i < value.Rows.size(); ++i) {
        const StudentRow& row = value.Rows[i];
        const std::string rowName = Numbered(names.Row, static_cast<int>(i) + names.FirstRow);
        switch (part.Shape) {
        case PartShape::Justifications:
        case PartShape::GradedJustifications: {
            XmlNode& justification = *AddElement(group, rowName);
            AddElement(justification, "Osoba", Trimmed(row.Name));
            if (part.Shape == PartShape::GradedJustifications)
                AddElement(justification, "Ocena", Trimmed(row.Detail));
            AddLines(justification, kJustificationLines, kJustificationLine, row.Lines);
            break;
        }
        case PartShape::NamesWithAverage:
            AddElement(*AddElement(group, rowName, Trimmed(row.Name)), "Srednia",
                       Cp1250ToUtf16(std::to_string(ParseAverage(row.Average).value_or(0))));
            break;
        case PartShape::NamesWithSubjects:
            AddElement(*AddElement(group, rowName, Trimmed(row.Name)), "Przedmioty",
                       Trimmed(row.Detail));
            break;
        default:
            AddElement(group, rowName, Trimmed(row.Name));
            break;
        }
    }
}

// The first character of a text that Windows-1250 cannot hold, as UTF-8;
// empty when every character fits.
std::string FirstUnrepresentable(std::string_view utf8) {
    const std::u16string text = Utf8ToUtf16(utf8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size();
        const std::u16string_view one(text.data() + i, pair ? 2 : 1);
        if (one[0] != u'?' && Utf16ToCp1250(one) == "?")
            return Utf16ToUtf8(one);
        if (pair)
            ++i;
    }
    return {};
}

class RefusalCollector {
public:
    explicit RefusalCollector(std::vector<SaveRefusal>& out) : m_out(out) {}
    int Part = -1;
    int Row = -1;

    void Text(std::string_view value, std::string element) {
        std::string bad = FirstUnrepresentable(value);
        if (!bad.empty())
            m_out.push_back(
                {RefusalReason::Unrepresentable, Part, Row, std::move(element), std::move(bad)});
    }
    void Lines(const std::vector<std::string>& lines, const std::string& prefix,
               std::string_view stem) {
        for (std::size_t j = 0; j < lines.size(); ++j)
            Text(lines[j], prefix + "/" + Numbered(stem, static_cast<int>(j)));
    }
    void Average(const std::string& value, std::string element) {
        if (!ParseAverage(value))
            m_out.push_back({RefusalReason::BadAverage, Part, Row, std::move(element), value});
    }

private:
    std::vector<SaveRefusal>& m_out;
};

} // namespace

FormRead ReadReportForm(std::string_view bytes) {
    FormRead result;
    result.Utf8Signature = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
    XmlDocument document;
    if (bytes.size() < 2) {
        result.Findings.push_back({FormIssue::EmptyFile, {}, {}, -1, -1});
    } else {
        const XmlLoadResult loaded = document.LoadFromBytes(bytes);
        result.WasUnicode = document.Unicode;
        if (!loaded)
            result.Findings.push_back({FormIssue::DamagedXml, {}, loaded, -1, -1});
    }
    const std::string kind = ReadReportText(document, "Doc");
    const std::optional<ReportKind> known = KindOf(kind);
    if (!known) {
        FormFinding finding{FormIssue::UnknownKind, {}, {}, -1, -1};
        finding.Value.Element = "Szkola/Doc";
        finding.Value.Value = kind;
        result.Findings.push_back(std::move(finding));
        return result;
    }
    ReportForm form = EmptyForm(*known);
    FormReader(document, result).Read(form);
    result.Form = std::move(form);
    return result;
}

FormRead LoadReportForm(const std::string& path) {
    if (!FileExists(path) && !DirectoryExists(path))
        return ReadReportForm({});
    return ReadReportForm(ReadWholeFile(path));
}

std::vector<SaveRefusal> CheckBeforeSaving(const ReportForm& form) {
    std::vector<SaveRefusal> refusals;
    RefusalCollector collect(refusals);
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size() && i < form.Values.size(); ++i) {
        const FormPart& part = parts[i];
        const PartValue& value = form.Values[i];
        const BlockNames names = NamesOf(part.Shape);
        const std::string element = PathOf({part.Element});
        collect.Part = static_cast<int>(i);
        collect.Row = -1;
        if (part.Shape == PartShape::Text)
            collect.Text(value.Text, element);
        if (part.Shape == PartShape::Lines)
            collect.Lines(value.Lines, element, names.Row);
        for (std::size_t r = 0; r < value.Rows.size(); ++r) {
            const StudentRow& row = value.Rows[r];
            const std::string rowElement =
                element + "/" + Numbered(names.Row, static_cast<int>(r) + names.FirstRow);
            const bool justification = part.Shape == PartShape::Justifications ||
                                       part.Shape == PartShape::GradedJustifications;
            collect.Row = static_cast<int>(r);
            collect.Text(row.Name, justification ? rowElement + "/Osoba" : rowElement);
            if (!DetailElement(part.Shape).empty())
                collect.Text(row.Detail, rowElement + "/" + std::string(DetailElement(part.Shape)));
            if (part.Shape == PartShape::NamesWithAverage)
                collect.Average(row.Average, rowElement + "/Srednia");
            collect.Lines(row.Lines, rowElement, kJustificationLine);
        }
    }
    return refusals;
}

std::string RefusalMessage(const ReportForm& form, const SaveRefusal& refusal) {
    const std::span<const FormPart> parts = FormParts(form.Kind);
    std::string field = refusal.Part >= 0 && static_cast<std::size_t>(refusal.Part) < parts.size()
                            ? std::string(parts[static_cast<std::size_t>(refusal.Part)].Label)
                            : std::string();
    std::string message = "Pole „" + field + "”";
    if (refusal.Row >= 0)
        message += ", wiersz " + std::to_string(refusal.Row + 1);
    message += " (" + refusal.Element + ")";
    if (refusal.Reason == RefusalReason::BadAverage)
        return message + ": średnia „" + refusal.Value +
               "” nie jest liczbą; wpisz ją tak: 4,75 albo 4.75.";
    return message + " zawiera znak „" + refusal.Value +
           "”, którego nie da się zapisać w kodowaniu Windows-1250; zastąp go innym.";
}

std::unique_ptr<XmlDocument> FormDocument(const ReportForm& form) {
    auto document = std::make_unique<XmlDocument>();
    XmlNode& declaration = document->AddChild(document->Root, XmlNodeKind::Declaration, u"xml");
    document->AddAttribute(declaration, u"version", u"1.0");
    document->AddAttribute(declaration, u"encoding", u"windows-1250");
    FormWriter writer(*document);
    XmlNode& szkola = *writer.AddElement(document->Root, "Szkola");
    writer.AddElement(szkola, "Doc", Cp1250ToUtf16(KindText(form.Kind)));
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size() && i < form.Values.size(); ++i)
        writer.AddPart(szkola, parts[i], form.Values[i]);
    return document;
}

std::vector<SaveRefusal> SaveReportForm(const ReportForm& form, const std::string& path) {
    std::vector<SaveRefusal> refusals = CheckBeforeSaving(form);
    if (refusals.empty())
        FormDocument(form)->SaveToFile(path);
    return refusals;
}

} // namespace notarion
