// notarion-cli: the command-line front end of Notarion.

#include "cli/CommandLine.h"
#include "cli/PdfWriterOfThisBuild.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    return notarion::RunCommandLine(words, std::cout, std::cerr, notarion::PdfWriterOfThisBuild());
}
