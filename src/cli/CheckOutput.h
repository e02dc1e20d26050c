#pragma once

// How the findings of a check are shown: Polish lines for people, JSON for
// scripts. Both are UTF-8.

#include "check/ReportCheck.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace notarion {

// The Polish description of one finding, one line, without the file name.
std::string FindingMessage(const Finding& finding);

// One line per finding ("file: błąd: message"), then a summary line.
void WriteCheckText(const CheckResult& result, std::ostream& out);

// The findings as one JSON object: the source, the counts and an array of
// findings, each with its file, element, severity, problem code, message and
// the details of its problem.
void WriteCheckJson(const CheckResult& result, std::string_view sourceUtf8, std::ostream& out);

// A JSON string literal (quotes included) of UTF-8 text: quote, backslash and
// control characters escaped.
std::string JsonString(std::string_view utf8);

} // namespace notarion
