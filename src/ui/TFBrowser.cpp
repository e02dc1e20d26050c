#include "ui/TFBrowser.h"

#include "app/SharedState.h"
#include "generate/DocumentSet.h"
#include "generate/SetContents.h"
#include "generate/SetSummary.h"
#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "platform/TEmbeddedWB.h"
#include "reports/MessageSink.h"
#include "system/FileSystem.h"
#include "text/Failure.h"
#include "ui/SkinnedWindow.h"
#include "ui/StatusLine.h"
#include "ui/TDotFrame.h"
#include "ui/TFWarning.h"
#include "ui/TFWyborOpcji.h"
#include "ui/layout/QtGeometry.h"

#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>

namespace notarion {
namespace {

using namespace layout::viewer;
using layout::ToQPoint;
using layout::ToQRect;

constexpr int FrameWidth = 3;
constexpr int FirstLoadDelayMs = 200;

const char* const BackgroundSkin = "browser_tlo";
const char* const BottomBandSkin = "browser_dol";

// Messages of commands that could not be carried out.
const std::u16string PrintFailed = u"Nie udało się wydrukować dokumentu.\r"
                                   u"Sprawdź, czy drukarka jest włączona i gotowa do pracy "
                                   u"albo czy wybrany plik można zapisać.";
const std::u16string SaveFailed = u"Nie udało się zapisać dokumentu.\r"
                                  u"Sprawdź, czy wybrany folder istnieje i czy można w nim "
                                  u"zapisywać.";
const std::u16string NoDocumentToPrint = u"Brak dokumentu do wydrukowania.\r"
                                         u"Plik dokumentu nie istnieje albo nie można go odczytać.";
const std::u16string NoDocumentToSave = u"Brak dokumentu do zapisania.\r"
                                        u"Plik dokumentu nie istnieje albo nie można go odczytać.";
const std::u16string FolderNotOpened = u"Nie udało się otworzyć folderu z dokumentami.\r"
                                       u"Otwórz go sam w menedżerze plików: ";

// The caption as rich text with the first letter equal to letter underlined,
// the way a command shows its Alt key.
QString UnderlinedLetter(const QString& caption, QChar letter) {
    const qsizetype at = caption.indexOf(letter);
    if (at < 0)
        return caption;
    return caption.left(at).toHtmlEscaped() + QStringLiteral("<u>") + caption.at(at) +
           QStringLiteral("</u>") + caption.mid(at + 1).toHtmlEscaped();
}

HotArea* MakeLabel(QWidget* parent, const Label& row) {
    auto* label = new HotArea(parent, ToQRect(row.rect));
    label->SetCaption(QString::fromUtf16(row.caption), CommandFont(), ColorFromBgr(row.colour));
    return label;
}

} // namespace

TFBrowser::TFBrowser(SharedState& state, QWidget* mainWindow, TFWyborOpcji& chooser,
                     TFWarning& warning)
    : TFBrowser(state, mainWindow, warning) {
    m_chooser = &chooser;
}

TFBrowser::TFBrowser(SharedState& state, QWidget* mainWindow, TFWarning& warning)
    : QDialog(nullptr), m_state(state), m_mainWindow(mainWindow), m_warning(warning) {
    SetUpSkinnedWindow(this, QSize(WindowWidth, OpeningHeight), WindowRole::Companion);
    setWindowTitle(PresentationWindowTitle());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ColorFromBgr(kBackgroundColour));
    setPalette(palette);

    PTlo = new QWidget(this);
    PTlo->setGeometry(ToQRect(kBackground));
    ImTlo = new QLabel(PTlo);
    ImTlo->setGeometry(ToQRect(layout::AtOrigin(kBackground.Extent())));
    // Without its pictures the window stays usable on its plain colour.
    LoadSkinImageWhenShown(QString::fromLatin1(BackgroundSkin), ImTlo);

    LWyborOpcji = MakeLabel(this, kChooseOption);
    Label1 = MakeLabel(this, kUnderline1);
    LZapisz = MakeLabel(this, kSave);
    LKopiuj = MakeLabel(this, kCopy);
    LKreska1 = MakeLabel(this, kUnderline2);
    LDrukuj = MakeLabel(this, kPrint);
    LPodglond = MakeLabel(this, kPrintPreview);
    LKreska2 = MakeLabel(this, kUnderline3);
    LClose = MakeLabel(this, kCloseCommand);
    LZapiszZestaw = MakeLabel(this, kSaveSet);
    LDrukujZestaw = MakeLabel(this, kPrintSet);
    LOtworzFolder = MakeLabel(this, kOpenFolder);
    LZestawienie = MakeLabel(this, kSummary);
    LZestawienie->setText(
        UnderlinedLetter(QString::fromUtf16(kSummary.caption), QChar(kSummaryAltLetter)));
    LCloseWykres = new HotArea(this, ToQRect(kClose));
    LListwa = new HotArea(this, ToQRect(kTitleStrip), HotCursor::Normal);
    // Each underline overlaps the command above it by a few pixels; the
    // command takes the clicks there.
    Label1->stackUnder(LWyborOpcji);
    LKreska1->stackUnder(LKopiuj);
    LKreska2->stackUnder(LPodglond);

    Pdown = new QWidget(this);
    Pdown->setGeometry(
        QRect(QPoint(0, OpeningHeight - kBottomBandOffset), layout::ToQSize(kBottomBand)));
    ImDown = new QLabel(Pdown);
    ImDown->setGeometry(ToQRect(layout::AtOrigin(kBottomBand)));
    ImDown->setScaledContents(true);
    LoadSkinImageWhenShown(QString::fromLatin1(BottomBandSkin), ImDown);
    LCiongnij = new HotArea(Pdown, ToQRect(kGrip));
    const QColor bandInk = ColorFromBgr(kFolderLineColour);
    LFolder = new StatusLine(Pdown, PixelFont(QStringLiteral("MS Sans Serif"), kFolderLinePixels),
                             bandInk, bandInk);
    LFolder->setGeometry(ToQRect(kFolderLine));
    connect(LFolder, &StatusLine::openFolderClicked, this, &TFBrowser::OpenFolder);
    m_openFolder = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    PPodWebbrowser = new QWidget(this);
    PPodWebbrowser->setAutoFillBackground(true);
    QPalette white = PPodWebbrowser->palette();
    white.setColor(QPalette::Window, Qt::white);
    PPodWebbrowser->setPalette(white);
    WebBrowser = new TEmbeddedWB(PPodWebbrowser);
    WebBrowser->move(0, 0);
    // The viewer takes no Tab stop; a click still gives it the focus.
    WebBrowser->setFocusPolicy(Qt::ClickFocus);

    Rameczka = new TDotFrame(this);
    Rameczka->SetWidth(FrameWidth);

    TWczytaj.setInterval(FirstLoadDelayMs);
    TWczytaj.setSingleShot(true);

    m_commands =
        new HoverGroup(this, ColorFromBgr(kCommandColour), ColorFromBgr(kCommandHoverColour));
    for (HotArea* command : {LWyborOpcji, LZapisz, LKopiuj, LDrukuj, LPodglond, LClose,
                             LZapiszZestaw, LDrukujZestaw, LOtworzFolder, LZestawienie})
        m_commands->Add(command);
    for (QWidget* reset : std::initializer_list<QWidget*>{ImTlo, Label1, LKreska1, LKreska2})
        m_commands->AddResetArea(reset);

    m_drag = new TitleStripDrag(this, LListwa);
    InstallHelpKey(this, [this] { m_help.Open(m_state.AppFolder, HelpReportMenuPage); });

    connect(LWyborOpcji, &HotArea::clicked, this, &TFBrowser::LWyborOpcjiClick);
    connect(LZapisz, &HotArea::clicked, this, &TFBrowser::LZapiszClick);
    connect(LKopiuj, &HotArea::clicked, this, &TFBrowser::LKopiujClick);
    connect(LDrukuj, &HotArea::pressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint) {
                LDrukujMouseDown(button, modifiers);
            });
    connect(LPodglond, &HotArea::clicked, this, &TFBrowser::LPodglondClick);
    connect(LClose, &HotArea::clicked, this, &TFBrowser::LCloseClick);
    connect(LCloseWykres, &HotArea::clicked, this, &TFBrowser::LCloseClick);
    connect(LZapiszZestaw, &HotArea::clicked, this, &TFBrowser::LZapiszZestawClick);
    connect(LDrukujZestaw, &HotArea::clicked, this, &TFBrowser::LDrukujZestawClick);
    connect(LOtworzFolder, &HotArea::clicked, this, &TFBrowser::LOtworzFolderClick);
    connect(LZestawienie, &HotArea::clicked, this, &TFBrowser::LZestawienieClick);
    connect(LCiongnij, &HotArea::pressed, this, &TFBrowser::LCiongnijMouseDown);
    connect(LCiongnij, &HotArea::moved, this, &TFBrowser::LCiongnijMouseMove);
    connect(LCiongnij, &HotArea::released, this, &TFBrowser::LCiongnijMouseUp);
    connect(&TWczytaj, &QTimer::timeout, this, &TFBrowser::TWczytajTimer);

    Layout();
}

void TFBrowser::ShowDocument(int index) {
    CurrentOption = index;
    ShowPage(DocumentPath(m_state.OutputFolder, DocumentFileForOption(index)));
}

void TFBrowser::ShowSummary() {
    ShowPage(DocumentPath(m_state.OutputFolder, SummaryFileName));
}

void TFBrowser::ShowPage(std::string path) {
    SetHeight(OpeningHeight);
    CurrentDocumentPath = std::move(path);
    ShowFolderLine();
    if (isVisible()) {
        WebBrowser->Navigate(CurrentDocumentPath);
        return;
    }
    // The first document is loaded once the window is on the screen.
    TWczytaj.start();
    exec();
}

void TFBrowser::TWczytajTimer() {
    TWczytaj.stop();
    WebBrowser->Navigate(CurrentDocumentPath);
}

void TFBrowser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFBrowser::FormShow() {
    m_drag->Clear();
    if (m_mainWindow)
        PlaceRelativeTo(this, m_mainWindow, ToQPoint(kOffsetFromMainWindow));
}

void TFBrowser::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

void TFBrowser::SetHeight(int height) {
    setFixedSize(WindowWidth, std::max(height, MinimumHeight));
    Layout();
}

void TFBrowser::Layout() {
    if (height() < MinimumHeight)
        setFixedSize(WindowWidth, MinimumHeight);
    const int windowHeight = std::max(height(), MinimumHeight);
    Pdown->move(0, windowHeight - kBottomBandOffset);
    const QSize panel(kViewerPanelWidth, windowHeight - kViewerPanelHeightLoss);
    PPodWebbrowser->setGeometry(QRect(ToQPoint(kViewerPanelTopLeft), panel));
    WebBrowser->resize(panel.width() + kViewerOverhang, panel.height() + kViewerOverhang);
    SetRoundedOutline(this, WindowWidth, windowHeight, kOutlineCorner, kOutlineCorner);
}

void TFBrowser::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event);
    if (!event->isAccepted())
        QDialog::keyPressEvent(event);
}

void TFBrowser::FormKeyDown(QKeyEvent* event) {
    // Alt+F4 alone is swallowed: only the window's own commands close it.
    // Esc is kept from the dialog's default of closing, for the same reason.
    const bool altF4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier;
    if (altF4 || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    const bool alt = (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
    if (alt && event->key() == Qt::Key_A + (kSummaryAltLetter - u'A')) {
        event->accept();
        LZestawienieClick();
        return;
    }
    event->ignore();
}

void TFBrowser::LWyborOpcjiClick() {
    m_commands->Reset();
    if (m_chooser == nullptr)
        return;
    m_chooser->ChooseOption(this, CurrentOption);
    const int chosen = m_chooser->ChosenOption;
    // From the figures, the option shown before is a change of page too.
    const bool showingOption =
        CurrentDocumentPath == DocumentPath(m_state.OutputFolder, DocumentFileForOption(chosen));
    if (chosen != -1 && !(chosen == CurrentOption && showingOption))
        ShowDocument(chosen);
}

void TFBrowser::LZapiszClick() {
    m_commands->Reset();
    Report(WebBrowser->SaveAs(), SaveFailed, NoDocumentToSave);
}

void TFBrowser::LKopiujClick() {
    m_commands->Reset();
    WebBrowser->CopyAll();
}

void TFBrowser::LDrukujMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    m_commands->Reset();
    if (button == Qt::LeftButton && modifiers == Qt::ShiftModifier) {
        WebBrowser->PrintPreview(Qt::WindowMaximized);
        return;
    }
    PrintOptions& options = WebBrowser->Options();
    options.Header.clear();
    options.Footer.clear();
    options.PrintWithoutDialog = true;
    Report(WebBrowser->Print(), PrintFailed, NoDocumentToPrint);
}

void TFBrowser::LPodglondClick() {
    m_commands->Reset();
    WebBrowser->PrintPreview(Qt::WindowMaximized);
}

void TFBrowser::LCloseClick() {
    m_commands->Reset();
    close();
}

void TFBrowser::LZapiszZestawClick() {
    m_commands->Reset();
    ReportSet(SaveSetPdf(this, DescribeSet(m_state.Catalogue, m_state.OutputFolder),
                         WebBrowser->SaveDialogInUse()));
}

void TFBrowser::LDrukujZestawClick() {
    m_commands->Reset();
    ReportSet(PrintSet(this, DescribeSet(m_state.Catalogue, m_state.OutputFolder),
                       WebBrowser->PrinterFactoryInUse(), WebBrowser->SaveDialogInUse(),
                       m_printDialog));
}

void TFBrowser::LOtworzFolderClick() {
    m_commands->Reset();
    OpenFolder(m_state.OutputFolder);
}

void TFBrowser::OpenFolder(const std::string& cp1250Folder) {
    const QString folder = QStringFromCp1250(cp1250Folder);
    if (!m_openFolder || !m_openFolder(QUrl::fromLocalFile(folder)))
        Warn(FolderNotOpened + folder.toStdU16String());
}

void TFBrowser::LZestawienieClick() {
    m_commands->Reset();
    ShowSummary();
}

void TFBrowser::ShowFolderLine() {
    const QString folder = QDir::toNativeSeparators(QStringFromCp1250(m_state.OutputFolder));
    const QString line = QStringLiteral(u"Dokumenty: ") + folder;
    LFolder->ShowText(line);
    LFolder->setToolTip(PlainToolTip(folder));
}

void TFBrowser::LCiongnijMouseDown() {
    Rameczka->StartTracking();
    // The frame spans from the window's top-left corner to the cursor.
    Rameczka->FrameRect().SetLeft(x());
    Rameczka->FrameRect().SetTop(y());
}

void TFBrowser::LCiongnijMouseMove() {
    Rameczka->Track();
}

void TFBrowser::LCiongnijMouseUp() {
    if (!Rameczka->Tracking())
        return;
    Rameczka->StopTracking();
    const int height = Rameczka->FrameRect().Bottom() - Rameczka->FrameRect().Top();
    SetHeight(std::min(height, MaximumHeight));
}

void TFBrowser::Report(ViewerResult result, const std::u16string& failed,
                       const std::u16string& noDocument) {
    // A cancelled dialog is the user's own choice and needs no message.
    if (result == ViewerResult::Failed)
        Warn(failed);
    else if (result == ViewerResult::NoDocument)
        Warn(noDocument);
}

void TFBrowser::ReportSet(const SetCommandResult& result) {
    if (result.Result == ViewerResult::Failed) {
        Warn(SetOutputMessage(result.Output));
        return;
    }
    // A written file is said in the band, where the user can open its folder.
    if (result.Result == ViewerResult::Done && !result.File.empty()) {
        const QString file = QDir::toNativeSeparators(QStringFromCp1250(result.File));
        LFolder->ShowWithFolder(QStringLiteral("Zapisano PDF: ") +
                                    PageCountText(result.Output.PageCount) + QStringLiteral(" – ") +
                                    file,
                                FolderOf(result.File));
        LFolder->setToolTip(PlainToolTip(file));
    }
}

void TFBrowser::Warn(const std::u16string& text) {
    try {
        m_warning.ShowWarning(ModeClose, IconInfo, text);
    } catch (const Failure&) {
        // The skinned box could not be drawn; the message still has to reach
        // the user.
        ShowPlainMessageBox(this, QMessageBox::Information, windowTitle(), QStringForLabel(text));
    }
}

} // namespace notarion
