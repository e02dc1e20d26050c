#pragma once

// The document viewer's two commands for the whole set: save it as one PDF,
// and print it as one job on the printer chosen in the print dialog (where
// this machine has no printer, the PDF is offered instead, as printing one
// document does). The pages are those of SetPdf.

#include "platform/SetPdf.h"
#include "platform/TEmbeddedWB.h"

#include <functional>

class QPrinter;
class QWidget;

namespace notarion {

// Shows the print dialog for printer; true when the user confirmed.
using PrintDialogRunner = std::function<bool(QWidget* parent, QPrinter& printer)>;

// The real print dialog, titled "Drukuj zestaw", with page ranges on offer.
bool AskPrintSettings(QWidget* parent, QPrinter& printer);

// How a set command ended: Result is Done, Cancelled or Failed; a failure's
// cause (and the page count of a done one) is in Output.
struct SetCommandResult {
    ViewerResult Result = ViewerResult::Done;
    SetOutputResult Output;
    // The PDF file written (cp1250); empty when the set went to a printer
    // or nothing was written.
    std::string File = {};
};

// A number of pages in words, as a status line says it: "1 strona",
// "3 strony", "49 stron".
QString PageCountText(int pages);

// The path the save dialog proposes for the set's PDF: the set's folder and
// "Protokoly_<date of generation>.pdf" (today's date when unknown).
QString SuggestedSetPdfPath(const SetContents& contents);

// Ask for a PDF file name (starting in the set's folder) and write the set's
// PDF there. Cancelled when the dialog is declined; Failed with the cause.
SetCommandResult SaveSetPdf(QWidget* parent, const SetContents& contents,
                            const SaveDialog& saveDialog);

// Print the set as one job: a printer from printers, set to A4 portrait, the
// print dialog (whose page range is honoured), then every page. Without a
// printer the save dialog offers the PDF instead. Cancelled when a dialog is
// declined; Failed with the cause.
SetCommandResult PrintSet(QWidget* parent, const SetContents& contents,
                          const PrinterFactory& printers, const SaveDialog& saveDialog,
                          const PrintDialogRunner& printDialog = AskPrintSettings);

} // namespace notarion
