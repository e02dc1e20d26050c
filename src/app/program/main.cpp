// The program: make the application and its seven windows, show the main
// window and run until it closes. The program takes no arguments.

#include "app/SharedState.h"
#include "app/StartOfWork.h"
#include "platform/QtText.h"
#include "ui/NotarionApplication.h"
#include "ui/TFGlowny.h"
#include "ui/Windows.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

int main(int, char** argv) {
    // The windows place themselves relative to one another, which Wayland
    // does not allow; run through X11 there unless the user chose otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         qgetenv("XDG_SESSION_TYPE") == "wayland")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // Only the program's own name is handed on: no argument changes anything.
    int argumentCount = 1;
    char* arguments[] = {argv[0], nullptr};
    notarion::NotarionApplication application(argumentCount, arguments);

    // Qt's own dialogs (file choice, printing, print preview) speak Polish
    // like the rest of the program; without the translation they stay English.
    QTranslator qtTranslation;
    if (qtTranslation.load(QStringLiteral("qtbase_pl"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTranslation);
    }

    notarion::SharedState state;
    state.DecimalSeparator = notarion::SystemDecimalSeparator();
    try {
        notarion::Windows windows(
            state, notarion::WorkPlaces{
                       notarion::Cp1250FromQString(QCoreApplication::applicationFilePath()),
                       notarion::AppDataFolder(notarion::AppDataFolderId)});
        QObject::connect(&windows.FGlowny(), &notarion::TFGlowny::workEnded, &application,
                         &QCoreApplication::quit, Qt::QueuedConnection);
        windows.FGlowny().show();
        return application.exec();
    } catch (const std::exception& error) {
        notarion::ShowErrorMessageBox(error.what());
        return 1;
    }
}
