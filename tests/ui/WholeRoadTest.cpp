// The whole road on the sample school, through the real windows: a new set
// from the folder, a reordered kind, the saved list, the generated set in
// the document viewer; then a second run from the saved list that must give
// the same fourteen documents, byte for byte.

#include "ListEditorTestSupport.h"
#include "ViewerTestSupport.h"

#include "generate/DocumentSet.h"
#include "platform/TEmbeddedWB.h"
#include "ui/TFWyborOpcji.h"

#include <QDirIterator>
#include <QFile>

#include <optional>

namespace notarion {
namespace {

using testing::FolderText;
using testing::RecordedMessage;
using testing::SendMouse;

const QString ExamplesFolder = QStringLiteral(NOTARION_EXAMPLES_DIR);

// One run of the program: its own state and windows over the same folders.
class ProgramRun {
public:
    ProgramRun(const std::string& appFolder, const std::string& appData) {
        m_windows = std::make_unique<Windows>(m_state, WorkPlaces{appFolder + "notarion", appData},
                                              HelpOpener([](const QUrl&) {}));
        Editor().SetViewers(&m_windows->FBrowserMini(), &m_windows->FBrowser());
        m_state.ShowWarning = [this](int mode, int icon, const std::u16string& text) {
            Messages.push_back({mode, icon, text});
        };
        Main().show();
    }
    TFGlowny& Main() { return m_windows->FGlowny(); }
    TFRealProgramu& Editor() { return m_windows->FRealProgramu(); }
    KindListBox& List() { return *Editor().LLista; }
    SharedState& State() { return m_state; }

    // What the document viewer showed: the path and the text of its page.
    struct Shown {
        std::string Path;
        QString Text;
    };

    // Generate through the hot area; in the document viewer, wait for the
    // first document, then pick the document of option through the option
    // chooser. Returns what the viewer showed first and after the choice.
    std::pair<Shown, Shown> GenerateAndChoose(int option) {
        std::pair<Shown, Shown> shown;
        testing::WhenModalOf<TFBrowser>([&shown, option](TFBrowser* viewer) {
            TEmbeddedWB* page = viewer->WebBrowser;
            // The first document comes a moment after the window opens.
            EXPECT_TRUE(QTest::qWaitFor([page] { return page->HasDocument(); }, 5000));
            shown.first = {page->DocumentPath(), page->toPlainText()};
            testing::WhenModalOf<TFWyborOpcji>([option](TFWyborOpcji* chooser) {
                chooser->ListaOpcji->setCurrentRow(option);
                QTest::mouseClick(chooser->LWprowadz, Qt::LeftButton);
            });
            QTest::mouseClick(viewer->LWyborOpcji, Qt::LeftButton);
            shown.second = {page->DocumentPath(), page->toPlainText()};
            viewer->close();
        });
        QTest::mouseClick(Editor().LGenrujZestaw, Qt::LeftButton);
        return shown;
    }

    std::vector<RecordedMessage> Messages;

private:
    SharedState m_state;
    std::unique_ptr<Windows> m_windows;
};

std::vector<std::string> ListedTitles(KindListBox& list) {
    std::vector<std::string> titles;
    for (int i = 0; i < list.ItemCount(); ++i)
        titles.push_back(list.ItemText(i));
    return titles;
}

// The viewer's option of a document file.
int OptionOf(const std::string& fileName) {
    for (int option = 0; option < DocumentCount; ++option) {
        if (DocumentFileForOption(option) == fileName)
            return option;
    }
    ADD_FAILURE() << "no option shows " << fileName;
    return 0;
}

// The person at the end of a report's title.
std::string PersonOf(const std::string& title) {
    return title.substr(title.rfind(" - ") + 3);
}

TEST(WholeRoad, NewSetReorderedSavedAndGeneratedThenTheSameSetFromTheSavedList) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("dane")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("szkola")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("listy")));
    // The sample school is copied, so the checkout stays clean.
    int copied = 0;
    for (QDirIterator files(ExamplesFolder + QStringLiteral(u"/szkola"), QDir::Files);
         files.hasNext();) {
        const QString source = files.next();
        ASSERT_TRUE(QFile::copy(
            source, dir.filePath(QStringLiteral(u"szkola/") + QFileInfo(source).fileName())));
        ++copied;
    }
    ASSERT_GT(copied, 70);
    const std::string top = FolderText(dir);
    const std::string appFolder = top + "/bin/";
    const std::string appData = top + "/dane";
    const std::string school = top + "/szkola";
    const std::string listFile = top + "/listy/zestaw.xmp";

    std::vector<std::string> reordered;
    {
        ProgramRun first(appFolder, appData);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first.Main()));

        // A new set from the folder.
        first.Main().DajFolder.Choose = [&](const TGetFolder&) {
            return std::optional<std::string>(school);
        };
        QTest::mouseClick(first.Main().LNowyZestaw, Qt::LeftButton);
        ASSERT_TRUE(first.Editor().isVisible());
        ASSERT_TRUE(first.Messages.empty());
        const std::vector<std::string> classes = ListedTitles(first.List());
        ASSERT_EQ(classes.size(), 16u);

        // The third class report dragged onto the first.
        QWidget* viewport = first.List().viewport();
        const auto line = [&](int i) {
            return first.List().visualItemRect(first.List().item(i)).center();
        };
        SendMouse(viewport, QEvent::MouseButtonPress, line(2), viewport->mapToGlobal(line(2)),
                  Qt::LeftButton, Qt::LeftButton);
        SendMouse(viewport, QEvent::MouseMove, line(0), viewport->mapToGlobal(line(0)),
                  Qt::NoButton, Qt::LeftButton);
        SendMouse(viewport, QEvent::MouseButtonRelease, line(0), viewport->mapToGlobal(line(0)),
                  Qt::LeftButton, Qt::NoButton);
        reordered = ListedTitles(first.List());
        ASSERT_EQ(reordered[0], classes[2]);
        ASSERT_EQ(reordered[1], classes[0]);

        // The list saved beside nothing else.
        first.Editor().SaveLista.Run = [&](const FileDialog&) {
            return std::optional(std::vector<std::string>{listFile});
        };
        QTest::mouseClick(first.Editor().LZapisz, Qt::LeftButton);
        ASSERT_TRUE(FileExists(listFile));

        // The set opens on the exemplary-behaviour list; the class protocol
        // is then chosen in the viewer.
        const auto [opened, chosen] =
            first.GenerateAndChoose(OptionOf("Prot_KlasyfikacjaOceny.htm"));
        EXPECT_TRUE(first.Messages.empty());
        EXPECT_EQ(opened.Path, school + "/Protokoly/Lista_WzoroweZachowanie.htm");
        EXPECT_TRUE(opened.Text.contains(QStringLiteral(u"UCZNIOWIE Z WZOROWYM ZACHOWANIEM")));
        EXPECT_EQ(chosen.Path, school + "/Protokoly/Prot_KlasyfikacjaOceny.htm");
        EXPECT_TRUE(chosen.Text.contains(QStringLiteral(u"KLASYFIKACJA UCZNIÓW")));

        // The protocol follows the order of the list.
        const std::string protocol =
            ReadWholeFile(school + "/Protokoly/Prot_KlasyfikacjaOceny.htm");
        const std::size_t moved = protocol.find(PersonOf(classes[2]));
        const std::size_t wasFirst = protocol.find(PersonOf(classes[0]));
        ASSERT_NE(moved, std::string::npos);
        ASSERT_NE(wasFirst, std::string::npos);
        EXPECT_LT(moved, wasFirst);
    }

    // A new run that starts from the saved list: no folder is chosen, so the
    // set goes beside the list file.
    ProgramRun second(appFolder, appData);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second.Main()));
    second.Editor().OpenLista.Run = [&](const FileDialog&) {
        return std::optional(std::vector<std::string>{listFile});
    };
    QTest::mouseClick(second.Main().LGotowyZestaw, Qt::LeftButton);
    ASSERT_TRUE(second.Editor().isVisible());
    EXPECT_EQ(ListedTitles(second.List()), reordered);
    const auto [opened, chosen] = second.GenerateAndChoose(OptionOf("Lista_Ndst.htm"));
    EXPECT_TRUE(second.Messages.empty());
    EXPECT_EQ(opened.Path, top + "/listy/Protokoly/Lista_WzoroweZachowanie.htm");
    EXPECT_EQ(chosen.Path, top + "/listy/Protokoly/Lista_Ndst.htm");

    for (const DocumentInfo& document : DocumentTable()) {
        SCOPED_TRACE(document.FileName);
        const std::string fromFolder =
            ReadWholeFile(DocumentPath(school + "/Protokoly", document.FileName));
        const std::string fromList =
            ReadWholeFile(DocumentPath(top + "/listy/Protokoly", document.FileName));
        EXPECT_FALSE(fromFolder.empty());
        EXPECT_TRUE(fromFolder == fromList) << "the documents differ";
    }
}

} // namespace
} // namespace notarion
