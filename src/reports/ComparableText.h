#pragma once

// How the values that name people, classes and subjects are compared and
// split: the checker matches a student across reports and the summary of the
// set groups reports by class and counts the students a justification names,
// both by these rules.

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The text without the blanks (space, tab, CR, LF) at either end.
std::string Trimmed(std::string_view cp1250);

// A name, class or subject as the checks compare it: blanks trimmed and run
// together, letters folded to upper case.
std::u16string ComparableText(std::string_view cp1250);

// The parts of a text separated by commas, trimmed; empty parts dropped.
std::vector<std::string> CommaSeparated(std::string_view cp1250);

} // namespace notarion
