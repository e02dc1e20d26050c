#include "app/SetWriter.h"

#include "generate/OutputFolderLock.h"
#include "system/FileSystem.h"

namespace notarion {

namespace {

void RemoveFoldersMadeForTheSet(const std::string& folder, const std::string& madeFrom) {
    if (madeFrom.empty())
        return;
    for (std::string current = folder; !current.empty(); current = FolderOf(current)) {
        if (!RemoveEmptyDirectory(current) || current == madeFrom)
            return;
    }
}

// Make folder, and every missing folder above it when makeAbove says so. Returns the outermost
// folder made (empty when folder was there), or the cause when one cannot
// be made.
Result<std::string> MakeFolders(const std::string& folder, FoldersAbove makeAbove) {
    if (folder.empty() || DirectoryExists(folder))
        return std::string();
    const std::string parent = FolderOf(folder);
    const Result<std::string> above = parent.empty() || makeAbove == FoldersAbove::MustExist
                                          ? std::string()
                                          : MakeFolders(parent, makeAbove);
    if (!above)
        return above;
    const Result<> made = CreateSingleDirectory(folder);
    // Another process may have made it meanwhile; only its absence counts.
    if (!made && !DirectoryExists(folder)) {
        FailureCause cause = made.Cause();
        cause.Kind = FailureKind::UnmadeFolder;
        cause.File = folder;
        return cause;
    }
    if (!above.Value().empty())
        return above;
    return made ? folder : std::string();
}

SetResult WriteSetSteps(GenerationState& state, const ReportCatalogue& catalogue,
                        const std::string& folder) {
    const OutputFolderLock lock(folder);
    if (lock.Busy())
        return {SetOutcome::FolderBusy, {}};
    if (const Result<> protocols = GenerateProtocols(state, catalogue, folder); !protocols)
        return {SetOutcome::ProtocolsFailed, protocols.Cause()};
    if (const Result<> lists = GenerateLists(state, folder); !lists)
        return {SetOutcome::ListsFailed, lists.Cause()};
    if (const Result<> summary = GenerateSummary(state, catalogue, folder); !summary)
        return {SetOutcome::SummaryFailed, summary.Cause()};
    return {};
}

} // namespace

SetResult WriteSet(GenerationState& state, const ReportCatalogue& catalogue,
                   const std::string& folder, FoldersAbove above) {
    const Result<std::string> made = MakeFolders(folder, above);
    if (!made)
        return {SetOutcome::FolderNotMade, made.Cause()};
    const std::string& madeFrom = made.Value();
    SetResult result;
    try {
        result = WriteSetSteps(state, catalogue, folder);
    } catch (...) {
        RemoveFoldersMadeForTheSet(folder, madeFrom);
        throw;
    }
    if (result.Outcome != SetOutcome::Written)
        RemoveFoldersMadeForTheSet(folder, madeFrom);
    return result;
}

std::u16string SetOutcomeMessage(SetOutcome outcome) {
    switch (outcome) {
    case SetOutcome::Written:
        return {};
    case SetOutcome::FolderBusy:
        return FolderBusyMessage();
    case SetOutcome::FolderNotMade:
    case SetOutcome::ProtocolsFailed:
        return ProtocolsFailureMessage();
    case SetOutcome::ListsFailed:
        return ListsFailureMessage();
    case SetOutcome::SummaryFailed:
        return SummaryFailureMessage();
    }
    return {};
}

} // namespace notarion
