#include "platform/TEmbeddedWB.h"

#include "platform/PageDocument.h"
#include "platform/QtText.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <optional>

namespace notarion {
namespace {

QString NoticePage(const std::string& path) {
    return QStringLiteral("<html><body><p><b>Nie można wyświetlić dokumentu.</b></p>"
                          "<p>Plik %1 nie istnieje albo nie można go odczytać.</p></body></html>")
        .arg(QStringFromCp1250(path).toHtmlEscaped());
}

QString LocalPathOf(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

SaveTarget AskSaveTarget(QWidget* parent, SaveOffer offer, const QString& suggestedPath) {
    const QString html = QString::fromUtf16(HtmlFilter);
    const QString pdf = QString::fromUtf16(PdfFilter);
    const QString title = offer == SaveOffer::PdfOnly
                              ? QStringLiteral("Brak drukarki - zapisz wydruk jako plik PDF")
                          : offer == SaveOffer::PdfOfSet ? QStringLiteral("Zapisz zestaw jako PDF")
                                                         : QStringLiteral("Zapisz jako");
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(offer == SaveOffer::HtmlOrPdf ? QStringList{html, pdf}
                                                        : QStringList{pdf});
    if (!suggestedPath.isEmpty()) {
        const QFileInfo info(suggestedPath);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
        if (offer == SaveOffer::HtmlOrPdf &&
            info.suffix().compare(u"pdf", Qt::CaseInsensitive) == 0)
            dialog.selectNameFilter(pdf);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const SaveFormat filterFormat =
        dialog.selectedNameFilter() == pdf ? SaveFormat::Pdf : SaveFormat::Html;
    return ResolveSaveTarget(dialog.selectedFiles().constFirst(), filterFormat, offer);
}

SaveTarget ResolveSaveTarget(const QString& path, SaveFormat filterFormat, SaveOffer offer) {
    if (path.isEmpty())
        return {};
    if (offer != SaveOffer::HtmlOrPdf)
        filterFormat = SaveFormat::Pdf;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"pdf")
        return {path, SaveFormat::Pdf};
    if (offer == SaveOffer::HtmlOrPdf && (suffix == u"htm" || suffix == u"html"))
        return {path, SaveFormat::Html};
    const QString ending =
        filterFormat == SaveFormat::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".htm");
    return {path + ending, filterFormat};
}

std::unique_ptr<QPrinter> DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageMargins(
        QMarginsF(PrintMarginInches, PrintMarginInches, PrintMarginInches, PrintMarginInches),
        QPageLayout::Inch);
    return printer;
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(
        QMarginsF(PrintMarginInches, PrintMarginInches, PrintMarginInches, PrintMarginInches),
        QPageLayout::Inch);
    return printer;
}

TEmbeddedWB::TEmbeddedWB(QWidget* parent)
    : QTextBrowser(parent), m_saveDialog(AskSaveTarget), m_printerFactory(DefaultPrinter) {
    // Links are followed by FollowLink, which keeps the viewer local.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, &TEmbeddedWB::FollowLink);
}

void TEmbeddedWB::Navigate(const std::string& path) {
    m_resources = PageResources(FolderOf(path));
    Show(path);
}

void TEmbeddedWB::Show(const std::string& path) {
    const unsigned navigation = ++m_navigation;
    m_documentPath = path;
    try {
        m_documentBytes = ReadWholeFile(path);
        m_hasDocument = true;
    } catch (const std::exception&) {
        // Whatever stops the read (the memory included) shows the notice page.
        m_documentBytes.clear();
        m_hasDocument = false;
    }

    const QString folder = QStringFromCp1250(FolderOf(path));
    document()->setBaseUrl(QUrl::fromLocalFile(folder + u'/'));
    const QString html = m_hasDocument ? DecodePage(m_documentBytes) : NoticePage(path);
    setHtml(html);

    // The page asks for its own side margins in its body tag, which the
    // rich-text engine does not read; give them to the document's frame.
    ApplyBodyMargins(*document(), html);
    verticalScrollBar()->setValue(0);

    // The document is complete once the event loop has shown it, as with a
    // browser that loads in the background; a newer navigation supersedes it.
    QTimer::singleShot(0, this, [this, navigation] {
        if (navigation == m_navigation)
            emit OnDocumentComplete();
    });
}

QString TEmbeddedWB::SuggestedSavePath(const QString& suffix) const {
    const QFileInfo info(QStringFromCp1250(m_documentPath));
    return info.absolutePath() + u'/' + info.completeBaseName() + suffix;
}

ViewerResult TEmbeddedWB::SaveAs() {
    if (!m_hasDocument)
        return ViewerResult::NoDocument;
    const SaveTarget target = m_saveDialog(this, SaveOffer::HtmlOrPdf, SuggestedSavePath(".htm"));
    if (target.Path.isEmpty())
        return ViewerResult::Cancelled;

    if (target.Format == SaveFormat::Pdf) {
        const std::unique_ptr<QPrinter> printer = PdfPrinter(target.Path);
        return PrintDocument(*printer) ? ViewerResult::Done : ViewerResult::Failed;
    }
    // Paths are cp1250 text inside the program; a name that the code page
    // cannot hold would be written under a different name, so it is refused.
    const std::string path = Cp1250FromQString(target.Path);
    if (QStringFromCp1250(path) != target.Path)
        return ViewerResult::Failed;
    try {
        WriteWholeFile(path, m_documentBytes, NamedBy::User);
    } catch (const Failure&) {
        return ViewerResult::Failed;
    }
    return ViewerResult::Done;
}

void TEmbeddedWB::CopyAll() {
    // Selecting the whole document moves the cursor to its end, and putting
    // the cursor back would scroll there; the reader keeps the place she
    // was reading, so the scroll bars are restored afterwards.
    const int across = horizontalScrollBar()->value();
    const int down = verticalScrollBar()->value();
    QTextCursor cursor = textCursor();
    selectAll();
    copy();
    cursor.clearSelection();
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(across);
    verticalScrollBar()->setValue(down);
}

ViewerResult TEmbeddedWB::Print() {
    if (!m_hasDocument)
        return ViewerResult::NoDocument;
    std::unique_ptr<QPrinter> printer = m_printerFactory ? m_printerFactory() : nullptr;
    if (!printer) {
        // Without any printer a silent no-op would look like a print that
        // went missing; a PDF file is the useful alternative.
        const SaveTarget target = m_saveDialog(this, SaveOffer::PdfOnly, SuggestedSavePath(".pdf"));
        if (target.Path.isEmpty())
            return ViewerResult::Cancelled;
        printer = PdfPrinter(target.Path);
    } else if (!m_printOptions.PrintWithoutDialog) {
        QPrintDialog dialog(printer.get(), this);
        if (dialog.exec() != QDialog::Accepted)
            return ViewerResult::Cancelled;
    }
    return PrintDocument(*printer) ? ViewerResult::Done : ViewerResult::Failed;
}

void TEmbeddedWB::PrintPreview(Qt::WindowState state) {
    std::unique_ptr<QPrinter> printer = m_printerFactory ? m_printerFactory() : nullptr;
    if (!printer)
        printer = PdfPrinter(QString());
    QPrintPreviewDialog dialog(printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("Podgląd wydruku"));
    // A preview opened from a window that stays on top must not open behind it.
    if (window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintDocument(*target); });
    // Also take the screen's whole work area, so the preview is large even
    // where no window manager carries out the maximised state.
    if (state == Qt::WindowMaximized && screen())
        dialog.setGeometry(screen()->availableGeometry());
    dialog.setWindowState(state);
    dialog.exec();
}

bool TEmbeddedWB::PrintDocument(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    const QRectF paintRect = printer.pageLayout().paintRectPixels(printer.resolution());

    QFont marginFont = font();
    marginFont.setPointSizeF(8);
    const QFontMetricsF marginMetrics(marginFont, &printer);
    const QString header = QStringFromUtf16(m_printOptions.Header);
    const QString footer = QStringFromUtf16(m_printOptions.Footer);
    const qreal headerHeight = header.isEmpty() ? 0 : marginMetrics.lineSpacing() * 2;
    const qreal footerHeight = footer.isEmpty() ? 0 : marginMetrics.lineSpacing() * 2;

    // Lay out a copy on the printer, so the window's own layout stays as it is.
    // The copy is the shown document's child: it asks the shown document for
    // what it loads, and Qt opens nothing itself for a document's child.
    const std::unique_ptr<QTextDocument> copy(document()->clone(document()));
    // The layout scales the page's pixel measures (margins, indents) to the
    // printer's resolution itself.
    copy->documentLayout()->setPaintDevice(&printer);
    const QSizeF body(paintRect.width(), paintRect.height() - headerHeight - footerHeight);
    copy->setPageSize(body);

    const int pages = std::max(1, copy->pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        if (!header.isEmpty()) {
            painter.setFont(marginFont);
            painter.drawText(QRectF(0, 0, body.width(), headerHeight), Qt::AlignLeft | Qt::AlignTop,
                             header);
        }
        DrawDocumentPage(painter, *copy, page, body, headerHeight);
        if (!footer.isEmpty()) {
            painter.setFont(marginFont);
            painter.drawText(
                QRectF(0, paintRect.height() - footerHeight, body.width(), footerHeight),
                Qt::AlignLeft | Qt::AlignBottom, footer);
        }
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

void TEmbeddedWB::SetBodyBorderNone() {
    setFrameShape(QFrame::NoFrame);
}

QVariant TEmbeddedWB::loadResource(int type, const QUrl& name) {
    return m_resources.Load(type, document()->baseUrl().resolved(name));
}

void TEmbeddedWB::FollowLink(const QUrl& link) {
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        scrollToAnchor(link.fragment());
        return;
    }
    // Other local pages beside the shown document open in the viewer;
    // anything else stays closed.
    const QString local = LocalPathOf(document()->baseUrl().resolved(link));
    const std::string path = Cp1250FromQString(local);
    if (!local.isEmpty() && QStringFromCp1250(path) == local && m_resources.MayLoad(path))
        Show(path);
}

void TEmbeddedWB::contextMenuEvent(QContextMenuEvent* event) {
    // Qt's own menu speaks English and offers link commands; the viewer needs
    // only these two, in Polish.
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("Kopiuj"), this, &QTextBrowser::copy);
    copyAction->setEnabled(textCursor().hasSelection());
    menu.addAction(QStringLiteral("Zaznacz wszystko"), this, &QTextBrowser::selectAll);
    menu.exec(event->globalPos());
}

} // namespace notarion
