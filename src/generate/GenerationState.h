#pragma once

// The part of the shared state that the document generators write: the three
// page buffers, the five student lists and the decimal separator of averages.
// The cause of a failed step is never kept here: the step returns it.

#include "generate/HtmlPage.h"

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
};

} // namespace notarion
