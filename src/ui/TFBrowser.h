#pragma once

// The document viewer: shows the fourteen generated documents one at a time
// in an embedded viewer. A column of label commands chooses another document
// (through the option chooser), saves, copies, prints, previews the print
// and closes; two more save the whole set as one PDF and print it (SetPrinting); a grip in the
// bottom band changes the window's height while a dotted frame shows the new size.

#include "platform/HelpPages.h"
#include "platform/SetPrinting.h"
#include "ui/layout/TFBrowserLayout.h"

#include <QDialog>
#include <QTimer>
#include <QUrl>

#include <functional>

#include <string>

class QLabel;

namespace notarion {

struct SharedState;
class HotArea;
class HoverGroup;
class StatusLine;
class TDotFrame;
class TEmbeddedWB;
class TFWarning;
class TFWyborOpcji;
class TitleStripDrag;
enum class ViewerResult;

class TFBrowser : public QDialog {
    Q_OBJECT
public:
    // The window's width, and its height limits after a resize.
    static constexpr int WindowWidth = layout::viewer::kWindowWidth;
    static constexpr int OpeningHeight = layout::viewer::kOpeningHeight;
    static constexpr int MinimumHeight = layout::viewer::kMinimumHeight;
    static constexpr int MaximumHeight = layout::viewer::kMaximumHeight;

    // The hidden viewer. Documents come from state.OutputFolder; the window
    // is placed over mainWindow whenever it is shown (no placement when
    // mainWindow is null); chooser picks documents; warning reports failed
    // prints and saves. Never fails: missing skin pictures leave the plain
    // background colour.
    TFBrowser(SharedState& state, QWidget* mainWindow, TFWyborOpcji& chooser, TFWarning& warning);
    // The same without a chooser yet: the program makes the viewer before
    // the chooser and hands it over with SetChooser. Until then "Wybierz
    // opcję ..." does nothing.
    TFBrowser(SharedState& state, QWidget* mainWindow, TFWarning& warning);
    // The chooser that "Wybierz opcję ..." opens. Never fails.
    void SetChooser(TFWyborOpcji& chooser) { m_chooser = &chooser; }

    // Show document option index (0 to 13) at 850 x 500. While the window is
    // open the document is loaded at once; otherwise the window opens
    // modally, loads the document 200 ms later, and this call returns when
    // the window is closed. A document that is missing shows the viewer's
    // notice page.
    void ShowDocument(int index);

    // Show the page of the set's figures (SummaryFileName in the documents'
    // folder) as ShowDocument shows a document; the option stays the last
    // one asked for. A missing page shows the viewer's notice page.
    void ShowSummary();

    // The option last asked for (0 at start) and the cp1250 path of the page
    // shown: its document or the figures.
    int CurrentOption = 0;
    std::string CurrentDocumentPath;

    // Replace what F1 uses to open the help page (tests watch it). Never fails.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }
    // Replace the print dialog of "Drukuj zestaw …" (tests answer it). Never fails.
    void SetPrintDialog(PrintDialogRunner dialog) { m_printDialog = std::move(dialog); }
    // What "Otwórz folder" hands the documents' folder to: the desktop's file
    // manager (QDesktopServices::openUrl) unless a test replaces it. False
    // when the folder could not be opened.
    using FolderOpener = std::function<bool(const QUrl&)>;
    void SetFolderOpener(FolderOpener opener) { m_openFolder = std::move(opener); }

    // Components, positioned as the window's description gives them.
    QWidget* PTlo;
    QLabel* ImTlo;
    HotArea* LWyborOpcji;
    HotArea* Label1;
    HotArea* LZapisz;
    HotArea* LKopiuj;
    HotArea* LKreska1;
    HotArea* LDrukuj;
    HotArea* LPodglond;
    HotArea* LKreska2;
    HotArea* LClose;
    HotArea* LZapiszZestaw;
    HotArea* LDrukujZestaw;
    HotArea* LOtworzFolder;
    HotArea* LZestawienie;
    // Where the shown documents are, in the bottom band.
    StatusLine* LFolder;
    HotArea* LCloseWykres;
    HotArea* LListwa;
    QWidget* Pdown;
    QLabel* ImDown;
    HotArea* LCiongnij;
    QWidget* PPodWebbrowser;
    TEmbeddedWB* WebBrowser;
    TDotFrame* Rameczka;
    QTimer TWczytaj;

    HoverGroup* Commands() const { return m_commands; }
    TitleStripDrag* Drag() const { return m_drag; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void FormKeyDown(QKeyEvent* event);
    void LWyborOpcjiClick();
    void LZapiszClick();
    void LKopiujClick();
    void LDrukujMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void LPodglondClick();
    void LCloseClick();
    void LZapiszZestawClick();
    void LDrukujZestawClick();
    void LOtworzFolderClick();
    // Open a folder (cp1250) in the desktop's file manager; without one, a
    // message names the folder to open by hand.
    void OpenFolder(const std::string& cp1250Folder);
    void LZestawienieClick();
    // Load path now when the window is open, else open it and load it soon.
    void ShowPage(std::string path);
    // Write the documents' folder into the bottom band, shortened in the
    // middle when long; the whole path is the line's tooltip.
    void ShowFolderLine();
    void LCiongnijMouseDown();
    void LCiongnijMouseMove();
    void LCiongnijMouseUp();
    void TWczytajTimer();

    // Give the window a new height, then lay it out.
    void SetHeight(int height);
    // Place the bottom band and the viewer for the current height (raising
    // a height below the minimum first) and round the outline.
    void Layout();
    // Show the message that fits how a save or print ended, if any.
    void Report(ViewerResult result, const std::u16string& failed,
                const std::u16string& noDocument);
    // Show a failure of a command in the message box.
    void Warn(const std::u16string& text);
    // Show the message of a set command that failed, if it did.
    void ReportSet(const SetCommandResult& result);

    SharedState& m_state;
    QWidget* m_mainWindow;
    TFWyborOpcji* m_chooser = nullptr;
    TFWarning& m_warning;
    HoverGroup* m_commands;
    TitleStripDrag* m_drag;
    HelpOpener m_help;
    PrintDialogRunner m_printDialog = AskPrintSettings;
    FolderOpener m_openFolder;
};

} // namespace notarion
