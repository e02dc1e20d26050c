#include "cli/CommandLine.h"

#include "app/BuildInfo.h"
#include "cli/CommandError.h"
#include "cli/Commands.h"
#include "cli/PdfCommand.h"
#include "cli/ReportCommands.h"
#include "text/Failure.h"

#include <array>
#include <exception>
#include <ostream>

namespace notarion {
namespace {

constexpr std::string_view ProgramName = "notarion-cli";

constexpr std::string_view MainHelp =
    R"(notarion-cli – dokumenty klasyfikacyjnej rady pedagogicznej z plików
sprawozdań, bez okien programu Notarion.

Użycie:
  notarion-cli generate ŹRÓDŁO [--out FOLDER] [--decimal-separator ZNAK]
                        [--order klasy]
  notarion-cli preview SPRAWOZDANIE [--out PLIK] [--decimal-separator ZNAK]
  notarion-cli pdf ŹRÓDŁO [--out PLIK.pdf] [--decimal-separator ZNAK]
  notarion-cli list save ŹRÓDŁO PLIK_LISTY [--order klasy]
  notarion-cli list show PLIK_LISTY
  notarion-cli check ŹRÓDŁO [--json]
  notarion-cli summary ŹRÓDŁO [--json | --csv] [--out PLIK]
  notarion-cli report show SPRAWOZDANIE [--json]
  notarion-cli report write PLIK.json PLIK.xml
  notarion-cli report new RODZAJ PLIK.xml

Polecenia:
  generate   zapisuje czternaście dokumentów: protokoły i listy uczniów
  preview    zapisuje stronę podglądu jednego sprawozdania
  pdf        zapisuje czternaście dokumentów i cały zestaw jako jeden plik PDF
  list       zapisuje albo pokazuje plik listy
  check      sprawdza sprawozdania przed generowaniem dokumentów
  summary    wypisuje zestawienie wyników klasyfikacji wszystkich klas
  report     pokazuje, zapisuje albo zakłada jeden plik sprawozdania

ŹRÓDŁO to folder z plikami sprawozdań (*.xml) albo plik listy (*.xmp).
Pomoc do polecenia: notarion-cli POLECENIE --help
Wersja programu: notarion-cli --version

Kody wyjścia: 0 – powodzenie, 1 – praca się nie udała, 2 – błędne wywołanie.
)";

constexpr std::string_view GenerateHelp =
    R"(Użycie: notarion-cli generate ŹRÓDŁO [--out FOLDER] [--decimal-separator ZNAK]
                              [--order klasy]

Zapisuje czternaście dokumentów klasyfikacyjnej rady pedagogicznej: dziewięć
protokołów i pięć list uczniów, a obok nich zestawienie wyników klasyfikacji
(Zestawienie.htm). ŹRÓDŁO to folder z plikami sprawozdań (*.xml) albo plik
listy (*.xmp). Wypisuje ścieżkę każdego zapisanego dokumentu.

Opcje:
  --out FOLDER               folder dokumentów; domyślnie „Protokoly” w folderze
                             sprawozdań (dla pliku listy: w folderze tego pliku);
                             brakujący folder zostanie utworzony
  --decimal-separator ZNAK   separator dziesiętny średnich ocen; domyślnie ten
                             z ustawień regionalnych
  --order klasy              sprawozdania każdego rodzaju według klas (1a, 1b,
                             2a, …, 10a), rodzaje bez klasy według przedmiotu
                             albo nauczyciela; domyślnie w kolejności źródła
  -h, --help                 ta pomoc
)";

constexpr std::string_view PreviewHelp =
    R"(Użycie: notarion-cli preview SPRAWOZDANIE [--out PLIK] [--decimal-separator ZNAK]

Zapisuje stronę podglądu jednego pliku sprawozdania, tę samą, którą program
pokazuje w oknie podglądu, do PLIKU albo na standardowe wyjście (w kodowaniu
Windows-1250, jak wszystkie dokumenty programu).

Opcje:
  --out PLIK                 plik strony podglądu zamiast standardowego wyjścia
  --decimal-separator ZNAK   separator dziesiętny średnich ocen; domyślnie ten
                             z ustawień regionalnych
  -h, --help                 ta pomoc
)";

constexpr std::string_view PdfHelp =
    R"(Użycie: notarion-cli pdf ŹRÓDŁO [--out PLIK.pdf] [--decimal-separator ZNAK]

Zapisuje czternaście dokumentów, tak jak polecenie generate, a potem cały
zestaw jako jeden plik PDF (A4): strona tytułowa ze spisem dokumentów, po niej
zestawienie wyników klasyfikacji, każdy dokument od nowej strony, numery stron
i zakładki z tytułami dokumentów.
Wypisuje ścieżkę zapisanego pliku. Nie potrzebuje ekranu.

Opcje:
  --out PLIK.pdf             plik PDF; domyślnie „Protokoly.pdf” w folderze
                             dokumentów („Protokoly” w folderze sprawozdań)
  --decimal-separator ZNAK   separator dziesiętny średnich ocen; domyślnie ten
                             z ustawień regionalnych
  -h, --help                 ta pomoc
)";

constexpr std::string_view ListHelp = R"(Użycie:
  notarion-cli list save ŹRÓDŁO PLIK_LISTY [--order klasy]
  notarion-cli list show PLIK_LISTY

Polecenia:
  save   zapisuje sprawozdania folderu jako plik listy (*.xmp)
  show   wypisuje pozycje pliku listy
Pomoc do polecenia: notarion-cli list POLECENIE --help
)";

constexpr std::string_view ListSaveHelp =
    R"(Użycie: notarion-cli list save ŹRÓDŁO PLIK_LISTY [--order klasy]

Wczytuje sprawozdania z folderu ŹRÓDŁO (pliki *.xml, uporządkowane według
rodzaju, tak jak przy nowym zestawie) i zapisuje je jako plik listy. Do nazwy
bez rozszerzenia zostanie dodane „.xmp”. Istniejący plik zostanie zastąpiony.
Wypisuje ścieżkę zapisanego pliku.

Opcje:
  --order klasy   sprawozdania każdego rodzaju według klas (1a, 1b, 2a, …,
                  10a), rodzaje bez klasy według przedmiotu albo nauczyciela
  -h, --help      ta pomoc
)";

constexpr std::string_view ListShowHelp = R"(Użycie: notarion-cli list show PLIK_LISTY

Wypisuje pozycje pliku listy, po jednej w wierszu: tytuł, ścieżkę pliku
sprawozdania i rodzaj, rozdzielone znakiem tabulacji (UTF-8).

Opcje:
  -h, --help   ta pomoc
)";

constexpr std::string_view CheckHelp = R"(Użycie: notarion-cli check ŹRÓDŁO [--json]

Sprawdza każde sprawozdanie folderu albo pliku listy i wypisuje, z nazwą pliku
i elementu, wszystko, co przerwałoby generowanie dokumentów (błąd) albo
sprawiłoby, że informacje zginą lub pojawią się dwa razy (ostrzeżenie): plik,
którego nie można odczytać; uszkodzony zapis XML; nieznany rodzaj sprawozdania;
brakującą, niecałkowitą lub zbyt dużą liczbę; wyróżnionego ucznia bez
liczbowej średniej; dwa sprawozdania jednego rodzaju dla tej samej klasy; plik
wskazany w liście, którego już nie ma.
Kończy się kodem 0, gdy niczego nie znaleziono, a kodem 1 w przeciwnym razie.

Opcje:
  --json       wyniki w formacie JSON (UTF-8) dla skryptów
  -h, --help   ta pomoc
)";

constexpr std::string_view SummaryHelp =
    R"(Użycie: notarion-cli summary ŹRÓDŁO [--json | --csv] [--out PLIK]

Wypisuje zestawienie wyników klasyfikacji ze sprawozdań „Klasyfikacja klasy”
i „Klasyfikacja klasy z zachowania”: dla każdej klasy liczbę uczniów
klasyfikowanych, promowanych, niepromowanych, z wyróżnieniem (i ich średnią),
ze stuprocentową frekwencją, z ocenami niedostatecznymi, klasyfikowanych
z zachowania, z zachowaniem wzorowym i obniżonym; potem sumy dla szkoły
i odsetki uczniów klasyfikowanych. To samo zestawienie program zapisuje jako
„Zestawienie.htm” obok dokumentów. Wartość, która nie jest liczbą, pokazuje
tak, jak ją wpisano, i pomija w sumach; klasa bez sprawozdania ma w jego
kolumnach „brak sprawozdania”.
Kończy się kodem 0, a kodem 1, gdy zestawu nie można odczytać.

Opcje:
  --json       zestawienie w formacie JSON (UTF-8) dla skryptów
  --csv        zestawienie w formacie CSV dla arkusza kalkulacyjnego: pola
               rozdzielone średnikiem, przecinek dziesiętny, UTF-8 ze znacznikiem BOM
  --out PLIK   zapisuje zestawienie do PLIKU zamiast na standardowe wyjście
  -h, --help   ta pomoc
)";

constexpr std::string_view ReportHelp = R"(Użycie:
  notarion-cli report show SPRAWOZDANIE [--json]
  notarion-cli report write PLIK.json PLIK.xml
  notarion-cli report new RODZAJ PLIK.xml

Polecenia:
  show    pokazuje sprawozdanie tak, jak widzi je edytor, z problemami odczytu
  write   zapisuje plik sprawozdania z postaci JSON (tej, którą wypisuje show --json)
  new     zakłada puste sprawozdanie danego rodzaju

Pomoc do polecenia: notarion-cli report POLECENIE --help
)";

constexpr std::string_view ReportShowHelp =
    R"(Użycie: notarion-cli report show SPRAWOZDANIE [--json]

Wypisuje rodzaj, pola i listy sprawozdania (liczby wynikają z list) oraz
problemy znalezione przy odczycie, tymi samymi słowami co polecenie check.
Z --json: ta sama treść jako JSON, którą przyjmuje polecenie report write.
Kończy się kodem 1, gdy rodzaj sprawozdania jest nieznany.

Opcje:
  --json       wynik jako JSON
  -h, --help   ta pomoc
)";

constexpr std::string_view ReportWriteHelp = R"(Użycie: notarion-cli report write PLIK.json PLIK.xml

Zapisuje plik sprawozdania (Windows-1250) z postaci JSON: klucze to nazwy
elementów sprawozdania, "Doc" to rodzaj; liczby program oblicza sam. Błędny
JSON, brakujące albo powtórzone pole, znak spoza Windows-1250, znak sterujący
(poza tabulacją), średnia, która nie jest liczbą (np. "4,75"), albo
sprawozdanie ponad granice, które program odczytuje (10000 pozycji w jednej
liście, 100000 wierszy razem, 64 MB): komunikat ze wskazaniem miejsca, kod 1,
nic nie zostaje zapisane. Istniejący PLIK.xml zostanie zastąpiony, chyba że
jest chroniony przed zapisem.

Opcje:
  -h, --help   ta pomoc
)";

constexpr std::array<CommandOption, 2> DocumentOptions = {{
    {"out", true},
    {"decimal-separator", true},
}};
constexpr std::array<CommandOption, 3> GenerateOptions = {{
    {"out", true},
    {"decimal-separator", true},
    {"order", true},
}};
constexpr std::array<CommandOption, 1> OrderOptions = {{{"order", true}}};
constexpr std::array<CommandOption, 1> CheckOptions = {{{"json", false}}};
constexpr std::array<CommandOption, 3> SummaryOptions = {{
    {"json", false},
    {"csv", false},
    {"out", true},
}};

bool IsHelpWord(std::string_view word) {
    return word == "--help" || word == "-h";
}

// A usage error of the named command, with the way to its help.
[[noreturn]] void ThrowCommandUsage(std::string_view command, const std::string& message) {
    const std::string name = command.empty()
                                 ? std::string(ProgramName)
                                 : std::string(ProgramName) + " " + std::string(command);
    ThrowUsageError(name + ": " + message + "\nPomoc: " + name + " --help");
}

// Parse the words of a command that takes exactly the named positionals;
// prints the help and returns nullopt when it was asked for.
std::optional<ParsedArguments> ParseCommand(std::string_view command,
                                            std::span<const std::string> words,
                                            std::span<const CommandOption> options,
                                            std::span<const std::string_view> positionals,
                                            std::string_view help, std::ostream& out) {
    ParsedArguments parsed;
    try {
        parsed = ParseArguments(words, options);
    } catch (const CommandError& error) {
        ThrowCommandUsage(command, error.what());
    }
    if (parsed.Help) {
        out << help;
        return std::nullopt;
    }
    if (parsed.Positionals.size() < positionals.size()) {
        ThrowCommandUsage(command, "brak argumentu " +
                                       std::string(positionals[parsed.Positionals.size()]) + ".");
    }
    if (parsed.Positionals.size() > positionals.size())
        ThrowCommandUsage(command, "za dużo argumentów: „" + parsed.Positionals.back() + "”.");
    return parsed;
}

// Run the work of a command; a usage error found while doing it (a path or
// a separator that cannot be used) gets the way to the command's help.
template <typename Work> int RunCommand(std::string_view command, Work work) {
    try {
        return work();
    } catch (const CommandError& error) {
        if (error.Code() == ExitCode::UsageError)
            ThrowCommandUsage(command, error.what());
        throw;
    }
}

SetOrder OrderOf(const ParsedArguments& parsed) {
    const std::optional<std::string> order = parsed.Value("order");
    return order ? SetOrderArgument(*order) : SetOrder::AsFound;
}

int RunList(std::span<const std::string> words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        ThrowCommandUsage("list", "brak polecenia: save albo show.");
    const std::string& command = words.front();
    const auto rest = words.subspan(1);
    if (IsHelpWord(command)) {
        out << ListHelp;
        return 0;
    }
    if (command == "save") {
        constexpr std::array<std::string_view, 2> names = {"ŹRÓDŁO", "PLIK_LISTY"};
        const auto parsed = ParseCommand("list save", rest, OrderOptions, names, ListSaveHelp, out);
        return !parsed ? 0 : RunCommand("list save", [&] {
            ListSaveCommand(parsed->Positionals[0], parsed->Positionals[1], out, err,
                            OrderOf(*parsed));
            return 0;
        });
    }
    if (command == "show") {
        constexpr std::array<std::string_view, 1> names = {"PLIK_LISTY"};
        const auto parsed = ParseCommand("list show", rest, {}, names, ListShowHelp, out);
        return !parsed ? 0 : RunCommand("list show", [&] {
            ListShowCommand(parsed->Positionals[0], out);
            return 0;
        });
    }
    ThrowCommandUsage("list", "nieznane polecenie „" + command + "”.");
}

int RunReport(std::span<const std::string> words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        ThrowCommandUsage("report", "brak polecenia: show, write albo new.");
    const std::string& command = words.front();
    const auto rest = words.subspan(1);
    if (IsHelpWord(command)) {
        out << ReportHelp;
        return 0;
    }
    if (command == "show") {
        constexpr std::array<std::string_view, 1> names = {"SPRAWOZDANIE"};
        const auto parsed =
            ParseCommand("report show", rest, CheckOptions, names, ReportShowHelp, out);
        return !parsed ? 0 : RunCommand("report show", [&] {
            return ReportShowCommand(parsed->Positionals[0], parsed->Has("json"), out);
        });
    }
    if (command == "write") {
        constexpr std::array<std::string_view, 2> names = {"PLIK.json", "PLIK.xml"};
        const auto parsed = ParseCommand("report write", rest, {}, names, ReportWriteHelp, out);
        return !parsed ? 0 : RunCommand("report write", [&] {
            ReportWriteCommand(parsed->Positionals[0], parsed->Positionals[1], out, err);
            return 0;
        });
    }
    if (command == "new") {
        const std::string help = "Użycie: notarion-cli report new RODZAJ PLIK.xml\n\n"
                                 "Zakłada puste sprawozdanie. RODZAJ to krótka nazwa albo "
                                 "rodzaj z elementu Doc:\n" +
                                 KindNamesHelp() +
                                 "\nIstniejącego pliku nie zastępuje.\n\nOpcje:\n"
                                 "  -h, --help   ta pomoc\n";
        constexpr std::array<std::string_view, 2> names = {"RODZAJ", "PLIK.xml"};
        const auto parsed = ParseCommand("report new", rest, {}, names, help, out);
        return !parsed ? 0 : RunCommand("report new", [&] {
            ReportNewCommand(parsed->Positionals[0], parsed->Positionals[1], out);
            return 0;
        });
    }
    ThrowCommandUsage("report", "nieznane polecenie „" + command + "”.");
}

int Dispatch(const std::vector<std::string>& words, const SetPdfWriter& pdfWriter,
             std::ostream& out, std::ostream& err) {
    if (words.empty())
        ThrowCommandUsage("", "brak polecenia.");
    const std::string& command = words.front();
    const std::span<const std::string> rest = std::span(words).subspan(1);
    if (IsHelpWord(command)) {
        out << MainHelp;
        return 0;
    }
    if (command == "--version") {
        out << ProgramName << ' ' << ProgramVersion << '\n';
        return 0;
    }
    if (command == "generate") {
        constexpr std::array<std::string_view, 1> names = {"ŹRÓDŁO"};
        const auto parsed =
            ParseCommand("generate", rest, GenerateOptions, names, GenerateHelp, out);
        return !parsed ? 0 : RunCommand("generate", [&] {
            GenerateCommand(parsed->Positionals[0], parsed->Value("out"),
                            parsed->Value("decimal-separator"), out, err, OrderOf(*parsed));
            return 0;
        });
    }
    if (command == "preview") {
        constexpr std::array<std::string_view, 1> names = {"SPRAWOZDANIE"};
        const auto parsed = ParseCommand("preview", rest, DocumentOptions, names, PreviewHelp, out);
        return !parsed ? 0 : RunCommand("preview", [&] {
            PreviewCommand(parsed->Positionals[0], parsed->Value("out"),
                           parsed->Value("decimal-separator"), out);
            return 0;
        });
    }
    if (command == "pdf") {
        constexpr std::array<std::string_view, 1> names = {"ŹRÓDŁO"};
        const auto parsed = ParseCommand("pdf", rest, DocumentOptions, names, PdfHelp, out);
        return !parsed ? 0 : RunCommand("pdf", [&] {
            PdfCommand(parsed->Positionals[0], parsed->Value("out"),
                       parsed->Value("decimal-separator"), pdfWriter, out, err);
            return 0;
        });
    }
    if (command == "list")
        return RunList(rest, out, err);
    if (command == "report")
        return RunReport(rest, out, err);
    if (command == "check") {
        constexpr std::array<std::string_view, 1> names = {"ŹRÓDŁO"};
        const auto parsed = ParseCommand("check", rest, CheckOptions, names, CheckHelp, out);
        return !parsed ? 0 : RunCommand("check", [&] {
            return CheckCommand(parsed->Positionals[0], parsed->Has("json"), out);
        });
    }
    if (command == "summary") {
        constexpr std::array<std::string_view, 1> names = {"ŹRÓDŁO"};
        const auto parsed = ParseCommand("summary", rest, SummaryOptions, names, SummaryHelp, out);
        if (!parsed)
            return 0;
        if (parsed->Has("json") && parsed->Has("csv"))
            ThrowCommandUsage("summary", "podaj tylko jedną z opcji --json i --csv.");
        const SummaryFormat format = parsed->Has("json")  ? SummaryFormat::Json
                                     : parsed->Has("csv") ? SummaryFormat::Csv
                                                          : SummaryFormat::Text;
        return RunCommand("summary", [&] {
            SummaryCommand(parsed->Positionals[0], format, parsed->Value("out"), out);
            return 0;
        });
    }
    ThrowCommandUsage("", "nieznane polecenie „" + command + "”.");
}

} // namespace

bool ParsedArguments::Has(std::string_view name) const {
    for (const auto& option : Options) {
        if (option.first == name)
            return true;
    }
    return false;
}

std::optional<std::string> ParsedArguments::Value(std::string_view name) const {
    for (const auto& option : Options) {
        if (option.first == name)
            return option.second;
    }
    return std::nullopt;
}

ParsedArguments ParseArguments(std::span<const std::string> words,
                               std::span<const CommandOption> options) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || !word.starts_with("-")) {
            parsed.Positionals.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (IsHelpWord(word)) {
            parsed.Help = true;
            continue;
        }
        const auto equals = word.find('=');
        const std::string name =
            word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const CommandOption* known = nullptr;
        for (const CommandOption& option : options) {
            if (word.starts_with("--") && option.Name == name)
                known = &option;
        }
        if (!known)
            ThrowUsageError("nieznana opcja „" + word + "”.");
        if (parsed.Has(name))
            ThrowUsageError("opcja --" + name + " podana dwa razy.");
        std::string value;
        if (!known->TakesValue) {
            if (equals != std::string::npos)
                ThrowUsageError("opcja --" + name + " nie przyjmuje wartości.");
        } else if (equals != std::string::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            ThrowUsageError("opcja --" + name + " wymaga wartości.");
        }
        parsed.Options.emplace_back(name, std::move(value));
    }
    return parsed;
}

int RunCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                   const SetPdfWriter& pdfWriter) {
    int code = static_cast<int>(ExitCode::Success);
    try {
        code = Dispatch(words, pdfWriter, out, err);
    } catch (const CommandError& error) {
        if (*error.what() != '\0')
            err << error.what() << '\n';
        code = static_cast<int>(error.Code());
    } catch (const std::exception& error) {
        // Nothing of the core should escape the commands; if something does,
        // the user learns that the work did not finish, not that it did.
        err << "Nieoczekiwany błąd: " << error.what() << '\n';
        code = static_cast<int>(ExitCode::WorkFailed);
    }
    // A result that did not reach its reader (a full disk behind a
    // redirection, a closed pipe) is a failure, not a success.
    out.flush();
    if (!out && code == static_cast<int>(ExitCode::Success)) {
        err << "Nie można zapisać wyniku na standardowe wyjście.\n";
        code = static_cast<int>(ExitCode::WorkFailed);
    }
    err.flush();
    return code;
}

} // namespace notarion
