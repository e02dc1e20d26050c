#include "app/program/RunProgram.h"

#include "app/ProgramOptions.h"
#include "app/SharedState.h"
#include "app/StartOfWork.h"
#include "platform/HelpPages.h"
#include "platform/QtText.h"
#include "system/FileSystem.h"
#include "system/OwnProgram.h"
#include "system/Terminal.h"
#include "text/Cp1250.h"
#include "ui/NotarionApplication.h"
#include "ui/ReportEditor.h"
#include "ui/TFGlowny.h"
#include "ui/Windows.h"

#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

namespace notarion {

int RunProgram(int argc, char** argv, const MainWindowShown& shown) {
    // Answered before Qt starts, so they work without a display.
    // UTF-8 on every system: on Windows read from the wide command line, so
    // that a list file double-clicked in a Polish folder arrives whole.
    const std::vector<std::string> utf8Arguments = ProgramArguments(argc, argv);
    const std::vector<std::string_view> words(utf8Arguments.begin(), utf8Arguments.end());
    switch (ReadProgramRequest(words)) {
    case ProgramRequest::PrintVersion:
        std::cout << ProgramVersionText() << std::flush;
        return std::cout ? 0 : 1;
    case ProgramRequest::PrintHelp: {
        // The help pages are looked up from the executable's own folder.
        const std::string programFolder = FolderOf(TextFromPath(OwnProgramPath())) + PathSeparator;
        const std::string page = HelpPagePath(programFolder, HelpIndexPage);
        std::cout << ProgramHelpText(Cp1250ToUtf8(page)) << std::flush;
        return std::cout ? 0 : 1;
    }
    case ProgramRequest::OpenWindows:
    case ProgramRequest::OpenEditor:
        break;
    }
    // The windows place themselves relative to one another, which Wayland
    // does not allow; run through X11 there unless the user chose otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         qgetenv("XDG_SESSION_TYPE") == "wayland")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // Only the program's own name is handed on: Qt's own options are not ours.
    int argumentCount = 1;
    char* arguments[] = {argv[0], nullptr};
    NotarionApplication application(argumentCount, arguments);

    // Qt's own dialogs (file choice, printing, print preview) speak Polish
    // like the rest of the program; without the translation they stay English.
    // A Windows program carries the translation in its resources, since no
    // Qt is installed beside it.
    QTranslator qtTranslation;
    if (qtTranslation.load(QStringLiteral("qtbase_pl"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qtTranslation.load(QStringLiteral(":/translations/qtbase_pl.qm"))) {
        QCoreApplication::installTranslator(&qtTranslation);
    }

    if (ReadProgramRequest(words) == ProgramRequest::OpenEditor) {
        // The report editor on its own, for teachers: no skinned windows.
        ReportEditor editor;
        const std::string file = EditorFileArgument(words);
        if (!file.empty())
            editor.OpenFile(QString::fromStdString(file));
        editor.show();
        return application.exec();
    }

    SharedState state;
    state.DecimalSeparator = SystemDecimalSeparator();
    try {
        Windows windows(state,
                        WorkPlaces{Cp1250FromQString(QCoreApplication::applicationFilePath()),
                                   AppDataFolder(AppDataFolderId)});
        QObject::connect(&windows.FGlowny(), &TFGlowny::workEnded, &application,
                         &QCoreApplication::quit, Qt::QueuedConnection);
        windows.FGlowny().show();
        if (shown)
            shown(windows.FGlowny());
        // A list file given by name (a double click on it) opens over the
        // main window once that is up, as if chosen in its dialog.
        if (const auto listFile = ListFileArgument(words))
            QTimer::singleShot(0, &windows.FGlowny(), [&windows, listFile] {
                windows.FGlowny().OpenListFileArgument(*listFile);
            });
        return application.exec();
    } catch (const std::exception& error) {
        ShowErrorMessageBox(error.what());
        return 1;
    }
}

} // namespace notarion
