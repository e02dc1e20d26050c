// The main window with the other windows around it: creation order, the
// start and end of work, both entry paths with their failures, hover
// colours, help, about, back, the progress strip and the drag that moves
// the companions along.

#include "WindowsFixture.h"

#include "app/ProgramOptions.h"
#include "app/ReportFolder.h"
#include "app/SharedState.h"
#include "reports/ListFile.h"
#include "reports/ReportKind.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"
#include "ui/KindListBox.h"
#include "ui/NotarionApplication.h"
#include "ui/TFAbout.h"
#include "ui/TFBrowser.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFGlowny.h"
#include "ui/TFRealProgramu.h"
#include "ui/TFWarning.h"
#include "ui/TFWyborOpcji.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>
#include <optional>
#include <vector>

namespace notarion {
namespace {

using testing::FolderText;
using testing::HoverOver;
using testing::SendMouse;
using testing::WhenShown;

const std::string ExamplesFolder = NOTARION_EXAMPLES_DIR;

class MainWindowTest : public testing::WindowsFixture {
protected:
    // Make the folder picker answer with folder (or cancel with nothing) and
    // note the folder it was opened on.
    void PickerAnswers(std::optional<std::string> folder) {
        Main().DajFolder.Choose = [this, folder](const TGetFolder& picker) {
            m_pickerOpenedOn.push_back(picker.FolderName);
            return folder;
        };
    }
    void ListDialogAnswers(std::optional<std::string> file) {
        Editor().OpenLista.Run = [this, file](const FileDialog& dialog) {
            m_listDialogOpenedOn.push_back(dialog.InitialDir);
            m_listDialogPreselected.push_back(dialog.FileName);
            return file ? std::optional(std::vector<std::string>{*file}) : std::nullopt;
        };
    }

    std::vector<std::string> ListedTitles() {
        std::vector<std::string> titles;
        for (int i = 0; i < Editor().LLista->ItemCount(); ++i) {
            titles.push_back(Editor().LLista->ItemText(i));
        }
        return titles;
    }

    // The welcome state: welcome panel up, editor, strip and back button away.
    void ExpectWelcomeState() {
        EXPECT_TRUE(Main().PPowitanie->isVisible());
        EXPECT_FALSE(Main().PPostep->isVisible());
        EXPECT_FALSE(Main().PButWstecz->isVisible());
        EXPECT_FALSE(Editor().isVisible());
    }

    std::vector<std::string> m_pickerOpenedOn;
    std::vector<std::string> m_listDialogOpenedOn;
    std::vector<std::string> m_listDialogPreselected;
};

const std::u16string NoReportFiles =
    u"Brak plików z danymi we wskazanym folderze.\rProgram nie ma co przetwarzać.";
const std::u16string BadListFile =
    u"Wystąpiły problemy z wczytaniem pliku listy.\rPrawdopodobnie plik jest uszkodzony.";

TEST_F(MainWindowTest, WindowsAreMadeOnceInTheProgramsOrderAndOnlyTheMainWindowShows) {
    std::vector<std::string> classes;
    for (const QWidget* window : m_windows->CreationOrder()) {
        classes.push_back(window->metaObject()->className());
    }
    EXPECT_EQ(classes, (std::vector<std::string>{"notarion::TFGlowny", "notarion::TFWarning",
                                                 "notarion::TFRealProgramu",
                                                 "notarion::TFBrowserMini", "notarion::TFAbout",
                                                 "notarion::TFBrowser", "notarion::TFWyborOpcji"}));
    for (const QWidget* window : m_windows->CreationOrder()) {
        EXPECT_EQ(window->isVisible(), window == &Main()) << window->metaObject()->className();
    }
    EXPECT_EQ(Main().size(), QSize(776, 570));
    EXPECT_EQ(Editor().size(), QSize(749, 477));
    EXPECT_EQ(Editor().PozycjeBox->count(), 9);
}

TEST_F(MainWindowTest, TheNextRunOpensTheDialogsWhereTheLastRunChose) {
    // The first run has nothing remembered: the dialogs open in the user's
    // documents, never in the program's own folder.
    PickerAnswers(std::nullopt);
    ListDialogAnswers(std::nullopt);
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_pickerOpenedOn, std::vector<std::string>{DocumentsFolder()});
    EXPECT_EQ(m_listDialogOpenedOn, std::vector<std::string>{DocumentsFolder()});
    EXPECT_NE(DocumentsFolder(), m_appFolder);
    EXPECT_EQ(m_listDialogPreselected, std::vector<std::string>{""});
    m_pickerOpenedOn.clear();
    m_listDialogOpenedOn.clear();
    m_listDialogPreselected.clear();

    const std::string school = ExamplesFolder + "/szkola";
    PickerAnswers(school);
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ListDialogAnswers(school + "/szkola.xmp");
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());

    // The program runs again over the same user data.
    m_windows.reset();
    m_state = SharedState();
    m_windows = std::make_unique<Windows>(m_state, WorkPlaces{m_appFolder + "notarion", m_appData});
    m_state.ShowWarning = [this](int mode, int icon, const std::u16string& text) {
        m_messages.push_back({mode, icon, text});
    };
    Main().show();
    m_pickerOpenedOn.clear();
    m_listDialogOpenedOn.clear();
    PickerAnswers(std::nullopt);
    ListDialogAnswers(std::nullopt);
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_pickerOpenedOn, std::vector<std::string>{school});
    EXPECT_EQ(m_listDialogOpenedOn, std::vector<std::string>{school});
    EXPECT_EQ(m_listDialogPreselected.back(), school + "/szkola.xmp");
    EXPECT_TRUE(m_state.LastReportFolder.empty()) << "a remembered folder is no choice of this run";
}

TEST_F(MainWindowTest, EveryHotAreaOfEveryWindowTakesClicksOverItsWholeRectangle) {
    // The message box shows "Zamknij" (alone or with "Popraw") or the three
    // others, never all of them.
    TFWarning& box = m_windows->FWarning();
    for (QWidget* panel :
         {box.PButTak, box.PButNie, box.PButAnuluj, box.pButZamknij, box.PButPopraw})
        panel->hide();
    // The viewer's underlines only carry the hand cursor; they run nothing.
    const TFBrowser& viewer = m_windows->FBrowser();
    const std::vector<const HotArea*> underlines = {viewer.Label1, viewer.LKreska1,
                                                    viewer.LKreska2};
    int walked = 0;
    for (QWidget* window : m_windows->CreationOrder()) {
        for (HotArea* area : window->findChildren<HotArea*>()) {
            if (area->window() != window || area->cursor().shape() != Qt::PointingHandCursor ||
                std::ranges::find(underlines, area) != underlines.end())
                continue;
            // Panels hidden until a message or a set needs them are shown
            // for the walk.
            std::vector<QWidget*> shown;
            QRect rect(area->mapTo(window, QPoint(0, 0)), area->size());
            for (QWidget* up = area; up != window; up = up->parentWidget()) {
                if (up->isHidden()) {
                    up->setVisible(true);
                    shown.push_back(up);
                }
                rect &= QRect(up->mapTo(window, QPoint(0, 0)), up->size());
            }
            for (const QPoint point : {rect.center(), rect.topLeft(), rect.topRight(),
                                       rect.bottomLeft(), rect.bottomRight()}) {
                QWidget* hit = window->childAt(point);
                EXPECT_TRUE(hit == area || area->isAncestorOf(hit))
                    << window->metaObject()->className() << ": the area at " << rect.x() << ","
                    << rect.y() << " misses " << point.x() << "," << point.y()
                    << (hit ? " to a " : "") << (hit ? hit->metaObject()->className() : "");
            }
            ++walked;
            for (QWidget* panel : shown)
                panel->setVisible(false);
        }
    }
    EXPECT_GE(walked, 30);

    // The message box's cross, clicked at its corner under the title strip.
    WhenShown(&box, [&] {
        const QPoint corner = box.LClose->geometry().bottomLeft();
        QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, corner);
    });
    box.ShowWarning(ModeYesNoCancel, IconQuestion, u"Zamknąć?");
    EXPECT_EQ(box.MessageResult(), TFWarning::ResultCancel);
}

TEST_F(MainWindowTest, CompanionsStayAboveTheWindowTheyAreOpenedFromAndNeverAboveOtherPrograms) {
    const std::pair<QWidget*, QWidget*> owned[] = {
        {&Editor(), &Main()},
        {&m_windows->FBrowserMini(), &Editor()},
        {&m_windows->FAbout(), &Main()},
        {&m_windows->FBrowser(), &Editor()},
        {&m_windows->FWyborOpcji(), &m_windows->FBrowser()},
    };
    for (const auto& [window, owner] : owned) {
        SCOPED_TRACE(window->metaObject()->className());
        window->winId();
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->transientParent(), owner->windowHandle());
        // A dialog-type window with an owner gets no task-bar entry.
        EXPECT_EQ(window->windowType(), Qt::Dialog);
    }
    for (QWidget* window : m_windows->CreationOrder()) {
        EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            << window->metaObject()->className();
    }
    EXPECT_EQ(Main().windowType(), Qt::Window);
    EXPECT_EQ(Main().windowHandle()->transientParent(), nullptr);

    // The message box comes above whichever window reports.
    PickerAnswers(ExamplesFolder + "/szkola");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    for (QWidget* reporting : {static_cast<QWidget*>(&Editor()), static_cast<QWidget*>(&Main())}) {
        reporting->activateWindow();
        ASSERT_TRUE(
            QTest::qWaitFor([reporting] { return QApplication::activeWindow() == reporting; }));
        TFWarning& box = m_windows->FWarning();
        QWindow* above = nullptr;
        WhenShown(&box, [&] {
            above = box.windowHandle()->transientParent();
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        box.ShowWarning(ModeClose, IconInfo, u"Tekst");
        EXPECT_EQ(above, reporting->windowHandle());
    }
}

TEST_F(MainWindowTest, ShowingStartsTheWorkOnce) {
    EXPECT_TRUE(Main().WorkStarted());
    EXPECT_EQ(m_state.AppFolder, m_appFolder);
    EXPECT_EQ(m_state.OutputFolder, m_appFolder);
    EXPECT_TRUE(m_state.LastReportFolder.empty());
    EXPECT_EQ(m_state.TempFolder, m_appData + "/OrvApp/RevNotarion/Temp/");
    EXPECT_TRUE(DirectoryExists(m_state.TempFolder));
    EXPECT_EQ(ReadWholeFile(m_appData + "/OrvApp/RevNotarion/RevNotarion.ini"), "RevNotarion\r\n");
    EXPECT_EQ(Main().mask(), RoundedRegion(776, 570, 6, 6));
    ExpectWelcomeState();

    // Hidden and shown again (or restored), the window does not start anew.
    m_state.LastReportFolder = "/dane/szkola";
    Main().hide();
    Main().show();
    EXPECT_EQ(m_state.LastReportFolder, "/dane/szkola");
}

TEST_F(MainWindowTest, CancellingTheFolderPickerChangesNothing) {
    m_state.FoundReportFiles = {"/x/a.xml"};
    PickerAnswers(std::nullopt);
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_pickerOpenedOn, (std::vector<std::string>{DocumentsFolder()}));
    EXPECT_TRUE(m_state.LastReportFolder.empty());
    EXPECT_EQ(m_state.FoundReportFiles, (std::vector<std::string>{"/x/a.xml"}));
    EXPECT_TRUE(m_messages.empty());
    ExpectWelcomeState();
}

TEST_F(MainWindowTest, FolderWithoutReportFilesIsReportedAndStillRemembered) {
    QDir root(m_dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("puste/podfolder.xml")));
    QFile other(m_dir.filePath(QStringLiteral("puste/notatki.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    const std::string folder = FolderText(m_dir) + "/puste";

    PickerAnswers(folder);
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, 1);
    EXPECT_EQ(m_messages[0].Icon, 1);
    EXPECT_EQ(m_messages[0].Text, NoReportFiles);
    EXPECT_EQ(m_state.LastReportFolder, folder);
    EXPECT_TRUE(m_state.FoundReportFiles.empty());
    ExpectWelcomeState();

    // The next picker opens where the last one ended.
    PickerAnswers(std::nullopt);
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_pickerOpenedOn.back(), folder);
}

TEST_F(MainWindowTest, NewSetOpensTheEditorOnTheFirstKind) {
    const std::string folder = ExamplesFolder + "/szkola";
    PickerAnswers(folder + "/");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_state.LastReportFolder, folder);
    EXPECT_EQ(m_state.FoundReportFiles.size(), 76u);
    EXPECT_EQ(m_state.Catalogue.Count, 76);

    ASSERT_TRUE(Editor().isVisible());
    EXPECT_EQ(Editor().pos(), Main().pos() + QPoint(17, 52));
    EXPECT_TRUE(Main().PButWstecz->isVisible());
    EXPECT_EQ(Editor().PozycjeBox->currentIndex(), 0);
    const std::vector<std::string> titles = ListedTitles();
    ASSERT_EQ(titles.size(), 16u);
    for (const std::string& title : titles) {
        EXPECT_EQ(title.rfind(KindText(0) + " - ", 0), 0u) << title;
    }
    EXPECT_EQ(Editor().LLista->SelectedPosition(), 0);
    EXPECT_EQ(Editor().focusWidget(), Editor().LLista);

    // Another kind refills the list from the catalogue.
    Editor().PozycjeBox->setCurrentIndex(8);
    ASSERT_EQ(Editor().LLista->ItemCount(), 1);
    EXPECT_EQ(Editor().LLista->ItemText(0).rfind(KindText(8), 0), 0u);
}

TEST_F(MainWindowTest, AReportNamedOutsideTheCodePageIsNamedAndTheRestOfTheFolderLoads) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("obce")));
    const QString folder = m_dir.filePath(QStringLiteral("obce"));
    const QString sample =
        QString::fromUtf8(ExamplesFolder.c_str()) + QStringLiteral("/szkola/1a_klasyfikacja.xml");
    ASSERT_TRUE(QFile::copy(sample, folder + QStringLiteral(u"/Mu\u00f1oz.xml")));
    PickerAnswers(Cp1250FromQString(folder));
    // Alone in its folder, it leaves nothing to load: the welcome panel stays.
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    // Named as the file system holds it, not by its spelling in the code page.
    const std::u16string named = u"Nazwa pliku zawiera znak, którego program nie może użyć: " +
                                 Cp1250ToUtf16(Cp1250FromQString(folder)) + u"/Mu\u00f1oz.xml";
    const std::u16string whatToDo = u"\rZmień nazwę pliku i wskaż folder jeszcze raz.";
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, named + whatToDo);
    // A name that opens nothing leaves nothing to mend.
    EXPECT_EQ(m_messages[0].Mode, ModeClose);
    EXPECT_EQ(m_state.Catalogue.Count, 0);
    ExpectWelcomeState();

    // Beside a usable report, that report is loaded and the other named.
    ASSERT_TRUE(QFile::copy(sample, folder + QStringLiteral("/1b_klasyfikacja.xml")));
    m_messages.clear();
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    EXPECT_EQ(m_state.Catalogue.Count, 1);
    EXPECT_EQ(ListedTitles().size(), 1u);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text,
              named + whatToDo + u"\rPozostałe pliki folderu zostały wczytane.");
}

TEST_F(MainWindowTest, AListMovedWithItsSchoolOpensWithTheReportsFoundAndNamesTheRest) {
    const QString old = m_dir.filePath(QStringLiteral("stara/szkola"));
    ASSERT_TRUE(QDir().mkpath(old));
    for (const QString& name : QDir(QString::fromUtf8((ExamplesFolder + "/szkola").c_str()))
                                   .entryList({QStringLiteral("*.xml")}))
        ASSERT_TRUE(QFile::copy(QString::fromUtf8((ExamplesFolder + "/szkola/").c_str()) + name,
                                old + QStringLiteral("/") + name));
    const FolderCatalogue loaded = CatalogueFromFolder(Cp1250FromQString(old));
    ASSERT_TRUE(WriteListFile(loaded.Catalogue, Cp1250FromQString(old) + "/lista.xmp"));
    // Copied to a stick, where one report did not arrive.
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("pendrive"))));
    const QString moved = m_dir.filePath(QStringLiteral("pendrive/szkola"));
    ASSERT_TRUE(QDir().rename(old, moved));
    ASSERT_TRUE(QFile::remove(moved + QStringLiteral("/1a_klasyfikacja.xml")));

    ListDialogAnswers(Cp1250FromQString(moved) + "/lista.xmp");
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    EXPECT_EQ(m_state.Catalogue.Count, loaded.Catalogue.Count - 1);
    for (const ReportEntry& entry : m_state.Catalogue.Slots)
        EXPECT_EQ(entry.Path.rfind(Cp1250FromQString(moved) + "/", 0), 0u) << entry.Path;
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, u"Nie znaleziono plików: " +
                                      Cp1250ToUtf16(Cp1250FromQString(old)) +
                                      u"/1a_klasyfikacja.xml\rNie ma ich też w folderze pliku "
                                      u"listy: " +
                                      Cp1250ToUtf16(Cp1250FromQString(moved)) + u".");
}

TEST_F(MainWindowTest, DamagedXmlIsNoFailureButAnUnreadableFileKeepsTheWelcomePanel) {
    PickerAnswers(ExamplesFolder + "/uszkodzone");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    // The set loads; its check finds the counts that would stop the
    // documents and one message points at the command that names them.
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, u"Zestaw zawiera błędy (4), przez które dokumenty nie "
                                  u"powstaną.\rSzczegóły pokaże polecenie „Sprawdź zestaw” "
                                  u"(Alt+S).");
    EXPECT_TRUE(Editor().isVisible());
    QTest::mouseClick(Main().ImWstecz, Qt::LeftButton);
    m_messages.clear();

    // A report file that exists but cannot be read: a link to memory that
    // refuses every read.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral(u"zła")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"),
                            m_dir.filePath(QStringLiteral(u"zła/1a_klasyfikacja.xml"))));
    PickerAnswers(Cp1250FromQString(m_dir.filePath(QStringLiteral(u"zła"))));
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text.substr(0, 6), u"Plik: ");
    EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
    EXPECT_EQ(m_state.Catalogue.Count, static_cast<int>(m_state.Catalogue.Slots.size()));
    ExpectWelcomeState();
}

TEST_F(MainWindowTest, ListFilePathOpensTheEditorWithoutTouchingTheReportFolder) {
    ListDialogAnswers(std::nullopt);
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_listDialogOpenedOn, (std::vector<std::string>{DocumentsFolder()}));
    EXPECT_TRUE(m_messages.empty());
    ExpectWelcomeState();

    ListDialogAnswers(ExamplesFolder + "/szkola/szkola.xmp");
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_state.LastReportFolder.empty());
    ASSERT_TRUE(Editor().isVisible());
    EXPECT_EQ(ListedTitles().size(), 16u);
    EXPECT_EQ(Editor().OpenLista.Title, Cp1250FromQString(QStringLiteral(u"Wskaż plik listy")));
    EXPECT_EQ(Editor().OpenLista.Filter, "Plik listy (xmp)|*.xmp");

    // After a folder was chosen, opening a list keeps it.
    QTest::mouseClick(Main().ImWstecz, Qt::LeftButton);
    m_state.LastReportFolder = "/wczesniej/wybrany";
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_state.LastReportFolder, "/wczesniej/wybrany");
}

TEST_F(MainWindowTest, BadListFileIsReportedAndLeavesTheCatalogueAsItWas) {
    m_state.Catalogue.Slots = {{"Tytu\xb3", "/a.xml", "Klasyfikacja klasy"}};
    m_state.Catalogue.Count = 1;
    const ReportCatalogue before = m_state.Catalogue;
    // The fixed text is followed by why: the bad count, or the file not read.
    const std::pair<std::string, std::u16string> cases[] = {
        {ExamplesFolder + "/uszkodzone/lista_uszkodzona.xmp",
         u"Naglowki/IlePozycji: „trzy” nie jest liczbą całkowitą."},
        {FolderText(m_dir) + "/nie_ma_takiego.xmp", u"Nie można odczytać pliku."}};
    for (const auto& [file, why] : cases) {
        m_messages.clear();
        ListDialogAnswers(file);
        QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
        ASSERT_EQ(m_messages.size(), 1u) << file;
        EXPECT_EQ(m_messages[0].Text,
                  BadListFile + u"\rPlik: " + Cp1250ToUtf16(file) + u"\r" + why);
        EXPECT_EQ(m_state.Catalogue.Slots, before.Slots);
        ExpectWelcomeState();
    }
}

TEST_F(MainWindowTest, AListNamedOnTheCommandLineOpensLikeTheChosenOne) {
    // Given relative to the current folder, as from a terminal in the
    // school's folder; the set keeps the whole path for saving and next time.
    const QString school = QString::fromUtf8((ExamplesFolder + "/szkola").c_str());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(school));
    Main().OpenListFileArgument("../szkola/./szkola.xmp");
    QDir::setCurrent(before);

    EXPECT_TRUE(m_messages.empty());
    ASSERT_TRUE(Editor().isVisible());
    EXPECT_EQ(ListedTitles().size(), 16u);
    EXPECT_EQ(m_state.Catalogue.Count, 76);
    const std::string list = Cp1250FromQString(QDir::toNativeSeparators(school + "/szkola.xmp"));
    EXPECT_EQ(m_state.SetListFile, list);
    EXPECT_EQ(m_state.Remembered.ListFile, list);
    EXPECT_TRUE(m_state.FoundReportFiles.empty());
    // The next choice in the dialog starts beside it.
    QTest::mouseClick(Main().ImWstecz, Qt::LeftButton);
    ListDialogAnswers(std::nullopt);
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(m_listDialogOpenedOn,
              std::vector<std::string>{Cp1250FromQString(QDir::toNativeSeparators(school))});
}

TEST_F(MainWindowTest, AListNamedOnTheCommandLineThatCannotBeReadOrSpelledOpensNothing) {
    m_state.Catalogue.Slots = {{"Tytu\xb3", "/a.xml", "Klasyfikacja klasy"}};
    m_state.Catalogue.Count = 1;
    const ReportCatalogue before = m_state.Catalogue;
    const std::string missing = FolderText(m_dir) + "/nie_ma_takiego.xmp";
    Main().OpenListFileArgument(missing);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text,
              BadListFile + u"\rPlik: " + Cp1250ToUtf16(missing) + u"\rNie można odczytać pliku.");

    // A snowman has no place in Windows-1250: the name would become "?" and
    // might open another list of that name, which is there too (where the
    // file system allows "?" in a name).
    const QString good = QString::fromUtf8((ExamplesFolder + "/szkola/szkola.xmp").c_str());
    ASSERT_TRUE(QFile::copy(good, m_dir.filePath(QStringLiteral(u"lista ☃.xmp"))));
    QFile::copy(good, m_dir.filePath(QStringLiteral(u"lista ?.xmp")));
    const std::string snowman = m_dir.filePath(QStringLiteral(u"lista ☃.xmp")).toStdString();
    m_messages.clear();
    Main().OpenListFileArgument(snowman);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text,
              u"Nazwa pliku listy zawiera znak, którego program nie może użyć.\rZmień nazwę "
              u"pliku (albo folderu) i otwórz go jeszcze raz.\rPlik: " +
                  Utf16FromQString(QString::fromStdString(snowman)));
    EXPECT_EQ(m_state.Catalogue.Slots, before.Slots);
    EXPECT_TRUE(m_state.SetListFile.empty());
    ExpectWelcomeState();
    // The main window stays usable: the dialog's path still opens a list.
    ListDialogAnswers(ExamplesFolder + "/szkola/szkola.xmp");
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_TRUE(Editor().isVisible());
}

TEST_F(MainWindowTest, ChoicesLightUpUnderTheMouseAndChoosingResetsThem) {
    const QColor white(255, 255, 255);
    const QColor yellow(255, 255, 0);
    const auto colours = [this] {
        return std::pair(Main().LNowyZestaw->TextColour(), Main().LGotowyZestaw->TextColour());
    };
    EXPECT_EQ(colours(), std::pair(white, white));
    HoverOver(Main().LNowyZestaw);
    EXPECT_EQ(colours(), std::pair(yellow, white));
    HoverOver(Main().LGotowyZestaw);
    EXPECT_EQ(colours(), std::pair(white, yellow));
    HoverOver(Main().ImPowitanie, QPoint(5, 200));
    EXPECT_EQ(colours(), std::pair(white, white));

    HoverOver(Main().LGotowyZestaw);
    ListDialogAnswers(std::nullopt);
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(colours(), std::pair(white, white));

    // Both captions: 17 spaces, then the choice.
    EXPECT_EQ(Main().LNowyZestaw->text(),
              QString(17, u' ') +
                  QStringLiteral(u"Chcę przygotować protokół w oparciu o nowy zestaw"));
    EXPECT_EQ(
        Main().LGotowyZestaw->text(),
        QString(17, u' ') +
            QStringLiteral(u"Chcę wygenerować protokół korzystając z istniejącej już listy "));
}

TEST_F(MainWindowTest, DraggingTheMainWindowBringsTheVisibleCompanions) {
    PickerAnswers(ExamplesFolder + "/szkola");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    TFBrowserMini& preview = m_windows->FBrowserMini();
    preview.move(5, 5);

    const QPoint start = Main().pos();
    SendMouse(Main().LListwa, QEvent::MouseButtonPress, QPoint(3, 3), QPoint(300, 300),
              Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step) {
        SendMouse(Main().LListwa, QEvent::MouseMove, QPoint(3, 3),
                  QPoint(300 + 5 * step, 300 - step), Qt::NoButton, Qt::LeftButton);
    }
    SendMouse(Main().LListwa, QEvent::MouseButtonRelease, QPoint(3, 3), QPoint(320, 296),
              Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Main().pos(), start + QPoint(20, -4));
    EXPECT_EQ(Editor().pos(), Main().pos() + QPoint(14, 51));
    EXPECT_EQ(preview.pos(), QPoint(5, 5)) << "a hidden preview stays where it is";
}

TEST_F(MainWindowTest, HelpOpensTheIndexPageFromF1AndTheHelpArea) {
    QFile page(m_dir.filePath(QStringLiteral("bin/Pomoc/index.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    const QString expected = m_dir.filePath(QStringLiteral("bin/Pomoc/index.htm"));

    QTest::keyClick(&Main(), Qt::Key_F1);
    QTest::mouseClick(Main().LPomoc, Qt::LeftButton);
    QTest::keyClick(Main().LNowyZestaw, Qt::Key_F1);
    EXPECT_EQ(m_opened, (std::vector<QString>{expected, expected, expected}));

    for (const Qt::Key other : {Qt::Key_F2, Qt::Key_Return, Qt::Key_Escape, Qt::Key_N}) {
        QTest::keyClick(&Main(), other);
    }
    EXPECT_EQ(m_opened.size(), 3u);
    EXPECT_TRUE(Main().isVisible());

    Editor().show();
    QTest::keyClick(Editor().LLista, Qt::Key_F1);
    EXPECT_EQ(m_opened.size(), 4u);
    EXPECT_EQ(m_opened.back(), expected);
}

TEST_F(MainWindowTest, AboutOpensOverTheMainWindowAndClosesByItsHotArea) {
    TFAbout& about = m_windows->FAbout();
    QPoint shownAt;
    QRegion shape;
    WhenShown(&about, [&] {
        shownAt = about.pos();
        shape = about.mask();
        QTest::mouseClick(about.LClose, Qt::LeftButton);
    });
    QTest::mouseClick(Main().LAbout, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(shownAt, Main().pos() + QPoint(170, 120));
    EXPECT_EQ(shape, RoundedRegion(400, 287, 6, 6));
    EXPECT_EQ(about.size(), QSize(399, 287));
}

TEST_F(MainWindowTest, BothVersionLinesShowTheProgramsVersionOverTheirPictures) {
    struct Case {
        const QLabel* label;
        const QLabel* picture;
        QRect geometry;
    };
    const std::vector<Case> cases = {
        {Main().LWersja, Main().ImTlo, QRect(529, 546, 100, 17)},
        {m_windows->FAbout().LWersja, m_windows->FAbout().Image1, QRect(0, 202, 399, 18)},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(each.label->text().toStdString(), VersionCaption());
        EXPECT_EQ(each.label->geometry(), each.geometry);
        // Above the background picture, and no obstacle to the mouse.
        const QObjectList& siblings = each.label->parentWidget()->children();
        EXPECT_GT(siblings.indexOf(each.label), siblings.indexOf(each.picture));
        EXPECT_TRUE(each.label->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}

TEST_F(MainWindowTest, BackClosesTheEditorAndKeepsTheCatalogue) {
    PickerAnswers(ExamplesFolder + "/szkola");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    Editor().PozycjeBox->setCurrentIndex(3);

    QTest::mouseClick(Main().ImWstecz, Qt::LeftButton);
    EXPECT_FALSE(Editor().isVisible());
    EXPECT_FALSE(Main().PButWstecz->isVisible());
    EXPECT_EQ(m_state.Catalogue.Count, 76);

    // Shown again, the selector starts at the first kind.
    ListDialogAnswers(ExamplesFolder + "/szkola/szkola.xmp");
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    EXPECT_EQ(Editor().PozycjeBox->currentIndex(), 0);
    EXPECT_EQ(ListedTitles().size(), 16u);
}

// Notes the width of every paint of the progress strip.
class PaintWidths : public QObject {
public:
    std::vector<int> widths;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const int width = static_cast<QWidget*>(watched)->width();
            if (widths.empty() || widths.back() != width) {
                widths.push_back(width);
            }
        }
        return false;
    }
};

TEST_F(MainWindowTest, ProgressStripPaintsEachStepAtOnceAndHides) {
    PaintWidths painted;
    Main().PPostep->installEventFilter(&painted);
    Main().ShowProgressStrip();
    EXPECT_EQ(painted.widths, (std::vector<int>{80, 160, 240, 320, 400, 480}));
    EXPECT_FALSE(Main().PPostep->isVisible());
}

TEST_F(MainWindowTest, WindowsStayPaintedWhileTheProgressStripRuns) {
    PickerAnswers(ExamplesFolder + "/szkola");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor()));
    QCoreApplication::processEvents();
    // The editor asks to be painted again, as when something uncovers it.
    PaintWidths editorPainted;
    Editor().installEventFilter(&editorPainted);
    Editor().update();
    Main().ShowProgressStrip();
    EXPECT_FALSE(editorPainted.widths.empty()) << "painted while the strip ran";
}

TEST_F(MainWindowTest, ClosingEndsTheWorkAndTakesTheCompanionsAlong) {
    PickerAnswers(ExamplesFolder + "/szkola");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    QSignalSpy ended(&Main(), &TFGlowny::workEnded);
    QTest::mouseClick(Main().Lclose, Qt::LeftButton);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(Editor().isVisible());
    EXPECT_TRUE(m_state.FoundReportFiles.empty());
}

TEST_F(MainWindowTest, MinimisingTakesTheEditorAlongAndRestoringBringsItBack) {
    PickerAnswers(ExamplesFolder + "/szkola");
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    Editor().PozycjeBox->setCurrentIndex(2);
    QTest::mouseClick(Main().LMnimize, Qt::LeftButton);
    EXPECT_TRUE(Main().isMinimized());
    EXPECT_TRUE(Editor().isMinimized());
    Main().showNormal();
    EXPECT_FALSE(Editor().isMinimized());
    EXPECT_EQ(Editor().PozycjeBox->currentIndex(), 2) << "restoring is no new showing";
}

TEST(Windows, TheSharedStateShowsMessagesThroughTheMessageBox) {
    QTemporaryDir dir;
    SharedState state;
    {
        Windows windows(state, WorkPlaces{FolderText(dir) + "/notarion", FolderText(dir)},
                        HelpOpener([](const QUrl&) {}));
        ASSERT_TRUE(static_cast<bool>(state.ShowWarning));
        TFWarning& box = windows.FWarning();
        QString shownText;
        WhenShown(&box, [&] {
            shownText = box.LTekstWarning->text();
            QTest::keyClick(&box, Qt::Key_N);
        });
        state.ShowWarning(ModeYesNoCancel, IconQuestion, u"Pytanie?");
        EXPECT_EQ(shownText, QStringLiteral("Pytanie?"));
        EXPECT_EQ(box.MessageResult(), TFWarning::ResultNo);
    }
    EXPECT_FALSE(static_cast<bool>(state.ShowWarning)) << "no sink may outlive the box";
}

// An object whose event handler fails the way a window's handler might.
class FailingReceiver : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            throw Failure("cannot read report file C:\\dane\\1a.xml");
        }
        return QObject::event(event);
    }
};

TEST(NotarionApplication, AnUncaughtErrorIsShownInsteadOfEndingTheProgram) {
    auto* application = qobject_cast<NotarionApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    std::vector<std::string> shown;
    const NotarionApplication::ErrorDisplay previous = application->ShowError;
    application->ShowError = [&shown](const std::string& text) { shown.push_back(text); };
    FailingReceiver receiver;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
    application->ShowError = previous;
    EXPECT_EQ(shown, (std::vector<std::string>{"cannot read report file C:\\dane\\1a.xml"}));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Notarion"));
}

TEST(NotarionApplication, WindowTitlesReachTheWindowManagerAsTheWindowsSetThem) {
    // The X11 and Windows platforms append a display name that the program
    // sets to every title ("Notarion - prezentacja danych — Notarion"); the
    // program sets none, so the display name follows the name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("inna nazwa"));
    const QString displayed = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ(displayed, QStringLiteral("inna nazwa"));
}

} // namespace
} // namespace notarion
