// notarion-cli built with Qt: the pdf command lays the set out with Qt's text
// layout and PDF writer. This is the command line's only Qt code; it needs Qt
// GUI but no widgets and no display.

#include "cli/PdfWriterOfThisBuild.h"
#include "cli/TerminalText.h"
#include "platform/SetPdf.h"

#include <QGuiApplication>

#include <optional>

namespace notarion {
namespace {

// Qt's notices about the desktop it runs without (no runtime folder, no
// display) would only confuse the user of a command line; its errors still
// reach the error stream.
void KeepOnlyQtErrors(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qt_message_output(type, context, text);
}

std::string WriteSetPdfWithoutDisplay(const SetContents& contents, const std::string& path,
                                      NamedBy namedBy) {
    // Fonts and text layout need a GUI application. The platform the build
    // names gives one that shows nothing: on Linux the offscreen platform, so
    // the command runs over SSH and in scripts without a display; on Windows
    // the system's own, the only one that finds the system's fonts. A
    // platform the caller chose is respected.
    std::optional<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", NOTARION_WINDOWLESS_QT_PLATFORM);
        qInstallMessageHandler(KeepOnlyQtErrors);
        static int argc = 1;
        static char name[] = "notarion-cli";
        static char* argv[] = {name, nullptr};
        application.emplace(argc, argv);
    }
    // The set was written just now; its newest file tells when.
    const SetOutputResult result = WriteSetPdf(contents, path, namedBy, GenerationTime(contents));
    return result.Ok() ? std::string() : TerminalMessage(SetOutputMessage(result));
}

} // namespace

SetPdfWriter PdfWriterOfThisBuild() {
    return WriteSetPdfWithoutDisplay;
}

} // namespace notarion
