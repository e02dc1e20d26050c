#pragma once

// The one road from a set to its folder, which the list editor and the
// command line both take: the folder made where it is missing, its lock, the
// documents, and a failed set's folders of its own making taken back.

#include "generate/DocumentSet.h"

#include <string>

namespace notarion {

// How writing a set into its folder ended.
enum class SetOutcome {
    Written,
    // The folder (or one above it) is missing and cannot be made; the cause
    // names the folder and the system's reason.
    FolderNotMade,
    FolderBusy,
    ProtocolsFailed,
    ListsFailed,
    SummaryFailed,
};

// The step at which writing a set stopped and why.
struct SetResult {
    SetOutcome Outcome = SetOutcome::Written;
    // The failed step's cause; General with empty texts when the set was
    // written or the folder was busy.
    FailureCause Cause;
};

// Whether the road makes the folders above a set's folder that are missing.
enum class FoldersAbove {
    // A folder the user named for the set: every missing level is made.
    Make,
    // The folder beside the reports: its parent is the reports' folder, and
    // when that has gone the set fails rather than make it again empty.
    MustExist,
};

// Make folder (and, as above says, the folders above it) where it is
// missing, then, under
// the folder's lock, write the nine protocol documents, the five lists and
// the page of the set's figures into it, stopping at the first step that
// fails and returning that step with its cause. A failed set removes the
// folders it made again while they are empty, so it leaves no empty folder
// of its own making; a folder that holds anything stays. Throws what taking
// the lock throws (after the same removal).
SetResult WriteSet(GenerationState& state, const ReportCatalogue& catalogue,
                   const std::string& folder, FoldersAbove above);

// The fixed message of a failed outcome; empty for Written. A folder that
// could not be made fails the protocols, the set's first step.
std::u16string SetOutcomeMessage(SetOutcome outcome);

} // namespace notarion
