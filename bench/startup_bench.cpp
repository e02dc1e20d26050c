// Start-up cost: from making the application object and the seven windows
// to the main window on screen with every skin picture decoded. The work
// folders go to a temporary folder, never to the user's own.

#include "app/SharedState.h"
#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "ui/NotarionApplication.h"
#include "ui/TFGlowny.h"
#include "ui/Windows.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace {

// Let the event loop run until window is on screen; false after 5 s.
bool WaitUntilExposed(QWidget& window) {
    QElapsedTimer clock;
    clock.start();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        if (clock.elapsed() > 5000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void StartUpToMainWindowShown(benchmark::State& benchmarkState) {
    QTemporaryDir dir;
    const std::string folder = notarion::Cp1250FromQString(dir.path());
    for (auto _ : benchmarkState) {
        int argc = 1;
        char name[] = "startup_bench";
        char* argv[] = {name, nullptr};
        notarion::NotarionApplication application(argc, argv);
        notarion::SharedState state;
        notarion::Windows windows(state, notarion::WorkPlaces{folder + "/notarion", folder},
                                  notarion::HelpOpener([](const QUrl&) {}));
        windows.FGlowny().show();
        if (!WaitUntilExposed(windows.FGlowny())) {
            benchmarkState.SkipWithError("the main window was never shown");
            break;
        }
        benchmark::DoNotOptimize(state.AppFolder.data());
    }
}
BENCHMARK(StartUpToMainWindowShown)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Decoding alone: the main window's background, the largest picture.
void DecodeMainBackground(benchmark::State& benchmarkState) {
    int argc = 1;
    char name[] = "startup_bench";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    for (auto _ : benchmarkState) {
        const QImage image = notarion::LoadSkinImage(QStringLiteral("glowny_tlo"));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DecodeMainBackground)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
