// The list editor's commands that leave the window: the preview of one
// report, saving the list file and generating the document set.

#include "ListEditorTestSupport.h"

#include "generate/DocumentSet.h"
#include "reports/ListFile.h"
#include "system/AtomicFile.h"

#include <QDir>
#include <QEvent>
#include <QFile>

#include <optional>

namespace notarion {
namespace {

using testing::EditorFixture;
using testing::FolderText;
using testing::ModalWatcher;
using testing::SendMouse;

bool RemoveFile(const std::string& path) {
    return QFile::remove(QStringFromCp1250(path));
}

const std::u16string NoSelection = u"Jeśli chcesz zobaczyć podgląd, zaznacz którąś z pozycji.";
const std::u16string NothingToSave = u"Nie można utworzyć listy, gdyż brak jest sprawozdań.";
// The system's reason, not a guess at the permissions.
const std::u16string NotWritten = u"Wystąpiły problemy z zapisem pliku.\rFolder nie istnieje.";

// Counts how often a widget was shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int Shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++Shows;
        return false;
    }
};

class ListEditorCommandsTest : public EditorFixture {
protected:
    // A small set of three good reports in the report folder, loaded as the
    // new-set path loads it, with that folder as the last report folder.
    void OpenOnGoodSet() {
        m_paths = {
            WriteReport("1a.xml", testing::ClassReportXml("1a", "Nowak", "21")),
            WriteReport("1b.xml", testing::ClassReportXml("1b", "Lis", "22")),
            WriteReport("1a_z.xml", testing::BehaviourReportXml("1a", "Nowak", "Ewa Zając"))};
        ASSERT_TRUE(LoadCatalogue(m_state.Catalogue, m_paths, m_state.ShowWarning));
        m_state.LastReportFolder = m_reportFolder;
        FillKindList(m_state.Catalogue, List(), 0);
        Editor().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor()));
    }

    // The documents of the set that exist in folder, by file name.
    static std::vector<std::string> DocumentsIn(const std::string& folder) {
        std::vector<std::string> present;
        for (const DocumentInfo& document : DocumentTable()) {
            if (FileExists(DocumentPath(folder, document.FileName)))
                present.push_back(document.FileName);
        }
        return present;
    }

    static std::vector<std::string> AllDocuments() {
        std::vector<std::string> names;
        for (const DocumentInfo& document : DocumentTable())
            names.push_back(document.FileName);
        return names;
    }

    std::vector<std::string> m_paths;
};

// ----------------------------------------------------------------- preview

TEST_F(ListEditorCommandsTest, PreviewOpensTheWrittenPageFromEachOfItsTriggers) {
    OpenOnGoodSet();
    const std::string preview = m_state.TempFolder + "Temp.htm";
    struct Trigger {
        const char* Name;
        std::function<void()> Run;
    };
    const std::vector<Trigger> triggers = {
        {"hot area", [&] { QTest::mouseClick(Editor().LPodglond, Qt::LeftButton); }},
        {"Alt+P", [&] { QTest::keyClick(&List(), Qt::Key_P, Qt::AltModifier); }},
        {"double click",
         [&] {
             const QPoint line = List().visualItemRect(List().item(1)).center();
             QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, line);
             // The preview opens and closes inside the double click, and Qt
             // still counts the button as held afterwards: let go of it as
             // the user's hand would, or later tests find it held (and Alt
             // commands are refused while a button is held).
             QTest::mouseRelease(List().viewport(), Qt::LeftButton, Qt::NoModifier, line);
         }},
    };
    for (const Trigger& trigger : triggers) {
        SCOPED_TRACE(trigger.Name);
        RemoveFile(preview);
        std::string shownPath;
        QString caption;
        ModalWatcher<TFBrowserMini> watcher([&](TFBrowserMini* window) {
            shownPath = window->WebBrowser->DocumentPath();
            caption = window->LTytul->text();
        });
        trigger.Run();
        EXPECT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
        EXPECT_EQ(watcher.Seen(), 1);
        EXPECT_EQ(shownPath, preview);
        EXPECT_EQ(caption, QStringLiteral("Podgląd sprawozdania"));
        EXPECT_TRUE(FileExists(preview));
    }
    // The double click previewed the line it selected.
    EXPECT_NE(ReadWholeFile(preview).find(" Lis<"), std::string::npos);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ListEditorCommandsTest, CheckSetShowsItsPageWhoseFileLinkSelectsTheReport) {
    OpenOnGoodSet();
    const std::string page = m_state.TempFolder + "Sprawdzenie.htm";
    int entryOf1b = -1;
    for (std::size_t i = 0; i < m_state.Catalogue.Slots.size(); ++i) {
        if (m_state.Catalogue.Slots[i].Path == m_paths[1])
            entryOf1b = static_cast<int>(i);
    }
    ASSERT_GE(entryOf1b, 0);
    for (const bool byKey : {true, false}) {
        SCOPED_TRACE(byKey ? "Alt+S" : "hot area");
        // Another kind is shown and another line selected before the link.
        Editor().PozycjeBox->setCurrentIndex(1);
        std::string shownPath;
        QString caption;
        ModalWatcher<TFBrowserMini> watcher([&](TFBrowserMini* window) {
            shownPath = window->WebBrowser->DocumentPath();
            caption = window->LTytul->text();
            emit window->WebBrowser->anchorClicked(
                QUrl(QStringLiteral("pozycja:%1").arg(entryOf1b)));
        });
        if (byKey)
            QTest::keyClick(&List(), Qt::Key_S, Qt::AltModifier);
        else
            QTest::mouseClick(Editor().LSprawdzZestaw, Qt::LeftButton);
        EXPECT_EQ(watcher.Seen(), 1);
        EXPECT_EQ(shownPath, page);
        EXPECT_EQ(caption, QStringLiteral("Sprawdzenie zestawu"));
        EXPECT_EQ(Editor().PozycjeBox->currentIndex(), 0);
        ASSERT_GE(List().SelectedPosition(), 0);
        EXPECT_EQ(List().ItemText(List().SelectedPosition()),
                  m_state.Catalogue.Slots[entryOf1b].Title);
    }
    // Class 1b has only its class report, 1a lacks its tutor's report.
    const std::string bytes = ReadWholeFile(page);
    EXPECT_NE(bytes.find(Cp1250FromQString(QStringLiteral(u"<b>Błędy: 0, ostrzeżenia: 3.</b>"))),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("<a href=\"pozycja:" + std::to_string(entryOf1b) + "\">"),
              std::string::npos);
    EXPECT_TRUE(m_messages.empty());

    // Without errors the page offers to generate the set, which its link does.
    ModalWatcher<TFBrowserMini> generate([](TFBrowserMini* window) {
        emit window->WebBrowser->anchorClicked(QUrl(QStringLiteral("generuj:")));
    });
    ModalWatcher<TFBrowser> viewer;
    QTest::mouseClick(Editor().LSprawdzZestaw, Qt::LeftButton);
    EXPECT_EQ(viewer.Seen(), 1);
    EXPECT_TRUE(FileExists(Editor().ReportFolder() + "/Protokoly/Prot_KlasyfikacjaOceny.htm"));
}

TEST_F(ListEditorCommandsTest, PreviewWithoutASelectedLineOnlyAsksForOne) {
    OpenOnGoodSet();
    List().clearSelection();
    ModalWatcher<TFBrowserMini> watcher;
    QTest::mouseClick(Editor().LPodglond, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, 1);
    EXPECT_EQ(m_messages[0].Icon, 3);
    EXPECT_EQ(m_messages[0].Text, NoSelection);
    EXPECT_EQ(watcher.Seen(), 0);
    EXPECT_FALSE(FileExists(m_state.TempFolder + "Temp.htm"));

    // A double click on an empty list is no preview request at all.
    m_messages.clear();
    Editor().PozycjeBox->setCurrentIndex(7);
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseRelease(List().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(watcher.Seen(), 0);
}

TEST_F(ListEditorCommandsTest, PreviewOfADeletedReportFailsWithItsMessageAndOpensNothing) {
    OpenOnGoodSet();
    ASSERT_TRUE(RemoveFile(m_paths[0]));
    ModalWatcher<TFBrowserMini> watcher;
    List().setCurrentRow(0);
    Editor().PreviewSelected();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, 1);
    EXPECT_EQ(m_messages[0].Icon, 1);
    // The message names the file and why it failed after its own lines.
    EXPECT_EQ(m_messages[0].Text.rfind(
                  PreviewFailureMessage() + u"\rPlik: " + Cp1250ToUtf16(m_paths[0]) + u"\r", 0),
              0u)
        << QString::fromStdU16String(m_messages[0].Text).toStdString();
    EXPECT_EQ(watcher.Seen(), 0);
}

// -------------------------------------------------------------------- save

TEST_F(ListEditorCommandsTest, SavingReplacesAnExistingListWithoutAQuestion) {
    OpenOnGoodSet();
    const std::string target = m_reportFolder + "/zestaw.xmp";
    WriteWholeFile(target, "stara lista", NamedBy::User);
    std::optional<FileDialog> seen;
    Editor().SaveLista.Run = [&](const FileDialog& dialog) {
        seen.emplace(dialog);
        return std::optional(std::vector<std::string>{target});
    };
    QTest::mouseClick(Editor().LZapisz, Qt::LeftButton);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->Title, Utf8ToCp1250("Wskaż miejsce docelowe"));
    EXPECT_EQ(seen->Filter, "Plik listy (xmp)|*.xmp");
    EXPECT_EQ(seen->DefaultExt, "xmp");
    EXPECT_EQ(seen->InitialDir, m_reportFolder);
    EXPECT_TRUE(m_messages.empty());

    // The main window says where the list went.
    EXPECT_TRUE(Main().LStatus->text().startsWith(QStringLiteral("Zapisano: ")));
    EXPECT_TRUE(Main().LStatus->text().contains(QStringLiteral("zestaw.xmp&nbsp;")))
        << Main().LStatus->text().toStdString();
    EXPECT_TRUE(Main().LStatus->text().contains(QStringLiteral(">Otwórz folder</a>")));

    ReportCatalogue readBack;
    ASSERT_TRUE(ReadListFile(readBack, target));
    EXPECT_EQ(readBack.Slots, m_state.Catalogue.Slots);

    // A name without a suffix gets ".xmp".
    Editor().SaveLista.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{m_reportFolder + "/nowa"});
    };
    QTest::keyClick(&List(), Qt::Key_Z, Qt::AltModifier);
    EXPECT_TRUE(FileExists(m_reportFolder + "/nowa.xmp"));
}

TEST_F(ListEditorCommandsTest, SavingFailuresAreReportedAndTheCatalogueStays) {
    int runs = 0;
    Editor().SaveLista.Run = [&](const FileDialog&) {
        ++runs;
        return std::optional(std::vector<std::string>{m_reportFolder + "/brak/zestaw.xmp"});
    };
    // No report at all: nothing to save, and no dialog.
    OpenEditorOn({});
    Editor().SaveListFile();
    EXPECT_EQ(runs, 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Icon, 1);
    EXPECT_EQ(m_messages[0].Text, NothingToSave);

    // A place that cannot be written.
    m_messages.clear();
    OpenOnGoodSet();
    const std::vector<ReportEntry> before = m_state.Catalogue.Slots;
    Editor().SaveListFile();
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, 1);
    EXPECT_EQ(m_messages[0].Icon, 1);
    EXPECT_EQ(m_messages[0].Text, NotWritten);
    EXPECT_EQ(m_state.Catalogue.Slots, before);

    // Cancelling writes nothing and says nothing.
    m_messages.clear();
    Editor().SaveLista.Run = [](const FileDialog&) {
        return std::optional<std::vector<std::string>>();
    };
    Editor().SaveListFile();
    EXPECT_TRUE(m_messages.empty());
}

// ---------------------------------------------------------------- generate

TEST_F(ListEditorCommandsTest, GeneratingWritesTheSetPlaysTheStripAndOpensTheFirstDocument) {
    OpenOnGoodSet();
    const std::string output = m_reportFolder + "/Protokoly";
    ShowCounter strip(Main().PPostep);
    int option = -1;
    std::string shown;
    std::vector<std::string> presentWhenShown;
    ModalWatcher<TFBrowser> watcher([&](TFBrowser* viewer) {
        option = viewer->CurrentOption;
        shown = viewer->CurrentDocumentPath;
        presentWhenShown = DocumentsIn(output);
    });
    QTest::mouseClick(Editor().LGenrujZestaw, Qt::LeftButton);

    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_state.OutputFolder, output);
    EXPECT_EQ(presentWhenShown, AllDocuments());
    EXPECT_EQ(strip.Shows, 1);
    EXPECT_FALSE(Main().PPostep->isVisible());
    EXPECT_EQ(watcher.Seen(), 1);
    EXPECT_EQ(option, 0);
    EXPECT_EQ(shown, DocumentPath(output, DocumentFileForOption(0)));
    // The behaviour report's exemplary student reached the list document.
    EXPECT_NE(
        ReadWholeFile(output + "/Lista_WzoroweZachowanie.htm").find(Utf8ToCp1250("Ewa Zając")),
        std::string::npos);
}

TEST_F(ListEditorCommandsTest, FailingProtocolsAreReportedAndNoListIsWritten) {
    OpenOnGoodSet();
    // A count written in words cannot be read.
    WriteReport("1b.xml", testing::ClassReportXml("1b", "Lis", "22", "trzy"));
    ShowCounter strip(Main().PPostep);
    ModalWatcher<TFBrowser> watcher;
    QTest::keyClick(&List(), Qt::Key_G, Qt::AltModifier);
    ASSERT_EQ(m_messages.size(), 1u);
    // The report named may be mended at once ("Popraw").
    EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
    EXPECT_EQ(m_messages[0].Icon, 1);
    EXPECT_EQ(m_messages[0].Text,
              ProtocolsFailureMessage() + u"\rPlik: " + Cp1250ToUtf16(m_paths[1]) +
                  u"\rSzkola/Frekwencja/IleOsob: „trzy” nie jest liczbą całkowitą.");
    EXPECT_TRUE(DocumentsIn(m_reportFolder + "/Protokoly").empty());
    EXPECT_FALSE(DirectoryExists(m_reportFolder + "/Protokoly")) << "the empty folder it made";
    EXPECT_EQ(strip.Shows, 0);
    EXPECT_EQ(watcher.Seen(), 0);

    // A folder that was there before the set stays, even empty.
    ASSERT_TRUE(CreateSingleDirectory(m_reportFolder + "/Protokoly"));
    Editor().GenerateDocumentSet();
    EXPECT_TRUE(DirectoryExists(m_reportFolder + "/Protokoly"));
}

TEST_F(ListEditorCommandsTest, FailingListsAreReportedAndTheProtocolsStay) {
    OpenOnGoodSet();
    const std::string output = m_reportFolder + "/Protokoly";
    // A folder that holds a file, in place of the first list document,
    // cannot be replaced by a file.
    ASSERT_TRUE(CreateSingleDirectory(output));
    ASSERT_TRUE(CreateSingleDirectory(output + "/Lista_UczniowieWyroznieni.htm"));
    WriteWholeFile(output + "/Lista_UczniowieWyroznieni.htm/zajete", "x", NamedBy::User);
    ModalWatcher<TFBrowser> watcher;
    Editor().GenerateDocumentSet();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Icon, 1);
    // The document that could not be written is named after the message.
    const std::u16string& text = m_messages[0].Text;
    EXPECT_EQ(text.rfind(ListsFailureMessage() + u"\r", 0), 0u);
    EXPECT_NE(text.find(Cp1250ToUtf16(output + "/Lista_UczniowieWyroznieni.htm")),
              std::u16string::npos);
    const std::vector<std::string> all = AllDocuments();
    EXPECT_EQ(DocumentsIn(output),
              std::vector<std::string>(all.begin(), all.begin() + ProtocolDocumentCount));
    EXPECT_EQ(watcher.Seen(), 0);
}

TEST_F(ListEditorCommandsTest, OutputFolderThatCannotBeMadeFailsWithTheProtocolMessage) {
    OpenOnGoodSet();
    // Only one level is made: a missing parent makes the set fail.
    m_state.LastReportFolder = m_reportFolder + "/brak";
    ModalWatcher<TFBrowser> watcher;
    Editor().GenerateDocumentSet();
    ASSERT_EQ(m_messages.size(), 1u);
    const std::u16string& text = m_messages[0].Text;
    EXPECT_EQ(text.rfind(ProtocolsFailureMessage() + u"\r", 0), 0u);
    EXPECT_NE(text.find(u"Nie można utworzyć folderu: " +
                        Cp1250ToUtf16(m_reportFolder + "/brak/Protokoly")),
              std::u16string::npos);
    EXPECT_FALSE(DirectoryExists(m_reportFolder + "/brak"));
    EXPECT_EQ(watcher.Seen(), 0);
}

TEST_F(ListEditorCommandsTest, SetWithoutAKnownFolderIsNotWrittenAtTheRoot) {
    // Shown without either entry path: neither a report folder nor a list
    // file is known. The reports do not exist, so not even a document
    // could be written should the folder be made.
    OpenEditorOn({{KindText(0) + " - 1a", m_reportFolder + "/brak.xml", KindText(0)}});
    ASSERT_TRUE(Editor().ReportFolder().empty());
    const bool rootFolderBefore = DirectoryExists("/Protokoly");
    ModalWatcher<TFBrowser> watcher;
    Editor().GenerateDocumentSet();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, ProtocolsFailureMessage());
    EXPECT_EQ(watcher.Seen(), 0);
    if (!rootFolderBefore && DirectoryExists("/Protokoly")) {
        QDir().rmdir(QStringLiteral("/Protokoly"));
        ADD_FAILURE() << "a folder was made at the root";
    }
}

TEST_F(ListEditorCommandsTest, SetFromAListFileOpenedFirstGoesBesideTheListFile) {
    // The list lies in a folder of its own, away from the reports.
    OpenOnGoodSet();
    ASSERT_TRUE(CreateSingleDirectory(FolderText(m_dir) + "/listy"));
    const std::string listFile = FolderText(m_dir) + "/listy/zestaw.xmp";
    ASSERT_TRUE(WriteListFile(m_state.Catalogue, listFile));
    Editor().hide();
    m_state.Catalogue.Clear();
    m_state.LastReportFolder.clear();

    Editor().OpenLista.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{listFile});
    };
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    EXPECT_TRUE(m_state.LastReportFolder.empty());
    EXPECT_EQ(Editor().ReportFolder(), FolderText(m_dir) + "/listy");

    ModalWatcher<TFBrowser> watcher;
    Editor().GenerateDocumentSet();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(watcher.Seen(), 1);
    EXPECT_EQ(DocumentsIn(FolderText(m_dir) + "/listy/Protokoly"), AllDocuments());
    EXPECT_TRUE(DocumentsIn(m_reportFolder + "/Protokoly").empty());

    // A new set from a folder goes into that folder; a list opened after it
    // goes beside the list again, never into the folder's documents.
    Editor().hide();
    Main().DajFolder.Choose = [this](const TGetFolder&) { return std::optional(m_reportFolder); };
    QTest::mouseClick(Main().LNowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    Editor().GenerateDocumentSet();
    EXPECT_EQ(watcher.Seen(), 2);
    EXPECT_EQ(DocumentsIn(m_reportFolder + "/Protokoly"), AllDocuments());
    const std::string sentinel = m_reportFolder + "/Protokoly/Lista_Ndst.htm";
    WriteWholeFile(sentinel, "folder A", NamedBy::User);
    Editor().hide();
    QTest::mouseClick(Main().LGotowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(Editor().isVisible());
    Editor().GenerateDocumentSet();
    EXPECT_EQ(watcher.Seen(), 3);
    EXPECT_EQ(m_state.OutputFolder, FolderText(m_dir) + "/listy/Protokoly");
    EXPECT_EQ(ReadWholeFile(sentinel), "folder A") << "the other set's documents stay";
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
} // namespace notarion
