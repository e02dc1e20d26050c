// The program: make the application and its seven windows, show the main
// window and run until it closes. The program takes no arguments, but answers
// --version and --help on the terminal without opening a window.

#include "app/ProgramOptions.h"
#include "app/SharedState.h"
#include "app/StartOfWork.h"
#include "platform/HelpPages.h"
#include "platform/QtText.h"
#include "text/Cp1250.h"
#include "text/FileSystem.h"
#include "ui/NotarionApplication.h"
#include "ui/ReportEditor.h"
#include "ui/TFGlowny.h"
#include "ui/Windows.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    // Answered before Qt starts, so they work without a display.
    const std::vector<std::string_view> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    switch (notarion::ReadProgramRequest(words)) {
    case notarion::ProgramRequest::PrintVersion:
        std::cout << notarion::ProgramVersionText() << std::flush;
        return std::cout ? 0 : 1;
    case notarion::ProgramRequest::PrintHelp: {
        // The help pages are looked up from the executable's own folder.
        std::error_code error;
        const std::string programFolder =
            notarion::FolderOf(
                notarion::TextFromPath(std::filesystem::read_symlink("/proc/self/exe", error))) +
            notarion::PathSeparator;
        const std::string page = notarion::HelpPagePath(programFolder, notarion::HelpIndexPage);
        std::cout << notarion::ProgramHelpText(notarion::Cp1250ToUtf8(page)) << std::flush;
        return std::cout ? 0 : 1;
    }
    case notarion::ProgramRequest::OpenWindows:
    case notarion::ProgramRequest::OpenEditor:
        break;
    }
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

    if (notarion::ReadProgramRequest(words) == notarion::ProgramRequest::OpenEditor) {
        // The report editor on its own, for teachers: no skinned windows.
        notarion::ReportEditor editor;
        const std::string file = notarion::EditorFileArgument(words);
        if (!file.empty())
            editor.OpenFile(QString::fromStdString(file));
        editor.show();
        return application.exec();
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
