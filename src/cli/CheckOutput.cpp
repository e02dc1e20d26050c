#include "cli/CheckOutput.h"

#include "cli/TerminalText.h"
#include "reports/ReportReader.h"

#include <cstdio>
#include <ostream>

namespace notarion {
namespace {

// A value from a report, quoted, on one line.
std::string Quoted(std::string_view cp1250) {
    return "„" + OneLine(TerminalText(cp1250)) + "”";
}

std::string Element(const Finding& finding) {
    return OneLine(TerminalText(finding.Element));
}

std::string KindMessage(const Finding& finding) {
    std::string message;
    if (finding.Value.empty())
        message = "brak rodzaju sprawozdania (" + Element(finding) + " jest pusty lub go nie ma)";
    else
        message =
            "nieznany rodzaj sprawozdania " + Quoted(finding.Value) + " w " + Element(finding);
    message += "; sprawozdanie nie trafi do żadnego dokumentu.";
    if (!finding.Suggestion.empty())
        message += " Czy chodziło o " + Quoted(finding.Suggestion) + "?";
    return message;
}

std::string DamageMessage(const Finding& finding) {
    std::string message = "uszkodzony zapis XML: odczyt zatrzymał się w wierszu " +
                          std::to_string(finding.Line) + ", kolumnie " +
                          std::to_string(finding.Column) + " (znak " +
                          std::to_string(finding.Offset) + ")";
    // A file cut short loses nothing after the stop, but everything it lacks.
    if (finding.UnreadCharacters == 0) {
        message += ", bo plik urywa się w tym miejscu.";
    } else {
        message +=
            "; nieodczytane znaki do końca pliku: " + std::to_string(finding.UnreadCharacters) +
            ".";
    }
    if (finding.Utf8Signature) {
        message += " Plik zaczyna się znacznikiem UTF-8, a program czyta pliki w kodowaniu "
                   "Windows-1250 albo UTF-16.";
    }
    return message;
}

} // namespace

std::string FindingMessage(const Finding& finding) {
    switch (finding.Kind) {
    case Problem::UnreadableFile:
        return "nie można odczytać pliku.";
    case Problem::ListedFileMissing:
        return "plik nie istnieje (wskazuje go Pozycja" + std::to_string(finding.ListPosition) +
               " pliku listy).";
    case Problem::UnrepresentableFileName:
        return "nazwa pliku zawiera znaki spoza strony kodowej Windows-1250 (pokazane jako "
               "„?”); program nie otworzy pliku i pominie sprawozdanie. Zmień nazwę pliku.";
    case Problem::EmptyFile:
        return "plik jest pusty.";
    case Problem::DamagedXml:
        return DamageMessage(finding);
    case Problem::UnknownKind:
        return KindMessage(finding);
    case Problem::KindDiffersFromList:
        return "plik listy podaje rodzaj " + Quoted(finding.Suggestion) + ", a " +
               Element(finding) + " w pliku brzmi " + Quoted(finding.Value) +
               "; lista mogła zostać zapisana przed zmianą pliku.";
    case Problem::MissingCount:
        return "brak liczby w " + Element(finding) + ".";
    case Problem::CountNotWholeNumber:
        return Element(finding) + " zawiera " + Quoted(finding.Value) +
               ", a powinien zawierać liczbę całkowitą.";
    case Problem::CountOutOfRange:
        return "liczba " + Quoted(finding.Value) + " w " + Element(finding) +
               " jest poza zakresem (najwyżej " + std::to_string(MaxLoopCount) + ").";
    case Problem::NegativeCount:
        return "liczba " + Quoted(finding.Value) + " w " + Element(finding) +
               " jest ujemna; pod tym nagłówkiem dokument nie pokaże nic.";
    case Problem::AverageNotNumeric:
        return "uczeń wyróżniony " + Quoted(finding.Student) + " nie ma liczbowej średniej w " +
               Element(finding) +
               (finding.Value.empty() ? std::string(" (brak wartości).")
                                      : " (jest " + Quoted(finding.Value) + ").");
    case Problem::DuplicateClass:
        return "drugie sprawozdanie tego rodzaju dla klasy " + Quoted(finding.Value) +
               " (pierwsze: " + OneLine(TerminalText(finding.OtherFile)) +
               "); klasa pojawi się w dokumentach dwa razy.";
    case Problem::ReportTooLarge:
        return "liczby w sprawozdaniu dają razem ponad " + std::to_string(MaxReportLines) +
               " wierszy (przekracza je liczba " + Quoted(finding.Value) + " w " +
               Element(finding) + "); plik jest prawdopodobnie uszkodzony.";
    }
    return {};
}

void WriteCheckText(const CheckResult& result, std::ostream& out) {
    for (const Finding& finding : result.Findings) {
        out << OneLine(TerminalText(finding.File)) << ": "
            << (finding.Level == Severity::Error ? "błąd" : "ostrzeżenie") << ": "
            << FindingMessage(finding) << '\n';
    }
    out << "Sprawdzone sprawozdania: " << result.ReportsChecked
        << ". Błędy: " << result.ErrorCount() << ". Ostrzeżenia: " << result.WarningCount()
        << ".\n";
}

std::string JsonString(std::string_view utf8) {
    std::string text = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            text += "\\\"";
            break;
        case '\\':
            text += "\\\\";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\r':
            text += "\\r";
            break;
        case '\t':
            text += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                text += escaped;
            } else {
                text += c;
            }
        }
    }
    return text + "\"";
}

void WriteCheckJson(const CheckResult& result, std::string_view sourceUtf8, std::ostream& out) {
    const auto text = [](std::string_view cp1250) { return JsonString(TerminalText(cp1250)); };
    out << "{\n  \"source\": " << JsonString(sourceUtf8) << ",\n"
        << "  \"checkedReports\": " << result.ReportsChecked << ",\n"
        << "  \"errors\": " << result.ErrorCount() << ",\n"
        << "  \"warnings\": " << result.WarningCount() << ",\n"
        << "  \"findings\": [";
    bool first = true;
    for (const Finding& finding : result.Findings) {
        out << (first ? "\n" : ",\n") << "    {\"file\": " << text(finding.File);
        first = false;
        if (finding.ListPosition >= 0)
            out << ", \"listPosition\": " << finding.ListPosition;
        if (!finding.Element.empty())
            out << ", \"element\": " << text(finding.Element);
        out << ", \"severity\": \"" << (finding.Level == Severity::Error ? "error" : "warning")
            << "\""
            << ", \"problem\": \"" << ProblemCode(finding.Kind) << "\"";
        switch (finding.Kind) {
        case Problem::DamagedXml:
            out << ", \"offset\": " << finding.Offset << ", \"line\": " << finding.Line
                << ", \"column\": " << finding.Column
                << ", \"unreadCharacters\": " << finding.UnreadCharacters;
            break;
        case Problem::UnknownKind:
        case Problem::KindDiffersFromList:
        case Problem::MissingCount:
        case Problem::CountNotWholeNumber:
        case Problem::CountOutOfRange:
        case Problem::NegativeCount:
        case Problem::AverageNotNumeric:
        case Problem::DuplicateClass:
        case Problem::ReportTooLarge:
            out << ", \"value\": " << text(finding.Value);
            break;
        default:
            break;
        }
        if (!finding.Suggestion.empty()) {
            out << (finding.Kind == Problem::KindDiffersFromList ? ", \"listedKind\": "
                                                                 : ", \"suggestion\": ")
                << text(finding.Suggestion);
        }
        if (finding.Kind == Problem::AverageNotNumeric)
            out << ", \"student\": " << text(finding.Student);
        if (!finding.OtherFile.empty())
            out << ", \"otherFile\": " << text(finding.OtherFile);
        out << ", \"message\": " << JsonString(FindingMessage(finding)) << "}";
    }
    out << (first ? "]\n}\n" : "\n  ]\n}\n");
}

} // namespace notarion
