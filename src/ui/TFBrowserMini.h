#pragma once

// The preview window: shows the preview page of one report ("Temp.htm")
// in an embedded viewer over the main window. The user reads it, copies its
// text with Ctrl+C and closes it with Esc or the "×".

#include "platform/HelpPages.h"

#include <QDialog>

#include <string>

class QLabel;
class QUrl;

namespace notarion {

struct SharedState;
class HotArea;
class TEmbeddedWB;

class TFBrowserMini : public QDialog {
    Q_OBJECT
public:
    // The hidden window, placed over mainWindow whenever it is shown (no
    // placement when mainWindow is null). Never fails: a missing skin
    // picture leaves a white background.
    TFBrowserMini(SharedState& state, QWidget* mainWindow);

    // Load the file at the cp1250 path into the viewer under the caption
    // "Podgląd sprawozdania"; returns at once. A file that cannot be read
    // shows the viewer's notice page.
    void LoadPreviewFile(const std::string& path);
    // The same for the page of the set's check, under "Sprawdzenie zestawu".
    void LoadCheckPage(const std::string& path);

    // Replace what F1 uses to open the help page (tests watch it). Never fails.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    // Components, positioned as the window's description gives them.
    QWidget* PPodTlo;
    QLabel* ImTlo;
    QLabel* LTytul;
    HotArea* LCloseBrowser;
    QWidget* PPodWebbrowser;
    TEmbeddedWB* WebBrowser;

signals:
    // A link of the check page to a report was followed; entry is the
    // report's catalogue index. The window closes.
    void reportLinkFollowed(int entry);
    // A link of the check page to a file of the folder that the catalogue
    // left out was followed; index is its place among the files the check
    // was given. The window closes.
    void folderFileLinkFollowed(int index);
    // The check page's link that generates the set was followed. The
    // window closes.
    void generateFollowed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    // Acts on the keys the window sees first; true when the key was used.
    bool FormKeyDown(const QKeyEvent& key);
    void LCloseBrowserClick();
    void WebBrowserDocumentComplete();
    void WebBrowserAnchorClicked(const QUrl& link);

    SharedState& m_state;
    QWidget* m_mainWindow;
    HelpOpener m_help;
};

} // namespace notarion
