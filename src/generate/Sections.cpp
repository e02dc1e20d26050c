#include "generate/Sections.h"

#include "generate/PartWords.h"
#include "generate/StudentLists.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace notarion {
namespace {

enum class LabelWhen { Always, OnlyWithLines };
enum class LabelForm { LabelLine, BoldLine };

// The common frame around the kind's own opening and content.
template <typename Opening, typename Content>
void WriteSectionFrame(HtmlBuffer& target, Opening opening, Content content) {
    opening();
    OpenParagraph(target);
    content();
    CloseParagraph(target);
}

// The text parts named, each on a line after its label.
void WriteHeaders(ReportReader& report, HtmlBuffer& target, ReportKind kind,
                  std::initializer_list<std::string_view> elements) {
    for (const std::string_view element : elements)
        AddLabelLine(target, WordsOf(kind, element).Text, report.Text(element));
}

// A line group: its count and the numbered lines.
void WriteLineGroup(ReportReader& report, HtmlBuffer& target, ReportKind kind,
                    std::string_view group, LabelWhen when, LabelForm form) {
    const ShapeLayout& layout = LayoutOf(PartShape::Lines);
    const int count = report.Count(group, layout.Count);
    if (when == LabelWhen::Always || count > 0) {
        const std::string& label = WordsOf(kind, group).Group;
        if (form == LabelForm::BoldLine)
            AddBoldLine(target, label);
        else
            AddLabelLine(target, label, {});
    }
    for (int j = 0; j < count; ++j)
        AddTextLine(target, report.Text(group, NumberedName(layout.Row, layout.FirstRow + j)));
}

// General remarks, successes and problems, conclusions: the body shared by
// the subject, tutor and activity reports.
void WriteProgrammeGroups(ReportReader& report, HtmlBuffer& target, ReportKind kind,
                          LabelForm form) {
    WriteLineGroup(report, target, kind, "Ogolne", LabelWhen::Always, form);
    WriteLineGroup(report, target, kind, "Sukcesy", LabelWhen::OnlyWithLines, form);
    WriteLineGroup(report, target, kind, "Wnioski", LabelWhen::OnlyWithLines, form);
}

// The opening of the writers that show only a spacer in a protocol document
// and the kind's heading in the preview.
auto SpacerOrHeading(SectionMode mode, HtmlBuffer& target, ReportKind kind) {
    return [mode, &target, kind]() {
        if (mode == SectionMode::ForSet)
            AddSpacer(target);
        else
            AddHeading(target, SectionHeading(kind));
    };
}

// The opening of the class and behaviour writers: the class name in bold in a
// protocol document, the kind's heading with the class name in the preview.
auto ClassOpening(SectionMode mode, const ReportReader& report, HtmlBuffer& target,
                  ReportKind kind) {
    return [mode, &report, &target, kind]() {
        const std::string klasa = UpperCaseAscii(report.Text("Klasa"));
        if (mode == SectionMode::ForSet) {
            AddSpacer(target);
            AddBoldLine(target, klasa);
        } else {
            AddHeading(target, SectionHeading(kind) + klasa);
        }
    };
}

void ClassBody(SectionMode mode, ReportReader& report, HtmlBuffer& target, GenerationState& state) {
    WriteSectionFrame(target, ClassOpening(mode, report, target, ReportKind::Class), [&]() {
        WriteHeaders(report, target, ReportKind::Class,
                     {"Belfer", "Klasyfikowanych", "Promowanych"});
        WriteAttendanceBlock(report, target, state);
        WriteDistinguishedBlock(report, target, state);
        WriteFailingBlock(report, target, state);
    });
}

void BehaviourBody(SectionMode mode, ReportReader& report, HtmlBuffer& target,
                   GenerationState& state) {
    WriteSectionFrame(target, ClassOpening(mode, report, target, ReportKind::Behaviour), [&]() {
        WriteHeaders(report, target, ReportKind::Behaviour, {"Belfer", "Klasyfikowanych"});
        WriteExemplaryBlock(report, target, state);
        WriteLoweredBehaviourBlock(report, target, state);
        WriteRemarksBlock(report, target, state);
    });
}

void SubjectBody(SectionMode mode, ReportReader& report, HtmlBuffer& target, GenerationState&) {
    WriteSectionFrame(target, SpacerOrHeading(mode, target, ReportKind::Subject), [&]() {
        WriteHeaders(report, target, ReportKind::Subject, {"Przedmiot", "Belfer", "Klasy"});
        WriteProgrammeGroups(report, target, ReportKind::Subject, LabelForm::LabelLine);
    });
}

void TutorBody(SectionMode mode, ReportReader& report, HtmlBuffer& target, GenerationState&) {
    WriteSectionFrame(target, SpacerOrHeading(mode, target, ReportKind::Tutor), [&]() {
        // The class name here is shown as written, not raised.
        AddBoldLine(target, report.Text("Klasa"));
        WriteHeaders(report, target, ReportKind::Tutor, {"Belfer"});
        WriteProgrammeGroups(report, target, ReportKind::Tutor, LabelForm::BoldLine);
    });
}

void ActivityBody(SectionMode mode, ReportReader& report, HtmlBuffer& target, GenerationState&) {
    WriteSectionFrame(target, SpacerOrHeading(mode, target, ReportKind::Activity), [&]() {
        WriteHeaders(report, target, ReportKind::Activity, {"Zajecia", "Belfer"});
        WriteProgrammeGroups(report, target, ReportKind::Activity, LabelForm::LabelLine);
    });
}

void FailJustificationBody(SectionMode mode, ReportReader& report, HtmlBuffer& target,
                           GenerationState&) {
    const auto opening = [&]() {
        if (mode == SectionMode::ForSet)
            AddSpacer(target);
        else
            AddHeading(target, SectionHeading(ReportKind::FailJustification) +
                                   UpperCaseAscii(report.Text("Klasa")));
    };
    WriteSectionFrame(target, opening, [&]() {
        WriteHeaders(report, target, ReportKind::FailJustification, {"Przedmiot", "Belfer"});
        const ShapeLayout& layout = LayoutOf(PartShape::Justifications);
        WriteJustifications(report, target, "Uzasadnienia", PartShape::Justifications,
                            report.Count("Uzasadnienia", layout.Count), JustificationEnd::Nothing,
                            [](const std::string&, const std::string&) {});
    });
}

void HeadTeacherBody(SectionMode, ReportReader& report, HtmlBuffer& target, GenerationState&) {
    // The head teacher's section carries its heading in both modes: its
    // protocol document has no title of its own.
    WriteSectionFrame(
        target, [&]() { AddHeading(target, SectionHeading(ReportKind::HeadTeacher)); },
        [&]() {
            WriteHeaders(report, target, ReportKind::HeadTeacher, {"Belfer"});
            WriteLineGroup(report, target, ReportKind::HeadTeacher, "Dydaktyczna",
                           LabelWhen::Always, LabelForm::LabelLine);
            WriteLineGroup(report, target, ReportKind::HeadTeacher, "Nadzor",
                           LabelWhen::OnlyWithLines, LabelForm::LabelLine);
        });
}

void OtherInfoBody(SectionMode mode, ReportReader& report, HtmlBuffer& target, GenerationState&) {
    WriteSectionFrame(target, SpacerOrHeading(mode, target, ReportKind::OtherInfo), [&]() {
        WriteHeaders(report, target, ReportKind::OtherInfo, {"Dotyczy", "Belfer"});
        WriteLineGroup(report, target, ReportKind::OtherInfo, "Info", LabelWhen::Always,
                       LabelForm::LabelLine);
    });
}

void CardHoursBody(SectionMode mode, ReportReader& report, HtmlBuffer& target, GenerationState&) {
    WriteSectionFrame(target, SpacerOrHeading(mode, target, ReportKind::CardHours), [&]() {
        WriteHeaders(report, target, ReportKind::CardHours, {"Belfer"});
        WriteLineGroup(report, target, ReportKind::CardHours, "Info", LabelWhen::Always,
                       LabelForm::LabelLine);
    });
}

} // namespace

void WriteReportSection(ReportKind kind, SectionMode mode, ReportReader& report, HtmlBuffer& target,
                        GenerationState& state) {
    switch (kind) {
    case ReportKind::Class:
        return ClassBody(mode, report, target, state);
    case ReportKind::Behaviour:
        return BehaviourBody(mode, report, target, state);
    case ReportKind::FailJustification:
        return FailJustificationBody(mode, report, target, state);
    case ReportKind::Subject:
        return SubjectBody(mode, report, target, state);
    case ReportKind::Tutor:
        return TutorBody(mode, report, target, state);
    case ReportKind::Activity:
        return ActivityBody(mode, report, target, state);
    case ReportKind::OtherInfo:
        return OtherInfoBody(mode, report, target, state);
    case ReportKind::CardHours:
        return CardHoursBody(mode, report, target, state);
    case ReportKind::HeadTeacher:
        return HeadTeacherBody(mode, report, target, state);
    }
}

std::unique_ptr<XmlDocument> LoadEntryReport(const ReportCatalogue& catalogue, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= catalogue.Slots.size())
        throw Failure("no report at catalogue index " + std::to_string(index));
    const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(index)];
    const std::string& path = entry.Path;
    // Whether the file was well-formed is not examined: a missing or damaged
    // file yields what could be read, and a missing count then fails.
    std::unique_ptr<XmlDocument> document = catalogue.Parsed.Take(entry.Kept, path);
    if (!document) {
        document = std::make_unique<XmlDocument>();
        try {
            document->LoadFromFile(path);
        } catch (const Failure& failure) {
            throw Failure(failure.what(),
                          {FailureKind::UnreadableFile, path, {}, {}, failure.Cause().SystemError});
        }
    }
    return document;
}

void WriteSection(ReportKind kind, SectionMode mode, const ReportCatalogue& catalogue, int index,
                  HtmlBuffer& target, GenerationState& state) {
    // The report lives for this call only.
    const std::unique_ptr<XmlDocument> document = LoadEntryReport(catalogue, index);
    const std::string& path = catalogue.Slots[static_cast<std::size_t>(index)].Path;
    // Values go into the page as they are, so a letter the page's code page
    // lacks goes in as a character reference instead of a "?".
    ReportReader reader(*document, path, OnBadValue::Stop, LackingLetters::CharacterReference);
    WriteReportSection(kind, mode, reader, target, state);
}

ReportKind SectionKindOf(std::string_view kind) {
    return KindOf(kind).value_or(ReportKind::OtherInfo);
}

} // namespace notarion
