#pragma once

// The program's windows over a state of the test's own: folders in a
// temporary directory, messages recorded instead of shown (a message that
// waits for an answer gets m_boxAnswer), help pages recorded instead of
// opened, and the main window shown.

#include "ShellTestSupport.h"

#include "app/SharedState.h"
#include "ui/TFGlowny.h"
#include "ui/TFRealProgramu.h"
#include "ui/TFWarning.h"
#include "ui/Windows.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace notarion::testing {

struct RecordedMessage {
    int Mode;
    int Icon;
    std::u16string Text;
};

class WindowsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir root(m_dir.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin/Pomoc")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("dane")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("raporty")));
        m_appFolder = FolderText(m_dir) + "/bin/";
        m_appData = FolderText(m_dir) + "/dane";
        m_reportFolder = FolderText(m_dir) + "/raporty";
        m_windows = std::make_unique<Windows>(
            m_state, WorkPlaces{m_appFolder + "notarion", m_appData},
            HelpOpener([this](const QUrl& url) { m_opened.push_back(url.toLocalFile()); }));
        m_state.ShowWarning = [this](int mode, int icon, const std::u16string& text) {
            m_messages.push_back({mode, icon, text});
        };
        m_state.Ask = [this](int mode, int icon, const std::u16string& text) {
            m_messages.push_back({mode, icon, text});
            return m_boxAnswer;
        };
        Main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    TFGlowny& Main() { return m_windows->FGlowny(); }
    TFRealProgramu& Editor() { return m_windows->FRealProgramu(); }

    QTemporaryDir m_dir;
    std::string m_appFolder;
    std::string m_appData;
    std::string m_reportFolder;
    SharedState m_state;
    std::unique_ptr<Windows> m_windows;
    std::vector<RecordedMessage> m_messages;
    int m_boxAnswer = TFWarning::ResultClose;
    std::vector<QString> m_opened;
};

} // namespace notarion::testing
