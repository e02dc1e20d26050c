#include "platform/SetPrinting.h"

#include "platform/QtText.h"
#include "text/Cp1250.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

namespace notarion {
namespace {

// The PDF at a path the user chose; a name the code page cannot hold would
// be written under another name, so it is refused.
SetCommandResult WriteChosenPdf(const SetContents& contents, const QString& path) {
    const std::string target = Cp1250FromQString(path);
    if (QStringFromCp1250(target) != path) {
        return {ViewerResult::Failed, {SetOutputStatus::FileUnwritable, target, 0, {}}};
    }
    const SetOutputResult output =
        WriteSetPdf(contents, target, NamedBy::User, GenerationTime(contents));
    if (!output.Ok())
        return {ViewerResult::Failed, output};
    return {ViewerResult::Done, output, target};
}

} // namespace

QString PageCountText(int pages) {
    // Polish counts in three forms: one, the few (2-4, 22-24, ... but not
    // 12-14) and the many.
    const int lastTwo = pages % 100;
    const int last = pages % 10;
    const QString word = pages == 1 ? QStringLiteral("strona")
                         : last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)
                             ? QStringLiteral("strony")
                             : QStringLiteral("stron");
    return QString::number(pages) + QLatin1Char(' ') + word;
}

bool AskPrintSettings(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drukuj zestaw"));
    // The first page (the list of documents) can be left out with a range.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

QString SuggestedSetPdfPath(const SetContents& contents) {
    const QDateTime generated = GenerationTime(contents);
    const QDate day = generated.isValid() ? generated.date() : QDate::currentDate();
    return QDir(QStringFromCp1250(contents.Folder)).filePath(SuggestedSetPdfName(day));
}

SetCommandResult SaveSetPdf(QWidget* parent, const SetContents& contents,
                            const SaveDialog& saveDialog) {
    const SaveTarget target =
        saveDialog(parent, SaveOffer::PdfOfSet, SuggestedSetPdfPath(contents));
    if (target.Path.isEmpty())
        return {ViewerResult::Cancelled, {}};
    return WriteChosenPdf(contents, target.Path);
}

SetCommandResult PrintSet(QWidget* parent, const SetContents& contents,
                          const PrinterFactory& printers, const SaveDialog& saveDialog,
                          const PrintDialogRunner& printDialog) {
    std::unique_ptr<QPrinter> printer = printers ? printers() : nullptr;
    if (!printer) {
        const SaveTarget target =
            saveDialog(parent, SaveOffer::PdfOnly, SuggestedSetPdfPath(contents));
        if (target.Path.isEmpty())
            return {ViewerResult::Cancelled, {}};
        return WriteChosenPdf(contents, target.Path);
    }
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setDocName(QStringLiteral("Dokumenty klasyfikacyjnej rady pedagogicznej"));
    if (!printDialog(parent, *printer))
        return {ViewerResult::Cancelled, {}};
    SetOutputResult output = PaintSet(contents, *printer, GenerationTime(contents));
    if (output.Ok() && printer->printerState() == QPrinter::Error)
        output.Status = SetOutputStatus::PaintFailed;
    return {output.Ok() ? ViewerResult::Done : ViewerResult::Failed, output};
}

} // namespace notarion
