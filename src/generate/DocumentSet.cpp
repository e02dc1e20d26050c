#include "generate/DocumentSet.h"

#include "generate/Sections.h"
#include "generate/StudentLists.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "text/Cp1250.h"
#include "text/Failure.h"
#include "text/FileSystem.h"

#include <algorithm>
#include <exception>

namespace notarion {
namespace {

// The kind index of each protocol document, in the order of the set.
constexpr std::array<int, ProtocolDocumentCount> ProtocolKindIndexes = {0, 1, 3, 4, 5, 2, 8, 7, 6};

// The accumulator behind each list document, in the order of the set.
constexpr std::array<StudentList GenerationState::*, DocumentCount - ProtocolDocumentCount>
    ListAccumulators = {
        &GenerationState::DistinguishedList, &GenerationState::ExemplaryList,
        &GenerationState::AttendanceList,    &GenerationState::LoweredBehaviourList,
        &GenerationState::FailingList,
};

// The set index of each viewer option: the lists first, then the protocols.
constexpr std::array<int, DocumentCount> SetIndexOfOption = {10, 12, 11, 9, 13, 1, 0,
                                                             5,  2,  3,  4, 7,  8, 6};

// The option chooser's title of each viewer option.
constexpr std::array<std::string_view, DocumentCount> OptionTitles = {
    "Uczniowie z oceną wzorową z zachowania",
    "Uczniowie z obniżoną oceną z zachowania",
    "Uczniowie z wzorową frekwencją",
    "Uczniowie osiągający wysokie wyniki w nauce",
    "Uczniowie z ocenami niedostatecznymi",
    "Klasyfikacja uczniów - zachowanie",
    "Klasyfikacja uczniów - nauczanie",
    "Uzasadnienia ocen niedostatecznych",
    "Realizacja programów nauczania",
    "Realizacja programów wychowawczych",
    "Realizacja zadań dodatkowych",
    "Realizacja godzin kartowych",
    "Realizacja innych zadań",
    "Sprawozdanie dyrektora szkoły",
};

std::u16string TwoLines(std::string_view first, std::string_view second) {
    return Utf8ToUtf16(first) + u'\r' + Utf8ToUtf16(second);
}

constexpr std::string_view DamagedReportsHint =
    "Prawdopodobnie pliki sprawozdań (jeden lub więcej) są uszkodzone. Skontroluj je "
    "korzystając z modułu Lupik.";

} // namespace

const std::array<DocumentInfo, DocumentCount>& DocumentTable() {
    static const std::array<DocumentInfo, DocumentCount> table = [] {
        struct Row {
            std::string_view FileName;
            std::string_view Title;
        };
        const std::array<Row, DocumentCount> rows = {{
            {"Prot_KlasyfikacjaOceny.htm", "KLASYFIKACJA UCZNIÓW"},
            {"Prot_KlasyfikacjaZachowanie.htm", "KLASYFIKACJA UCZNIÓW Z ZACHOWANIA"},
            {"Prot_RealizacjaProgramow.htm", "REALIZACJA PROGRAMÓW NAUCZANIA"},
            {"Prot_RealizacjaProgramowWych.htm", "REALIZACJA PROGRAMÓW WYCHOWAWCZYCH"},
            {"Prot_RealizacjaZadanDod.htm", "REALIZACJA ZADAŃ DODATKOWYCH"},
            {"Prot_UzasadnienieNdst.htm", "UZASADNIENIE OCENY NIEDOSTATECZNEJ"},
            {"Prot_SprawozdanieDyr.htm", ""},
            {"Prot_GodzinyKartowe.htm", "REALIZACJA GODZIN WYNIKAJĄCYCH Z KARTY"},
            {"Prot_InneZadania.htm", "INNE ZADANIA"},
            {"Lista_UczniowieWyroznieni.htm", "UCZNIOWIE ZASŁUGUJĄCY NA WYRÓŻNIENIE"},
            {"Lista_WzoroweZachowanie.htm", "UCZNIOWIE Z WZOROWYM ZACHOWANIEM"},
            {"Lista_WzorowaFrekwencja.htm", "UCZNIOWIE Z WZOROWĄ FREKWENCJĄ"},
            {"Lista_ObnizoneZachowania.htm", "UCZNIOWIE Z OBNIŻONYM ZACHOWANIEM"},
            {"Lista_Ndst.htm", "UCZNIOWIE Z OCENAMI NIEDOSTATECZNYMI"},
        }};
        std::array<DocumentInfo, DocumentCount> documents;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            documents[i].FileName = std::string(rows[i].FileName);
            documents[i].Title = Utf8ToCp1250(rows[i].Title);
            if (i < ProtocolKindIndexes.size())
                documents[i].Kind = KindText(ProtocolKindIndexes[i]);
        }
        return documents;
    }();
    return table;
}

std::string DocumentFileForOption(int option) {
    if (option < 0 || option >= DocumentCount)
        return {};
    return DocumentTable()[static_cast<std::size_t>(
                               SetIndexOfOption[static_cast<std::size_t>(option)])]
        .FileName;
}

std::string DocumentTitleForOption(int option) {
    if (option < 0 || option >= DocumentCount)
        return {};
    return Utf8ToCp1250(OptionTitles[static_cast<std::size_t>(option)]);
}

std::string DocumentPath(const std::string& folder, std::string_view fileName) {
    std::string path = folder;
    path.push_back(PathSeparator);
    path.append(fileName);
    return path;
}

void ClearAccumulators(GenerationState& state) {
    for (StudentList GenerationState::*list : ListAccumulators)
        (state.*list).Lines.clear();
    state.ListBuffer.Lines.clear();
}

void WriteProtocolDocument(GenerationState& state, const ReportCatalogue& catalogue,
                           std::string_view kind, std::string_view title, const std::string& path) {
    HtmlBuffer& buffer = state.ProtocolBuffer;
    BeginPage(buffer);
    if (!title.empty())
        AddHeading(buffer, title);
    const SectionWriter writer = SectionWriterForKind(kind);
    // Count and the slots agree after every catalogue operation; the smaller
    // of the two still keeps a disagreement from reading past the slots.
    const int count = std::min(catalogue.Count, static_cast<int>(catalogue.Slots.size()));
    for (int i = 0; i < count; ++i) {
        if (catalogue.Slots[static_cast<std::size_t>(i)].Kind == kind)
            writer(SectionMode::ForSet, catalogue, i, buffer, state);
    }
    EndPage(buffer);
    SaveBuffer(buffer, path);
}

bool GenerateProtocols(GenerationState& state, const ReportCatalogue& catalogue,
                       const std::string& outputFolder) {
    try {
        ClearAccumulators(state);
        for (int i = 0; i < ProtocolDocumentCount; ++i) {
            const DocumentInfo& document = DocumentTable()[static_cast<std::size_t>(i)];
            WriteProtocolDocument(state, catalogue, document.Kind, document.Title,
                                  DocumentPath(outputFolder, document.FileName));
        }
    } catch (...) {
        // The caller shows the one message of this step; the cause is in the
        // report files or the folder, which the message names.
        return false;
    }
    return true;
}

bool GenerateLists(GenerationState& state, const std::string& outputFolder) {
    try {
        for (std::size_t i = 0; i < ListAccumulators.size(); ++i) {
            const DocumentInfo& document = DocumentTable()[ProtocolDocumentCount + i];
            WriteListDocument(state.ListBuffer, state.*ListAccumulators[i], document.Title,
                              DocumentPath(outputFolder, document.FileName));
        }
    } catch (...) {
        return false;
    }
    return true;
}

void WritePreviewSectionOfEntry(GenerationState& state, const ReportCatalogue& catalogue,
                                int entryIndex) {
    if (entryIndex < 0 || entryIndex >= static_cast<int>(catalogue.Slots.size()))
        throw Failure("no report at catalogue index " + std::to_string(entryIndex));
    const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(entryIndex)];
    SectionWriterForKind(entry.Kind)(SectionMode::ForPreview, catalogue, entryIndex,
                                     state.PreviewBuffer, state);
}

void WritePreviewSection(GenerationState& state, const ReportCatalogue& catalogue,
                         const KindList& list, int listPosition) {
    const int index = CatalogueIndexOf(catalogue, list, listPosition);
    if (index < 0)
        throw Failure("no report carries the title of list line " + std::to_string(listPosition));
    WritePreviewSectionOfEntry(state, catalogue, index);
}

bool WritePreviewFileOfEntry(GenerationState& state, const ReportCatalogue& catalogue,
                             int entryIndex, const std::string& tempFolder,
                             const MessageSink& showWarning) {
    try {
        BeginPage(state.PreviewBuffer);
        WritePreviewSectionOfEntry(state, catalogue, entryIndex);
        EndPage(state.PreviewBuffer);
        SaveBuffer(state.PreviewBuffer, tempFolder + std::string(PreviewFileName));
        return true;
    } catch (...) {
        if (showWarning)
            showWarning(ModeClose, IconInfo, PreviewFailureMessage());
        return false;
    }
}

bool WritePreviewFile(GenerationState& state, const ReportCatalogue& catalogue,
                      const KindList& list, int listPosition, const std::string& tempFolder,
                      const MessageSink& showWarning) {
    return WritePreviewFileOfEntry(
        state, catalogue, CatalogueIndexOf(catalogue, list, listPosition), tempFolder, showWarning);
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

const std::u16string& ListsFailureMessage() {
    static const std::u16string text =
        TwoLines("Wystąpiły problemy przy generowaniu plików list.", DamagedReportsHint);
    return text;
}

} // namespace notarion
