#pragma once

// The JSON form of a report for scripts: `report show --json` prints it and
// `report write` reads it. The keys are the report's element names below
// "Szkola" ("Doc" for the kind text); counts are left out, since they follow
// from the lists. Line groups and plain student lists are arrays of strings;
// students with an average or subjects and justifications are arrays of
// objects ("Uczen" with "Srednia" or "Przedmioty"; "Osoba" with "Ocena" and
// "Wiersze"). Averages are strings as a user types them ("4,75"). A shown
// report also carries "problems", which reading a JSON form ignores.

#include "check/ReportFindings.h"
#include "reports/ReportForm.h"

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The form and its reading problems as JSON text (UTF-8, indented, final
// newline); only the problems when there is no form (a report of no known kind).
std::string FormToJson(const ReportForm* form, const std::vector<FormProblem>& problems);

// The form of a JSON text (UTF-8). Throws CommandError (failure of the work),
// and nothing else, for text that is not JSON (a number beyond a double
// included), an unknown kind, a missing, unknown or repeated key, a value of
// the wrong type, or a list beyond the reader's limits, naming the place as a
// JSON pointer ("/Pasek/1/Srednia") with every text shown escaped. A list
// beyond the limits is refused while it is read, before it is built.
ReportForm FormFromJson(std::string_view text);

} // namespace notarion
