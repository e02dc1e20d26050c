#include "check/FindingText.h"

#include "generate/StudentLists.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "reports/WholeNumber.h"
#include "system/SystemReason.h"
#include "text/Cp1250.h"

#include <cstdio>

namespace notarion {
namespace {

// The current front end's way of showing texts: values quoted, elements bare.
struct Shown {
    const ShownText& Show;
    std::string Quoted(std::string_view cp1250) const {
        return "„" + Show(Cp1250ToUtf8(cp1250)) + "”";
    }
    std::string Element(const Finding& finding) const {
        return Show(Cp1250ToUtf8(finding.Element));
    }
};

std::string KindMessage(const Finding& finding, const Shown& s) {
    std::string message;
    if (finding.Value.empty())
        message = "brak rodzaju sprawozdania (" + s.Element(finding) + " jest pusty lub go nie ma)";
    else
        message =
            "nieznany rodzaj sprawozdania " + s.Quoted(finding.Value) + " w " + s.Element(finding);
    message += "; sprawozdanie nie trafi do żadnego dokumentu.";
    if (!finding.Suggestion.empty())
        message += " Czy chodziło o " + s.Quoted(finding.Suggestion) + "?";
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

std::string LostMessage(const Finding& finding, const Shown& s) {
    std::string listed;
    const std::u16string characters = Utf8ToUtf16(finding.LostCharacters);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        std::size_t length = 1;
        char32_t code = characters[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < characters.size()) {
            code = 0x10000 + ((code - 0xD800) << 10) + (characters[i + 1] - 0xDC00);
            length = 2;
        }
        char number[16];
        std::snprintf(number, sizeof number, " (U+%04X)", static_cast<unsigned>(code));
        if (!listed.empty())
            listed += ", ";
        listed += "„" + s.Show(Utf16ToUtf8(characters.substr(i, length))) + "”" + number;
        i += length - 1;
    }
    return s.Element(finding) + " zawiera znaki spoza strony kodowej Windows-1250: " + listed +
           "; dokumenty pokażą je, ale w tytule sprawozdania na liście i w pliku listy "
           "pojawi się w ich miejscu „?”.";
}

std::string MissingMessage(const Finding& finding, const Shown& s, ReportKind kind) {
    return "klasa " + s.Quoted(finding.Class) + " nie ma sprawozdania „" +
           Cp1250ToUtf8(KindText(kind)) + "”.";
}

// An average in hundredths as the lists print it ("460" as "4,60").
std::string AverageShown(std::string_view hundredths) {
    const WholeNumber number = ParseWholeNumber(hundredths);
    return number ? FormatAverage(number.Value, ",") : std::string(hundredths);
}

} // namespace

std::string FindingMessage(const Finding& finding, const ShownText& show) {
    const Shown s{show};
    switch (finding.Kind) {
    case Problem::UnreadableFile:
        return "nie można odczytać pliku." +
               (finding.SystemError != 0
                    ? " " + SystemReasonText(finding.SystemError, FileAccess::Read)
                    : std::string());
    case Problem::ListedFileMissing:
        return "plik nie istnieje (wskazuje go Pozycja" + std::to_string(finding.ListPosition) +
               " pliku listy).";
    case Problem::UnrepresentableFileName:
        return "nazwa pliku zawiera znaki spoza strony kodowej Windows-1250; program nie "
               "otworzy pliku i pominie sprawozdanie. Zmień nazwę pliku.";
    case Problem::EmptyFile:
        return "plik jest pusty.";
    case Problem::DamagedXml:
        return DamageMessage(finding);
    case Problem::UnknownKind:
        return KindMessage(finding, s);
    case Problem::KindDiffersFromList:
        return "plik listy podaje rodzaj " + s.Quoted(finding.Suggestion) + ", a " +
               s.Element(finding) + " w pliku brzmi " + s.Quoted(finding.Value) +
               "; lista mogła zostać zapisana przed zmianą pliku.";
    case Problem::MissingCount:
        return "brak liczby w " + s.Element(finding) + ".";
    case Problem::CountNotWholeNumber:
        return s.Element(finding) + " zawiera " + s.Quoted(finding.Value) +
               ", a powinien zawierać liczbę całkowitą.";
    case Problem::CountOutOfRange:
        return "liczba " + s.Quoted(finding.Value) + " w " + s.Element(finding) + " " +
               OutOfRangeWords() + ".";
    case Problem::NegativeCount:
        return "liczba " + s.Quoted(finding.Value) + " w " + s.Element(finding) +
               " jest ujemna; pod tym nagłówkiem dokument nie pokaże nic.";
    case Problem::AverageNotNumeric:
        return "uczeń wyróżniony " + s.Quoted(finding.Student) + " nie ma liczbowej średniej w " +
               s.Element(finding) +
               (finding.Value.empty() ? std::string(" (brak wartości).")
                                      : " (jest " + s.Quoted(finding.Value) + ").");
    case Problem::DuplicateClass:
        return "drugie sprawozdanie tego rodzaju dla klasy " + s.Quoted(finding.Value) +
               " (pierwsze: " + show(Cp1250ToUtf8(finding.OtherFile)) +
               "); klasa pojawi się w dokumentach dwa razy.";
    case Problem::ReportTooLarge:
        return TooManyLinesWords() + s.Quoted(finding.Value) + " w " + s.Element(finding) +
               "); plik jest prawdopodobnie uszkodzony.";
    case Problem::CharactersLost:
        return LostMessage(finding, s);
    case Problem::MissingClassReport:
        return MissingMessage(finding, s, ReportKind::Class);
    case Problem::MissingBehaviourReport:
        return MissingMessage(finding, s, ReportKind::Behaviour);
    case Problem::MissingTutorReport:
        return MissingMessage(finding, s, ReportKind::Tutor);
    case Problem::FailingGradeWithoutJustification:
        return "ocena niedostateczna ucznia " + s.Quoted(finding.Student) + " z przedmiotu " +
               s.Quoted(finding.Subject) + " (klasa " + s.Quoted(finding.Class) +
               ") nie ma uzasadnienia: żadne sprawozdanie „Uzasadnienie oceny niedostatecznej” "
               "tej klasy i tego przedmiotu nie wymienia ucznia.";
    case Problem::JustificationWithoutFailingGrade:
        return "uzasadnienie wymienia ucznia " + s.Quoted(finding.Student) + " (" +
               s.Element(finding) + "), a sprawozdanie „Klasyfikacja klasy” klasy " +
               s.Quoted(finding.Class) + " nie podaje mu oceny niedostatecznej z przedmiotu " +
               s.Quoted(finding.Subject) + ".";
    case Problem::DistinguishedBelowThreshold:
        return "uczeń wyróżniony " + s.Quoted(finding.Student) + " ma średnią " +
               AverageShown(finding.Value) + " (" + s.Element(finding) +
               "), niższą niż 4,75 wymagane do wyróżnienia.";
    case Problem::DistinguishedWithLoweredBehaviour:
        return "uczeń wyróżniony " + s.Quoted(finding.Student) +
               " ma obniżoną ocenę zachowania (sprawozdanie: " +
               show(Cp1250ToUtf8(finding.OtherFile)) + ").";
    case Problem::ClassifiedBelowNamedStudents:
        return "liczba klasyfikowanych " + s.Quoted(finding.Value) + " (" + s.Element(finding) +
               ") jest mniejsza niż liczba uczniów wymienionych w sprawozdaniu: " +
               show(Cp1250ToUtf8(finding.OtherValue)) + ".";
    case Problem::PromotedAboveClassified:
        return "liczba promowanych " + s.Quoted(finding.Value) + " (" + s.Element(finding) +
               ") jest większa niż liczba klasyfikowanych " + s.Quoted(finding.OtherValue) + ".";
    case Problem::DistinguishedWithFailingGrade:
        return "uczeń wyróżniony " + s.Quoted(finding.Student) +
               " jest też wymieniony wśród uczniów z ocenami niedostatecznymi (" +
               show(Cp1250ToUtf8(finding.OtherValue)) + ").";
    }
    return {};
}

} // namespace notarion
