#pragma once

// The whole document set on paper or in one PDF file.
//
// Every document is rendered from its generated HTML file, decoded and laid
// out as the embedded viewer lays it out, in a font with every Polish letter
// that the PDF writer embeds. The pages are: a first page that names the set
// (folder, time of generation, reports per kind, the fourteen documents with
// the page each starts on), then each document from a new page, in the order
// of the option chooser; every page carries "Strona N z M" at its foot.
//
// A set of any size is made with little memory: the documents are laid out
// one at a time, a long one in pieces (see PagePieces), once to count the
// pages and once more to paint them, and the PDF goes to its file as its
// pages are made.
//
// Needs Qt GUI only (no widgets), so the command line can link it. A
// QGuiApplication must exist.

#include "generate/SetContents.h"
#include "platform/PagePieces.h"
#include "system/AtomicFile.h"

#include <QDateTime>
#include <QString>

#include <string>
#include <vector>

class QPagedPaintDevice;

namespace notarion {

// How rendering the set ended.
enum class SetOutputStatus {
    Done,
    // A document of the set could not be read (missing file, no access), or
    // it changed while the set was being laid out.
    DocumentUnreadable,
    // A document of the set is too large or too long to be laid out.
    DocumentTooLong,
    // The printer or the PDF writer could not start or reported an error.
    PaintFailed,
    // The bookmarks could not be added to the finished PDF.
    OutlineFailed,
    // The PDF file could not be written.
    FileUnwritable,
};

struct SetOutputResult {
    SetOutputStatus Status = SetOutputStatus::Done;
    // The document or the file at fault (cp1250); empty on success.
    std::string Path;
    // The pages of the whole set, the first page included.
    int PageCount = 0;
    // The page (from 0) on which each document starts, in option order.
    std::vector<int> StartPages;
    // The system's code of the failed read or write at Path
    // (SystemReasonText), 0 when the system gave none.
    int SystemError = 0;

    bool Ok() const { return Status == SetOutputStatus::Done; }
};

// How the documents are cut for the layout. The defaults suit every set;
// tests lower them to see the cutting at work on a small one.
struct SetLayoutLimits {
    PieceLimits Pieces;
    // The tallest piece the layout is trusted with, in device units: well
    // below the 2^31/64 at which Qt's fixed-point positions overflow.
    qreal MaxPieceHeight = 16'000'000;
};

// The family of the font the set is set in.
inline constexpr const char* SetFontFamily = "DejaVu Sans";
// The file name the viewer proposes for the set's PDF, for a given day.
QString SuggestedSetPdfName(const QDate& day);

// The time the set was generated: the newest modification time of its
// document files (the set is written in one go, so the last file written
// tells when it was finished). Invalid when none of them can be read.
QDateTime GenerationTime(const SetContents& contents);

// Lay the set out on device's page layout and paint it. Only pages in the
// device's page ranges are painted (all when they are empty); the page
// numbers of the footers count every page of the set. Returns
// DocumentUnreadable or DocumentTooLong (naming the file) before painting
// anything, DocumentUnreadable also when a document changed while it was
// painted, or PaintFailed when the device could not be painted on.
SetOutputResult PaintSet(const SetContents& contents, QPagedPaintDevice& device,
                         const QDateTime& generated, const SetLayoutLimits& limits = {});

// Write the set as one A4 portrait PDF at path (cp1250) with one bookmark per
// document by its title, through a temporary file renamed over the target:
// on any failure nothing partial is left and an earlier file at path stays.
// The documents are read and laid out before the file is begun. namedBy says
// who chose the name: a name the program fixes (Protokoly.pdf in the
// documents' folder) is never written through a link planted there.
SetOutputResult WriteSetPdf(const SetContents& contents, const std::string& path, NamedBy namedBy,
                            const QDateTime& generated, const SetLayoutLimits& limits = {});

// The message of a failed result (lines separated by carriage returns); empty
// for success.
std::u16string SetOutputMessage(const SetOutputResult& result);

} // namespace notarion
