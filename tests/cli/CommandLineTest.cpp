#include "cli/CommandLine.h"
#include "cli/CheckJson.h"
#include "cli/CheckOutput.h"
#include "cli/CommandError.h"
#include "cli/ReportSource.h"
#include "cli/TerminalText.h"
#include "text/Cp1250.h"

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace notarion {
namespace {

using testing::RunWords;

TEST(CommandLine, OptionsTakeTheirValueInBothForms) {
    const std::vector<CommandOption> options = {{"out", true}, {"json", false}};
    const std::vector<std::string> words = {"a", "--out=x=y", "--json", "--", "--out", "-"};
    const ParsedArguments parsed = ParseArguments(words, options);
    EXPECT_EQ(parsed.Positionals, (std::vector<std::string>{"a", "--out", "-"}));
    EXPECT_EQ(parsed.Value("out"), "x=y");
    EXPECT_TRUE(parsed.Has("json"));
    EXPECT_FALSE(parsed.Help);

    const std::vector<std::string> separate = {"--out", "folder with blanks", "b", "-h"};
    const ParsedArguments second = ParseArguments(separate, options);
    EXPECT_EQ(second.Value("out"), "folder with blanks");
    EXPECT_EQ(second.Positionals, (std::vector<std::string>{"b"}));
    EXPECT_TRUE(second.Help);
    EXPECT_FALSE(second.Has("json"));
}

TEST(CommandLine, UsageErrorsExitWithTwoAndNameTheMistake) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "brak polecenia"},
        {{"generuj"}, "nieznane polecenie „generuj”"},
        {{"generate"}, "brak argumentu ŹRÓDŁO"},
        {{"generate", "a", "b"}, "za dużo argumentów: „b”"},
        {{"generate", "a", "--out"}, "opcja --out wymaga wartości"},
        {{"generate", "a", "--out", "x", "--out=y"}, "opcja --out podana dwa razy"},
        {{"generate", "a", "--json"}, "nieznana opcja „--json”"},
        {{"generate", "a", "-o", "x"}, "nieznana opcja „-o”"},
        {{"check", "a", "--json=tak"}, "opcja --json nie przyjmuje wartości"},
        {{"preview"}, "brak argumentu SPRAWOZDANIE"},
        {{"list"}, "brak polecenia: save albo show"},
        {{"list", "load", "x"}, "nieznane polecenie „load”"},
        {{"list", "save", "a"}, "brak argumentu PLIK_LISTY"},
        {{"list", "show"}, "brak argumentu PLIK_LISTY"},
        {{"generate", ".", "--decimal-separator", ""}, "separator dziesiętny"},
        {{"generate", ".", "--decimal-separator", "abcd"}, "separator dziesiętny"},
        {{"generate", ".", "--decimal-separator=\t"}, "separator dziesiętny"},
        {{"check", "szkoła-日本"}, "spoza strony kodowej Windows-1250"},
        {{"check", ""}, "ścieżka nie może być pusta"},
    };
    for (const auto& [words, message] : cases) {
        std::string joined;
        for (const std::string& word : words)
            joined += "[" + word + "]";
        SCOPED_TRACE(joined);
        const testing::ProgramRun run = RunWords(words);
        EXPECT_EQ(run.Code, 2);
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
        EXPECT_NE(run.Err.find("--help"), std::string::npos) << run.Err;
        EXPECT_TRUE(run.Out.empty());
    }
}

TEST(CommandLine, HelpOnEveryLevelGoesToStandardOutput) {
    const std::vector<std::vector<std::string>> cases = {
        {"--help"},
        {"-h"},
        {"generate", "-h"},
        {"generate", "nic", "--help"},
        {"preview", "--help"},
        {"list", "--help"},
        {"list", "save", "--help"},
        {"list", "show", "-h"},
        {"check", "--json", "--help"},
    };
    for (const auto& words : cases) {
        const testing::ProgramRun run = RunWords(words);
        EXPECT_EQ(run.Code, 0) << words.front();
        EXPECT_NE(run.Out.find("Użycie"), std::string::npos) << run.Out;
        EXPECT_TRUE(run.Err.empty());
    }
}

TEST(CommandLine, OutputThatCannotBeWrittenIsAFailure) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine({"--help"}, out, err), 1);
    EXPECT_NE(err.str().find("Nie można zapisać wyniku"), std::string::npos);
}

TEST(CommandLine, MissingSourceIsAFailureOfTheWork) {
    const testing::ProgramRun run = RunWords({"generate", "/nie/ma/takiego/folderu"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find("Nie ma takiego folderu ani pliku: /nie/ma/takiego/folderu"),
              std::string::npos);
}

TEST(ReportSource, PathsAndDefaultOutputFolders) {
    EXPECT_EQ(PathArgument("szkoła/"), Utf8ToCp1250("szkoła"));
    EXPECT_EQ(PathArgument("//"), "/");
    const std::vector<std::tuple<SourceKind, std::string, std::string>> cases = {
        {SourceKind::Folder, "/szkola", "/szkola/Protokoly"},
        {SourceKind::Folder, "/", "/Protokoly"},
        {SourceKind::ListFile, "/a/b/lista.xmp", "/a/b/Protokoly"},
        {SourceKind::ListFile, "lista.xmp", "./Protokoly"},
        {SourceKind::ListFile, "/lista.xmp", "/Protokoly"},
    };
    for (const auto& [kind, path, expected] : cases) {
        const std::string native = testing::WithNativeSeparators(path);
        EXPECT_EQ(DefaultOutputFolder({kind, native}), testing::WithNativeSeparators(expected))
            << path;
    }
    for (const char* name : {"a.xmp", "A.XMP", "b/c.Xmp"})
        EXPECT_TRUE(HasListFileSuffix(name)) << name;
    for (const char* name : {"a.xml", "xmp", "a.xmpx", ""})
        EXPECT_FALSE(HasListFileSuffix(name)) << name;
}

TEST(CheckOutput, JsonStringsAreEscaped) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"zwykły", "\"zwykły\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"wiersz\r\nnowy\tt", "\"wiersz\\r\\nnowy\\tt\""},
        {std::string("\x01\x1f", 2), "\"\\u0001\\u001f\""},
        // A name that is not UTF-8 still gives valid JSON.
        {"a\xff", "\"a\xef\xbf\xbd\""},
        {"", "\"\""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(JsonString(text), expected);
}

TEST(TerminalText, CoreMessagesConvert) {
    EXPECT_EQ(TerminalMessage(u"Plik: a jest uszkodzony.\rNapraw plik."),
              "Plik: a jest uszkodzony.\nNapraw plik.");
}

TEST(TerminalText, ControlCharactersInNamesAreShownEscapedNotObeyed) {
    const struct {
        std::string raw;
        std::string shown;
    } cases[] = {
        {"a\tb\r\nc", "a\\tb\\r\\nc"},
        {"\x1b[2J\x1b]0;tytul\x07.xml", "\\x1b[2J\\x1b]0;tytul\\x07.xml"},
        {"kasuj\x7f", "kasuj\\x7f"},
        {"c1\xC2\x9B"
         "31m",
         "c1\\u009b31m"},
        {"Łódź ąę.xml", "Łódź ąę.xml"},
        {"Ив 😀.xml", "Ив 😀.xml"},
        // Bytes that are no UTF-8 (a name of another code page, a lone C1
        // byte, a cut or overlong sequence) by their numbers.
        {"karta_\xff\x9b.xml", "karta_\\xff\\x9b.xml"},
        {"\xC3", "\\xc3"},
        {"\xC0\xAF\xE0\x80\xAF", "\\xc0\\xaf\\xe0\\x80\\xaf"},
        {"\xED\xA0\x80", "\\xed\\xa0\\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OneLine(c.raw), c.shown) << c.shown;
    // In a core message only the carriage returns between its lines break it.
    EXPECT_EQ(TerminalMessage(u"Plik /x/\x1b[31mzly\n.xml jest uszkodzony.\rNapraw go."),
              "Plik /x/\\x1b[31mzly\\n.xml jest uszkodzony.\nNapraw go.");
}

} // namespace
} // namespace notarion
