#pragma once

// The whole program behind main(): kept in a library so that the start-up
// probe among the benchmarks runs exactly the code the program runs.

#include <functional>

class QWidget;

namespace notarion {

// Called once with the main window right after it was asked to show, before
// the event loop starts. The program itself passes nothing.
using MainWindowShown = std::function<void(QWidget& mainWindow)>;

// Answer --version and --help on the terminal, or make the application and
// its windows (or the report editor alone), show them and run until the
// work ends. Returns the process's exit status.
int RunProgram(int argc, char** argv, const MainWindowShown& shown = {});

} // namespace notarion
