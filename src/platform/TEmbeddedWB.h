#pragma once

// The embedded HTML viewer of the document viewer and the preview window.
//
// It is a QTextBrowser: the generated pages are simple HTML with one style
// block, which Qt's rich-text engine shows well. The viewer loads local files
// only, runs no scripts and fetches nothing from the network. It offers what
// the windows need of it: navigation with a document-complete signal, save as
// (the page's own bytes, or a PDF), copy all, print without header and
// footer, and a maximised print preview.
//
// The save dialog and the printer are injectable, so tests can save and print
// without a person or a printer.

#include "platform/PageDocument.h"
#include "platform/PageResources.h"
#include "platform/PrintOptions.h"

#include <QTextBrowser>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QPrinter;

namespace notarion {

// How an operation of the viewer ended.
enum class ViewerResult {
    Done,       // the operation was carried out
    Cancelled,  // the user closed a dialog without confirming
    Failed,     // the file or the printer could not be written
    NoDocument, // no document is loaded, so there is nothing to act on
};

// The two forms in which a shown document can be saved.
enum class SaveFormat { Html, Pdf };

// Which forms the save dialog offers: a page or a PDF of the shown document,
// a PDF instead of a print (no printer), or the PDF of the whole set.
enum class SaveOffer { HtmlOrPdf, PdfOnly, PdfOfSet };

// What the user chose in a save dialog; an empty Path means cancelled.
struct SaveTarget {
    QString Path;
    SaveFormat Format = SaveFormat::Html;
};

// Asks the user where to save: parent window, the forms on offer and the
// suggested path. Returns an empty Path when the user cancels.
using SaveDialog =
    std::function<SaveTarget(QWidget* parent, SaveOffer offer, const QString& suggestedPath)>;

// Makes the printer for "print at once": the default printer, or null when
// this machine has none.
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

// The filter texts of the save dialog.
inline constexpr const char16_t* HtmlFilter = u"Strona HTML (*.htm *.html)";
inline constexpr const char16_t* PdfFilter = u"Dokument PDF (*.pdf)";

// The real save dialog (QFileDialog in save mode with the filters on offer).
// Returns an empty Path when the user cancels.
SaveTarget AskSaveTarget(QWidget* parent, SaveOffer offer, const QString& suggestedPath);

// The chosen file name and the filter's form as a final target: a ".pdf"
// name is a PDF, a ".htm"/".html" name is a page (only where pages are on
// offer), and a name without one of these endings gets the filter's ending.
// Never fails; an empty path stays empty (cancelled).
SaveTarget ResolveSaveTarget(const QString& path, SaveFormat filterFormat, SaveOffer offer);

// The default printer of this machine in high resolution, or null when there
// is none.
std::unique_ptr<QPrinter> DefaultPrinter();

// A printer writing an A4 PDF to the given file (empty: a file name is asked
// for when the print preview's print button is used). Never fails; a file
// that cannot be written shows up when printing starts.
std::unique_ptr<QPrinter> PdfPrinter(const QString& path);

class TEmbeddedWB : public QTextBrowser {
    Q_OBJECT
public:
    // An empty viewer without a frame. Never fails.
    explicit TEmbeddedWB(QWidget* parent = nullptr);

    // Load the local file at the cp1250 path and show it; its folder becomes
    // the one from which pictures, style sheets and linked pages may be
    // loaded (files outside it, or that are not regular files, are refused
    // without a word). Returns at once;
    // OnDocumentComplete follows from the event loop, once per navigation
    // that was not replaced by a newer one before it completed. A file that
    // cannot be read shows a Polish notice page instead (and still completes).
    void Navigate(const std::string& path);

    // True when the last navigation loaded a file.
    bool HasDocument() const { return m_hasDocument; }
    // The cp1250 path of the last navigation (empty before the first).
    const std::string& DocumentPath() const { return m_documentPath; }
    // The bytes of the loaded file, exactly as read.
    const std::string& DocumentBytes() const { return m_documentBytes; }

    // Ask for a name and a form and save the shown document: a page is
    // written with its original bytes unchanged, a PDF is printed into the
    // file. Returns Cancelled, Failed (nothing or a complete file is left
    // behind, never a partial page) or NoDocument.
    ViewerResult SaveAs();

    // Select the whole document, copy it to the clipboard, clear the
    // selection. Never fails.
    void CopyAll();

    // Print the shown document with the current print options. With no
    // printer on this machine the user is offered a PDF file instead.
    // Returns Cancelled when a dialog was declined, Failed when the printer
    // or the file could not be written, NoDocument when nothing is loaded.
    ViewerResult Print();

    // Open the print preview in the given window state and return when it
    // closes. Never fails: without a printer the preview lays the pages out
    // for A4.
    void PrintPreview(Qt::WindowState state = Qt::WindowMaximized);

    // Lay the shown document out on the printer's pages and print them with
    // the header and footer of the print options. Returns false when the
    // printer could not be started or reported an error.
    bool PrintDocument(QPrinter& printer) const;

    // Show the page without a border of its own. Never fails.
    void SetBodyBorderNone();

    // The print options used by Print, PrintDocument and PrintPreview.
    PrintOptions& Options() { return m_printOptions; }

    // Replace the save dialog (tests answer it themselves). Never fails.
    void SetSaveDialog(SaveDialog dialog) { m_saveDialog = std::move(dialog); }
    // Replace the printer source (tests print into a PDF). Never fails.
    void SetPrinterFactory(PrinterFactory factory) { m_printerFactory = std::move(factory); }
    // The save dialog and the printer source in use, for the window's
    // commands that print or save more than the shown document.
    const SaveDialog& SaveDialogInUse() const { return m_saveDialog; }
    const PrinterFactory& PrinterFactoryInUse() const { return m_printerFactory; }

    // What the shown page loads, by the rule of PageResources for the folder
    // of the navigated document: a page never reaches the network nor other
    // files of the computer. Never null, never throws.
    QVariant loadResource(int type, const QUrl& name) override;

signals:
    // A navigation has finished and its document is shown.
    void OnDocumentComplete();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void FollowLink(const QUrl& link);
    void Show(const std::string& path);
    QString SuggestedSavePath(const QString& suffix) const;

    std::string m_documentPath;
    // The folder of the last navigation; resources and links stay inside it.
    PageResources m_resources;
    std::string m_documentBytes;
    bool m_hasDocument = false;
    // Counts navigations, so a completion that was overtaken is dropped.
    unsigned m_navigation = 0;
    PrintOptions m_printOptions;
    SaveDialog m_saveDialog;
    PrinterFactory m_printerFactory;
};

} // namespace notarion
