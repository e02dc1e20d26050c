#pragma once

// The pdf command: the document set generated as by generate, then written
// as one PDF file. Laying pages out needs Qt, which the command line's core
// does not link; the writer is therefore handed in by the program's entry,
// and a build without Qt hands in none.

#include "generate/SetContents.h"
#include "system/AtomicFile.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace notarion {

// Writes the PDF of a generated set at the path (cp1250), which the user or
// the program named. Returns the empty text on success, else the message to
// show (UTF-8 terminal text).
using SetPdfWriter = std::function<std::string(const SetContents& contents,
                                               const std::string& pdfPath, NamedBy namedBy)>;

// The file name of the PDF inside the output folder when --out is not given.
inline constexpr std::string_view DefaultPdfName = "Protokoly.pdf";

// Generate the set of source (as GenerateCommand does, into the default
// output folder) and write its PDF at outFile, by default DefaultPdfName in
// the output folder; print the PDF's path. Throws CommandError with the
// generation's message, the writer's message, or, when writer is empty,
// the message that this build cannot write PDF files.
void PdfCommand(std::string_view source, const std::optional<std::string>& outFile,
                const std::optional<std::string>& separator, const SetPdfWriter& writer,
                std::ostream& out, std::ostream& err);

} // namespace notarion
