// notarion-cli built without Qt: there is no text layout to make a PDF with,
// so the pdf command explains that instead.

#include "cli/PdfWriterOfThisBuild.h"

namespace notarion {

SetPdfWriter PdfWriterOfThisBuild() {
    return {};
}

} // namespace notarion
