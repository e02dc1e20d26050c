#pragma once

// How the findings of a check are shown to people on the terminal: Polish
// lines in UTF-8. The JSON form for scripts is in CheckJson.h.

#include "check/ReportCheck.h"

#include <iosfwd>
#include <string>

namespace notarion {

// The Polish description of one finding, one line, without the file name.
std::string FindingMessage(const Finding& finding);

// The finding's file in UTF-8 as the file system holds it: ShownFile when
// File cannot spell it.
std::string ShownFile(const Finding& finding);

// One line per finding ("file: błąd: message"), then a summary line.
void WriteCheckText(const CheckResult& result, std::ostream& out);

} // namespace notarion
