#include "generate/DocumentSet.h"

#include "generate/Sections.h"
#include "generate/SetSummary.h"
#include "generate/StudentLists.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "system/FileSystem.h"
#include "system/SystemReason.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <algorithm>

namespace notarion {
namespace {

// The five list documents in the order of the set, after the protocols. The
// viewer's chooser offers them first, in their own order; the protocols
// follow in the order of KindInfo::OptionPosition.
struct ListDocument {
    std::string_view FileName;
    std::string_view Title;
    StudentList GenerationState::*Accumulator;
    int OptionPosition;
    std::string_view OptionTitle;
};

constexpr std::array<ListDocument, DocumentCount - ProtocolDocumentCount> kListDocuments{{
    {"Lista_UczniowieWyroznieni.htm", "UCZNIOWIE ZASŁUGUJĄCY NA WYRÓŻNIENIE",
     &GenerationState::DistinguishedList, 3, "Uczniowie osiągający wysokie wyniki w nauce"},
    {"Lista_WzoroweZachowanie.htm", "UCZNIOWIE Z WZOROWYM ZACHOWANIEM",
     &GenerationState::ExemplaryList, 0, "Uczniowie z oceną wzorową z zachowania"},
    {"Lista_WzorowaFrekwencja.htm", "UCZNIOWIE Z WZOROWĄ FREKWENCJĄ",
     &GenerationState::AttendanceList, 2, "Uczniowie z wzorową frekwencją"},
    {"Lista_ObnizoneZachowania.htm", "UCZNIOWIE Z OBNIŻONYM ZACHOWANIEM",
     &GenerationState::LoweredBehaviourList, 1, "Uczniowie z obniżoną oceną z zachowania"},
    {"Lista_Ndst.htm", "UCZNIOWIE Z OCENAMI NIEDOSTATECZNYMI", &GenerationState::FailingList, 4,
     "Uczniowie z ocenami niedostatecznymi"},
}};

constexpr int kListOptions = static_cast<int>(kListDocuments.size());

// Each list takes one of the first options, none twice.
constexpr bool ListOptionsAreDistinct() {
    std::array<int, kListDocuments.size()> taken{};
    for (const ListDocument& list : kListDocuments)
        ++taken[static_cast<std::size_t>(list.OptionPosition)];
    for (const int count : taken)
        if (count != 1)
            return false;
    return true;
}
static_assert(ListOptionsAreDistinct());

// An option chooser's option: the set index of its document and its title.
struct ViewerOption {
    std::size_t SetIndex = 0;
    std::string_view Title;
};

const std::array<ViewerOption, DocumentCount>& ViewerOptions() {
    static const std::array<ViewerOption, DocumentCount> options = [] {
        std::array<ViewerOption, DocumentCount> made;
        for (std::size_t i = 0; i < kListDocuments.size(); ++i)
            made[static_cast<std::size_t>(kListDocuments[i].OptionPosition)] = {
                ProtocolDocumentCount + i, kListDocuments[i].OptionTitle};
        for (const KindInfo& kind : KindTable())
            made[static_cast<std::size_t>(kListOptions + kind.OptionPosition)] = {
                static_cast<std::size_t>(kind.ProtocolPosition), kind.OptionTitle};
        return made;
    }();
    return options;
}

std::u16string TwoLines(std::string_view first, std::string_view second) {
    return Utf8ToUtf16(first) + u'\r' + Utf8ToUtf16(second);
}

constexpr std::string_view DamagedReportsHint =
    "Prawdopodobnie pliki sprawozdań (jeden lub więcej) są uszkodzone. Skontroluj je "
    "poleceniem „Sprawdź zestaw” w oknie listy sprawozdań.";

} // namespace

const std::array<DocumentInfo, DocumentCount>& DocumentTable() {
    static const std::array<DocumentInfo, DocumentCount> table = [] {
        std::array<DocumentInfo, DocumentCount> documents;
        for (const KindInfo& kind : KindTable()) {
            DocumentInfo& document = documents[static_cast<std::size_t>(kind.ProtocolPosition)];
            document.FileName = std::string(kind.ProtocolFileName);
            document.Title = Utf8ToCp1250(kind.ProtocolTitle);
            document.Kind = std::string(kind.Text);
        }
        for (std::size_t i = 0; i < kListDocuments.size(); ++i) {
            DocumentInfo& document = documents[ProtocolDocumentCount + i];
            document.FileName = std::string(kListDocuments[i].FileName);
            document.Title = Utf8ToCp1250(kListDocuments[i].Title);
        }
        return documents;
    }();
    return table;
}

std::string DocumentFileForOption(int option) {
    if (option < 0 || option >= DocumentCount)
        return {};
    return DocumentTable()[ViewerOptions()[static_cast<std::size_t>(option)].SetIndex].FileName;
}

std::string DocumentTitleForOption(int option) {
    if (option < 0 || option >= DocumentCount)
        return {};
    return Utf8ToCp1250(ViewerOptions()[static_cast<std::size_t>(option)].Title);
}

std::string DocumentPath(const std::string& folder, std::string_view fileName) {
    std::string path = folder;
    path.push_back(PathSeparator);
    path.append(fileName);
    return path;
}

void ClearAccumulators(GenerationState& state) {
    for (const ListDocument& list : kListDocuments)
        (state.*list.Accumulator).Lines.clear();
    state.ListBuffer.Bytes.clear();
}

void WriteProtocolDocument(GenerationState& state, const ReportCatalogue& catalogue,
                           std::string_view kind, std::string_view title, const std::string& path) {
    HtmlBuffer& buffer = state.ProtocolBuffer;
    BeginPage(buffer);
    DocumentStream stream(buffer, path);
    if (!title.empty())
        AddHeading(buffer, title);
    const ReportKind section = SectionKindOf(kind);
    // Count and the slots agree after every catalogue operation; the smaller
    // of the two still keeps a disagreement from reading past the slots.
    const int count = std::min(catalogue.Count, static_cast<int>(catalogue.Slots.size()));
    for (int i = 0; i < count; ++i) {
        if (catalogue.Slots[static_cast<std::size_t>(i)].Kind == kind)
            WriteSection(section, SectionMode::ForSet, catalogue, i, buffer, state);
    }
    EndPage(buffer);
    stream.Save();
}

Result<> GenerateProtocols(GenerationState& state, const ReportCatalogue& catalogue,
                           const std::string& outputFolder) {
    return Catching([&] {
        ClearAccumulators(state);
        for (int i = 0; i < ProtocolDocumentCount; ++i) {
            const DocumentInfo& document = DocumentTable()[static_cast<std::size_t>(i)];
            WriteProtocolDocument(state, catalogue, document.Kind, document.Title,
                                  DocumentPath(outputFolder, document.FileName));
        }
    });
}

Result<> GenerateLists(GenerationState& state, const std::string& outputFolder) {
    return Catching([&] {
        for (std::size_t i = 0; i < kListDocuments.size(); ++i) {
            const DocumentInfo& document = DocumentTable()[ProtocolDocumentCount + i];
            WriteListDocument(state.ListBuffer, state.*kListDocuments[i].Accumulator,
                              document.Title, DocumentPath(outputFolder, document.FileName));
        }
    });
}

Result<> GenerateSummary(GenerationState& state, const ReportCatalogue& catalogue,
                         const std::string& outputFolder) {
    return Catching([&] {
        WriteSummaryDocument(SummariseSet(catalogue), state.DecimalSeparator,
                             DocumentPath(outputFolder, SummaryFileName));
    });
}

void WritePreviewSectionOfEntry(GenerationState& state, const ReportCatalogue& catalogue,
                                int entryIndex) {
    if (entryIndex < 0 || entryIndex >= static_cast<int>(catalogue.Slots.size()))
        throw Failure("no report at catalogue index " + std::to_string(entryIndex));
    const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(entryIndex)];
    WriteSection(SectionKindOf(entry.Kind), SectionMode::ForPreview, catalogue, entryIndex,
                 state.PreviewBuffer, state);
}

void WritePreviewSection(GenerationState& state, const ReportCatalogue& catalogue,
                         const KindList& list, int listPosition) {
    const int index = CatalogueIndexOf(catalogue, list, listPosition);
    if (index < 0)
        throw Failure("no report carries the title of list line " + std::to_string(listPosition));
    WritePreviewSectionOfEntry(state, catalogue, index);
}

Result<> WritePreviewFileOfEntry(GenerationState& state, const ReportCatalogue& catalogue,
                                 int entryIndex, const std::string& tempFolder) {
    return Catching([&] {
        BeginPage(state.PreviewBuffer);
        WritePreviewSectionOfEntry(state, catalogue, entryIndex);
        EndPage(state.PreviewBuffer);
        SaveBuffer(state.PreviewBuffer, tempFolder + std::string(PreviewFileName));
    });
}

Result<> WritePreviewFile(GenerationState& state, const ReportCatalogue& catalogue,
                          const KindList& list, int listPosition, const std::string& tempFolder) {
    return WritePreviewFileOfEntry(state, catalogue,
                                   CatalogueIndexOf(catalogue, list, listPosition), tempFolder);
}

const std::u16string& PreviewFailureMessage() {
    static const std::u16string text =
        TwoLines("Wystąpił problem z wygenerowaniem podglądu.",
                 "Prawdopodobnie plik sprawozdania jest uszkodzony lub został usunięty.");
    return text;
}

const std::u16string& ProtocolsFailureMessage() {
    static const std::u16string text =
        TwoLines("Wystąpiły problemy przy generowaniu plików protokołu.", DamagedReportsHint);
    return text;
}

const std::u16string& SummaryFailureMessage() {
    static const std::u16string text =
        TwoLines("Wystąpiły problemy przy generowaniu zestawienia wyników klasyfikacji.",
                 DamagedReportsHint);
    return text;
}

const std::u16string& ListsFailureMessage() {
    static const std::u16string text =
        TwoLines("Wystąpiły problemy przy generowaniu plików list.", DamagedReportsHint);
    return text;
}

} // namespace notarion

namespace notarion {

std::u16string MessageWithCause(const std::u16string& message, const FailureCause& cause) {
    const std::u16string reason = FailureCauseMessage(cause);
    return reason.empty() ? message : message + u"\r" + reason;
}

std::string ReportFileOf(const FailureCause& cause) {
    switch (cause.Kind) {
    case FailureKind::General:
    case FailureKind::UnwritableDocument:
    case FailureKind::UnmadeFolder:
        return {};
    case FailureKind::BadValue:
    case FailureKind::UnreadableFile:
        break;
    }
    return cause.File;
}

namespace {

// What a failure says of a bad value, after its element; value is quoted.
std::string BadValueWords(BadValue fault, const std::string& value) {
    switch (fault) {
    case BadValue::Missing:
        return "brak liczby.";
    case BadValue::NotWholeNumber:
    case BadValue::AverageNotNumeric:
        return value + " nie jest liczbą całkowitą.";
    case BadValue::OutOfRange:
        return "liczba " + value + " " + OutOfRangeWords() + ".";
    case BadValue::Negative:
        return "liczba " + value + " jest ujemna.";
    case BadValue::TooManyLines:
        return TooManyLinesWords() + value + ").";
    }
    return {};
}

} // namespace

std::u16string FailureCauseMessage(const FailureCause& cause) {
    const std::string file = Cp1250ToUtf8(cause.File);
    const std::string where = "Plik: " + file + "\r" + Cp1250ToUtf8(cause.Element) + ": ";
    const std::string value = "„" + Cp1250ToUtf8(cause.Value) + "”";
    switch (cause.Kind) {
    case FailureKind::General:
        break;
    case FailureKind::BadValue:
        return Utf8ToUtf16(where + BadValueWords(cause.Fault, value));
    case FailureKind::UnreadableFile:
        return Utf8ToUtf16("Plik: " + file + "\rNie można odczytać pliku." +
                           (cause.SystemError != 0
                                ? "\r" + SystemReasonText(cause.SystemError, FileAccess::Read)
                                : std::string()));
    case FailureKind::UnwritableDocument:
        return Utf8ToUtf16(
            "Nie można zapisać dokumentu: " + file +
            (cause.SystemError != 0 ? "\r" + SystemReasonText(cause.SystemError) : std::string()));
    case FailureKind::UnmadeFolder:
        return Utf8ToUtf16(
            "Nie można utworzyć folderu: " + file +
            (cause.SystemError != 0 ? "\r" + SystemReasonText(cause.SystemError) : std::string()));
    }
    return {};
}

} // namespace notarion
