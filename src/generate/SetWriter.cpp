#include "generate/SetWriter.h"

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
                   const std::string& folder, const std::string& madeFrom) {
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
