#include "generate/StudentLists.h"

#include "generate/PartWords.h"
#include "reports/ReportForm.h"
#include "reports/ReportReader.h"
#include "text/Cp1250.h"

#include <string>

namespace notarion {
namespace {

// The fixed texts of the blocks, converted once from this file's UTF-8. The
// labels beside the blocks come from the kind table (PartWords.h).
struct BlockTexts {
    std::string NoSuchStudents = Utf8ToCp1250("brak takich uczniów.");
    std::string DistinguishedEmptyLine = Utf8ToCp1250("Brak uczniów z wyróżnieniem");
    std::string ExemplaryEmptyLine = Utf8ToCp1250("Brak wzorowych uczniów w tej klasie");
};

const BlockTexts& Texts() {
    static const BlockTexts texts;
    return texts;
}

void StartClassGroup(const ReportReader& report, StudentList& list) {
    list.Lines.emplace_back(ClassGroupSeparator);
    list.Lines.push_back(report.Text("Klasa"));
}

// The blocks of attendance, failing grades and exemplary behaviour share one
// form: a count, then numbered students shown as bullets and appended to a
// list. They differ in their labels, in whether a class without students still
// gets a group, and in the line made of one student.
struct StudentBlockForm {
    ReportKind Kind;
    std::string_view Group;
    // The line appended for a class without students; null when such a class
    // gets no group at all.
    const std::string* EmptyGroupLine;
};

template <typename MakeLine>
void WriteStudentBlock(ReportReader& report, HtmlBuffer& target, StudentList& list,
                       const StudentBlockForm& form, MakeLine makeLine) {
    const ShapeLayout& layout = LayoutOf(PartShape::Names);
    const PartWords& words = WordsOf(form.Kind, form.Group);
    const int count = report.Count(form.Group, layout.Count);
    if (form.EmptyGroupLine != nullptr)
        StartClassGroup(report, list);
    if (count == 0) {
        AddLabelLine(target, words.None, Texts().NoSuchStudents);
        if (form.EmptyGroupLine != nullptr)
            list.Lines.push_back(*form.EmptyGroupLine);
        return;
    }
    if (form.EmptyGroupLine == nullptr)
        StartClassGroup(report, list);
    AddLabelLine(target, words.Some, {});
    OpenList(target);
    for (int i = 0; i < count; ++i) {
        std::string line = makeLine(NumberedName(layout.Row, layout.FirstRow + i));
        AddListItem(target, line);
        list.Lines.push_back(std::move(line));
    }
    CloseList(target);
}

} // namespace

std::string FormatAverage(int hundredths, std::string_view separator) {
    // Only averages above the threshold are printed.
    return hundredths <= 4 ? std::string() : AverageText(hundredths, separator);
}

void WriteAttendanceBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{ReportKind::Class, "Frekwencja", nullptr};
    WriteStudentBlock(report, target, state.AttendanceList, form,
                      [&](const std::string& uczen) { return report.Text("Frekwencja", uczen); });
}

void WriteDistinguishedBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{ReportKind::Class, "Pasek", &Texts().DistinguishedEmptyLine};
    WriteStudentBlock(report, target, state.DistinguishedList, form, [&](const std::string& uczen) {
        std::string line = report.Text("Pasek", uczen);
        const int average = report.Average("Pasek", uczen, "Srednia");
        if (average > 4)
            line.append(" - ").append(FormatAverage(average, state.DecimalSeparator));
        return line;
    });
}

void WriteFailingBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{ReportKind::Class, "Ndst", nullptr};
    WriteStudentBlock(report, target, state.FailingList, form, [&](const std::string& uczen) {
        return report.Text("Ndst", uczen) + " - " + report.Text("Ndst", uczen, "Przedmioty");
    });
}

void WriteExemplaryBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{ReportKind::Behaviour, "Wzorowi", &Texts().ExemplaryEmptyLine};
    WriteStudentBlock(report, target, state.ExemplaryList, form,
                      [&](const std::string& uczen) { return report.Text("Wzorowi", uczen); });
}

void WriteJustifications(
    ReportReader& report, HtmlBuffer& target, std::string_view group, PartShape shape, int count,
    JustificationEnd end,
    const std::function<void(const std::string&, const std::string&)>& afterLabels) {
    const ShapeLayout& layout = LayoutOf(shape);
    const RowField& person = layout.Fields.front();
    const RowField* grade = FieldOf(shape, RowValue::Detail);
    const RowField& lines = *FieldOf(shape, RowValue::Lines);
    for (int i = 0; i < count; ++i) {
        const std::string justification = NumberedName(layout.Row, layout.FirstRow + i);
        const std::string who = report.Text(group, justification, person.Element);
        AddLabelLine(target, FieldLabel(shape, RowValue::Name, who), who);
        std::string mark;
        if (grade != nullptr) {
            mark = report.Text(group, justification, grade->Element);
            AddLabelLine(target, FieldLabel(shape, RowValue::Detail, mark), mark);
        }
        afterLabels(who, mark);
        const int lineCount = report.Count(group, justification, lines.Count);
        for (int j = 0; j < lineCount; ++j)
            AddTextLine(target, report.Text(group, justification, NumberedName(lines.Element, j)));
        // A line of blanks closes every justification, also one without lines.
        if (end == JustificationEnd::BlankLine)
            AddTextLine(target, " ");
    }
}

void WriteLoweredBehaviourBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const std::string& label = WordsOf(ReportKind::Behaviour, "Obnizone").Group;
    const int count = report.Count("Obnizone", LayoutOf(PartShape::GradedJustifications).Count);
    if (count == 0) {
        AddLabelLine(target, label, Texts().NoSuchStudents);
        return;
    }
    StartClassGroup(report, state.LoweredBehaviourList);
    AddLabelLine(target, label, {});
    WriteJustifications(report, target, "Obnizone", PartShape::GradedJustifications, count,
                        JustificationEnd::BlankLine,
                        [&](const std::string& who, const std::string& grade) {
                            state.LoweredBehaviourList.Lines.push_back(who + " - " + grade);
                        });
}

void WriteRemarksBlock(ReportReader& report, HtmlBuffer& target, GenerationState&) {
    const ShapeLayout& layout = LayoutOf(PartShape::Lines);
    const int count = report.Count("Uwagi", layout.Count);
    if (count == 0)
        return;
    AddLabelLine(target, WordsOf(ReportKind::Behaviour, "Uwagi").Group, {});
    for (int j = 0; j < count; ++j)
        AddTextLine(target, report.Text("Uwagi", NumberedName(layout.Row, layout.FirstRow + j)));
}

void WriteListDocument(HtmlBuffer& listBuffer, const StudentList& accumulator,
                       std::string_view title, const std::string& path) {
    BeginPage(listBuffer);
    DocumentStream stream(listBuffer, path);
    AddHeading(listBuffer, title);
    OpenParagraph(listBuffer);
    const auto& lines = accumulator.Lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != ClassGroupSeparator) {
            AddListItem(listBuffer, lines[i]);
            continue;
        }
        if (i != 0)
            CloseList(listBuffer);
        AddSpacer(listBuffer);
        // A student line that equals the separator, as the very last line,
        // has no class line after it: the group is then shown with an empty
        // class name instead of reading past the end.
        std::string_view classLine;
        if (i + 1 < lines.size())
            classLine = lines[++i];
        AddLabelLine(listBuffer, classLine, {});
        OpenList(listBuffer);
    }
    if (!lines.empty())
        CloseList(listBuffer);
    CloseParagraph(listBuffer);
    EndPage(listBuffer);
    stream.Save();
}

} // namespace notarion
