// One application object for every window test; the tests run on Qt's
// offscreen platform unless the caller chose another.

#include "ui/NotarionApplication.h"

#include <gtest/gtest.h>

namespace {

// The offscreen platform cannot shape windows and says so on every shaped
// window; the shape itself is still kept and checked by the tests.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    qt_message_output(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    ::testing::InitGoogleTest(&argc, argv);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    notarion::NotarionApplication application(qtArgc, qtArgv);
    return RUN_ALL_TESTS();
}
