#pragma once

// What each finding of a check says to the school, in Polish, one line
// without the file name. Both front ends show these texts: the command line
// on the terminal, the window program on its check page.

#include "check/ReportCheck.h"

#include <functional>
#include <string>
#include <string_view>

namespace notarion {

// How a front end shows a text of a report or a file name inside a
// message: given UTF-8, it returns what to insert (the terminal escapes
// control characters). Fixed words of the message do not pass through it.
using ShownText = std::function<std::string(std::string_view utf8)>;

// The Polish description of one finding as UTF-8.
std::string FindingMessage(const Finding& finding, const ShownText& shown);

} // namespace notarion
