// The list editor's list: the kind selector, reordering by drag and drop,
// adding and removing reports, lines of equal titles and the Alt shortcuts.

#include "ListEditorTestSupport.h"

#include "generate/DocumentSet.h"
#include "platform/QtText.h"
#include "support/Pictures.h"
#include "support/PipeFeeder.h"
#include "ui/KindListBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWindow>

#include <optional>
#include <set>

namespace notarion {
namespace {

using testing::EditorFixture;
using testing::ModalWatcher;
using testing::SendMouse;

// An entry of kind index kind whose title ends in name; its path is made up.
ReportEntry Entry(int kind, const std::string& name) {
    return {KindText(kind) + " - " + name, "/raporty/" + name + ".xml", KindText(kind)};
}

// The last piece of each title ("Klasyfikacja klasy - 3" gives "3").
std::vector<std::string> Names(const std::vector<std::string>& titles) {
    std::vector<std::string> names;
    for (const std::string& title : titles) {
        names.push_back(title.substr(title.rfind(" - ") + 3));
    }
    return names;
}

class ListEditorTest : public EditorFixture {
protected:
    std::vector<std::string> CatalogueNames() const {
        std::vector<std::string> titles;
        for (const ReportEntry& entry : m_state.Catalogue.Slots) {
            titles.push_back(entry.Title);
        }
        return Names(titles);
    }

    // Five reports of kind 0 with two of another kind between them.
    void OpenOnFiveWithOthersBetween() {
        OpenEditorOn({Entry(0, "1"), Entry(3, "a"), Entry(0, "2"), Entry(0, "3"), Entry(3, "b"),
                      Entry(0, "4"), Entry(0, "5")});
    }

    // Drag with the mouse as the user does: press on a line, move with the
    // button held through the given points, release at the last one.
    void DragWithMouse(QPoint from, const std::vector<QPoint>& through) {
        QWidget* viewport = List().viewport();
        SendMouse(viewport, QEvent::MouseButtonPress, from, viewport->mapToGlobal(from),
                  Qt::LeftButton, Qt::LeftButton);
        for (const QPoint& point : through) {
            SendMouse(viewport, QEvent::MouseMove, point, viewport->mapToGlobal(point),
                      Qt::NoButton, Qt::LeftButton);
        }
        const QPoint last = through.empty() ? from : through.back();
        SendMouse(viewport, QEvent::MouseButtonRelease, last, viewport->mapToGlobal(last),
                  Qt::LeftButton, Qt::NoButton);
    }
};

// ------------------------------------------------------------ kind selector

TEST_F(ListEditorTest, KindSelectorShowsNineItemsAndSelectsTheReportFilesKindTexts) {
    // The fifth and the seventh item show longer labels than the kind texts
    // that the report files carry; a report that carries the label is of no kind.
    const std::vector<std::pair<QString, std::string>> expected = {
        {QStringLiteral(u"Klasyfikacja klasy"), "Klasyfikacja klasy"},
        {QStringLiteral(u"Klasyfikacja klasy z zachowania"), "Klasyfikacja klasy z zachowania"},
        {QStringLiteral(u"Uzasadnienie oceny niedostatecznej"),
         "Uzasadnienie oceny niedostatecznej"},
        {QStringLiteral(u"Realizacja programu z przedmiotu nauczania"),
         "Realizacja programu z przedmiotu nauczania"},
        {QStringLiteral(u"Realizacja programu wychowawczego"), "Realizacja programu wychowawczego"},
        {QStringLiteral(u"Realizacja zajęć dodatkowych"), "Realizacja dodatkowych"},
        {QStringLiteral(u"Inne informacje"), "Inne informacje"},
        {QStringLiteral(u"Realizacja zajęć wynikających z karty"), "Z karty"},
        {QStringLiteral(u"Sprawozdanie dyrektora"), "Sprawozdanie dyrektora"},
    };
    std::vector<ReportEntry> entries;
    for (int kind = 0; kind < 9; ++kind) {
        entries.push_back(Entry(kind, "k" + std::to_string(kind)));
    }
    for (const char* label :
         {"Realizacja zajęć dodatkowych", "Realizacja zajęć wynikających z karty"}) {
        const std::string kind = Utf8ToCp1250(label);
        entries.push_back({kind + " - etykieta", "/raporty/etykieta.xml", kind});
    }
    OpenEditorOn(entries);

    ASSERT_EQ(Editor().PozycjeBox->count(), 9);
    for (int index = 8; index >= 0; --index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(Editor().PozycjeBox->itemText(index), expected[index].first);
        Editor().PozycjeBox->setCurrentIndex(index);
        ASSERT_EQ(List().ItemCount(), 1);
        EXPECT_EQ(List().ItemText(0),
                  Utf8ToCp1250(expected[index].second) + " - k" + std::to_string(index));
        EXPECT_EQ(List().SelectedPosition(), 0) << "the first line is selected after a refill";
    }
}

TEST_F(ListEditorTest, KindWithoutReportsEmptiesTheListWithNothingSelected) {
    OpenEditorOn({Entry(0, "1"), Entry(0, "2")});
    Editor().PozycjeBox->setCurrentIndex(6);
    EXPECT_EQ(List().ItemCount(), 0);
    EXPECT_EQ(List().SelectedPosition(), -1);
    Editor().PozycjeBox->setCurrentIndex(0);
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"1", "2"}));
}

TEST_F(ListEditorTest, TheArrowHotAreaDropsTheKindListDown) {
    OpenEditorOn({Entry(0, "1")});
    QTest::mouseClick(Editor().LRozwinBox, Qt::LeftButton);
    EXPECT_TRUE(Editor().PozycjeBox->view()->isVisible());
    Editor().PozycjeBox->hidePopup();
}

// ---------------------------------------------------------- drag and drop

struct DragCase {
    const char* Name;
    int FromLine;
    int ToLine; // -1: below the last line
    std::vector<std::string> ListAfter;
    std::vector<std::string> CatalogueAfter;
};

TEST_F(ListEditorTest, DropMovesTheLineAndItsEntryKeepingOtherKindsInOrder) {
    const std::vector<DragCase> cases = {
        {"third onto first", 2, 0, {"3", "1", "2", "4", "5"}, {"3", "1", "a", "2", "b", "4", "5"}},
        {"first onto third", 0, 2, {"2", "3", "1", "4", "5"}, {"a", "2", "3", "1", "b", "4", "5"}},
        {"second below the last",
         1,
         -1,
         {"1", "3", "4", "5", "2"},
         {"1", "a", "3", "b", "4", "5", "2"}},
        {"fourth onto itself",
         3,
         3,
         {"1", "2", "3", "4", "5"},
         {"1", "a", "2", "3", "b", "4", "5"}},
    };
    for (const DragCase& test : cases) {
        SCOPED_TRACE(test.Name);
        OpenOnFiveWithOthersBetween();
        const QPoint target = test.ToLine < 0 ? BelowLastLine() : LinePoint(test.ToLine);
        Editor().LListaMouseDown(LinePoint(test.FromLine));
        Editor().LListaDragOver(target);
        Editor().LListaDragDrop(target);
        EXPECT_EQ(Names(ListedTitles()), test.ListAfter);
        EXPECT_EQ(CatalogueNames(), test.CatalogueAfter);
        EXPECT_EQ(List().SelectedPosition(), test.ToLine < 0 ? 4 : test.ToLine);
        EXPECT_EQ(m_state.Catalogue.Count, 7);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ListEditorTest, MouseDragSelectsTheLineUnderTheCursorAndDropsThere) {
    OpenOnFiveWithOthersBetween();
    const QPoint from = LinePoint(2);
    QWidget* viewport = List().viewport();
    SendMouse(viewport, QEvent::MouseButtonPress, from, viewport->mapToGlobal(from), Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_EQ(Editor().DragFromPoint(), from);
    EXPECT_EQ(List().SelectedPosition(), 2);

    SendMouse(viewport, QEvent::MouseMove, LinePoint(1), viewport->mapToGlobal(LinePoint(1)),
              Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(List().Dragging());
    EXPECT_EQ(List().SelectedPosition(), 1);
    SendMouse(viewport, QEvent::MouseMove, BelowLastLine(), viewport->mapToGlobal(BelowLastLine()),
              Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(List().SelectedPosition(), -1) << "below the last line nothing is selected";
    SendMouse(viewport, QEvent::MouseMove, LinePoint(0), viewport->mapToGlobal(LinePoint(0)),
              Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseButtonRelease, LinePoint(0),
              viewport->mapToGlobal(LinePoint(0)), Qt::LeftButton, Qt::NoButton);

    EXPECT_FALSE(List().Dragging());
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"3", "1", "2", "4", "5"}));
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"3", "1", "a", "2", "b", "4", "5"}));
    EXPECT_EQ(List().SelectedPosition(), 0);

    // Dropped below the last line, the line goes to the end.
    DragWithMouse(LinePoint(0), {LinePoint(2), BelowLastLine()});
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"1", "2", "4", "5", "3"}));
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"1", "a", "2", "b", "4", "5", "3"}));
}

TEST_F(ListEditorTest, DragsThatDropNothingChangeNothing) {
    const std::vector<std::string> listBefore = {"1", "2", "3", "4", "5"};
    const std::vector<std::string> catalogueBefore = {"1", "a", "2", "3", "b", "4", "5"};
    struct Case {
        const char* Name;
        std::function<void()> Drag;
    };
    const std::vector<Case> cases = {
        {"released outside the list",
         [&] {
             DragWithMouse(LinePoint(2), {LinePoint(0), QPoint(-40, LinePoint(0).y())});
         }},
        {"pressed below the last line",
         [&] {
             DragWithMouse(BelowLastLine(), {LinePoint(3), LinePoint(0)});
         }},
        {"moved less than the drag distance",
         [&] { DragWithMouse(LinePoint(2), {LinePoint(2) + QPoint(0, 2)}); }},
        {"cancelled with Esc",
         [&] {
             QWidget* viewport = List().viewport();
             SendMouse(viewport, QEvent::MouseButtonPress, LinePoint(2),
                       viewport->mapToGlobal(LinePoint(2)), Qt::LeftButton, Qt::LeftButton);
             SendMouse(viewport, QEvent::MouseMove, LinePoint(0),
                       viewport->mapToGlobal(LinePoint(0)), Qt::NoButton, Qt::LeftButton);
             QTest::keyClick(&List(), Qt::Key_Escape);
             SendMouse(viewport, QEvent::MouseButtonRelease, LinePoint(0),
                       viewport->mapToGlobal(LinePoint(0)), Qt::LeftButton, Qt::NoButton);
         }},
        {"handler drop after a press on no line",
         [&] {
             Editor().LListaMouseDown(BelowLastLine());
             Editor().LListaDragDrop(LinePoint(0));
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Name);
        OpenOnFiveWithOthersBetween();
        test.Drag();
        EXPECT_FALSE(List().Dragging());
        EXPECT_EQ(Names(ListedTitles()), listBefore);
        EXPECT_EQ(CatalogueNames(), catalogueBefore);
    }
}

TEST_F(ListEditorTest, EmptyListIgnoresPressesAndDrops) {
    OpenEditorOn({Entry(0, "1"), Entry(3, "a")});
    Editor().LListaMouseDown(LinePoint(0));
    Editor().PozycjeBox->setCurrentIndex(5);
    ASSERT_EQ(List().ItemCount(), 0);
    Editor().LListaMouseDown(QPoint(100, 100));
    EXPECT_NE(Editor().DragFromPoint(), QPoint(100, 100));
    Editor().LListaDragOver(QPoint(5, 5));
    Editor().LListaDragDrop(QPoint(5, 5));
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"1", "a"}));
}

// ------------------------------------------------------------ equal titles

// Two reports with the same title and one other, in the order
// first, other, second.
struct EqualTitles {
    ReportEntry First = Entry(0, "1a - Nowak");
    ReportEntry Second = First;
    ReportEntry Other = Entry(0, "1b - Lis");
    EqualTitles() {
        First.Path = "/raporty/pierwszy.xml";
        Second.Path = "/raporty/drugi.xml";
    }
    std::vector<ReportEntry> Entries() const { return {First, Other, Second}; }
};

// Every line acts on its own report, so the list and the catalogue never
// disagree about the order.
TEST_F(ListEditorTest, EqualTitlesEachLineMovesItsOwnReport) {
    const EqualTitles set;
    const std::string& title = set.First.Title;

    OpenEditorOn(set.Entries());
    Editor().LListaMouseDown(LinePoint(2));
    Editor().LListaDragDrop(LinePoint(1));
    EXPECT_EQ(ListedTitles(), (std::vector<std::string>{title, title, set.Other.Title}));
    EXPECT_EQ(CataloguePaths(),
              (std::vector<std::string>{set.First.Path, set.Second.Path, set.Other.Path}));

    OpenEditorOn(set.Entries());
    Editor().LListaMouseDown(LinePoint(0));
    Editor().LListaDragDrop(LinePoint(2));
    EXPECT_EQ(ListedTitles(), (std::vector<std::string>{set.Other.Title, title, title}));
    EXPECT_EQ(CataloguePaths(),
              (std::vector<std::string>{set.Other.Path, set.Second.Path, set.First.Path}));
}

TEST_F(ListEditorTest, EqualTitlesRemovingTheSecondLineRemovesTheSecondReport) {
    const EqualTitles set;
    OpenEditorOn(set.Entries());
    List().setCurrentRow(2);
    Editor().RemoveSelected();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{set.First.Path, set.Other.Path}));
    EXPECT_EQ(ListedTitles(), (std::vector<std::string>{set.First.Title, set.Other.Title}));
}

TEST_F(ListEditorTest, EqualTitlesPreviewOfTheSecondLineShowsTheSecondReport) {
    const std::string firstPath =
        WriteReport("pierwszy.xml", testing::ClassReportXml("1a", "Nowak", "987"));
    const std::string secondPath =
        WriteReport("drugi.xml", testing::ClassReportXml("1a", "Nowak", "654"));
    ASSERT_TRUE(LoadCatalogue(m_state.Catalogue, {firstPath, secondPath}, m_state.ShowWarning));
    FillKindList(m_state.Catalogue, List(), 0);
    Editor().show();
    ASSERT_EQ(List().ItemCount(), 2);
    ASSERT_EQ(List().ItemText(0), List().ItemText(1));

    const std::string preview = m_state.TempFolder + "Temp.htm";
    for (int line : {1, 0}) {
        SCOPED_TRACE(line);
        ModalWatcher<TFBrowserMini> watcher;
        List().setCurrentRow(line);
        Editor().PreviewSelected();
        EXPECT_EQ(watcher.Seen(), 1);
        const std::string page = ReadWholeFile(preview);
        EXPECT_NE(page.find(line == 1 ? "654" : "987"), std::string::npos);
        EXPECT_EQ(page.find(line == 1 ? "987" : "654"), std::string::npos);
    }
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_state.Catalogue.Count, 2);
}

// ------------------------------------------------------------ remove, add

TEST_F(ListEditorTest, RemovingTakesTheSelectedReportOutAndLeavesItsFile) {
    const std::string path = WriteReport("1b.xml", testing::ClassReportXml("1b", "Lis"));
    ReportEntry kept = Entry(0, "1a");
    ReportEntry removed = Entry(0, "1b");
    removed.Path = path;
    OpenEditorOn({kept, Entry(3, "a"), removed});
    List().setCurrentRow(1);

    QTest::mouseClick(Editor().LUsunPlik, Qt::LeftButton);
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"1a", "a"}));
    EXPECT_EQ(m_state.Catalogue.Count, 2);
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"1a"}));
    EXPECT_EQ(List().SelectedPosition(), 0);
    EXPECT_TRUE(FileExists(path));

    // Nothing selected: nothing is removed and nothing is said.
    List().clearSelection();
    QTest::mouseClick(Editor().LUsunPlik, Qt::LeftButton);
    EXPECT_EQ(m_state.Catalogue.Count, 2);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ListEditorTest, AddedFilesGoAfterAllSlotsAndTheSameFileTwiceGivesTwoEntries) {
    const std::string one = WriteReport("1c.xml", testing::ClassReportXml("1c", "Wrona"));
    const std::string two = WriteReport("2c.xml", testing::BehaviourReportXml("2c", "Sowa", "Ola"));
    std::vector<const FileDialog*> runs;
    std::string initialDir;
    Editor().OpenDodatkowe.Run = [&](const FileDialog& dialog) {
        runs.push_back(&dialog);
        initialDir = dialog.InitialDir;
        return std::optional(std::vector<std::string>{one, two, one});
    };
    // An empty slot as the ordering leaves one behind a report of no kind.
    OpenEditorOn({Entry(1, "1a"), Entry(0, "1a"), ReportEntry{}});
    Editor().PozycjeBox->setCurrentIndex(0);

    QTest::mouseClick(Editor().LDodajPlik, Qt::LeftButton);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]->Filter, "Plik sprawozdania (*.xml)|*.xml");
    EXPECT_TRUE(runs[0]->Title.empty());
    EXPECT_EQ(runs[0]->AllowSelect, FileDialog::Selection::Multiple);
    EXPECT_EQ(initialDir, DocumentsFolder());
    EXPECT_EQ(m_state.FoundReportFiles, (std::vector<std::string>{one, two, one}));
    EXPECT_EQ(CataloguePaths(),
              (std::vector<std::string>{"/raporty/1a.xml", "/raporty/1a.xml", "", one, two, one}));
    EXPECT_EQ(m_state.Catalogue.Count, 6);
    const std::string title = KindText(0) + " - 1c - Wrona";
    EXPECT_EQ(ListedTitles(), (std::vector<std::string>{KindText(0) + " - 1a", title, title}));
    EXPECT_TRUE(m_messages.empty());

    // A folder the user moved to stays the dialog's starting folder.
    Editor().OpenDodatkowe.InitialDir = m_reportFolder;
    Editor().OpenDodatkowe.Run = [&](const FileDialog& dialog) {
        initialDir = dialog.InitialDir;
        return std::optional<std::vector<std::string>>();
    };
    QTest::keyClick(&List(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(initialDir, m_reportFolder);
    EXPECT_EQ(m_state.Catalogue.Count, 6) << "cancelling adds nothing";
}

TEST_F(ListEditorTest, UnreadableAddedFileIsNamedAndTheFilesBeforeItStayListed) {
    const std::string good = WriteReport("1c.xml", testing::ClassReportXml("1c", "Wrona"));
    const std::string later = WriteReport("1d.xml", testing::ClassReportXml("1d", "Kos"));
    // A file that exists but refuses every read: a link to the process's memory.
    const std::string unreadable = m_reportFolder + "/zly.xml";
    std::filesystem::create_symlink("/proc/self/mem", PathFromText(unreadable));
    Editor().OpenDodatkowe.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{good, unreadable, later});
    };
    OpenEditorOn({Entry(0, "1a")});

    Editor().AddReportFiles();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
    EXPECT_EQ(m_messages[0].Icon, 1);
    EXPECT_EQ(m_messages[0].Text, DamagedFileMessage(unreadable));
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{"/raporty/1a.xml", good}));
    EXPECT_EQ(m_state.Catalogue.Count, 2);
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"1a", "Wrona"}));
}

TEST_F(ListEditorTest, AddedFileThatCannotBeOpenedByItsNameIsNamedNotAddedEmpty) {
    const std::string good = WriteReport("1c.xml", testing::ClassReportXml("1c", "Wrona"));
    // What a name with letters outside the code page, or a folder, becomes:
    // a path that opens no file.
    const std::string questionMarks = m_reportFolder + "/1d_?.xml";
    const std::string folder = m_reportFolder + "/katalog.xml";
    ASSERT_TRUE(CreateSingleDirectory(folder));
    for (const std::string& unopenable : {questionMarks, folder}) {
        m_messages.clear();
        Editor().OpenDodatkowe.Run = [&](const FileDialog&) {
            return std::optional(std::vector<std::string>{good, unopenable});
        };
        OpenEditorOn({Entry(0, "1a")});
        Editor().AddReportFiles();
        ASSERT_EQ(m_messages.size(), 1u) << unopenable;
        // A name that opens nothing leaves nothing to mend.
        EXPECT_EQ(m_messages[0].Mode, ModeClose) << unopenable;
        EXPECT_EQ(m_messages[0].Text, DamagedFileMessage(unopenable));
        EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{"/raporty/1a.xml", good}));
        EXPECT_EQ(m_state.Catalogue.Count, 2);
    }
}

TEST_F(ListEditorTest, AddedXmlThatIsNoReportIsRefusedByNameAndNothingIsSaved) {
    const std::string good = WriteReport("1c.xml", testing::ClassReportXml("1c", "Wrona"));
    const std::vector<std::pair<std::string, std::string>> noReports = {
        {"notatka.xml", "<Notatka><Tresc>zebranie</Tresc></Notatka>"},
        {"inny.xml", "<Szkola><Doc>Sprawozdanie z wycieczki</Doc></Szkola>"},
    };
    for (const auto& [name, xml] : noReports) {
        const std::string path = WriteReport(name, xml);
        m_messages.clear();
        OpenEditorOn({Entry(0, "1a")});
        Editor().OpenDodatkowe.Run = [&](const FileDialog&) {
            return std::optional(std::vector<std::string>{path, good});
        };
        Editor().AddReportFiles();
        ASSERT_EQ(m_messages.size(), 1u) << name;
        EXPECT_EQ(m_messages[0].Text,
                  u"Plik: " + Cp1250ToUtf16(path) +
                      u" nie jest sprawozdaniem żadnego ze znanych rodzajów.\rNie dodano go do "
                      u"listy.");
        EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{"/raporty/1a.xml", good}));
        EXPECT_EQ(m_state.Catalogue.Count, 2);
    }
    // Only a file that is no report: nothing is added, nothing to save.
    Editor().hide();
    OpenEditorOn({Entry(0, "1a")});
    Editor().OpenDodatkowe.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{m_reportFolder + "/notatka.xml"});
    };
    Editor().AddReportFiles();
    EXPECT_EQ(CataloguePaths(), std::vector<std::string>{"/raporty/1a.xml"});
    int asked = 0;
    Editor().SetQuestion([&](const std::u16string&) { return ++asked, TFWarning::ResultNo; });
    Editor().close();
    EXPECT_EQ(asked, 0) << "the list did not change";
}

// -------------------------------------------------------------- shortcuts

// Which of the five operations ran, seen from their traces: the add dialog
// ran (D), a report was removed (U), the preview failed on its missing
// report (P), the save dialog ran (Z), the set failed for want of a folder (G).
class ShortcutTest : public ListEditorTest {
protected:
    void SetUp() override {
        ListEditorTest::SetUp();
        Editor().OpenDodatkowe.Run = [this](const FileDialog&) {
            ++m_addRuns;
            return std::optional<std::vector<std::string>>();
        };
        Editor().SaveLista.Run = [this](const FileDialog&) {
            ++m_saveRuns;
            return std::optional<std::vector<std::string>>();
        };
    }

    void Reset() {
        m_addRuns = 0;
        m_saveRuns = 0;
        m_messages.clear();
        OpenEditorOn({Entry(0, "1"), Entry(0, "2")});
        m_state.LastReportFolder = m_reportFolder + "/brak/glebiej";
    }

    std::string OperationsRun() const {
        std::string ran;
        if (m_addRuns > 0)
            ran += 'D';
        if (m_state.Catalogue.Count < 2)
            ran += 'U';
        for (const testing::RecordedMessage& message : m_messages) {
            if (message.Text.rfind(PreviewFailureMessage(), 0) == 0)
                ran += 'P';
        }
        if (m_saveRuns > 0)
            ran += 'Z';
        for (const testing::RecordedMessage& message : m_messages) {
            if (message.Text.rfind(ProtocolsFailureMessage(), 0) == 0)
                ran += 'G';
        }
        return ran;
    }

    int m_addRuns = 0;
    int m_saveRuns = 0;
};

TEST_F(ShortcutTest, AltLetterRunsItsOperationOnlyWithAltAlone) {
    const std::vector<std::pair<Qt::Key, char>> letters = {
        {Qt::Key_D, 'D'}, {Qt::Key_U, 'U'}, {Qt::Key_P, 'P'}, {Qt::Key_Z, 'Z'}, {Qt::Key_G, 'G'}};
    const std::vector<std::pair<const char*, Qt::KeyboardModifiers>> modifiers = {
        {"Alt", Qt::AltModifier},
        {"Shift+Alt", Qt::AltModifier | Qt::ShiftModifier},
        {"Ctrl+Alt", Qt::AltModifier | Qt::ControlModifier},
        {"Ctrl", Qt::ControlModifier},
        {"none", Qt::NoModifier},
    };
    for (const auto& [key, letter] : letters) {
        for (const auto& [name, held] : modifiers) {
            for (QWidget* focus :
                 {static_cast<QWidget*>(&List()), static_cast<QWidget*>(Editor().PozycjeBox)}) {
                SCOPED_TRACE(std::string(name) + "+" + letter + " on " +
                             focus->metaObject()->className());
                Reset();
                QTest::keyClick(focus, key, held);
                const bool altAlone = held == Qt::AltModifier;
                EXPECT_EQ(OperationsRun(), altAlone ? std::string(1, letter) : std::string());
            }
        }
    }
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(ShortcutTest, F1OpensTheHelpIndexAndOtherKeysDoNothing) {
    Reset();
    QTest::keyClick(&List(), Qt::Key_F1);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], QStringFromCp1250(m_appFolder) + QStringLiteral(u"Pomoc/index.htm"));
    QTest::keyClick(&List(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(OperationsRun(), "");
}

// ------------------------------------------------------------ row height

TEST_F(ListEditorTest, RowsAreTallEnoughForTheAccentsOfPolishCapitals) {
    OpenEditorOn({Entry(0, "Ćwiek"), Entry(0, "Śliwińska"), Entry(0, "Żądło Óskar Ń")});
    const QFontMetrics metrics(List().font());
    for (const QString& capitals :
         {QStringLiteral(u"Ą"), QStringLiteral(u"Ć"), QStringLiteral(u"Ę"), QStringLiteral(u"Ł"),
          QStringLiteral(u"Ń"), QStringLiteral(u"Ó"), QStringLiteral(u"Ś"), QStringLiteral(u"Ź"),
          QStringLiteral(u"Ż")}) {
        const QRect ink = metrics.tightBoundingRect(capitals);
        for (int line = 0; line < List().count(); ++line) {
            const QRect row = List().visualItemRect(List().item(line));
            // The line's text is centred on the row by the font's height.
            const int baseline =
                row.top() + (row.height() - metrics.height()) / 2 + metrics.ascent();
            EXPECT_GE(baseline + ink.top(), row.top())
                << capitals.toStdString() << " loses its accent";
            EXPECT_LE(baseline + ink.bottom(), row.bottom()) << capitals.toStdString();
        }
    }
    EXPECT_GE(List().RowHeight(), KindListBox::ItemHeight);
    // Larger fonts (as with 2x scaling of the text) get taller rows too.
    QFont large = List().font();
    large.setPixelSize(26);
    EXPECT_GE(KindListBox::RowHeightFor(large), QFontMetrics(large).height());
}

TEST(KindListBox, ATitleWithMarkupIsShownAsTextInItsToolTip) {
    QTemporaryDir folder;
    const std::string pipePath = folder.filePath(QStringLiteral("potok.png")).toStdString();
    const testing::PipeFeeder pipe(pipePath, testing::TallPicturePng());
    KindListBox list(nullptr);
    const std::string title = "Klasa <img src=\"" + pipePath + "\">";
    list.AddItem(title);
    QToolTip::showText(QPoint(10, 10), list.item(0)->toolTip(), &list);
    QToolTip::hideText();
    EXPECT_NE(list.item(0)->toolTip().indexOf(QStringLiteral("&lt;img")), -1);
    EXPECT_FALSE(pipe.Opened()) << "the pipe was opened";
}

// ------------------------------------------------------ keys and leaving

TEST_F(ListEditorTest, DeleteAndAltArrowsRemoveAndMoveTheSelectedReportWithinItsKind) {
    struct Case {
        int Selected;
        Qt::Key Key;
        Qt::KeyboardModifiers Held;
        std::vector<std::string> Listed;
        std::vector<std::string> Catalogue;
    };
    const std::vector<Case> cases = {
        {2,
         Qt::Key_Up,
         Qt::AltModifier,
         {"1", "3", "2", "4", "5"},
         {"1", "a", "3", "2", "b", "4", "5"}},
        {2,
         Qt::Key_Down,
         Qt::AltModifier,
         {"1", "2", "4", "3", "5"},
         {"1", "a", "2", "b", "4", "3", "5"}},
        {0,
         Qt::Key_Up,
         Qt::AltModifier,
         {"1", "2", "3", "4", "5"},
         {"1", "a", "2", "3", "b", "4", "5"}},
        {4,
         Qt::Key_Down,
         Qt::AltModifier,
         {"1", "2", "3", "4", "5"},
         {"1", "a", "2", "3", "b", "4", "5"}},
        {2,
         Qt::Key_Up,
         Qt::ControlModifier | Qt::AltModifier,
         {"1", "2", "3", "4", "5"},
         {"1", "a", "2", "3", "b", "4", "5"}},
        {1, Qt::Key_Delete, Qt::NoModifier, {"1", "3", "4", "5"}, {"1", "a", "3", "b", "4", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Key << " on line " << c.Selected);
        Editor().hide(); // each case opens the set afresh
        OpenOnFiveWithOthersBetween();
        List().setCurrentRow(c.Selected);
        QTest::keyClick(&List(), c.Key, c.Held);
        EXPECT_EQ(Names(ListedTitles()), c.Listed);
        EXPECT_EQ(CatalogueNames(), c.Catalogue);
        const std::vector<std::string> unchanged = {"1", "2", "3", "4", "5"};
        EXPECT_EQ(Editor().Unsaved(), c.Listed != unchanged);
    }
}

TEST_F(ListEditorTest, DeleteLeavesTheSelectionAtTheSamePlace) {
    OpenOnFiveWithOthersBetween();
    for (const auto& [line, after] : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {2, 1}}) {
        List().setCurrentRow(line);
        QTest::keyClick(&List(), Qt::Key_Delete);
        EXPECT_EQ(List().SelectedPosition(), after) << "deleting line " << line;
    }
}

TEST_F(ListEditorTest, OrderingByClassSortsEveryKindMarksTheListAndCtrlZTakesItBack) {
    // Class 4d was found first; the other kind has its own order.
    OpenEditorOn({Entry(0, "4d - D"), Entry(1, "2a - Y"), Entry(0, "1a - A"), Entry(1, "1a - X"),
                  Entry(0, "10a - C"), Entry(0, "2b - B")});
    const std::vector<std::string> found = {"D", "Y", "A", "X", "C", "B"};
    const std::vector<std::string> ordered = {"A", "X", "B", "Y", "D", "C"};
    QTest::mouseClick(Editor().LUporzadkuj, Qt::LeftButton);
    EXPECT_EQ(CatalogueNames(), ordered);
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"A", "B", "D", "C"}));
    EXPECT_TRUE(Editor().Unsaved());

    QTest::keyClick(&List(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CatalogueNames(), found);
    EXPECT_EQ(Names(ListedTitles()), (std::vector<std::string>{"D", "A", "C", "B"}));
    EXPECT_FALSE(Editor().Unsaved());
    QTest::keyClick(&List(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CatalogueNames(), found) << "only one step back";

    // Alt+K orders too; a change after the ordering is not undone with it.
    QTest::keyClick(&List(), Qt::Key_K, Qt::AltModifier);
    EXPECT_EQ(CatalogueNames(), ordered);
    List().setCurrentRow(0);
    QTest::keyClick(&List(), Qt::Key_Down, Qt::AltModifier);
    const std::vector<std::string> moved = CatalogueNames();
    QTest::keyClick(&List(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CatalogueNames(), moved);
    EXPECT_TRUE(Editor().Unsaved());
}

TEST_F(ListEditorTest, ClosingFromTheWindowManagerActsAsTheBackButton) {
    OpenOnFiveWithOthersBetween();
    ASSERT_TRUE(Main().PButWstecz->isVisible());
    Editor().windowHandle()->close();
    EXPECT_FALSE(Editor().isVisible());
    EXPECT_FALSE(Main().PButWstecz->isVisible());
    EXPECT_TRUE(m_questions.empty()) << "an unchanged list closes without a question";
}

TEST_F(ListEditorTest, LeavingAChangedListAsksOnceWhetherToSaveIt) {
    const std::string target = m_reportFolder + "/zmieniona.xmp";
    enum class Way { Back, WindowManager, ProgramClose };
    struct Case {
        Way By;
        int Answer;
        bool SaveChosen; // the save dialog is answered with a name
        bool StaysOpen;
        bool Saved;
    };
    const Case cases[] = {
        {Way::Back, TFWarning::ResultYes, true, false, true},
        {Way::Back, TFWarning::ResultYes, false, true, false},
        {Way::Back, TFWarning::ResultNo, true, false, false},
        {Way::Back, TFWarning::ResultCancel, true, true, false},
        {Way::WindowManager, TFWarning::ResultCancel, true, true, false},
        {Way::WindowManager, TFWarning::ResultYes, true, false, true},
        {Way::ProgramClose, TFWarning::ResultCancel, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.By) << " answered " << c.Answer);
        QFile::remove(QStringFromCp1250(target));
        m_questions.clear();
        m_answer = c.Answer;
        Editor().SaveLista.Run = [&](const FileDialog&) {
            return c.SaveChosen ? std::optional(std::vector<std::string>{target}) : std::nullopt;
        };
        OpenOnFiveWithOthersBetween();
        List().setCurrentRow(3);
        QTest::keyClick(&List(), Qt::Key_Up, Qt::AltModifier);
        switch (c.By) {
        case Way::Back:
            QTest::mouseClick(Main().ImWstecz, Qt::LeftButton);
            break;
        case Way::WindowManager:
            Editor().windowHandle()->close();
            break;
        case Way::ProgramClose:
            QTest::mouseClick(Main().Lclose, Qt::LeftButton);
            EXPECT_TRUE(Main().isVisible());
            break;
        }
        EXPECT_EQ(m_questions.size(), 1u);
        EXPECT_EQ(Editor().isVisible(), c.StaysOpen);
        EXPECT_EQ(Main().PButWstecz->isVisible(), c.StaysOpen);
        EXPECT_EQ(FileExists(target), c.Saved);
        if (c.StaysOpen) {
            // Once saved, the editor closes without asking again.
            m_questions.clear();
            Editor().SaveLista.Run = [&](const FileDialog&) {
                return std::optional(std::vector<std::string>{target});
            };
            Editor().SaveListFile();
            QTest::mouseClick(Main().ImWstecz, Qt::LeftButton);
            EXPECT_TRUE(m_questions.empty());
            EXPECT_FALSE(Editor().isVisible());
        }
    }
}

// ----------------------------------------------------------------- caption

TEST_F(ListEditorTest, CaptionInsideTheListNeitherShowsBesideItNorTakesItsClicks) {
    std::vector<ReportEntry> many;
    for (int i = 0; i < 30; ++i) {
        many.push_back(Entry(0, std::to_string(100 + i)));
    }
    OpenEditorOn(many);
    const QRect caption = Editor().LKKoncoworoczna->geometry();
    const QRect list = List().geometry();
    EXPECT_TRUE(list.contains(caption)) << "the caption's end would show beside the list";

    // A line under the caption is pressed like any other.
    QWidget* hit = Editor().PTlo->childAt(caption.center());
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(hit == &List() || List().isAncestorOf(hit));
    const QPoint inList = List().viewport()->mapFrom(Editor().PTlo, caption.center());
    const int line = List().PositionAt(inList);
    ASSERT_GE(line, 0);
    QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, inList);
    EXPECT_EQ(List().SelectedPosition(), line);
}

} // namespace
} // namespace notarion
