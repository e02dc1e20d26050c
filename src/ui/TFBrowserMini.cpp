#include "ui/TFBrowserMini.h"

#include "app/SharedState.h"
#include "check/CheckPage.h"
#include "platform/SkinImage.h"
#include "platform/TEmbeddedWB.h"
#include "ui/SkinnedWindow.h"
#include "ui/layout/QtGeometry.h"
#include "ui/layout/TFBrowserMiniLayout.h"

#include <QKeyEvent>
#include <QLabel>

namespace notarion {
namespace {

using namespace layout::preview;
using layout::ToQRect;

const char* const BackgroundSkin = "browsermini_tlo";

QWidget* WhitePanel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

} // namespace

TFBrowserMini::TFBrowserMini(SharedState& state, QWidget* mainWindow)
    : QDialog(nullptr), m_state(state), m_mainWindow(mainWindow) {
    SetUpSkinnedWindow(this, layout::ToQSize(kWindowSize), WindowRole::Companion);
    setWindowTitle(PresentationWindowTitle());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    PPodTlo = new QWidget(this);
    PPodTlo->setGeometry(ToQRect(kBackgroundPanel));
    ImTlo = new QLabel(PPodTlo);
    ImTlo->setGeometry(ToQRect(kImage));
    // Without its picture the window stays usable on its white background.
    LoadSkinImageWhenShown(QString::fromLatin1(BackgroundSkin), ImTlo);

    LTytul = new QLabel(QStringLiteral("Podgląd sprawozdania"), this);
    LTytul->setGeometry(ToQRect(kCaption));
    LTytul->setFont(PixelFont(QStringLiteral("DejaVu Sans"), kCaptionPixelHeight, QFont::Bold));
    LTytul->setAttribute(Qt::WA_TranslucentBackground);
    LTytul->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette captionPalette = LTytul->palette();
    captionPalette.setColor(QPalette::WindowText, ColorFromBgr(kCaptionColour));
    LTytul->setPalette(captionPalette);

    LCloseBrowser = new HotArea(this, ToQRect(kClose));
    PPodWebbrowser = WhitePanel(this, ToQRect(kViewerPanel));
    WebBrowser = new TEmbeddedWB(PPodWebbrowser);
    WebBrowser->setGeometry(ToQRect(layout::AtOrigin(kViewerPanel.Extent())));

    // The window sees every key before the viewer does.
    WebBrowser->installEventFilter(this);
    WebBrowser->viewport()->installEventFilter(this);

    InstallHelpKey(this, [this] { m_help.Open(m_state.AppFolder, HelpIndexPage); });
    connect(LCloseBrowser, &HotArea::clicked, this, &TFBrowserMini::LCloseBrowserClick);
    connect(WebBrowser, &TEmbeddedWB::OnDocumentComplete, this,
            &TFBrowserMini::WebBrowserDocumentComplete);
    connect(WebBrowser, &QTextBrowser::anchorClicked, this,
            &TFBrowserMini::WebBrowserAnchorClicked);
}

void TFBrowserMini::LoadPreviewFile(const std::string& path) {
    LTytul->setText(QStringLiteral("Podgląd sprawozdania"));
    WebBrowser->Navigate(path);
}

void TFBrowserMini::LoadCheckPage(const std::string& path) {
    LTytul->setText(QStringLiteral("Sprawdzenie zestawu"));
    WebBrowser->Navigate(path);
}

void TFBrowserMini::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFBrowserMini::FormShow() {
    if (m_mainWindow)
        PlaceRelativeTo(this, m_mainWindow, layout::ToQPoint(kOffsetFromMainWindow));
}

void TFBrowserMini::keyPressEvent(QKeyEvent* event) {
    if (FormKeyDown(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFBrowserMini::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TFBrowserMini::FormKeyDown(const QKeyEvent& key) {
    if (key.key() == Qt::Key_C && key.modifiers() == Qt::ControlModifier) {
        WebBrowser->CopyAll();
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

void TFBrowserMini::LCloseBrowserClick() {
    close();
}

void TFBrowserMini::WebBrowserAnchorClicked(const QUrl& link) {
    // The viewer itself follows only links to local pages; a link to a
    // report of the set is the list editor's to follow.
    if (link.toString().toStdString() == GenerateLink) {
        close();
        emit generateFollowed();
        return;
    }
    const std::string target = link.toString().toStdString();
    if (const int entry = EntryOfReportLink(target); entry >= 0) {
        close();
        emit reportLinkFollowed(entry);
    } else if (const int file = FolderFileOfLink(target); file >= 0) {
        close();
        emit folderFileLinkFollowed(file);
    }
}

void TFBrowserMini::WebBrowserDocumentComplete() {
    WebBrowser->SetBodyBorderNone();
}

} // namespace notarion
