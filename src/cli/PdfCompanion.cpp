#include "cli/PdfCompanion.h"

#include "system/OwnProgram.h"
#include "system/SystemReason.h"

#include <filesystem>

namespace notarion {

namespace {

constexpr std::string_view kCompanion = "notarion-cli-pdf";

} // namespace

bool IsPdfCommand(const std::vector<std::string>& words) {
    return !words.empty() && words.front() == "pdf";
}

std::string RunPdfCompanion(const std::vector<std::string>& words,
                            std::string_view fromProgramFolder) {
    const std::filesystem::path self = OwnProgramPath();
    RunInPlaceFailure failure{true, 0};
    if (!self.empty()) {
        const std::filesystem::path folder = self.parent_path();
        for (const std::filesystem::path& companion :
             {folder / kCompanion, folder / std::filesystem::path(fromProgramFolder)}) {
            failure = RunInPlace(companion, words);
            // A companion that is absent here may be at the next place; any
            // other failure is the one to report.
            if (!failure.Missing)
                break;
        }
    }
    return "Nie można uruchomić programu notarion-cli-pdf, który tworzy pliki PDF.\n" +
           (failure.Missing ? "Nie ma go w folderze programu; zainstaluj Notarion ponownie."
                            : SystemReasonText(failure.SystemError));
}

} // namespace notarion
