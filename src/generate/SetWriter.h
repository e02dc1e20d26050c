#pragma once

// The one road from a set to its folder, which the list editor and the
// command line both take.

#include "generate/DocumentSet.h"

#include <string>

namespace notarion {

// How writing a set into its folder ended.
enum class SetOutcome { Written, FolderBusy, ProtocolsFailed, ListsFailed, SummaryFailed };

// The step at which writing a set stopped and why.
struct SetResult {
    SetOutcome Outcome = SetOutcome::Written;
    // The failed step's cause; General with empty texts when the set was
    // written or the folder was busy.
    FailureCause Cause;
};

// Under the folder's lock, write the nine protocol documents, the five lists
// and the page of the set's figures into folder, stopping at the first step
// that fails and returning that step with its cause. madeFrom is the
// outermost folder the caller created on the way to folder for this set, or
// empty: a failed set removes folder and the folders above it up to madeFrom
// again while they are empty, so it leaves no empty folder of its own making;
// a folder that holds anything stays. Throws what taking the lock throws
// (after the same removal).
SetResult WriteSet(GenerationState& state, const ReportCatalogue& catalogue,
                   const std::string& folder, const std::string& madeFrom);

// The fixed message of a failed outcome; empty for Written.
std::u16string SetOutcomeMessage(SetOutcome outcome);

} // namespace notarion
