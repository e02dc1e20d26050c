#include "app/ProgramOptions.h"

#include "app/BuildInfo.h"

namespace notarion {

namespace {

constexpr std::string_view EditorOption = "--edytor";

constexpr std::string_view HelpText =
    R"(notarion – dokumenty klasyfikacyjnej rady pedagogicznej z plików sprawozdań.

Użycie:
  notarion [LISTA.xmp] otwiera okno programu; z podanym plikiem listy
                       od razu także okno listy sprawozdań z tym zestawem
  notarion --version   wypisuje wersję programu
  notarion --help      wypisuje tę pomoc
  notarion --edytor [PLIK.xml]
                       otwiera edytor sprawozdań (z plikiem albo pusty)

Program prowadzi przez pracę w oknach: wskazanie folderu z plikami sprawozdań
(*.xml) albo zapisanego pliku listy (*.xmp), ułożenie listy i utworzenie
czternastu dokumentów (dziewięciu protokołów i pięciu list uczniów) w folderze
„Protokoly” obok sprawozdań. Klawisz F1 otwiera pomoc w każdym oknie.
Te same dokumenty bez okien tworzy notarion-cli (notarion-cli --help).

)";

} // namespace

ProgramRequest ReadProgramRequest(std::span<const std::string_view> arguments) {
    for (const std::string_view argument : arguments) {
        if (argument == "--version") {
            return ProgramRequest::PrintVersion;
        }
        if (argument == "--help" || argument == "-h") {
            return ProgramRequest::PrintHelp;
        }
        if (argument == EditorOption) {
            return ProgramRequest::OpenEditor;
        }
    }
    return ProgramRequest::OpenWindows;
}

std::string EditorFileArgument(std::span<const std::string_view> arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == EditorOption && !arguments[i + 1].starts_with("-")) {
            return std::string(arguments[i + 1]);
        }
    }
    return {};
}

std::optional<std::string_view> ListFileArgument(std::span<const std::string_view> arguments) {
    for (const std::string_view argument : arguments) {
        if (!argument.empty() && !argument.starts_with("-"))
            return argument;
    }
    return std::nullopt;
}

std::string ProgramVersionText() {
    return std::string("notarion ") + ProgramVersion + "\n";
}

std::string ProgramHelpText(std::string_view helpPage) {
    return std::string(HelpText) + "Strony pomocy: " + std::string(helpPage) + "\n";
}

std::string VersionCaption() {
    return std::string("wersja ") + ProgramVersion;
}

} // namespace notarion
