#pragma once

// Helpers of the list editor's tests: the seven windows over a state of the
// test's own with a message recorder, report files written into a temporary
// folder, and a watcher that closes a modal window of one type whenever it
// comes up (so an unexpected modal window never hangs a test).

#include "WindowsFixture.h"

#include "support/ReportXml.h"

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
#include <optional>
#include <string>
#include <vector>

namespace notarion::testing {

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

// The program's windows with the list editor's own hooks: report editors
// note their notices, questions are answered by the test and noted.
class EditorFixture : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        Editor().SetViewers(&m_windows->FBrowserMini(), &m_windows->FBrowser());
        // Report editors opened from the list editor note their notices,
        // leave unsaved changes without a question and read a file of no
        // known kind as the kind the check guesses.
        Editor().SetReportEditorSetUp([this](ReportEditor& editor) {
            editor.SetNotice([this](const QString& text) { m_notices.push_back(text); });
            editor.SetSaveQuestion([] { return QMessageBox::Discard; });
            editor.SetKindQuestion(
                [](const QString&, std::optional<ReportKind> guess) { return guess; });
        });
        // Questions are answered by the test (by default "Nie") and noted.
        Editor().SetQuestion([this](const std::u16string& text) {
            m_questions.push_back(text);
            return m_answer;
        });
    }

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

    std::vector<std::u16string> m_questions;
    int m_answer = TFWarning::ResultNo;
    std::vector<QString> m_notices;
};

} // namespace notarion::testing
