#include "cli/CheckOutput.h"

#include "check/FindingText.h"
#include "cli/TerminalText.h"

#include <ostream>

namespace notarion {

std::string FindingMessage(const Finding& finding) {
    // Every text of a report or a name keeps to the finding's one line.
    return FindingMessage(finding, [](std::string_view utf8) { return OneLine(utf8); });
}

std::string ShownFile(const Finding& finding) {
    return finding.ShownFile.empty() ? TerminalText(finding.File) : finding.ShownFile;
}

void WriteCheckText(const CheckResult& result, std::ostream& out) {
    for (const Finding& finding : result.Findings) {
        out << OneLine(ShownFile(finding)) << ": "
            << (finding.Level == Severity::Error ? "błąd" : "ostrzeżenie") << ": "
            << FindingMessage(finding) << '\n';
    }
    out << "Sprawdzone sprawozdania: " << result.ReportsChecked
        << ". Błędy: " << result.ErrorCount() << ". Ostrzeżenia: " << result.WarningCount()
        << ".\n";
}

} // namespace notarion
