#pragma once

// The findings of a check as JSON for scripts (UTF-8): the source, the
// counts, an array of findings and an array of classes.

#include "check/ReportCheck.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace notarion {

// One JSON object: "source", "checkedReports", "errors", "warnings", then
// "findings" (each with its file, element, severity, problem code, the
// details of its problem and its message) and "classes" (each class with its
// number of class, behaviour and tutor's reports). One finding or class a line.
void WriteCheckJson(const CheckResult& result, std::string_view sourceUtf8, std::ostream& out);

// A JSON string literal (quotes included) of UTF-8 text: quote, backslash and
// control characters escaped; malformed UTF-8 bytes become U+FFFD.
std::string JsonString(std::string_view utf8);

} // namespace notarion
