#pragma once

// Shared helpers of the viewer tests: pages in the generated documents' own
// form, written into temporary folders, and a driver for modal windows.

#include "generate/HtmlPage.h"
#include "platform/QtText.h"
#include "support/FileBytes.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace notarion::testing {

// A page in the form the generator writes (cp1250 bytes, CR LF lines) with
// a heading and the given number of sections of Polish text.
inline std::string GeneratedPage(const std::string& headingUtf8, int sections) {
    HtmlBuffer page;
    BeginPage(page);
    AddHeading(page, Utf8ToCp1250(headingUtf8));
    for (int i = 1; i <= sections; ++i) {
        OpenParagraph(page);
        AddLabelLine(page, Utf8ToCp1250("Klasa:"), Utf8ToCp1250("I" + std::to_string(i)));
        AddLabelLine(page, Utf8ToCp1250("Wychowawca:"), Utf8ToCp1250("Zażółć Gęślą-Jaźń"));
        OpenList(page);
        AddListItem(page, Utf8ToCp1250("Świętokrzyska Łucja, średnia 5,25"));
        AddListItem(page, Utf8ToCp1250("Żabiński Mścisław, średnia 4,80"));
        CloseList(page);
        CloseParagraph(page);
    }
    EndPage(page);
    return BufferBytes(page);
}

// Writes bytes into dir under name; returns the cp1250 path.
inline std::string WriteFile(const QTemporaryDir& dir, const QString& name,
                             const std::string& bytes) {
    const std::string path = Cp1250FromQString(dir.filePath(name));
    WriteWholeFile(path, bytes, NamedBy::User);
    return path;
}

// Runs action on the first modal window that match accepts, checking every
// 10 ms. When none appears within 5 s the test fails and every modal window
// is closed, so a test never hangs in a nested loop.
inline void WhenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, clock, match, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && match(modal)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            return;
        }
        if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected modal window did not appear";
            while (QWidget* open = QApplication::activeModalWidget()) {
                open->close();
                if (open == QApplication::activeModalWidget())
                    break;
            }
        }
    });
    timer->start(10);
}

// WhenModal for the first modal window of type T.
template <typename T> void WhenModalOf(std::function<void(T*)> action) {
    WhenModal([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
              [action](QWidget* w) { action(qobject_cast<T*>(w)); });
}

// While it lives, any modal window other than allowed that opens is a test
// failure and is closed at once, so an unexpected dialog never blocks a test.
class ModalGuard {
public:
    explicit ModalGuard(const QWidget* allowed = nullptr) {
        QObject::connect(&m_timer, &QTimer::timeout, [allowed] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != allowed && modal->isVisible()) {
                ADD_FAILURE() << "unexpected modal window " << modal->metaObject()->className();
                modal->close();
            }
        });
        m_timer.start(10);
    }

private:
    QTimer m_timer;
};

// The visible texts of the labels of a window (a message box's text is one
// of them).
inline QString LabelTexts(QWidget* window) {
    QString texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts += label->text() + u'\n';
    if (const auto* box = qobject_cast<QMessageBox*>(window))
        texts += box->text();
    return texts;
}

} // namespace notarion::testing
