#include "cli/Commands.h"

#include "app/ReportFolder.h"
#include "app/SetWriter.h"
#include "app/StartOfWork.h"
#include "check/ReportCheck.h"
#include "cli/CheckJson.h"
#include "cli/CheckOutput.h"
#include "cli/CommandError.h"
#include "cli/ReportSource.h"
#include "cli/TerminalText.h"
#include "generate/DocumentSet.h"
#include "generate/HtmlPage.h"
#include "generate/OutputFolderLock.h"
#include "generate/SetSummary.h"
#include "reports/ClassOrder.h"
#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

namespace notarion {
namespace {

std::string ResolveSeparator(const std::optional<std::string>& argument) {
    return argument ? DecimalSeparatorArgument(*argument) : SystemDecimalSeparator();
}

// The save dialog of the list editor adds "xmp" to a name without extension;
// so does the command line, so that the file is found as a list file later.
std::string WithListFileExtension(std::string path) {
    const auto slash = path.find_last_of(PathSeparator);
    const std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.find('.') == std::string_view::npos)
        path += ".xmp";
    return path;
}

// The windows never list a report of no known kind, so the user of the
// windows never meets it; here it is at least named.
void ReportLeftOut(const std::vector<std::string>& leftOut, std::string_view source,
                   std::ostream& err, const std::vector<std::string>& notices = {}) {
    for (const std::string& notice : notices)
        err << "Uwaga: " << notice << '\n';
    for (const std::string& path : leftOut) {
        err << "Uwaga: pominięto plik " << OneLine(TerminalText(path))
            << " – nieznany rodzaj sprawozdania.\n";
    }
    if (!leftOut.empty() || !notices.empty())
        err << "Szczegóły pokaże polecenie: notarion-cli check " << OneLine(source) << '\n';
}

// The catalogue of a source in the order asked for.
ReportCatalogue OrderedCatalogue(const ReportSource& source, SetOrder order,
                                 std::vector<std::string>& leftOut,
                                 std::vector<std::string>& notices) {
    ReportCatalogue catalogue = LoadSourceCatalogue(source, &leftOut, &notices);
    if (order == SetOrder::ByClass)
        OrderByClass(catalogue);
    return catalogue;
}

} // namespace

SetOrder SetOrderArgument(std::string_view argument) {
    if (argument != "klasy")
        ThrowUsageError("opcja --order przyjmuje tylko wartość „klasy”.");
    return SetOrder::ByClass;
}

std::string DecimalSeparatorArgument(std::string_view argument) {
    const auto core = CoreTextFromArgument(argument);
    bool printable = core && !core->empty() && core->size() <= 3;
    if (printable) {
        for (const char c : *core) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F)
                printable = false;
        }
    }
    if (!printable) {
        ThrowUsageError("separator dziesiętny musi mieć od 1 do 3 znaków "
                        "strony kodowej Windows-1250, np. „,” albo „.”.");
    }
    return *core;
}

SetContents GenerateSet(std::string_view source, const std::optional<std::string>& outFolder,
                        const std::optional<std::string>& separator, std::ostream& err,
                        SetOrder order) {
    const ReportSource resolved = ResolveSource(source);
    const std::string folder = outFolder ? PathArgument(*outFolder) : DefaultOutputFolder(resolved);
    GenerationState state;
    state.DecimalSeparator = ResolveSeparator(separator);

    std::vector<std::string> leftOut;
    std::vector<std::string> notices;
    const ReportCatalogue catalogue = OrderedCatalogue(resolved, order, leftOut, notices);
    // The generators name the first cause; the check names every problem at
    // once, but only in the reports: a document that cannot be written is
    // the folder's or the disk's fault, which the check would not find.
    const SetResult written = WriteSet(state, catalogue, folder, FoldersAbove::Make);
    if (written.Outcome == SetOutcome::FolderNotMade)
        ThrowWorkFailed(TerminalMessage(FailureCauseMessage(written.Cause)));
    if (written.Outcome == SetOutcome::FolderBusy)
        ThrowWorkFailed(TerminalMessage(FolderBusyMessage()));
    if (written.Outcome != SetOutcome::Written) {
        std::string text =
            TerminalMessage(MessageWithCause(SetOutcomeMessage(written.Outcome), written.Cause));
        if (written.Cause.Kind != FailureKind::UnwritableDocument)
            text += "\nSzczegóły pokaże polecenie: notarion-cli check " + OneLine(source);
        ThrowWorkFailed(text);
    }
    ReportLeftOut(leftOut, source, err, notices);
    return DescribeSet(catalogue, folder);
}

void GenerateCommand(std::string_view source, const std::optional<std::string>& outFolder,
                     const std::optional<std::string>& separator, std::ostream& out,
                     std::ostream& err, SetOrder order) {
    const SetContents set = GenerateSet(source, outFolder, separator, err, order);
    for (const DocumentInfo& document : DocumentTable())
        out << OneLine(TerminalText(DocumentPath(set.Folder, document.FileName))) << '\n';
    out << OneLine(TerminalText(DocumentPath(set.Folder, SummaryFileName))) << '\n';
}

void PreviewCommand(std::string_view report, const std::optional<std::string>& outFile,
                    const std::optional<std::string>& separator, std::ostream& out) {
    const std::string path = PathArgument(report);
    const std::optional<std::string> target =
        outFile ? std::optional<std::string>(PathArgument(*outFile)) : std::nullopt;
    GenerationState state;
    state.DecimalSeparator = ResolveSeparator(separator);
    if (!FileExists(path))
        ThrowWorkFailed("Nie ma takiego pliku: " + OneLine(report));

    ReportCatalogue catalogue;
    try {
        AppendToCatalogue(catalogue, {path});
    } catch (const ReportFileError&) {
        ThrowWorkFailed(TerminalMessage(DamagedFileMessage(path)));
    }
    const ReportEntry entry = catalogue.Slots.at(0);
    // The list editor never lists a report of no known kind, so it has no
    // preview there either; say why instead of showing an empty page.
    if (KindIndex(entry.Kind) < 0) {
        std::string message = "Plik nie jest sprawozdaniem żadnego ze znanych rodzajów "
                              "(element Doc: „" +
                              OneLine(TerminalText(entry.Kind)) + "”).";
        const std::string nearest = NearestKind(entry.Kind);
        if (!nearest.empty())
            message += "\nCzy chodziło o „" + TerminalText(nearest) + "”?";
        ThrowWorkFailed(message);
    }

    // The same page that the list editor's preview saves as its temporary
    // file, built here so that it can go anywhere.
    BeginPage(state.PreviewBuffer);
    try {
        WritePreviewSectionOfEntry(state, catalogue, 0);
    } catch (const Failure&) {
        ThrowWorkFailed(TerminalMessage(PreviewFailureMessage()));
    }
    EndPage(state.PreviewBuffer);
    const std::string bytes = BufferBytes(state.PreviewBuffer);
    if (!target) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    try {
        WriteWholeFile(*target, bytes, NamedBy::User);
    } catch (const Failure& failure) {
        ThrowWorkFailed(UnwritableFileText(TerminalText(*target), failure.Cause()));
    }
}

void ListSaveCommand(std::string_view source, std::string_view listFile, std::ostream& out,
                     std::ostream& err, SetOrder order) {
    ReportSource resolved = ResolveSource(source);
    // The positions keep full paths, so that the list works from any folder.
    resolved.Path = AbsolutePath(resolved.Path);
    const std::string path = WithListFileExtension(PathArgument(listFile));
    std::vector<std::string> leftOut;
    std::vector<std::string> notices;
    const ReportCatalogue catalogue = OrderedCatalogue(resolved, order, leftOut, notices);
    if (const Result<> written = WriteListFile(catalogue, path); !written) {
        // The system's reason where it gave one, the guess of no permission
        // only where it gave none; the reason is not repeated under the path.
        ThrowWorkFailed(TerminalMessage(ListFileUnwritableMessage(written.Cause())) + "\n" +
                        UnwritableFileText(TerminalText(path), FailureCause{}));
    }
    out << OneLine(TerminalText(path)) << '\n';
    ReportLeftOut(leftOut, source, err, notices);
}

void ListShowCommand(std::string_view listFile, std::ostream& out) {
    const std::string path = PathArgument(listFile);
    ReportCatalogue catalogue;
    if (Result<> read = ReadListFile(catalogue, path); !read)
        ThrowWorkFailed(TerminalMessage(ListFileUnreadableMessage(read.Cause(), path)));
    const int count = std::min(catalogue.Count, static_cast<int>(catalogue.Slots.size()));
    for (int i = 0; i < count; ++i) {
        const ReportEntry& entry = catalogue.Slots[static_cast<std::size_t>(i)];
        out << OneLine(TerminalText(entry.Title)) << '\t' << OneLine(TerminalText(entry.Path))
            << '\t' << OneLine(TerminalText(entry.Kind)) << '\n';
    }
}

void SummaryCommand(std::string_view source, SummaryFormat format,
                    const std::optional<std::string>& outFile, std::ostream& out) {
    const ReportSource resolved = ResolveSource(source);
    const std::optional<std::string> target =
        outFile ? std::optional<std::string>(PathArgument(*outFile)) : std::nullopt;
    const ReportCatalogue catalogue = LoadSourceCatalogue(resolved);
    SetSummary summary;
    try {
        summary = SummariseSet(catalogue);
    } catch (const Failure& failure) {
        std::string text = TerminalMessage(FailureCauseMessage(failure.Cause()));
        ThrowWorkFailed(text.empty() ? failure.what() : text);
    }
    std::ostringstream written;
    switch (format) {
    case SummaryFormat::Text:
        WriteSummaryText(summary, written);
        break;
    case SummaryFormat::Json:
        WriteSummaryJson(summary, source, written);
        break;
    case SummaryFormat::Csv:
        WriteSummaryCsv(summary, written);
        break;
    }
    if (!target) {
        out << written.str();
        return;
    }
    try {
        WriteWholeFile(*target, written.str(), NamedBy::User);
    } catch (const Failure& failure) {
        ThrowWorkFailed(UnwritableFileText(TerminalText(*target), failure.Cause()));
    }
}

int CheckCommand(std::string_view source, bool json, std::ostream& out) {
    const ReportSource resolved = ResolveSource(source);
    CheckResult result;
    if (resolved.Kind == SourceKind::Folder) {
        std::vector<std::string> unusable;
        const std::vector<std::string> found = FindReportFiles(resolved.Path, unusable);
        if (found.empty() && unusable.empty())
            ThrowWorkFailed(TerminalMessage(NoReportFilesMessage()));
        result = CheckReportFiles(found, unusable);
    } else {
        ReportCatalogue catalogue;
        if (Result<> read = ReadListFile(catalogue, resolved.Path); !read)
            ThrowWorkFailed(
                TerminalMessage(ListFileUnreadableMessage(read.Cause(), resolved.Path)));
        result = CheckListedReports(catalogue);
    }
    if (json)
        WriteCheckJson(result, source, out);
    else
        WriteCheckText(result, out);
    return static_cast<int>(result.Findings.empty() ? ExitCode::Success : ExitCode::WorkFailed);
}

} // namespace notarion
