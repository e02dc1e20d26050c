#include "reports/ReportFormFile.h"

#include "reports/ComparableText.h"
#include "reports/ReportReader.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

namespace notarion {
namespace {

// The numbers N >= first of the elements "<stem>N" below parent, in number
// order and once each. Only numbers written as the writers ask for them
// count ("Uczen7", not "Uczen07"): the others are never read by anything.
std::vector<int> NumbersFound(const XmlNode* parent, std::string_view stem, int first) {
    std::vector<int> numbers;
    if (parent == nullptr)
        return numbers;
    for (const XmlNode* child : parent->Children()) {
        const std::u16string_view name = child->Name();
        if (child->Kind() != XmlNodeKind::Element || name.size() <= stem.size() ||
            !NamesEqual(stem, name.substr(0, stem.size())))
            continue;
        const std::u16string_view digits = name.substr(stem.size());
        // Nine digits stay below 32 bits; a longer number is no count's.
        if (digits.size() > 9 || (digits.size() > 1 && digits[0] == u'0'))
            continue;
        int number = 0;
        for (const char16_t c : digits) {
            if (c < u'0' || c > u'9') {
                number = -1;
                break;
            }
            number = number * 10 + (c - u'0');
        }
        if (number >= first)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// Reads one report into a form. Texts are taken from the UTF-16 model
// directly, so a character that Windows-1250 cannot hold survives into the
// form and is refused by name when saving instead of turning into "?".
class FormReader {
public:
    FormReader(const XmlDocument& document, FormRead& result)
        : m_reader(document, {}, OnBadValue::Record), m_result(result) {}

    void Read(ReportForm& form) {
        const std::span<const FormPart> parts = FormParts(form.Kind);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            m_part = static_cast<int>(i);
            ReadPart(parts[i], form.Values[i]);
        }
    }

private:
    // Through the reader's index: a scan per numbered element would make a
    // report of many lines take seconds to open.
    const XmlNode* Node(std::initializer_list<std::string_view> names) const {
        const std::string_view* name = names.begin();
        const auto at = [&](std::size_t i) {
            return i < names.size() ? name[i] : std::string_view();
        };
        return m_reader.Element(at(0), at(1), at(2));
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
        finding.Value.Element = ElementPath(names);
        finding.Value.Value = std::to_string(count);
        finding.Part = m_part;
        finding.Row = row;
        m_result.Findings.push_back(std::move(finding));
    }

    // The numbers of the rows to read below group (group/sub): those the
    // count names, or, when the count cannot be trusted to name every
    // numbered element there, the numbers of the elements found.
    std::vector<int> RowNumbers(std::string_view group, std::string_view sub,
                                std::string_view countName, std::string_view stem, int first,
                                int row) {
        const std::size_t before = m_reader.Findings().size();
        const int count =
            sub.empty() ? m_reader.Count(group, countName) : m_reader.Count(group, sub, countName);
        const bool countSound = m_reader.Findings().size() == before;
        TakeFindings(row);
        const XmlNode* parent = sub.empty() ? Node({group}) : Node({group, sub});
        const std::vector<int> found = NumbersFound(parent, stem, first);
        std::vector<int> numbers;
        if (countSound && (found.empty() || found.back() < first + count)) {
            for (int i = 0; i < count; ++i)
                numbers.push_back(first + i);
            return numbers;
        }
        if (!found.empty()) {
            FormFinding finding;
            finding.Issue = FormIssue::ReadAllFound;
            finding.Value.Element = ElementPath({group, sub, countName});
            finding.Value.Value = sub.empty() ? m_reader.Text(group, countName)
                                              : m_reader.Text(group, sub, countName);
            finding.Part = m_part;
            finding.Row = row;
            finding.Found = static_cast<int>(found.size());
            m_result.Findings.push_back(std::move(finding));
        }
        return found;
    }

    std::vector<std::string> ReadLines(std::string_view group, std::string_view sub,
                                       std::string_view countName, std::string_view stem, int row) {
        const std::vector<int> numbers = RowNumbers(group, sub, countName, stem, 0, row);
        const int count = static_cast<int>(numbers.size());
        std::vector<std::string> lines;
        for (const int j : numbers) {
            const std::string line = NumberedName(stem, j);
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

    void ReadField(const RowField& field, std::string_view group, const std::string& rowName, int i,
                   StudentRow& row) {
        if (field.Value == RowValue::Lines) {
            row.Lines = ReadLines(group, rowName, field.Count, field.Element, i);
        } else if (field.Value == RowValue::Average) {
            const std::size_t before = m_reader.Findings().size();
            const int average = m_reader.Average(group, rowName, field.Element);
            // A bad average stays as it was written, so the user sees what to mend.
            row.Average = m_reader.Findings().size() == before
                              ? AverageText(average)
                              : Text({group, rowName, field.Element});
            TakeFindings(i);
        } else {
            FieldText(row, field.Value) = Text({group, rowName, field.Element});
        }
    }

    void ReadPart(const FormPart& part, PartValue& value) {
        if (part.Shape == PartShape::Text) {
            value.Text = Text({part.Element});
            return;
        }
        const ShapeLayout& layout = LayoutOf(part.Shape);
        if (part.Shape == PartShape::Lines) {
            value.Lines = ReadLines(part.Element, {}, layout.Count, layout.Row, -1);
            return;
        }
        const std::vector<int> numbers =
            RowNumbers(part.Element, {}, layout.Count, layout.Row, layout.FirstRow, -1);
        const int count = static_cast<int>(numbers.size());
        for (int i = 0; i < count; ++i) {
            const std::string rowName =
                NumberedName(layout.Row, numbers[static_cast<std::size_t>(i)]);
            NoteIfMissing({part.Element, rowName}, i, count);
            StudentRow row;
            for (const RowField& field : layout.Fields)
                ReadField(field, part.Element, rowName, i, row);
            value.Rows.push_back(std::move(row));
        }
    }

    ReportReader m_reader;
    FormRead& m_result;
    std::size_t m_taken = 0;
    int m_part = -1;
};

// A text as the reader would give it back: its blank ends go.
std::u16string WrittenText(std::string_view utf8) {
    return Utf8ToUtf16(notarion::Trimmed(utf8));
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
        AddElement(parent, NumberedName(stem, static_cast<int>(j)), WrittenText(lines[j]));
}

void FormWriter::AddPart(XmlNode& szkola, const FormPart& part, const PartValue& value) {
    if (part.Shape == PartShape::Text) {
        AddElement(szkola, part.Element, WrittenText(value.Text));
        return;
    }
    XmlNode& group = *AddElement(szkola, part.Element);
    const ShapeLayout& layout = LayoutOf(part.Shape);
    if (part.Shape == PartShape::Lines) {
        AddLines(group, layout.Count, layout.Row, value.Lines);
        return;
    }
    AddElement(group, layout.Count, Cp1250ToUtf16(std::to_string(value.Rows.size())));
    for (std::size_t i = 0; i < value.Rows.size(); ++i) {
        const StudentRow& row = value.Rows[i];
        const std::string rowName = NumberedName(layout.Row, static_cast<int>(i) + layout.FirstRow);
        // The name is the row element's own text unless it has an element of its own.
        XmlNode& rowNode = *AddElement(group, rowName,
                                       layout.Fields[0].Element.empty() ? WrittenText(row.Name)
                                                                        : std::u16string());
        for (const RowField& field : layout.Fields) {
            if (field.Value == RowValue::Lines)
                AddLines(rowNode, field.Count, field.Element, row.Lines);
            else if (field.Value == RowValue::Average)
                AddElement(rowNode, field.Element,
                           Cp1250ToUtf16(std::to_string(ParseAverage(row.Average).value_or(0))));
            else if (!field.Element.empty())
                AddElement(rowNode, field.Element, WrittenText(FieldText(row, field.Value)));
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

// The first control character of a text as written (its blank ends
// trimmed), other than a tab; none when there is none. C1 controls count:
// the code page holds some of them as bytes that the documents would carry.
std::optional<char16_t> FirstControlCharacter(std::u16string_view written) {
    for (const char16_t c : written) {
        if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F))
            return c;
    }
    return std::nullopt;
}

std::string CodePointText(char16_t c) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text = "U+";
    for (int shift = 12; shift >= 0; shift -= 4)
        text += Digits[(c >> shift) & 15];
    return text;
}

// What a collector looks at in the texts of a form.
enum class TextRules {
    // Everything that would keep the file from being written as Windows-1250.
    Windows1250,
    // Everything but the letters the code page lacks, which UTF-16 holds.
    Utf16,
    // Only those letters.
    LettersOnly,
};

class RefusalCollector {
public:
    RefusalCollector(std::vector<SaveRefusal>& out, TextRules rules) : m_out(out), m_rules(rules) {}
    int Part = -1;
    int Row = -1;

    void Text(std::string_view value, std::string element) {
        if (m_rules != TextRules::Utf16) {
            std::string bad = FirstUnrepresentable(value);
            if (!bad.empty())
                Add(RefusalReason::Unrepresentable, element, std::move(bad));
        }
        if (m_rules == TextRules::LettersOnly)
            return;
        if (const std::optional<char16_t> control = FirstControlCharacter(WrittenText(value)))
            Add(RefusalReason::ControlCharacter, std::move(element), CodePointText(*control));
    }
    void Lines(const std::vector<std::string>& lines, const std::string& prefix,
               std::string_view stem) {
        for (std::size_t j = 0; j < lines.size(); ++j)
            Text(lines[j], prefix + "/" + NumberedName(stem, static_cast<int>(j)));
    }
    void Average(const std::string& value, std::string element) {
        if (m_rules != TextRules::LettersOnly && !ParseAverage(value))
            Bad(BadValue::AverageNotNumeric, std::move(element), value);
    }
    // A list of entries written under the count element, held to the
    // reader's limits: each count, and the counts added up in reading order.
    void Count(std::size_t entries, std::string element) {
        if (entries > static_cast<std::size_t>(MaxLoopCount)) {
            Bad(BadValue::OutOfRange, std::move(element), std::to_string(entries));
            return;
        }
        const bool passedBefore = m_lines > MaxReportLines;
        m_lines += static_cast<long long>(entries);
        if (!passedBefore && m_lines > MaxReportLines)
            Bad(BadValue::TooManyLines, std::move(element), std::to_string(entries));
    }

private:
    void Add(RefusalReason reason, std::string element, std::string value) {
        m_out.push_back({reason, Part, Row, std::move(element), std::move(value)});
    }
    void Bad(BadValue fault, std::string element, std::string value) {
        Add(RefusalReason::BadValue, std::move(element), std::move(value));
        m_out.back().Fault = fault;
    }

    std::vector<SaveRefusal>& m_out;
    TextRules m_rules;
    long long m_lines = 0;
};

// Calls visit(part, value, element path) for every part of the form,
// with the collector's Part set.
template <typename Visit>
void ForEachPart(const ReportForm& form, RefusalCollector& collect, Visit visit) {
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size() && i < form.Values.size(); ++i) {
        collect.Part = static_cast<int>(i);
        collect.Row = -1;
        visit(parts[i], form.Values[i], ElementPath({parts[i].Element}));
    }
}

std::string RowElement(const std::string& element, PartShape shape, std::size_t row) {
    const ShapeLayout& layout = LayoutOf(shape);
    return element + "/" + NumberedName(layout.Row, static_cast<int>(row) + layout.FirstRow);
}

// The bytes that the texts of the form alone take in its file: a lower bound
// of its size, known before the document is built.
std::uint64_t TextBytes(const ReportForm& form) {
    std::uint64_t bytes = 0;
    const auto add = [&bytes](std::string_view text) {
        bytes += EscapeText(WrittenText(text)).size();
    };
    for (const PartValue& value : form.Values) {
        add(value.Text);
        for (const std::string& line : value.Lines)
            add(line);
        for (const StudentRow& row : value.Rows) {
            add(row.Name);
            add(row.Detail);
            for (const std::string& line : row.Lines)
                add(line);
        }
    }
    return bytes;
}

// Every text of the form through the collector, after the counts passed.
void CheckTexts(const ReportForm& form, RefusalCollector& collect) {
    ForEachPart(form, collect,
                [&](const FormPart& part, const PartValue& value, const std::string& element) {
                    if (part.Shape == PartShape::Text)
                        collect.Text(value.Text, element);
                    if (part.Shape == PartShape::Lines)
                        collect.Lines(value.Lines, element, LayoutOf(part.Shape).Row);
                    for (std::size_t r = 0; r < value.Rows.size(); ++r) {
                        const StudentRow& row = value.Rows[r];
                        const std::string rowElement = RowElement(element, part.Shape, r);
                        collect.Row = static_cast<int>(r);
                        for (const RowField& field : LayoutOf(part.Shape).Fields) {
                            const std::string at =
                                field.Element.empty()
                                    ? rowElement
                                    : rowElement + "/" + std::string(field.Element);
                            if (field.Value == RowValue::Lines)
                                collect.Lines(row.Lines, rowElement, field.Element);
                            else if (field.Value == RowValue::Average)
                                collect.Average(row.Average, at);
                            else
                                collect.Text(FieldText(row, field.Value), at);
                        }
                    }
                });
}

SaveRefusal TooLarge(std::uint64_t bytes) {
    return {RefusalReason::TooLarge, -1, -1, {}, std::to_string(bytes >> 20)};
}

// What a refusal of a bad value says after the field: the reader's words for
// the fault, and what the user can do about it.
std::string BadValueAdvice(const SaveRefusal& refusal) {
    const std::string value = "„" + refusal.Value + "”";
    switch (refusal.Fault) {
    case BadValue::OutOfRange:
        return ": liczba " + value + " " + OutOfRangeWords() +
               "; podziel listę na kilka sprawozdań.";
    case BadValue::TooManyLines:
        return ": " + TooManyLinesWords() + value + "); podziel je na kilka sprawozdań.";
    default:
        // Typed, not read: an average is written as "4,75", not in hundredths.
        return ": średnia " + value + " nie jest liczbą; wpisz ją tak: 4,75 albo 4.75.";
    }
}

} // namespace

FormRead ReadReportForm(std::string_view bytes, std::optional<ReportKind> asKind) {
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
    std::optional<ReportKind> known = KindOf(kind);
    if (!known) {
        FormFinding finding{FormIssue::UnknownKind, {}, {}, -1, -1};
        finding.Value.Element = "Szkola/Doc";
        finding.Value.Value = kind;
        result.Findings.push_back(std::move(finding));
        if (!asKind)
            return result;
        known = asKind;
    }
    ReportForm form = EmptyForm(*known);
    FormReader(document, result).Read(form);
    result.Form = std::move(form);
    return result;
}

FormRead LoadReportForm(const std::string& path, std::optional<ReportKind> asKind) {
    if (!FileExists(path) && !DirectoryExists(path))
        return ReadReportForm({}, asKind);
    return ReadReportForm(ReadWholeFile(path), asKind);
}

FileEncoding EncodingOf(const FormRead& read) {
    return read.WasUnicode ? FileEncoding::Utf16 : FileEncoding::Windows1250;
}

std::vector<SaveRefusal> CheckBeforeSaving(const ReportForm& form, FileEncoding encoding) {
    std::vector<SaveRefusal> refusals;
    RefusalCollector collect(refusals, encoding == FileEncoding::Utf16 ? TextRules::Utf16
                                                                       : TextRules::Windows1250);
    // The counts first, the way the reader meets them.
    ForEachPart(
        form, collect,
        [&](const FormPart& part, const PartValue& value, const std::string& element) {
            if (part.Shape == PartShape::Text)
                return;
            const std::string count = element + "/" + std::string(LayoutOf(part.Shape).Count);
            if (part.Shape == PartShape::Lines) {
                collect.Count(value.Lines.size(), count);
                return;
            }
            collect.Count(value.Rows.size(), count);
            const RowField* lines = FieldOf(part.Shape, RowValue::Lines);
            if (lines == nullptr || value.Rows.size() > static_cast<std::size_t>(MaxLoopCount))
                return;
            for (std::size_t r = 0; r < value.Rows.size(); ++r) {
                collect.Row = static_cast<int>(r);
                collect.Count(value.Rows[r].Lines.size(),
                              RowElement(element, part.Shape, r) + "/" + std::string(lines->Count));
            }
        });
    if (!refusals.empty())
        return refusals;
    CheckTexts(form, collect);
    return refusals;
}

std::vector<SaveRefusal> LettersNeedingUtf16(const ReportForm& form) {
    std::vector<SaveRefusal> letters;
    RefusalCollector collect(letters, TextRules::LettersOnly);
    CheckTexts(form, collect);
    return letters;
}

std::string RefusalMessage(const ReportForm& form, const SaveRefusal& refusal) {
    const std::string mb = std::to_string(MaxReadableFileSize >> 20);
    if (refusal.Reason == RefusalReason::TooLarge) {
        return "Plik sprawozdania miałby ponad " + refusal.Value +
               " MB, a program odczytuje pliki najwyżej " + mb + " MB; skróć teksty.";
    }
    const std::span<const FormPart> parts = FormParts(form.Kind);
    std::string field = refusal.Part >= 0 && static_cast<std::size_t>(refusal.Part) < parts.size()
                            ? std::string(parts[static_cast<std::size_t>(refusal.Part)].Label)
                            : std::string();
    std::string message = "Pole „" + field + "”";
    if (refusal.Row >= 0)
        message += ", wiersz " + std::to_string(refusal.Row + 1);
    message += " (" + refusal.Element + ")";
    switch (refusal.Reason) {
    case RefusalReason::BadValue:
        return message + BadValueAdvice(refusal);
    case RefusalReason::ControlCharacter:
        return message + " zawiera znak sterujący " + refusal.Value +
               ", który trafiłby do dokumentów; usuń go (wolno użyć tylko tabulacji).";
    default:
        return message + " zawiera znak „" + refusal.Value +
               "”, którego nie ma w kodowaniu Windows-1250; plik, który go zachowa, musi mieć "
               "kodowanie UTF-16.";
    }
}

std::unique_ptr<XmlDocument> FormDocument(const ReportForm& form, FileEncoding encoding) {
    auto document = std::make_unique<XmlDocument>();
    const bool utf16 = encoding == FileEncoding::Utf16;
    document->Unicode = utf16;
    XmlNode& declaration = document->AddChild(document->Root, XmlNodeKind::Declaration, u"xml");
    document->AddAttribute(declaration, u"version", u"1.0");
    document->AddAttribute(declaration, u"encoding", utf16 ? u"UTF-16" : u"windows-1250");
    FormWriter writer(*document);
    XmlNode& szkola = *writer.AddElement(document->Root, "Szkola");
    writer.AddElement(szkola, "Doc", Cp1250ToUtf16(KindText(form.Kind)));
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size() && i < form.Values.size(); ++i)
        writer.AddPart(szkola, parts[i], form.Values[i]);
    return document;
}

std::vector<SaveRefusal> SaveReportForm(const ReportForm& form, const std::string& path,
                                        FileEncoding encoding) {
    std::vector<SaveRefusal> refusals = CheckBeforeSaving(form, encoding);
    if (!refusals.empty())
        return refusals;
    // Texts that alone pass the limit are refused before a document of
    // several times their size is built.
    if (const std::uint64_t least = TextBytes(form); least > MaxReadableFileSize)
        return {TooLarge(least)};
    const std::string bytes = FormDocument(form, encoding)->ToBytes();
    if (bytes.size() > MaxReadableFileSize)
        return {TooLarge(bytes.size())};
    WriteWholeFile(path, bytes, NamedBy::User);
    return refusals;
}

} // namespace notarion
