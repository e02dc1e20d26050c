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

SetOutcome WriteSetSteps(GenerationState& state, const ReportCatalogue& catalogue,
                         const std::string& folder) {
    const OutputFolderLock lock(folder);
    if (lock.Busy())
        return SetOutcome::FolderBusy;
    if (!GenerateProtocols(state, catalogue, folder))
        return SetOutcome::ProtocolsFailed;
    if (!GenerateLists(state, folder))
        return SetOutcome::ListsFailed;
    if (!GenerateSummary(state, catalogue, folder))
        return SetOutcome::SummaryFailed;
    return SetOutcome::Written;
}

} // namespace

SetOutcome WriteSet(GenerationState& state, const ReportCatalogue& catalogue,
                    const std::string& folder, const std::string& madeFrom) {
    SetOutcome outcome = SetOutcome::Written;
    try {
        outcome = WriteSetSteps(state, catalogue, folder);
    } catch (...) {
        RemoveFoldersMadeForTheSet(folder, madeFrom);
        throw;
    }
    if (outcome != SetOutcome::Written)
        RemoveFoldersMadeForTheSet(folder, madeFrom);
    return outcome;
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
