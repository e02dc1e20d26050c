#include "ui/TFGlowny.h"

#include "app/RememberedPlaces.h"
#include "app/ReportFolder.h"
#include "app/StartOfWork.h"
#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "ui/KindListBox.h"
#include "ui/StatusLine.h"
#include "ui/TFAbout.h"
#include "ui/TFRealProgramu.h"
#include "ui/layout/QtGeometry.h"
#include "ui/layout/TFBrowserMiniLayout.h"
#include "ui/layout/TFGlownyLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <exception>
#include <optional>

namespace notarion {

namespace {

using namespace layout::glowny;
using layout::ToQPoint;
using layout::ToQRect;

constexpr int ProgressStepMilliseconds = 100;

const QString ChoiceIndent(kChoiceIndent, u' ');

QLabel* MakeImage(QWidget* parent, const QRect& geometry) {
    auto* image = new QLabel(parent);
    image->setGeometry(geometry);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return image;
}

// Hold the thread for the given time while the windows keep painting: a
// window uncovered meanwhile must not stay black. Clicks and keys wait until
// the time is over.
void WaitPainting(int milliseconds) {
    QElapsedTimer held;
    held.start();
    for (qint64 left = milliseconds; left > 0; left = milliseconds - held.elapsed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, static_cast<int>(left));
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 5)));
    }
}

QWidget* MakePanel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

TFGlowny::TFGlowny(SharedState& state, WorkPlaces places)
    : QWidget(nullptr), DajFolder(this), m_state(state), m_places(std::move(places)) {
    SetUpSkinnedWindow(this, QSize(WindowWidth, WindowHeight), WindowRole::Main);
    setWindowTitle(QString::fromLatin1(ApplicationTitle));

    ImTlo = MakeImage(this, ToQRect(kWindow));
    LoadSkinImageWhenShown(QStringLiteral("glowny_tlo"), ImTlo);
    LWersja = MakeVersionLabel(this, ToQRect(kVersionLine), kVersionPixelHeight, kVersionColour,
                               Qt::AlignLeft | Qt::AlignVCenter);

    LListwa = new HotArea(this, ToQRect(kTitleStrip), HotCursor::Normal);
    LAbout = new HotArea(this, ToQRect(kAbout));
    LPomoc = new HotArea(this, ToQRect(kHelp));
    LMnimize = new HotArea(this, ToQRect(kMinimise));
    Lclose = new HotArea(this, ToQRect(kClose));

    PPowitanie = MakePanel(this, ToQRect(kWelcome));
    ImPowitanie = MakeImage(PPowitanie, ToQRect(layout::AtOrigin(kWelcome.Extent())));
    LoadSkinImageWhenShown(QStringLiteral("glowny_powitanie"), ImPowitanie);
    const QFont choiceFont =
        PixelFont(QStringLiteral("MS Sans Serif"), kChoicePixelHeight, QFont::Bold);
    const QColor normal = ColorFromBgr(kChoiceColour);
    LNowyZestaw = new HotArea(PPowitanie, ToQRect(kNewSet));
    LNowyZestaw->SetCaption(ChoiceIndent + QString::fromUtf16(kNewSetCaption), choiceFont, normal);
    LGotowyZestaw = new HotArea(PPowitanie, ToQRect(kExistingList));
    LGotowyZestaw->SetCaption(ChoiceIndent + QString::fromUtf16(kExistingListCaption), choiceFont,
                              normal);

    LStatus = new StatusLine(this, PixelFont(QStringLiteral("DejaVu Sans"), kVersionPixelHeight),
                             ColorFromBgr(kVersionColour), ColorFromBgr(kVersionColour));
    LStatus->setGeometry(ToQRect(kProgress).adjusted(6, 0, 0, 0));
    connect(LStatus, &StatusLine::openFolderClicked, this, [](const std::string& folder) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QStringFromCp1250(folder)));
    });

    PPostep = MakePanel(this, ToQRect(kProgress));
    ImPostep = MakeImage(PPostep, ToQRect(layout::AtOrigin(kProgress.Extent())));
    LoadSkinImageWhenShown(QStringLiteral("glowny_postep"), ImPostep);
    PPostep->hide();

    PButWstecz = MakePanel(this, ToQRect(kBack));
    PButWstecz->setCursor(Qt::PointingHandCursor);
    ImWstecz = new HotArea(PButWstecz, ToQRect(layout::AtOrigin(kBackImage)));
    LoadSkinImageWhenShown(QStringLiteral("glowny_wstecz"), ImWstecz);
    PButWstecz->hide();

    DajFolder.Caption = Cp1250FromQString(QStringLiteral(u"Wskaż folder"));
    DajFolder.StatusText = DajFolder.Caption;
    DajFolder.Root = bl_CUSTOM;

    m_drag = new TitleStripDrag(this, LListwa);
    // Pending painting is finished before the window starts to follow the mouse.
    m_drag->BeforePress = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    connect(m_drag, &TitleStripDrag::windowMoved, this, &TFGlowny::PlaceCompanions);

    m_choices = new HoverGroup(this, normal, ColorFromBgr(kChoiceHoverColour));
    m_choices->Add(LNowyZestaw);
    m_choices->Add(LGotowyZestaw);
    m_choices->AddResetArea(ImPowitanie);

    connect(LNowyZestaw, &HotArea::clicked, this, &TFGlowny::LNowyZestawClick);
    connect(LGotowyZestaw, &HotArea::clicked, this, &TFGlowny::LGotowyZestawClick);
    connect(LPomoc, &HotArea::clicked, this, &TFGlowny::LPomocClick);
    connect(LAbout, &HotArea::clicked, this, &TFGlowny::LAboutClick);
    connect(LMnimize, &HotArea::clicked, this, &TFGlowny::LMnimizeClick);
    connect(Lclose, &HotArea::clicked, this, &TFGlowny::LcloseClick);
    connect(ImWstecz, &HotArea::clicked, this, &TFGlowny::ImWsteczClick);
    InstallHelpKey(this, [this] { LPomocClick(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void TFGlowny::SetCompanions(TFRealProgramu* editor, QWidget* previewWindow, TFAbout* about) {
    m_editor = editor;
    m_previewWindow = previewWindow;
    m_about = about;
}

void TFGlowny::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A restore from the task bar is a show too; the work starts only once.
    if (!event->spontaneous() && !m_workStarted) {
        FormShow();
    }
}

void TFGlowny::FormShow() {
    m_workStarted = true;
    m_drag->Clear();
    StartOfWork(m_state, m_places.ExecutablePath, m_places.AppData);
    SetRoundedOutline(this, WindowWidth, WindowHeight, kCornerEllipse, kCornerEllipse);
    PPowitanie->setVisible(true);
    PPostep->hide();
    PButWstecz->hide();
}

void TFGlowny::closeEvent(QCloseEvent* event) {
    // The editor's changed list is offered for saving before the program
    // ends; "Anuluj" there keeps the program running.
    if (m_editor != nullptr && m_editor->isVisible() && !m_editor->close()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFGlowny::FormClose() {
    if (m_workEnded) {
        return;
    }
    m_workEnded = true;
    // The companions are separate windows: they go with the main window.
    if (m_editor != nullptr) {
        m_editor->hide();
    }
    if (m_previewWindow != nullptr) {
        m_previewWindow->hide();
    }
    if (m_workStarted) {
        EndOfWork(m_state);
    }
    emit workEnded();
}

void TFGlowny::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // While the list editor stands over this window, this window has no
    // keyboard work of its own: the keys go to the editor, so that Delete
    // and the Alt letters work and Alt+F4 closes the editor, not the program.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_editor != nullptr &&
        m_editor->isVisible() && QApplication::activeModalWidget() == nullptr) {
        QTimer::singleShot(0, m_editor, [this] {
            if (isActiveWindow() && m_editor->isVisible()) {
                m_editor->activateWindow();
            }
        });
    }
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        for (QWidget* companion : m_minimisedWithMe) {
            companion->showNormal();
        }
        m_minimisedWithMe.clear();
    }
}

void TFGlowny::Warn(const std::u16string& text) {
    if (m_state.ShowWarning) {
        m_state.ShowWarning(ModeClose, IconInfo, text);
    }
}

void TFGlowny::ResetChoiceColours() {
    m_choices->Reset();
}

void TFGlowny::LNowyZestawClick() {
    StartNewSet();
}

void TFGlowny::LGotowyZestawClick() {
    OpenListFile();
}

void TFGlowny::StartNewSet() {
    // A new run starts where the last one chose its reports.
    DajFolder.FolderName =
        !m_state.LastReportFolder.empty()
            ? m_state.LastReportFolder
            : ExistingFolderOr(m_state.Remembered.ReportFolder, DocumentsFolder());
    ResetChoiceColours();
    if (!DajFolder.Execute()) {
        return;
    }
    m_state.FoundReportFiles.clear();
    m_state.LastReportFolder = DajFolder.FolderName;
    m_state.SetListFile.clear();
    RememberReportFolder(m_state, DajFolder.FolderName);
    std::u16string notice;
    try {
        FolderCatalogue loaded = CatalogueFromFolder(DajFolder.FolderName);
        notice = loaded.Notice();
        m_state.FoundReportFiles = std::move(loaded.Found);
        if (loaded.Refusal == FolderRefusal::NoReportFiles) {
            Warn(loaded.Message());
            return;
        }
        // A file that cannot be opened is named in a message of its own and
        // the catalogue is left empty: the welcome panel stays.
        m_state.Catalogue = std::move(loaded.Catalogue);
        if (loaded.Refusal == FolderRefusal::DamagedFile && m_editor != nullptr) {
            // A damaged file can be mended at once in the report editor.
            m_editor->OfferMend(loaded.File);
            return;
        }
        if (loaded.Refusal != FolderRefusal::None) {
            Warn(loaded.Message());
            return;
        }
        if (m_editor != nullptr) {
            FillKindList(m_state.Catalogue, *m_editor->LLista, 0);
        }
    } catch (const std::exception&) {
        Warn(u"Co najmniej jeden z plików we wskazanym folderze jest uszkodzony.\rZbadaj pliki "
             u"sprawozdań poleceniem „Sprawdź zestaw” w oknie listy sprawozdań.");
        return;
    }
    OpenEditor(true);
    // The files passed over for their names are named over the loaded set.
    if (!notice.empty()) {
        Warn(notice);
    }
    if (m_editor != nullptr)
        m_editor->WarnWhenSetHasErrors();
}

void TFGlowny::OpenListFile() {
    ResetChoiceColours();
    if (m_editor == nullptr) {
        return;
    }
    FileDialog& dialog = m_editor->OpenLista;
    dialog.InitialDir = ExistingFolderOr(FolderOf(m_state.Remembered.ListFile), DocumentsFolder());
    // The list used last is the one most often wanted again.
    dialog.FileName =
        FileExists(m_state.Remembered.ListFile) ? m_state.Remembered.ListFile : std::string();
    if (!dialog.Execute()) {
        return;
    }
    OpenListFile(dialog.FileName);
}

void TFGlowny::OpenListFile(const std::string& listFile) {
    if (m_editor == nullptr) {
        return;
    }
    Result<ListCatalogue> opened = CatalogueFromListFile(listFile);
    if (!opened) {
        Warn(ListFileUnreadableMessage(opened.Cause(), listFile));
        return;
    }
    ListCatalogue& read = opened.Value();
    m_state.Catalogue = std::move(read.Catalogue);
    // The set comes from the list alone; no folder's files belong to it.
    m_state.FoundReportFiles.clear();
    m_state.SetListFile = listFile;
    FillKindList(m_state.Catalogue, *m_editor->LLista, 0);
    RememberListFile(m_state, listFile);
    // The reports found are listed first; the missing ones are named over them.
    OpenEditor(false);
    if (!read.Missing.empty()) {
        Warn(read.Notice());
    }
    m_editor->WarnWhenSetHasErrors();
}

void TFGlowny::OpenListFileArgument(std::string_view utf8Path) {
    // The set remembers its list file for saving and for the next run's
    // dialog, so a name relative to the current folder is made whole first.
    const QString whole = QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(
        QString::fromUtf8(utf8Path.data(), static_cast<qsizetype>(utf8Path.size())))));
    const std::optional<std::string> listFile = CoreTextFromArgument(whole.toStdString());
    if (!listFile) {
        Warn(ListFileNameUnusableMessage(utf8Path));
        return;
    }
    OpenListFile(*listFile);
}

void TFGlowny::OpenEditor(bool focusList) {
    if (m_editor == nullptr) {
        return;
    }
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
    if (focusList) {
        m_editor->LLista->setFocus();
    }
}

void TFGlowny::PlaceCompanions() {
    if (m_editor != nullptr && m_editor->isVisible()) {
        PlaceRelativeTo(m_editor, this, ToQPoint(kEditorOffsetWhileDragged));
    }
    if (m_previewWindow != nullptr && m_previewWindow->isVisible()) {
        PlaceRelativeTo(m_previewWindow, this, ToQPoint(layout::preview::kOffsetFromMainWindow));
    }
}

void TFGlowny::ShowStatus(const QString& text, const std::string& folder) {
    LStatus->ShowWithFolder(text, folder);
}

void TFGlowny::ShowProgressStrip() {
    PPostep->resize(kProgressStepWidth, kProgress.height);
    PPostep->show();
    for (int step = 1; step <= kProgressSteps; ++step) {
        PPostep->resize(step * kProgressStepWidth, kProgress.height);
        PPostep->repaint();
        WaitPainting(ProgressStepMilliseconds);
    }
    PPostep->hide();
}

void TFGlowny::LPomocClick() {
    m_help.Open(m_state.AppFolder, HelpIndexPage);
}

void TFGlowny::LAboutClick() {
    if (m_about != nullptr) {
        m_about->ShowOver(this);
    }
}

void TFGlowny::LMnimizeClick() {
    // The whole application goes to the task bar: the visible companions are
    // minimised with the main window and come back when it is restored. They
    // stay shown all the while, so nothing of their state is reset.
    for (QWidget* companion : {static_cast<QWidget*>(m_editor), m_previewWindow}) {
        if (companion != nullptr && companion->isVisible()) {
            companion->showMinimized();
            m_minimisedWithMe.push_back(companion);
        }
    }
    showMinimized();
}

void TFGlowny::LcloseClick() {
    close();
}

void TFGlowny::ImWsteczClick() {
    if (m_editor != nullptr && !m_editor->close()) {
        return;
    }
    PButWstecz->hide();
}

} // namespace notarion
