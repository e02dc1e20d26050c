#pragma once

// The PDF writer that notarion-cli's entry hands to the command line. A build
// with Qt links the writer of cli/pdf; a build without it links the one that
// says so, and every other command works the same in both.

#include "cli/PdfCommand.h"

namespace notarion {

// The writer of this build; empty where the program is built without Qt.
SetPdfWriter PdfWriterOfThisBuild();

} // namespace notarion
