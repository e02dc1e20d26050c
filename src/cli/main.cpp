// notarion-cli: the command-line front end of Notarion.

#include "cli/CommandLine.h"
#include "cli/PdfCompanion.h"
#include "cli/PdfWriterOfThisBuild.h"
#include "system/Terminal.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    notarion::PrepareTerminalOutput();
    const std::vector<std::string> words = notarion::ProgramArguments(argc, argv);
#ifdef NOTARION_PDF_COMPANION
    // Only the pdf command needs Qt; it runs in the companion, which links it.
    if (notarion::IsPdfCommand(words)) {
        std::cerr << notarion::RunPdfCompanion(words, NOTARION_PDF_COMPANION) << '\n';
        return 1;
    }
#endif
    return notarion::RunCommandLine(words, std::cout, std::cerr, notarion::PdfWriterOfThisBuild());
}
