#pragma once

// The part of the shared state that the document generators write: the three
// page buffers, the five student lists, the decimal separator of averages and
// the cause of the last failed step.

#include "generate/HtmlPage.h"
#include "text/Failure.h"

#include <string>
#include <vector>

namespace notarion {

// Class groups of one student list: "===========", the class line, then
// student lines.
struct StudentList {
    std::vector<std::string> Lines;
};

struct GenerationState {
    HtmlBuffer ProtocolBuffer;
    HtmlBuffer PreviewBuffer;
    HtmlBuffer ListBuffer;
    StudentList DistinguishedList;
    StudentList ExemplaryList;
    StudentList AttendanceList;
    StudentList LoweredBehaviourList;
    StudentList FailingList;
    // The user's regional decimal separator, read once at program start; the
    // generators never consult the global locale.
    std::string DecimalSeparator = ",";
    // Why the last GenerateProtocols or GenerateLists failed; General with
    // empty texts after a success.
    FailureCause LastFailure;
};

} // namespace notarion
