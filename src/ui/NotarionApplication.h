#pragma once

// The application object. Besides Qt's work it is the program's general
// error display: an error that no window caught is shown to the user
// instead of ending the program.

#include <QApplication>

#include <functional>
#include <string>

namespace notarion {

class NotarionApplication : public QApplication {
    Q_OBJECT
public:
    // What shows an uncaught error; it receives the error's description as
    // cp1250 text.
    using ErrorDisplay = std::function<void(const std::string& description)>;

    // The application with the title "Notarion". argc and argv must outlive it.
    NotarionApplication(int& argc, char** argv);

    // Deliver the event; an exception that escapes the receiver is shown
    // through ShowError and the event counts as handled. Never throws.
    bool notify(QObject* receiver, QEvent* event) override;

    // The display of uncaught errors: a critical message box by default.
    ErrorDisplay ShowError;
};

// The desktop's critical message box with the program's title and the
// description. Never fails.
void ShowErrorMessageBox(const std::string& description);

} // namespace notarion
