// The viewer tests run real widgets: one QApplication for the whole run, on
// the offscreen platform unless the caller chose another (Xvfb for looks).

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The offscreen platform reports every window mask and raise it cannot do;
// those notes would bury the test output. Everything else is printed.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
