#include "ui/NotarionApplication.h"

#include "app/StartOfWork.h"
#include "platform/QtText.h"
#include "ui/TFWarning.h"

#include <exception>

namespace notarion {

NotarionApplication::NotarionApplication(int& argc, char** argv)
    : QApplication(argc, argv), ShowError(ShowErrorMessageBox) {
    setApplicationName(QString::fromLatin1(ApplicationTitle));
    // No display name: Qt would append it to every window title the window
    // manager shows ("Notarion - prezentacja danych — Notarion"). Message
    // boxes without a title of their own still take the name.
}

bool NotarionApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (ShowError) {
            ShowError(error.what());
        }
    } catch (...) {
        if (ShowError) {
            ShowError("unknown error");
        }
    }
    return true;
}

void ShowErrorMessageBox(const std::string& description) {
    ShowPlainMessageBox(nullptr, QMessageBox::Critical, QString::fromLatin1(ApplicationTitle),
                        QStringFromCp1250(description));
}

} // namespace notarion
