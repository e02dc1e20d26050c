// Start-up cost. In process: from making the application object and the
// seven windows to the main window on screen. Side by side: the CPU time of
// the whole program started as a process until its main window is shown,
// against a bare Qt program showing one empty frameless window of the same
// size, both run alternately as child processes. The work folders go to a
// temporary folder, never to the user's own.

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

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

// The CPU time (user and system) a program in this benchmark's folder takes
// from exec to exit; a negative value when it could not run or failed.
double ChildCpuSeconds(const std::string& program, const char* argument = nullptr) {
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Each iteration starts the bare window, the bare window with one line of
// text, and then the program; the reported time is the program's CPU time,
// the counters the medians of all three and of the per-run ratios. Run with QT_QPA_PLATFORM=xcb and
// a display to measure on X11 instead of the offscreen platform.
void ProgramStartAgainstBareWindow(benchmark::State& benchmarkState) {
    QTemporaryDir dir;
    // The program's work folders land in the temporary folder.
    qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string bare = (folder / "bare_window").string();
    const std::string probe = (folder / "startup_probe").string();
    std::vector<double> bareTimes, textTimes, probeTimes, ratios, textRatios;
    for (auto _ : benchmarkState) {
        const double bareTime = ChildCpuSeconds(bare);
        const double textTime = ChildCpuSeconds(bare, "--text");
        const double probeTime = ChildCpuSeconds(probe);
        if (bareTime <= 0 || textTime <= 0 || probeTime < 0) {
            benchmarkState.SkipWithError("bare_window or startup_probe did not run to its window");
            break;
        }
        benchmarkState.SetIterationTime(probeTime);
        bareTimes.push_back(bareTime);
        textTimes.push_back(textTime);
        probeTimes.push_back(probeTime);
        ratios.push_back(probeTime / bareTime);
        textRatios.push_back(probeTime / textTime);
    }
    if (!ratios.empty()) {
        benchmarkState.counters["bare_ms"] = Median(bareTimes) * 1e3;
        benchmarkState.counters["program_ms"] = Median(probeTimes) * 1e3;
        benchmarkState.counters["ratio"] = Median(ratios);
        benchmarkState.counters["bare_text_ms"] = Median(textTimes) * 1e3;
        benchmarkState.counters["ratio_to_text"] = Median(textRatios);
    }
}
BENCHMARK(ProgramStartAgainstBareWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(31);

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
