#include "cli/PdfCommand.h"

#include "cli/CommandError.h"
#include "cli/Commands.h"
#include "cli/ReportSource.h"
#include "cli/TerminalText.h"
#include "generate/DocumentSet.h"

#include <ostream>

namespace notarion {

void PdfCommand(std::string_view source, const std::optional<std::string>& outFile,
                const std::optional<std::string>& separator, const SetPdfWriter& writer,
                std::ostream& out, std::ostream& err) {
    // Refused before anything is generated, so a build without Qt changes no files.
    if (!writer) {
        ThrowWorkFailed("Ta wersja notarion-cli nie tworzy plików PDF (zbudowano ją bez Qt).\n"
                        "Dokumenty zapisze polecenie: notarion-cli generate " +
                        OneLine(source));
    }
    const std::optional<std::string> target =
        outFile ? std::optional<std::string>(PathArgument(*outFile)) : std::nullopt;
    const SetContents set = GenerateSet(source, std::nullopt, separator, err);
    const std::string path = target ? *target : DocumentPath(set.Folder, DefaultPdfName);
    const std::string message = writer(set, path, target ? NamedBy::User : NamedBy::Program);
    if (!message.empty())
        ThrowWorkFailed(message);
    out << TerminalText(path) << '\n';
}

} // namespace notarion
