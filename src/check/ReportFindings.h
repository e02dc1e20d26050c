#pragma once

// The problems met while reading a report into the editor's form, stated as
// the check states them: the same codes, severities and Polish messages. The
// editor window and the command line both print them through here.

#include "check/FindingText.h"
#include "check/ReportCheck.h"
#include "reports/ReportFormFile.h"

#include <string>
#include <vector>

namespace notarion {

// One reading problem, ready to show. Texts are UTF-8.
struct FormProblem {
    // The check's problem code ("count-not-whole-number"), or
    // "missing-element" for a numbered element that a count promises.
    std::string Code;
    Severity Level = Severity::Error;
    // "Szkola/Pasek/Uczen2/Srednia"; empty for the whole file.
    std::string Element;
    std::string Message;
    // Where in the form: FormFinding's Part and Row.
    int Part = -1;
    int Row = -1;
};

// The problems of a read, in reading order; shown decides how a text of the
// report appears inside a message (the terminal escapes control characters).
std::vector<FormProblem> DescribeFormFindings(const FormRead& read, const ShownText& shown);

} // namespace notarion
