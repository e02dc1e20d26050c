#pragma once

// Helpers of the list editor's tests: the seven windows over a state of the
// test's own with a message recorder, report files written into a temporary
// folder, and a watcher that closes a modal window of one type whenever it
// comes up (so an unexpected modal window never hangs a test).

#include "ShellTestSupport.h"

#include "app/SharedState.h"
#include "platform/TEmbeddedWB.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "ui/KindListBox.h"
#include "ui/ReportEditor.h"
#include "ui/StatusLine.h"
#include "ui/TFBrowser.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFGlowny.h"
#include "ui/TFRealProgramu.h"
#include "ui/TFWarning.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace notarion::testing {

struct RecordedMessage {
    int Mode;
    int Icon;
    std::u16string Text;
};

// Closes every modal window of type T that shows while it lives, after
// handing it to inspect. Counts the windows it closed.
template <typename T> class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(T*)> inspect = {}) : m_inspect(std::move(inspect)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
            if (window == nullptr || !window->isVisible() || m_busy) {
                return;
            }
            m_busy = true;
            ++m_seen;
            if (m_inspect) {
                m_inspect(window);
            }
            window->close();
            m_busy = false;
        });
        m_timer.start(5);
    }
    int Seen() const { return m_seen; }

private:
    QTimer m_timer;
    std::function<void(T*)> m_inspect;
    int m_seen = 0;
    bool m_busy = false;
};

// A report file's text in the form the companion tool writes (UTF-8 here,
// cp1250 on disk).
inline std::string ClassReportXml(const std::string& klasa, const std::string& belfer,
                                  const std::string& classified = "20",
                                  const std::string& attendanceCount = "0") {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
           "\t<Doc>Klasyfikacja klasy</Doc>\r\n\t<Klasa>" +
           klasa + "</Klasa>\r\n\t<Belfer>" + belfer + "</Belfer>\r\n\t<Klasyfikowanych>" +
           classified + "</Klasyfikowanych>\r\n\t<Promowanych>" + classified +
           "</Promowanych>\r\n\t<Frekwencja>\r\n\t\t<IleOsob>" + attendanceCount +
           "</IleOsob>\r\n\t</Frekwencja>\r\n\t<Pasek>\r\n\t\t<IleOsob>0</IleOsob>\r\n\t</Pasek>"
           "\r\n\t<Ndst>\r\n\t\t<IleOsob>0</IleOsob>\r\n\t</Ndst>\r\n</Szkola>\r\n";
}

inline std::string BehaviourReportXml(const std::string& klasa, const std::string& belfer,
                                      const std::string& exemplary) {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
           "\t<Doc>Klasyfikacja klasy z zachowania</Doc>\r\n\t<Klasa>" +
           klasa + "</Klasa>\r\n\t<Belfer>" + belfer +
           "</Belfer>\r\n\t<Klasyfikowanych>20</Klasyfikowanych>\r\n\t<Wzorowi>\r\n\t\t"
           "<IleOsob>1</IleOsob>\r\n\t\t<Uczen1>" +
           exemplary +
           "</Uczen1>\r\n\t</Wzorowi>\r\n\t<Obnizone>\r\n\t\t<Ilosc>0</Ilosc>\r\n\t</Obnizone>"
           "\r\n\t<Uwagi>\r\n\t\t<IloscWierszy>0</IloscWierszy>\r\n\t</Uwagi>\r\n</Szkola>\r\n";
}

// The windows of the program over the fixture's own state: folders in a
// temporary directory, messages recorded instead of shown, help pages
// recorded instead of opened, the main window shown.
class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir root(m_dir.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin/Pomoc")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("dane")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("raporty")));
        m_appFolder = FolderText(m_dir) + "/bin/";
        m_reportFolder = FolderText(m_dir) + "/raporty";
        m_windows = std::make_unique<Windows>(
            m_state, WorkPlaces{m_appFolder + "notarion", FolderText(m_dir) + "/dane"},
            HelpOpener([this](const QUrl& url) { m_opened.push_back(url.toLocalFile()); }));
        Editor().SetViewers(&m_windows->FBrowserMini(), &m_windows->FBrowser());
        m_state.ShowWarning = [this](int mode, int icon, const std::u16string& text) {
            m_messages.push_back({mode, icon, text});
        };
        // Messages that wait for an answer are noted with the others and
        // answered m_boxAnswer (by default "Zamknij").
        m_state.Ask = [this](int mode, int icon, const std::u16string& text) {
            m_messages.push_back({mode, icon, text});
            return m_boxAnswer;
        };
        // Report editors opened from the list editor note their notices and
        // leave unsaved changes without a question.
        Editor().SetReportEditorSetUp([this](ReportEditor& editor) {
            editor.SetNotice([this](const QString& text) { m_notices.push_back(text); });
            editor.SetSaveQuestion([] { return QMessageBox::Discard; });
        });
        // Questions are answered by the test (by default "Nie") and noted.
        Editor().SetQuestion([this](const std::u16string& text) {
            m_questions.push_back(text);
            return m_answer;
        });
        Main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    TFGlowny& Main() { return m_windows->FGlowny(); }
    TFRealProgramu& Editor() { return m_windows->FRealProgramu(); }
    KindListBox& List() { return *Editor().LLista; }

    // Make entries the catalogue, fill the list with kind 0 and show the
    // editor, as the entry paths do.
    void OpenEditorOn(std::vector<ReportEntry> entries) {
        m_state.Catalogue.Slots = std::move(entries);
        m_state.Catalogue.Count = static_cast<int>(m_state.Catalogue.Slots.size());
        FillKindList(m_state.Catalogue, List(), 0);
        {
            const QSignalBlocker quiet(Editor().PozycjeBox);
            Editor().PozycjeBox->setCurrentIndex(0);
        }
        Editor().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor()));
    }

    // Write a report file (UTF-8 text stored as cp1250) into the report
    // folder; returns its path.
    std::string WriteReport(const std::string& name, const std::string& xmlUtf8) {
        const std::string path = m_reportFolder + "/" + name;
        WriteWholeFile(path, Utf8ToCp1250(xmlUtf8), NamedBy::User);
        return path;
    }

    std::vector<std::string> ListedTitles() {
        std::vector<std::string> titles;
        for (int i = 0; i < List().ItemCount(); ++i) {
            titles.push_back(List().ItemText(i));
        }
        return titles;
    }

    std::vector<std::string> CataloguePaths() const {
        std::vector<std::string> paths;
        for (const ReportEntry& entry : m_state.Catalogue.Slots) {
            paths.push_back(entry.Path);
        }
        return paths;
    }

    // The middle of a line of the list, in viewport coordinates.
    QPoint LinePoint(int line) { return List().visualItemRect(List().item(line)).center(); }
    // A point of the list below its last line.
    QPoint BelowLastLine() {
        const QRect last = List().visualItemRect(List().item(List().count() - 1));
        return QPoint(last.center().x(), last.bottom() + 3 * List().RowHeight());
    }

    QTemporaryDir m_dir;
    std::string m_appFolder;
    std::string m_reportFolder;
    SharedState m_state;
    std::unique_ptr<Windows> m_windows;
    std::vector<RecordedMessage> m_messages;
    std::vector<std::u16string> m_questions;
    int m_answer = TFWarning::ResultNo;
    int m_boxAnswer = TFWarning::ResultClose;
    std::vector<QString> m_notices;
    std::vector<QString> m_opened;
};

} // namespace notarion::testing
