#include "cli/PdfCompanion.h"

#include "text/SystemReason.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace notarion {

namespace {

constexpr std::string_view kCompanion = "notarion-cli-pdf";

} // namespace

bool IsPdfCommand(const std::vector<std::string>& words) {
    return !words.empty() && words.front() == "pdf";
}

std::string RunPdfCompanion(char** argv, std::string_view fromProgramFolder) {
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    int reason = error ? error.value() : ENOENT;
    if (!error) {
        for (const std::filesystem::path& companion :
             {folder / kCompanion, folder / std::filesystem::path(fromProgramFolder)}) {
            ::execv(companion.c_str(), argv);
            // A companion that is absent here may be at the next place; any
            // other failure is the one to report.
            reason = errno;
            if (reason != ENOENT)
                break;
        }
    }
    return "Nie można uruchomić programu notarion-cli-pdf, który tworzy pliki PDF.\n" +
           (reason == ENOENT ? "Nie ma go w folderze programu; zainstaluj Notarion ponownie."
                             : SystemReasonText(reason));
}

} // namespace notarion
