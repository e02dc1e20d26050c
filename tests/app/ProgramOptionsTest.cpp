#include "app/ProgramOptions.h"
#include "app/BuildInfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace notarion;

TEST(ProgramOptions, OnlyVersionAndHelpKeepTheWindowsClosed) {
    struct Case {
        std::vector<std::string_view> arguments;
        ProgramRequest expected;
    };
    const std::vector<Case> cases = {
        {{}, ProgramRequest::OpenWindows},
        {{"--version"}, ProgramRequest::PrintVersion},
        {{"--help"}, ProgramRequest::PrintHelp},
        {{"-h"}, ProgramRequest::PrintHelp},
        // Anything else changes nothing, as before: the windows open.
        {{"raport.xml"}, ProgramRequest::OpenWindows},
        {{"--versio"}, ProgramRequest::OpenWindows},
        {{"-version"}, ProgramRequest::OpenWindows},
        // The first question asked decides.
        {{"raport.xml", "--help", "--version"}, ProgramRequest::PrintHelp},
        {{"--version", "-h"}, ProgramRequest::PrintVersion},
        {{"--edytor"}, ProgramRequest::OpenEditor},
        {{"--edytor", "r.xml", "--help"}, ProgramRequest::OpenEditor},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(ReadProgramRequest(each.arguments), each.expected)
            << (each.arguments.empty() ? "" : each.arguments.front());
    }
}

TEST(ProgramOptions, EditorTakesTheFileAfterItsOption) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{"--edytor", "1a.xml"}, "1a.xml"},
        {{"--edytor"}, ""},
        {{"--edytor", "--help"}, ""},
        {{"1a.xml", "--edytor"}, ""},
    };
    for (const auto& [arguments, file] : cases)
        EXPECT_EQ(EditorFileArgument(arguments), file);
}

TEST(ProgramOptions, TheWindowsTakeTheFirstArgumentThatIsNoOptionAsTheListFile) {
    const std::vector<std::pair<std::vector<std::string_view>, std::optional<std::string_view>>>
        cases = {
            {{}, std::nullopt},
            {{"szkola.xmp"}, "szkola.xmp"},
            {{"/home/sekretariat/Rada 2025/Lista ą.xmp"},
             "/home/sekretariat/Rada 2025/Lista ą.xmp"},
            {{"-x", "a.xmp", "b.xmp"}, "a.xmp"},
            {{"", "--"}, std::nullopt},
        };
    for (const auto& [arguments, file] : cases)
        EXPECT_EQ(ListFileArgument(arguments), file);
}

TEST(ProgramOptions, VersionComesFromTheProjectVersion) {
    const std::string version = ProgramVersion;
    // One number of dotted parts, as project(VERSION) gives it.
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(version.find_first_not_of("0123456789."), std::string::npos) << version;
    EXPECT_EQ(ProgramVersionText(), "notarion " + version + "\n");
    EXPECT_EQ(VersionCaption(), "wersja " + version);
}

TEST(ProgramOptions, HelpNamesTheOptionsAndEndsWithTheHelpPage) {
    const std::string help = ProgramHelpText("/usr/share/notarion/Pomoc/index.htm");
    EXPECT_TRUE(help.starts_with("notarion – "));
    EXPECT_NE(help.find("notarion [LISTA.xmp]"), std::string::npos);
    EXPECT_NE(help.find("notarion --version"), std::string::npos);
    EXPECT_NE(help.find("notarion --help"), std::string::npos);
    EXPECT_TRUE(help.ends_with("\n\nStrony pomocy: /usr/share/notarion/Pomoc/index.htm\n"));
}
