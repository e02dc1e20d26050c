#include "generate/StudentLists.h"

#include "reports/ReportForm.h"
#include "reports/ReportReader.h"
#include "text/Cp1250.h"

#include <string>

namespace notarion {
namespace {

// The fixed texts of the blocks, converted once from this file's UTF-8.
struct BlockTexts {
    std::string NoSuchStudents = Utf8ToCp1250("brak takich uczniów.");
    std::string AttendanceNone = Utf8ToCp1250("Stuprocentowa frekwencja:");
    std::string AttendanceSome = Utf8ToCp1250("Uczniowie ze stuprocentową frekwencją, to:");
    std::string DistinguishedNone = Utf8ToCp1250("Uczniowie zasługujący na wyróżnienie:");
    std::string DistinguishedSome = Utf8ToCp1250("Uczniowie zasługujący na wyróżnienie, to:");
    std::string DistinguishedEmptyLine = Utf8ToCp1250("Brak uczniów z wyróżnieniem");
    std::string FailingNone = Utf8ToCp1250("Uczniowie z ocenami niedostatecznymi:");
    std::string FailingSome = Utf8ToCp1250("Uczniowie z ocenami niedostatecznymi, to:");
    // The misspelling is the label schools know from their printed protocols.
    std::string ExemplaryNone = Utf8ToCp1250("Uzcniowie wzorowi:");
    std::string ExemplarySome = Utf8ToCp1250("Uczniowie wzorowi, to:");
    std::string ExemplaryEmptyLine = Utf8ToCp1250("Brak wzorowych uczniów w tej klasie");
    std::string Lowered = Utf8ToCp1250("Uczniowie z obniżonym zachowaniem:");
    std::string Students = Utf8ToCp1250("Uczniowie:");
    std::string Student = Utf8ToCp1250("Uczeń:");
    std::string Grade = Utf8ToCp1250("Ocena:");
    std::string Remarks = Utf8ToCp1250("Uwagi:");
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
    std::string_view Group;
    const std::string& LabelNone;
    const std::string& LabelSome;
    // The line appended for a class without students; null when such a class
    // gets no group at all.
    const std::string* EmptyGroupLine;
};

template <typename MakeLine>
void WriteStudentBlock(ReportReader& report, HtmlBuffer& target, StudentList& list,
                       const StudentBlockForm& form, MakeLine makeLine) {
    const int count = report.Count(form.Group, "IleOsob");
    if (form.EmptyGroupLine != nullptr)
        StartClassGroup(report, list);
    if (count == 0) {
        AddLabelLine(target, form.LabelNone, Texts().NoSuchStudents);
        if (form.EmptyGroupLine != nullptr)
            list.Lines.push_back(*form.EmptyGroupLine);
        return;
    }
    if (form.EmptyGroupLine == nullptr)
        StartClassGroup(report, list);
    AddLabelLine(target, form.LabelSome, {});
    OpenList(target);
    for (int i = 1; i <= count; ++i) {
        std::string line = makeLine(NumberedName("Uczen", i));
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
    const StudentBlockForm form{"Frekwencja", Texts().AttendanceNone, Texts().AttendanceSome,
                                nullptr};
    WriteStudentBlock(report, target, state.AttendanceList, form,
                      [&](const std::string& uczen) { return report.Text("Frekwencja", uczen); });
}

void WriteDistinguishedBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{"Pasek", Texts().DistinguishedNone, Texts().DistinguishedSome,
                                &Texts().DistinguishedEmptyLine};
    WriteStudentBlock(report, target, state.DistinguishedList, form, [&](const std::string& uczen) {
        std::string line = report.Text("Pasek", uczen);
        const int average = report.Average("Pasek", uczen, "Srednia");
        if (average > 4)
            line.append(" - ").append(FormatAverage(average, state.DecimalSeparator));
        return line;
    });
}

void WriteFailingBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{"Ndst", Texts().FailingNone, Texts().FailingSome, nullptr};
    WriteStudentBlock(report, target, state.FailingList, form, [&](const std::string& uczen) {
        return report.Text("Ndst", uczen) + " - " + report.Text("Ndst", uczen, "Przedmioty");
    });
}

void WriteExemplaryBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const StudentBlockForm form{"Wzorowi", Texts().ExemplaryNone, Texts().ExemplarySome,
                                &Texts().ExemplaryEmptyLine};
    WriteStudentBlock(report, target, state.ExemplaryList, form,
                      [&](const std::string& uczen) { return report.Text("Wzorowi", uczen); });
}

void WriteLoweredBehaviourBlock(ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    const int count = report.Count("Obnizone", "Ilosc");
    if (count == 0) {
        AddLabelLine(target, Texts().Lowered, Texts().NoSuchStudents);
        return;
    }
    StartClassGroup(report, state.LoweredBehaviourList);
    AddLabelLine(target, Texts().Lowered, {});
    for (int i = 1; i <= count; ++i) {
        const std::string justification = NumberedName("Uzasadnienie", i);
        const std::string who = report.Text("Obnizone", justification, "Osoba");
        AddLabelLine(target, HasComma(who) ? Texts().Students : Texts().Student, who);
        const std::string grade = report.Text("Obnizone", justification, "Ocena");
        AddLabelLine(target, Texts().Grade, grade);
        state.LoweredBehaviourList.Lines.push_back(who + " - " + grade);
        const int lineCount = report.Count("Obnizone", justification, "IloscWierszy");
        for (int j = 0; j < lineCount; ++j)
            AddTextLine(target, report.Text("Obnizone", justification, NumberedName("Wiersz", j)));
        // A line of blanks closes every justification, also one without lines.
        AddTextLine(target, " ");
    }
}

void WriteRemarksBlock(ReportReader& report, HtmlBuffer& target, GenerationState&) {
    const int count = report.Count("Uwagi", "IloscWierszy");
    if (count == 0)
        return;
    AddLabelLine(target, Texts().Remarks, {});
    for (int j = 0; j < count; ++j)
        AddTextLine(target, report.Text("Uwagi", NumberedName("w", j)));
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
