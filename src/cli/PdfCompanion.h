#pragma once

// The pdf command lays pages out with Qt, which no other command needs. In a
// build with Qt it runs in a companion program, notarion-cli-pdf, so that
// notarion-cli itself starts without loading Qt for everything else.

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// True when the command-line words ask for the pdf command.
bool IsPdfCommand(const std::vector<std::string>& words);

// Run the companion in this program's place with the same words. The
// companion lies beside this program (a build folder) or at fromProgramFolder,
// relative to this program's folder (an installed program). Returns only when
// neither can be started, with the message to show (UTF-8).
std::string RunPdfCompanion(const std::vector<std::string>& words,
                            std::string_view fromProgramFolder);

} // namespace notarion
