#pragma once

// The system's own messages that the windows show and that the command line
// shows on the error stream, as UTF-8 lines. The messages that the core
// itself composes (a damaged report file, a failed document set or preview)
// come from the core and are converted with TerminalMessage.

namespace notarion {

// A folder without any "*.xml" file.
inline constexpr const char* NoReportFilesMessage =
    "Brak plików z danymi we wskazanym folderze.\nProgram nie ma co przetwarzać.";

// A list file that cannot be read.
inline constexpr const char* ListFileUnreadableMessage =
    "Wystąpiły problemy z wczytaniem pliku listy.\nPrawdopodobnie plik jest uszkodzony.";

// A list file that cannot be written.
inline constexpr const char* ListFileUnwritableMessage =
    "Wystąpiły problemy z zapisem pliku.\n"
    "Prawdopodobnie nie masz prawa do zapisu we wskazanym miejscu.";

} // namespace notarion
