// The report editor reached from the program's windows: "Popraw
// sprawozdanie" in the list editor, a report link of the check page and the
// "Popraw" answer to the message that names a damaged file.

#include "ListEditorTestSupport.h"

#include "app/AddedReports.h"
#include "generate/DocumentSet.h"

#include <QLineEdit>

#include <filesystem>

namespace notarion {
namespace {

using testing::EditorFixture;
using testing::ModalWatcher;

const std::u16string NoSelection = u"Jeśli chcesz poprawić sprawozdanie, zaznacz którąś z pozycji.";

class ReportMendingTest : public EditorFixture {
protected:
    void OpenOnSet() {
        m_paths = {WriteReport("1a.xml", testing::ClassReportXml("1a", "Nowak")),
                   WriteReport("1b.xml", testing::ClassReportXml("1b", "Lis"))};
        ASSERT_TRUE(LoadCatalogue(m_state.Catalogue, m_paths, m_state.ShowWarning));
        m_state.LastReportFolder = m_reportFolder;
        FillKindList(m_state.Catalogue, List(), 0);
        Editor().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor()));
    }

    // The report editors open now.
    QList<ReportEditor*> OpenEditors() {
        QList<ReportEditor*> open;
        for (ReportEditor* editor : Editor().findChildren<ReportEditor*>()) {
            if (editor->isVisible())
                open.push_back(editor);
        }
        return open;
    }

    void CloseEditors() {
        for (ReportEditor* editor : OpenEditors())
            editor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int EntryOfLine(int line) { return CatalogueEntryOfLine(m_state.Catalogue, List(), line); }

    int EntryOf(const std::string& path) const {
        for (std::size_t i = 0; i < m_state.Catalogue.Slots.size(); ++i) {
            if (m_state.Catalogue.Slots[i].Path == path)
                return static_cast<int>(i);
        }
        return -1;
    }

    // The title the catalogue gives the file as it is on disk now.
    static std::string TitleOnDisk(const std::string& path) {
        ReportCatalogue alone;
        EXPECT_FALSE(BuildCatalogue(alone, {path}).has_value());
        return alone.Slots.empty() ? std::string() : alone.Slots[0].Title;
    }

    std::vector<std::string> m_paths;
};

TEST_F(ReportMendingTest, EditSelectedOpensItsReportAndASaveRetitlesItsLine) {
    OpenOnSet();
    for (const bool byKey : {true, false}) {
        SCOPED_TRACE(byKey ? "Alt+R" : "hot area");
        List().setCurrentRow(1);
        const int entry = EntryOfLine(1);
        const std::string path = m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Path;
        if (byKey)
            QTest::keyClick(&List(), Qt::Key_R, Qt::AltModifier);
        else
            QTest::mouseClick(Editor().LPoprawSprawozdanie, Qt::LeftButton, Qt::NoModifier,
                              QPoint(2, 2));
        ASSERT_EQ(OpenEditors().size(), 1);
        ReportEditor* editor = OpenEditors().front();
        EXPECT_EQ(editor->FilePath(), QStringFromCp1250(path));

        const QString teacher = byKey ? QStringLiteral(u"Żak") : QStringLiteral(u"Wróbel");
        editor->TextField("Belfer")->setText(teacher);
        ASSERT_TRUE(editor->Save());
        const std::string title = TitleOnDisk(path);
        EXPECT_NE(title.find(Cp1250FromQString(teacher)), std::string::npos) << title;
        EXPECT_EQ(m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Title, title);
        EXPECT_EQ(List().ItemText(List().SelectedPosition()), title);
        EXPECT_TRUE(Editor().Unsaved()) << "the list file keeps the titles";
        CloseEditors();
    }
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(ReportMendingTest, SaveAsAnotherFileLeavesTheOpenedEntryAndOneEditorPerFile) {
    OpenOnSet();
    List().setCurrentRow(0);
    const int entry = EntryOfLine(0);
    const std::string before = m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Title;
    Editor().EditSelected();
    Editor().EditSelected();
    ASSERT_EQ(OpenEditors().size(), 1) << "the file's editor is brought forward, not doubled";
    ReportEditor* editor = OpenEditors().front();
    editor->TextField("Belfer")->setText(QStringLiteral("Inny"));
    ASSERT_TRUE(editor->SaveTo(QStringFromCp1250(m_reportFolder + "/kopia.xml")));
    EXPECT_EQ(m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Title, before);
    EXPECT_FALSE(Editor().Unsaved());
    CloseEditors();
}

TEST_F(ReportMendingTest, EditWithoutASelectedLineOnlyAsksForOne) {
    OpenOnSet();
    List().clearSelection();
    QTest::keyClick(&List(), Qt::Key_R, Qt::AltModifier);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, ModeClose);
    EXPECT_EQ(m_messages[0].Text, NoSelection);
    EXPECT_TRUE(OpenEditors().isEmpty());
}

TEST_F(ReportMendingTest, CheckPageLinkSelectsTheReportAndOpensItInTheEditor) {
    OpenOnSet();
    const int entry = EntryOf(m_paths[1]);
    ASSERT_GE(entry, 0);
    Editor().PozycjeBox->setCurrentIndex(1);
    ModalWatcher<TFBrowserMini> watcher([&](TFBrowserMini* window) {
        emit window->WebBrowser->anchorClicked(QUrl(QStringLiteral("pozycja:%1").arg(entry)));
    });
    Editor().CheckSet();
    EXPECT_EQ(watcher.Seen(), 1);
    EXPECT_EQ(Editor().PozycjeBox->currentIndex(), 0);
    EXPECT_EQ(EntryOfLine(List().SelectedPosition()), entry);
    ASSERT_EQ(OpenEditors().size(), 1);
    EXPECT_EQ(OpenEditors().front()->FilePath(), QStringFromCp1250(m_paths[1]));
    CloseEditors();
}

TEST_F(ReportMendingTest, CheckPageMendsAFileOfAnUnknownKindWhichThenJoinsTheSet) {
    OpenOnSet();
    std::string misspelt = testing::ClassReportXml("2a", "Kos");
    misspelt.replace(misspelt.find("Klasyfikacja klasy"), 1, "k");
    const std::string left = WriteReport("2a.xml", misspelt);
    m_state.FoundReportFiles = {m_paths[0], left, m_paths[1]};
    Editor().SetReportEditorSetUp([this](ReportEditor& editor) {
        editor.SetNotice([this](const QString& text) { m_notices.push_back(text); });
        editor.SetKindQuestion(
            [](const QString&, std::optional<ReportKind> guess) { return guess; });
    });
    std::string page;
    ModalWatcher<TFBrowserMini> watcher([&](TFBrowserMini* window) {
        page = ReadWholeFile(window->WebBrowser->DocumentPath());
        emit window->WebBrowser->anchorClicked(QUrl(QStringLiteral("plik:1")));
    });
    Editor().CheckSet();
    ASSERT_EQ(watcher.Seen(), 1);
    EXPECT_NE(page.find("<b>2a.xml</b> &ndash; <a href=\"plik:1\">Popraw</a>"), std::string::npos)
        << page;
    ASSERT_EQ(OpenEditors().size(), 1);
    ASSERT_EQ(OpenEditors().front()->FilePath(), QStringFromCp1250(left));
    ASSERT_TRUE(OpenEditors().front()->Save());
    // Saved under a known kind, the report is no longer left out of the set.
    const int joined = EntryOf(left);
    ASSERT_GE(joined, 0);
    EXPECT_EQ(EntryOfLine(List().SelectedPosition()), joined);
    EXPECT_EQ(List().ItemCount(), 3);
    EXPECT_TRUE(Editor().Unsaved());
    // A second save changes nothing more.
    ASSERT_TRUE(OpenEditors().front()->Save());
    EXPECT_EQ(m_state.Catalogue.Slots.size(), 3u);
    CloseEditors();
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(ReportMendingTest, DamagedFileMessageOffersMendingInTheEditor) {
    OpenOnSet();
    // A file that exists but refuses every read: a link to the process's memory.
    const std::string unreadable = m_reportFolder + "/zly.xml";
    std::filesystem::create_symlink("/proc/self/mem", PathFromText(unreadable));
    Editor().OpenDodatkowe.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{unreadable});
    };
    struct Case {
        int Answer;
        std::size_t Notices;
    };
    // "Popraw" opens the editor, which says that it cannot read the file
    // either; "Zamknij" opens nothing.
    for (const Case& c : {Case{TFWarning::ResultMend, 1}, Case{TFWarning::ResultClose, 0}}) {
        SCOPED_TRACE(c.Answer);
        m_messages.clear();
        m_notices.clear();
        m_boxAnswer = c.Answer;
        Editor().AddReportFiles();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
        EXPECT_EQ(m_messages[0].Text, DamagedFileMessage(unreadable));
        EXPECT_EQ(m_notices.size(), c.Notices);
        EXPECT_TRUE(OpenEditors().isEmpty());
    }

    // A readable file named in the message opens in the editor on "Popraw".
    m_messages.clear();
    m_boxAnswer = TFWarning::ResultMend;
    Editor().OfferMend(m_paths[0]);
    ASSERT_EQ(m_messages.size(), 1u);
    ASSERT_EQ(OpenEditors().size(), 1);
    EXPECT_EQ(OpenEditors().front()->FilePath(), QStringFromCp1250(m_paths[0]));
    CloseEditors();

    // Without a way to ask, the message has "Zamknij" alone.
    m_messages.clear();
    m_state.Ask = nullptr;
    Editor().OfferMend(m_paths[0]);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, ModeClose);
    EXPECT_TRUE(OpenEditors().isEmpty());
}

TEST_F(ReportMendingTest, NewSetWithADamagedFileOffersMending) {
    WriteReport("1a.xml", testing::ClassReportXml("1a", "Nowak"));
    const std::string unreadable = m_reportFolder + "/zly.xml";
    std::filesystem::create_symlink("/proc/self/mem", PathFromText(unreadable));
    const std::string folder = m_reportFolder;
    Main().DajFolder.Choose = [folder](const TGetFolder&) { return std::optional(folder); };
    Main().StartNewSet();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
    EXPECT_EQ(m_messages[0].Text, DamagedFileMessage(unreadable));
    EXPECT_FALSE(Editor().isVisible());
}

TEST_F(ReportMendingTest, GenerationAndPreviewFailuresOfAReportOfferToMendIt) {
    OpenOnSet();
    // A count written in words stops the set and the report's preview.
    WriteReport("1b.xml", testing::ClassReportXml("1b", "Lis", "22", "trzy"));
    m_boxAnswer = TFWarning::ResultMend;
    const std::u16string cause = u"\rPlik: " + Cp1250ToUtf16(m_paths[1]) +
                                 u"\rSzkola/Frekwencja/IleOsob: „trzy” nie jest liczbą całkowitą.";
    for (const bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview" : "set");
        m_messages.clear();
        if (preview) {
            List().setCurrentRow(1);
            ASSERT_EQ(EntryOfLine(1), EntryOf(m_paths[1]));
            Editor().PreviewSelected();
        } else {
            Editor().GenerateDocumentSet();
        }
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
        EXPECT_EQ(m_messages[0].Text,
                  (preview ? PreviewFailureMessage() : ProtocolsFailureMessage()) + cause);
        ASSERT_EQ(OpenEditors().size(), 1);
        EXPECT_EQ(OpenEditors().front()->FilePath(), QStringFromCp1250(m_paths[1]));
        CloseEditors();
    }
}

TEST_F(ReportMendingTest, AddedFileOfAMisspeltKindIsOfferedForMendingAndJoinsTheSetOnceSaved) {
    OpenOnSet();
    std::string xml = testing::ClassReportXml("2a", "Wójcik");
    xml.replace(xml.find("Klasyfikacja klasy"), 1, "k");
    const std::string misspelt = WriteReport("2a.xml", xml);
    Editor().OpenDodatkowe.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{misspelt});
    };
    const std::u16string message = UnknownKindFile{misspelt, "Klasyfikacja klasy"}.Message();

    // "Zamknij" leaves it out, as the message says.
    Editor().AddReportFiles();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Mode, ModeMendOrClose);
    EXPECT_EQ(m_messages[0].Text, message);
    EXPECT_EQ(CataloguePaths(), m_paths);
    EXPECT_TRUE(OpenEditors().isEmpty());

    // "Popraw" opens it as the guessed kind; saved, it is listed and selected.
    m_boxAnswer = TFWarning::ResultMend;
    Editor().PozycjeBox->setCurrentIndex(3);
    Editor().AddReportFiles();
    EXPECT_EQ(CataloguePaths(), m_paths) << "nothing joins before the save";
    ASSERT_EQ(OpenEditors().size(), 1);
    ASSERT_TRUE(OpenEditors().front()->Save());
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{m_paths[0], m_paths[1], misspelt}));
    EXPECT_EQ(Editor().PozycjeBox->currentIndex(), 0);
    EXPECT_EQ(EntryOfLine(List().SelectedPosition()), 2);
    EXPECT_EQ(m_state.Catalogue.Slots[2].Title, TitleOnDisk(misspelt));
    EXPECT_TRUE(Editor().Unsaved());
    // A second save adds it no second time.
    ASSERT_TRUE(OpenEditors().front()->SaveTo(QStringFromCp1250(misspelt)));
    EXPECT_EQ(m_state.Catalogue.Slots.size(), 3u);
    EXPECT_TRUE(m_notices.empty());
    CloseEditors();
}

TEST_F(ReportMendingTest, NewReportInAnEditorOpenedOnTheSetIsSavedInTheSetsFolder) {
    OpenOnSet();
    List().setCurrentRow(0);
    Editor().EditSelected();
    ASSERT_EQ(OpenEditors().size(), 1);
    ReportEditor* editor = OpenEditors().front();
    editor->NewReport(ReportKind::Behaviour);
    editor->TextField("Klasa")->setText(QStringLiteral("4d"));
    EXPECT_EQ(
        editor->ProposedSavePath(),
        QDir(QStringFromCp1250(m_reportFolder)).filePath(QStringLiteral("4d_zachowanie.xml")));
    CloseEditors();
}

} // namespace
} // namespace notarion
