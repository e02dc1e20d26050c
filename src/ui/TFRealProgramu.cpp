#include "ui/TFRealProgramu.h"

#include "app/AddedReports.h"
#include "app/RememberedPlaces.h"
#include "app/ReportFolder.h"
#include "app/SharedState.h"
#include "generate/DocumentSet.h"
#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "reports/ClassOrder.h"
#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "ui/KindListBox.h"
#include "ui/TFBrowser.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFGlowny.h"
#include "ui/TFWarning.h"
#include "ui/layout/QtGeometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <exception>

namespace notarion {

namespace {

using namespace layout::editor;
using layout::ToQPoint;
using layout::ToQRect;

constexpr const char16_t* NoSelectionForPreview =
    u"Jeśli chcesz zobaczyć podgląd, zaznacz którąś z pozycji.";
constexpr const char16_t* NoReportsToSave = u"Nie można utworzyć listy, gdyż brak jest sprawozdań.";
constexpr const char16_t* UnsavedListQuestion =
    u"Lista sprawozdań została zmieniona i nie została zapisana.\rCzy zapisać ją przed "
    u"zamknięciem?";
constexpr const char16_t* ListFileProcessingFailed =
    u"Wystąpiły problemy z przetworzeniem danych przy zapisie do pliku.";

QLabel* MakeImage(QWidget* parent, const QRect& geometry) {
    auto* image = new QLabel(parent);
    image->setGeometry(geometry);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return image;
}

// Alt is the only modifier and no mouse button is held.
bool AltAlone(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier &&
           QGuiApplication::mouseButtons() == Qt::NoButton;
}

} // namespace

QStringList TFRealProgramu::KindItems() {
    QStringList items;
    for (const KindInfo& kind : KindTable()) {
        items.append(
            QString::fromUtf8(kind.Label.data(), static_cast<qsizetype>(kind.Label.size())));
    }
    return items;
}

TFRealProgramu::TFRealProgramu(SharedState& state, TFGlowny& mainWindow)
    : QWidget(nullptr), SaveLista(this, FileDialog::Purpose::Save),
      OpenLista(this, FileDialog::Purpose::Open), OpenDodatkowe(this, FileDialog::Purpose::Open),
      m_state(state), m_mainWindow(mainWindow) {
    SetUpSkinnedWindow(this, QSize(WindowWidth, WindowHeight), WindowRole::Companion);
    setAttribute(Qt::WA_QuitOnClose, false);

    PTlo = new QWidget(this);
    PTlo->setGeometry(ToQRect(layout::AtOrigin(kWindowSize)));
    Imrealizacja = MakeImage(PTlo, ToQRect(kImage));
    LoadSkinImageWhenShown(QStringLiteral("realizacja_tlo"), Imrealizacja);

    PPodCombo = new QWidget(PTlo);
    PPodCombo->setGeometry(ToQRect(kKindFrame));
    PPodCombo->setAutoFillBackground(true);
    QPalette white = PPodCombo->palette();
    white.setColor(QPalette::Window, Qt::white);
    PPodCombo->setPalette(white);
    PozycjeBox = new QComboBox(PPodCombo);
    PozycjeBox->addItems(KindItems());
    PozycjeBox->setMaxVisibleItems(ReportKindCount);
    PozycjeBox->move(ToQPoint(kKindBoxPos));

    LRozwinBox = new HotArea(PTlo, ToQRect(kKindArrow));
    LLista = new KindListBox(PTlo);
    LLista->setGeometry(ToQRect(kList));
    LDodajPlik = new HotArea(PTlo, ToQRect(kAddFile));
    LUsunPlik = new HotArea(PTlo, ToQRect(kRemoveFile));
    LZapisz = new HotArea(PTlo, ToQRect(kSave));
    LPodglond = new HotArea(PTlo, ToQRect(kPreview));
    LGenrujZestaw = new HotArea(PTlo, ToQRect(kGenerate));
    LSprawdzZestaw = new HotArea(PTlo, ToQRect(kCheckSet));
    LPoprawSprawozdanie = new HotArea(PTlo, ToQRect(kEditReport));
    LUporzadkuj = new HotArea(PTlo, ToQRect(kOrderByClass));

    LKKoncoworoczna = new QLabel(QStringLiteral(u"Klasyfikacja końcoworoczna"), PTlo);
    LKKoncoworoczna->move(ToQPoint(kFinalLabelPos));
    LKKoncoworoczna->setAttribute(Qt::WA_TranslucentBackground);
    QPalette whiteText = LKKoncoworoczna->palette();
    whiteText.setColor(QPalette::WindowText, Qt::white);
    LKKoncoworoczna->setPalette(whiteText);
    // The caption lies inside the list's area, where the white list hides
    // it. It stays beneath the list and takes no clicks from the list's lines.
    LKKoncoworoczna->stackUnder(LLista);
    LKKoncoworoczna->setAttribute(Qt::WA_TransparentForMouseEvents);

    SaveLista.Title = Cp1250FromQString(QStringLiteral(u"Wskaż miejsce docelowe"));
    SaveLista.Filter = "Plik listy (xmp)|*.xmp";
    SaveLista.DefaultExt = "xmp";
    OpenLista.Title = Cp1250FromQString(QStringLiteral(u"Wskaż plik listy"));
    OpenLista.Filter = "Plik listy (xmp)|*.xmp";
    OpenLista.DefaultExt = "xmp";
    OpenDodatkowe.Filter = "Plik sprawozdania (*.xml)|*.xml";
    OpenDodatkowe.AllowSelect = FileDialog::Selection::Multiple;

    connect(PozycjeBox, &QComboBox::currentIndexChanged, this, &TFRealProgramu::PozycjeBoxChange);
    connect(LRozwinBox, &HotArea::clicked, this, &TFRealProgramu::LRozwinBoxClick);
    connect(LLista, &KindListBox::pressedAt, this, &TFRealProgramu::LListaMouseDown);
    connect(LLista, &KindListBox::draggedOver, this, &TFRealProgramu::LListaDragOver);
    connect(LLista, &KindListBox::droppedAt, this, &TFRealProgramu::LListaDragDrop);
    connect(LLista, &KindListBox::doubleClickedAt, this, &TFRealProgramu::LListaDblClick);
    connect(LDodajPlik, &HotArea::clicked, this, &TFRealProgramu::LDodajPlikClick);
    connect(LUsunPlik, &HotArea::clicked, this, &TFRealProgramu::LUsunPlikClick);
    connect(LZapisz, &HotArea::clicked, this, &TFRealProgramu::LZapiszClick);
    connect(LPodglond, &HotArea::clicked, this, &TFRealProgramu::LPodglondClick);
    connect(LGenrujZestaw, &HotArea::clicked, this, &TFRealProgramu::LGenrujZestawClick);
    connect(LSprawdzZestaw, &HotArea::clicked, this, &TFRealProgramu::LSprawdzZestawClick);
    connect(LPoprawSprawozdanie, &HotArea::clicked, this, &TFRealProgramu::EditSelected);
    connect(LUporzadkuj, &HotArea::clicked, this, &TFRealProgramu::OrderReportsByClass);
    InstallHelpKey(this, [this] { OpenHelp(); });
    // The Alt shortcuts must work whichever control has the focus, so the
    // window looks at every key of the application before its controls do.
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
    }
}

void TFRealProgramu::SetViewers(TFBrowserMini* previewWindow, TFBrowser* documentViewer) {
    m_previewWindow = previewWindow;
    m_documentViewer = documentViewer;
    if (m_previewWindow != nullptr) {
        connect(m_previewWindow, &TFBrowserMini::reportLinkFollowed, this,
                &TFRealProgramu::FollowReportLink, Qt::UniqueConnection);
        connect(m_previewWindow, &TFBrowserMini::folderFileLinkFollowed, this,
                &TFRealProgramu::FollowFolderFileLink, Qt::UniqueConnection);
        connect(m_previewWindow, &TFBrowserMini::generateFollowed, this,
                &TFRealProgramu::GenerateDocumentSet, Qt::UniqueConnection);
    }
}

// Measuring text loads the fonts and shapes the words; a window that may
// never be opened does it when it is first shown, not at start-up.
void TFRealProgramu::SizeToFont() {
    PozycjeBox->resize(kKindBoxWidth, PozycjeBox->sizeHint().height());
    // The caption ends at the list's right edge, so a wider font does not
    // let its end show beside the list.
    LKKoncoworoczna->adjustSize();
    LKKoncoworoczna->resize(
        std::min(LKKoncoworoczna->width(), kList.x + kList.width - kFinalLabelPos.x),
        LKKoncoworoczna->height());
}

void TFRealProgramu::showEvent(QShowEvent* event) {
    if (!m_sizedToFont) {
        SizeToFont();
        m_sizedToFont = true;
    }
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFRealProgramu::FormShow() {
    PlaceRelativeTo(this, &m_mainWindow, ToQPoint(kOffsetWhenShown));
    // The entry paths have filled the list with the first kind already, so
    // the selector is set back without refilling it.
    const QSignalBlocker quiet(PozycjeBox);
    PozycjeBox->setCurrentIndex(0);
    m_mainWindow.PButWstecz->setVisible(true);
    // A set just opened is the set as it was loaded: nothing to save yet.
    m_unsaved = false;
    m_orderUndo.reset();
}

void TFRealProgramu::closeEvent(QCloseEvent* event) {
    // However the editor is closed (the back button, the window manager's
    // Alt+F4, the end of the program), it is left the same way: a changed
    // list is offered for saving once, and the back button goes.
    if (!ConfirmLeave()) {
        event->ignore();
        return;
    }
    m_mainWindow.PButWstecz->hide();
    event->accept();
}

bool TFRealProgramu::ConfirmLeave() {
    if (!m_unsaved || !m_ask) {
        return true;
    }
    switch (m_ask(UnsavedListQuestion)) {
    case TFWarning::ResultYes:
        SaveListFile();
        // A cancelled or failed save keeps the editor open with the changes.
        return !m_unsaved;
    case TFWarning::ResultCancel:
        return false;
    default:
        m_unsaved = false;
        return true;
    }
}

bool TFRealProgramu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this &&
            FormKeyDown(*static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TFRealProgramu::FormKeyDown(const QKeyEvent& key) {
    // Tested in this order; the first match runs and uses the key up. Ctrl
    // or Shift held with Alt is no shortcut (Ctrl+Alt is how some keyboards
    // type Polish letters).
    struct Shortcut {
        int Key;
        void (TFRealProgramu::*Run)();
    };
    static constexpr std::array<Shortcut, 8> Shortcuts = {{
        {Qt::Key_D, &TFRealProgramu::AddReportFiles},
        {Qt::Key_U, &TFRealProgramu::RemoveSelected},
        {Qt::Key_P, &TFRealProgramu::PreviewSelected},
        {Qt::Key_Z, &TFRealProgramu::SaveListFile},
        {Qt::Key_G, &TFRealProgramu::GenerateDocumentSet},
        {Qt::Key_S, &TFRealProgramu::CheckSet},
        {Qt::Key_R, &TFRealProgramu::EditSelected},
        {Qt::Key_K, &TFRealProgramu::OrderReportsByClass},
    }};
    if (key.key() == Qt::Key_Delete && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        RemoveSelected();
        return true;
    }
    if (key.key() == Qt::Key_Z && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        UndoOrderByClass();
        return true;
    }
    if (!AltAlone(key)) {
        return false;
    }
    // Alt+Up and Alt+Down move the selected report within its kind, as a
    // drag onto the neighbouring line does.
    if (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) {
        MoveSelected(key.key() == Qt::Key_Up ? -1 : +1);
        return true;
    }
    for (const Shortcut& shortcut : Shortcuts) {
        if (key.key() == shortcut.Key) {
            (this->*shortcut.Run)();
            return true;
        }
    }
    return false;
}

void TFRealProgramu::PozycjeBoxChange(int index) {
    if (index < 0) {
        return;
    }
    FillKindList(m_state.Catalogue, *LLista, index);
}

void TFRealProgramu::LRozwinBoxClick() {
    PozycjeBox->showPopup();
}

void TFRealProgramu::LListaMouseDown(QPoint point) {
    if (LLista->ItemCount() > 0) {
        m_dragFromPoint = point;
    }
}

void TFRealProgramu::LListaDragOver(QPoint point) {
    if (LLista->ItemCount() == 0) {
        return;
    }
    const int under = LLista->PositionAt(point);
    if (under >= 0) {
        LLista->setCurrentRow(under);
    } else {
        LLista->clearSelection();
    }
}

void TFRealProgramu::LListaDragDrop(QPoint point) {
    const int lines = LLista->ItemCount();
    if (lines == 0) {
        return;
    }
    const int source = LLista->PositionAt(m_dragFromPoint);
    if (source < 0) {
        return;
    }
    int target = LLista->PositionAt(point);
    if (target < 0) {
        target = lines - 1;
    }
    // Both entries are found before anything moves: the lines' positions
    // change with the move.
    MoveLine(source, target);
}

void TFRealProgramu::MoveLine(int source, int target) {
    const int sourceEntry = EntryOfLine(source);
    const int targetEntry = EntryOfLine(target);
    if (sourceEntry < 0 || targetEntry < 0) {
        // A line without an entry cannot be moved in the catalogue; moving
        // it in the list alone would show an order that is not generated.
        return;
    }
    LLista->MoveItem(source, target);
    MoveEntry(m_state.Catalogue, sourceEntry, targetEntry);
    if (sourceEntry != targetEntry) {
        m_unsaved = true;
    }
}

void TFRealProgramu::MoveSelected(int step) {
    const int line = LLista->SelectedPosition();
    const int target = line + step;
    if (line < 0 || target < 0 || target >= LLista->ItemCount()) {
        return;
    }
    MoveLine(line, target);
}

void TFRealProgramu::LListaDblClick() {
    if (LLista->ItemCount() > 0) {
        PreviewSelected();
    }
}

void TFRealProgramu::LDodajPlikClick() {
    AddReportFiles();
}

void TFRealProgramu::LUsunPlikClick() {
    RemoveSelected();
}

void TFRealProgramu::LPodglondClick() {
    PreviewSelected();
}

void TFRealProgramu::LZapiszClick() {
    SaveListFile();
}

void TFRealProgramu::LGenrujZestawClick() {
    GenerateDocumentSet();
}

void TFRealProgramu::LSprawdzZestawClick() {
    CheckSet();
}

void TFRealProgramu::AddReportFiles() {
    if (OpenDodatkowe.InitialDir.empty()) {
        OpenDodatkowe.InitialDir =
            ExistingFolderOr(m_state.Remembered.ReportFolder, DocumentsFolder());
    }
    if (!OpenDodatkowe.Execute()) {
        return;
    }
    repaint();
    const AddedReports added = AddChosenReports(m_state.Catalogue, OpenDodatkowe.FileNames);
    m_state.FoundReportFiles = added.Tried;
    // The reports added before an unreadable one stay and are listed before
    // the message names the file.
    if (added.Changed) {
        m_unsaved = true;
    }
    FillKindList(m_state.Catalogue, *LLista, PozycjeBox->currentIndex());
    for (const UnknownKindFile& file : added.UnknownKinds) {
        OfferToMendAndAdd(file);
    }
    // A file that opens but cannot be read may be mended in the report
    // editor; a name that opens nothing is only named.
    const std::string& named = !added.Damaged.empty() ? added.Damaged : added.Unopenable;
    if (!named.empty()) {
        OfferMend(named);
    }
}

void TFRealProgramu::RemoveSelected() {
    const int line = LLista->SelectedPosition();
    if (line < 0) {
        return;
    }
    RemoveEntry(m_state.Catalogue, EntryOfLine(line));
    m_unsaved = true;
    FillKindList(m_state.Catalogue, *LLista, PozycjeBox->currentIndex());
    // The next report moves up into the place of the removed one and is
    // selected there, so Delete pressed again goes on down the list.
    if (LLista->ItemCount() > 0) {
        LLista->setCurrentRow(std::min(line, LLista->ItemCount() - 1));
    }
}

void TFRealProgramu::PreviewSelected() {
    const int line = LLista->SelectedPosition();
    if (line < 0) {
        Warn(IconWarning, NoSelectionForPreview);
        return;
    }
    if (!WritePreviewOfLine(line)) {
        return;
    }
    if (m_previewWindow == nullptr) {
        return;
    }
    m_previewWindow->LoadPreviewFile(m_state.TempFolder + std::string(PreviewFileName));
    m_previewWindow->exec();
}

bool TFRealProgramu::WritePreviewOfLine(int line) {
    // Each line previews its own report, also the later of two equal titles.
    const int entry = EntryOfLine(line);
    const Result<> written =
        entry < 0 ? WritePreviewFile(m_state, m_state.Catalogue, *LLista, line, m_state.TempFolder)
                  : WritePreviewFileOfEntry(m_state, m_state.Catalogue, entry, m_state.TempFolder);
    if (!written) {
        OfferMend(ReportFileOf(written.Cause()),
                  MessageWithCause(PreviewFailureMessage(), written.Cause()));
    }
    return static_cast<bool>(written);
}

void TFRealProgramu::SaveListFile() {
    if (m_state.Catalogue.Slots.empty()) {
        Warn(IconInfo, NoReportsToSave);
        return;
    }
    // A set from a list file has no report folder of this run: the list is
    // saved where lists were kept last.
    SaveLista.InitialDir =
        !m_state.LastReportFolder.empty()
            ? m_state.LastReportFolder
            : ExistingFolderOr(FolderOf(m_state.Remembered.ListFile), DocumentsFolder());
    if (!SaveLista.Execute()) {
        return;
    }
    repaint();
    try {
        const Result<> written = WriteListFile(m_state.Catalogue, SaveLista.FileName);
        if (written) {
            m_unsaved = false;
            // The saved list holds the new order; taking it back now would
            // leave a set that differs from its file marked as saved.
            m_orderUndo.reset();
            m_mainWindow.ShowStatus(QStringLiteral(u"Zapisano: ") +
                                        QStringFromCp1250(SaveLista.FileName),
                                    FolderOf(SaveLista.FileName));
            RememberListFile(m_state, SaveLista.FileName);
        } else {
            Warn(IconInfo, ListFileUnwritableMessage(written.Cause()));
        }
    } catch (const std::exception&) {
        Warn(IconInfo, ListFileProcessingFailed);
    }
}

void TFRealProgramu::OrderReportsByClass() {
    OrderUndo undo{m_state.Catalogue.Slots, {}, m_unsaved};
    if (!OrderByClass(m_state.Catalogue)) {
        return;
    }
    undo.After = m_state.Catalogue.Slots;
    m_orderUndo = std::move(undo);
    m_unsaved = true;
    FillKindList(m_state.Catalogue, *LLista, PozycjeBox->currentIndex());
}

void TFRealProgramu::UndoOrderByClass() {
    // Any later change (a drag, an added or removed report) would be lost
    // with the old order, so the ordering is taken back only as it stands.
    if (!m_orderUndo || m_state.Catalogue.Slots != m_orderUndo->After) {
        m_orderUndo.reset();
        return;
    }
    m_state.Catalogue.Slots = std::move(m_orderUndo->Before);
    m_unsaved = m_orderUndo->WasUnsaved;
    m_orderUndo.reset();
    FillKindList(m_state.Catalogue, *LLista, PozycjeBox->currentIndex());
}

int TFRealProgramu::EntryOfLine(int line) const {
    return CatalogueEntryOfLine(m_state.Catalogue, *LLista, line);
}

void TFRealProgramu::Warn(int icon, const std::u16string& text) {
    if (m_state.ShowWarning) {
        m_state.ShowWarning(ModeClose, icon, text);
    }
}

void TFRealProgramu::OpenHelp() {
    m_help.Open(m_state.AppFolder, HelpIndexPage);
}

} // namespace notarion
