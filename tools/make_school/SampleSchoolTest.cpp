#include "StrictXml.h"

#include "make_school/SampleSchool.h"
#include "make_school/SchoolWords.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

namespace notarion {
namespace {

using testing::DecodeFileBytes;
using testing::StrictElement;
using testing::StrictReader;

// The kinds in the order the program puts its catalogue in, with the
// elements whose texts follow the kind in a title.
const std::vector<std::pair<std::string, std::vector<std::string>>>& TitleRule() {
    static const std::vector<std::pair<std::string, std::vector<std::string>>> rule{
        {"Klasyfikacja klasy z zachowania", {"Klasa", "Belfer"}},
        {"Klasyfikacja klasy", {"Klasa", "Belfer"}},
        {"Uzasadnienie oceny niedostatecznej", {"Przedmiot", "Klasa", "Belfer"}},
        {"Realizacja programu z przedmiotu nauczania", {"Przedmiot", "Belfer"}},
        {"Realizacja programu wychowawczego", {"Klasa", "Belfer"}},
        {"Realizacja dodatkowych", {"Zajecia", "Belfer"}},
        {"Z karty", {"Belfer"}},
        {"Inne informacje", {"Dotyczy", "Belfer"}},
        {"Sprawozdanie dyrektora", {"Belfer"}},
    };
    return rule;
}

// The program lists a folder by the names in capitals.
std::string Capitals(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return name;
}

int CatalogueOrder(const std::string& kind) {
    const auto& rule = TitleRule();
    for (std::size_t i = 0; i < rule.size(); ++i) {
        if (rule[i].first == kind)
            return static_cast<int>(i);
    }
    return -1;
}

// The title as the rule says, as Windows-1250 text (one byte per character,
// so "the first 60 characters" are the first 60 bytes).
std::string ExpectedTitle(const StrictElement& szkola) {
    const std::string kind = szkola.TextOf("Doc");
    const int order = CatalogueOrder(kind);
    if (order < 0)
        return {};
    std::string title = Utf8ToCp1250(kind);
    for (const std::string& piece : TitleRule()[static_cast<std::size_t>(order)].second) {
        std::string value = Utf8ToCp1250(szkola.TextOf(piece));
        if (piece == "Dotyczy")
            value = value.substr(0, 60);
        title += " - " + value;
    }
    return title;
}

struct ParsedFile {
    const SampleFile* File = nullptr;
    StrictElement Root;
};

// Every file of the set read strictly; a file that breaks a rule fails the test.
std::map<std::string, ParsedFile> ParseAll(const SampleSet& set) {
    std::map<std::string, ParsedFile> parsed;
    for (const SampleFile& file : set.Files) {
        StrictReader reader(DecodeFileBytes(file.Bytes));
        EXPECT_EQ(reader.Error(), "") << file.Name;
        parsed[file.Name] = ParsedFile{&file, reader.Root()};
    }
    return parsed;
}

const SampleSet& DefaultSchool() {
    static const SampleSet set = MakeSampleSchool(SampleSchoolOptions{});
    return set;
}

const std::map<std::string, ParsedFile>& DefaultParsed() {
    static const std::map<std::string, ParsedFile> parsed = ParseAll(DefaultSchool());
    return parsed;
}

std::vector<const StrictElement*> ReportsOfKind(const std::string& kind) {
    std::vector<const StrictElement*> reports;
    for (const auto& [name, file] : DefaultParsed()) {
        if (file.Root.TextOf("Doc") == kind)
            reports.push_back(&file.Root);
    }
    return reports;
}

int CountOf(const StrictElement& report, const std::string& group, const std::string& count) {
    const StrictElement* node = report.Child(group);
    return node == nullptr ? -1 : std::stoi(node->TextOf(count));
}

using testing::TempFolder;

TEST(SampleSchool, TwoRunsWriteIdenticalBytesAndTheSeedChangesThem) {
    TempFolder temp;
    WriteSampleSchool(temp.File("first/nested"), SampleSchoolOptions{});
    WriteSampleSchool(temp.File("second"), SampleSchoolOptions{});

    const auto sortedNames = [](const std::string& folder) {
        std::vector<std::string> texts;
        for (const ListedName& name : ListFileNames(folder))
            texts.push_back(name.Text);
        std::sort(texts.begin(), texts.end());
        return texts;
    };
    const std::vector<std::string> names = sortedNames(temp.File("first/nested"));
    const std::vector<std::string> again = sortedNames(temp.File("second"));
    ASSERT_EQ(names, again);
    ASSERT_EQ(names.size(), DefaultSchool().Files.size());
    for (const std::string& name : names) {
        EXPECT_EQ(ReadWholeFile(temp.File("first/nested/" + name)),
                  ReadWholeFile(temp.File("second/" + name)))
            << name;
    }

    SampleSchoolOptions other;
    other.Seed = 7;
    const SampleSet changed = MakeSampleSchool(other);
    std::size_t differing = 0;
    for (const SampleFile& file : changed.Files) {
        const auto same = std::find_if(
            DefaultSchool().Files.begin(), DefaultSchool().Files.end(),
            [&](const SampleFile& f) { return f.Name == file.Name && f.Bytes == file.Bytes; });
        differing += same == DefaultSchool().Files.end() ? 1 : 0;
    }
    EXPECT_GT(differing, changed.Files.size() / 2);
}

TEST(SampleSchool, DefaultSchoolHasRealisticSizeAndAsciiNamesInFolderOrder) {
    const auto& files = DefaultSchool().Files;
    EXPECT_GE(files.size(), 60u);
    EXPECT_LE(files.size(), 85u);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& name = files[i].Name;
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
        })) << name;
        if (i > 0) {
            EXPECT_LT(Capitals(files[i - 1].Name), Capitals(name));
        }
    }
    EXPECT_EQ(files.front().Name, "1a_klasyfikacja.xml");
}

TEST(SampleSchool, EveryFileHasTheByteFormOfItsEncoding) {
    int utf16 = 0;
    for (const SampleFile& file : DefaultSchool().Files) {
        const bool wide = file.Bytes.starts_with("\xFF\xFE");
        utf16 += wide ? 1 : 0;
        if (wide) {
            EXPECT_EQ(file.Bytes.size() % 2, 0u) << file.Name;
            EXPECT_TRUE(DecodeFileBytes(file.Bytes)
                            .starts_with("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"))
                << file.Name;
        } else if (file.Name.ends_with(".xml")) {
            EXPECT_TRUE(file.Bytes.starts_with(
                "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"))
                << file.Name;
        } else {
            EXPECT_TRUE(file.Bytes.starts_with("<Naglowki>\r\n")) << file.Name;
        }
        // Every line ends in CR LF and is indented with tabs only.
        const std::string text = DecodeFileBytes(file.Bytes);
        ASSERT_TRUE(text.ends_with("\r\n")) << file.Name;
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t end = text.find('\n', pos);
            ASSERT_NE(end, std::string::npos);
            ASSERT_GT(end, pos) << file.Name;
            EXPECT_EQ(text[end - 1], '\r') << file.Name << " at " << pos;
            const std::size_t first = text.find_first_not_of('\t', pos);
            EXPECT_EQ(text[first], '<') << file.Name << " at " << pos;
            pos = end + 1;
        }
    }
    EXPECT_EQ(utf16, 3);
}

TEST(SampleSchool, EveryCountMatchesItsNumberedElements) {
    // A count whose numbered elements are missing or surplus would print
    // empty lines or lose students in the generated documents.
    const std::function<void(const StrictElement&, const std::string&)> check =
        [&](const StrictElement& element, const std::string& where) {
            for (const char* countName : {"IleOsob", "Ilosc", "IloscWierszy"}) {
                const StrictElement* count = element.Child(countName);
                if (count == nullptr)
                    continue;
                const int n = std::stoi(count->Text);
                EXPECT_EQ(std::to_string(n), count->Text) << where;
                const bool lines = std::string(countName) == "IloscWierszy";
                const std::string stem =
                    lines ? (element.Name.starts_with("Uzasadnienie") ? "Wiersz" : "w")
                          : (std::string(countName) == "Ilosc" ? "Uzasadnienie" : "Uczen");
                int numbered = 0;
                for (const StrictElement& child : element.Children)
                    numbered += child.Name.starts_with(stem) && child.Name != stem ? 1 : 0;
                EXPECT_EQ(numbered, n) << where << "/" << element.Name;
                for (int i = 0; i < n; ++i) {
                    const std::string name = stem + std::to_string(lines ? i : i + 1);
                    EXPECT_NE(element.Child(name), nullptr) << where << "/" << name;
                }
            }
            if (element.Name.starts_with("Uczen") && element.Child("Srednia") != nullptr) {
                const std::string& average = element.TextOf("Srednia");
                EXPECT_EQ(std::to_string(std::stoi(average)), average) << where;
            }
            for (const StrictElement& child : element.Children)
                check(child, where + "/" + element.Name);
        };
    for (const auto& [name, file] : DefaultParsed()) {
        if (name.ends_with(".xml"))
            check(file.Root, name);
    }
}

TEST(SampleSchool, ListFileHoldsEveryReportInCatalogueOrderWithComposedTitles) {
    const auto& parsed = DefaultParsed();
    const StrictElement& list = parsed.at("szkola.xmp").Root;
    ASSERT_EQ(list.Name, "Naglowki");
    const int count = std::stoi(list.TextOf("IlePozycji"));
    ASSERT_EQ(static_cast<std::size_t>(count), parsed.size() - 1);
    ASSERT_EQ(list.Children.size(), static_cast<std::size_t>(count) + 1);

    std::set<std::string> listed;
    int previousOrder = -1;
    std::string previousName;
    bool cutTitleSeen = false;
    for (int n = 0; n < count; ++n) {
        const StrictElement* position = list.Child("Pozycja" + std::to_string(n));
        ASSERT_NE(position, nullptr) << n;
        const std::string address = position->TextOf("Adres");
        ASSERT_TRUE(parsed.contains(address)) << address;
        listed.insert(address);
        const StrictElement& report = parsed.at(address).Root;

        EXPECT_EQ(position->TextOf("Typ"), report.TextOf("Doc")) << address;
        EXPECT_EQ(Utf8ToCp1250(position->TextOf("Tresc")), ExpectedTitle(report)) << address;
        EXPECT_EQ(parsed.at(address).File->Title, ExpectedTitle(report)) << address;
        cutTitleSeen |= report.TextOf("Dotyczy").size() > 70;

        // Ordered by kind, and within a kind in the order the folder lists.
        const int order = CatalogueOrder(position->TextOf("Typ"));
        ASSERT_GE(order, previousOrder) << address;
        if (order == previousOrder) {
            EXPECT_LT(Capitals(previousName), Capitals(address));
        }
        previousOrder = order;
        previousName = address;
    }
    EXPECT_EQ(listed.size(), static_cast<std::size_t>(count));
    EXPECT_TRUE(cutTitleSeen);
}

TEST(SampleSchool, ListFileHasTheExactLineLayout) {
    const auto it = std::find_if(DefaultSchool().Files.begin(), DefaultSchool().Files.end(),
                                 [](const SampleFile& f) { return f.Name == "szkola.xmp"; });
    ASSERT_NE(it, DefaultSchool().Files.end());
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < it->Bytes.size();) {
        const std::size_t end = it->Bytes.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(it->Bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    const std::size_t positions = (lines.size() - 3) / 5;
    ASSERT_EQ(lines.size(), 3 + 5 * positions);
    EXPECT_EQ(lines.front(), "<Naglowki>");
    EXPECT_EQ(lines[1], "\t<IlePozycji>" + std::to_string(positions) + "</IlePozycji>");
    EXPECT_EQ(lines.back(), "</Naglowki>");
    for (std::size_t n = 0; n < positions; ++n) {
        const std::string tag = "Pozycja" + std::to_string(n);
        const std::size_t at = 2 + 5 * n;
        EXPECT_EQ(lines[at], "\t<" + tag + ">");
        EXPECT_TRUE(lines[at + 1].starts_with("\t\t<Tresc>") &&
                    lines[at + 1].ends_with("</Tresc>"));
        EXPECT_TRUE(lines[at + 2].starts_with("\t\t<Adres>") &&
                    lines[at + 2].ends_with(".xml</Adres>"));
        EXPECT_TRUE(lines[at + 3].starts_with("\t\t<Typ>") && lines[at + 3].ends_with("</Typ>"));
        EXPECT_EQ(lines[at + 4], "\t</" + tag + ">");
    }
    // The activity with an ampersand and the one with quotes reach the list escaped.
    EXPECT_NE(it->Bytes.find("Teatr &amp; Ruch"), std::string::npos);
    EXPECT_NE(it->Bytes.find("&quot;W"), std::string::npos);
}

TEST(SampleSchool, DefaultSchoolTakesEveryBranchOfTheDocuments) {
    const auto classes = ReportsOfKind("Klasyfikacja klasy");
    const auto behaviour = ReportsOfKind("Klasyfikacja klasy z zachowania");
    const auto lineGroups = [](const std::string& kind, const std::string& group) {
        std::vector<int> counts;
        for (const StrictElement* report : ReportsOfKind(kind))
            counts.push_back(CountOf(*report, group, "IloscWierszy"));
        return counts;
    };
    const auto countsOf = [](const std::vector<const StrictElement*>& reports,
                             const std::string& group, const std::string& count) {
        std::vector<int> counts;
        for (const StrictElement* report : reports)
            counts.push_back(CountOf(*report, group, count));
        return counts;
    };
    const auto zeroAndMany = [](const std::vector<int>& counts) {
        return std::count(counts.begin(), counts.end(), 0) > 0 &&
               std::count_if(counts.begin(), counts.end(), [](int n) { return n >= 2; }) > 0;
    };
    const auto hasZero = [](const std::vector<int>& counts) {
        return std::count(counts.begin(), counts.end(), 0) > 0;
    };
    const auto persons = [&](const std::string& group) {
        std::vector<std::string> texts;
        for (const StrictElement* report :
             ReportsOfKind(group == "Obnizone" ? "Klasyfikacja klasy z zachowania"
                                               : "Uzasadnienie oceny niedostatecznej")) {
            const StrictElement* node = report->Child(group);
            for (const StrictElement& child : node->Children) {
                if (child.Child("Osoba") != nullptr)
                    texts.push_back(child.TextOf("Osoba"));
            }
        }
        return texts;
    };
    const auto withComma = [](const std::vector<std::string>& texts, bool comma) {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
            return (t.find(',') != std::string::npos) == comma;
        });
    };
    std::vector<int> averages;
    for (const StrictElement* report : classes) {
        for (const StrictElement& student : report->Child("Pasek")->Children) {
            if (student.Child("Srednia") != nullptr)
                averages.push_back(std::stoi(student.TextOf("Srednia")));
        }
    }
    const std::vector<const char*> polishLetters{"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż",
                                                 "Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"};
    std::string allText;
    for (const auto& [name, file] : DefaultParsed())
        allText += DecodeFileBytes(file.File->Bytes);

    const std::vector<std::pair<std::string, bool>> cases{
        {"attendance: classes with none and with several",
         zeroAndMany(countsOf(classes, "Frekwencja", "IleOsob"))},
        {"distinguished: none and several", zeroAndMany(countsOf(classes, "Pasek", "IleOsob"))},
        {"failing: none and several", zeroAndMany(countsOf(classes, "Ndst", "IleOsob"))},
        {"exemplary: none and several", zeroAndMany(countsOf(behaviour, "Wzorowi", "IleOsob"))},
        {"lowered: none and several", zeroAndMany(countsOf(behaviour, "Obnizone", "Ilosc"))},
        {"remarks: none and several", zeroAndMany(countsOf(behaviour, "Uwagi", "IloscWierszy"))},
        {"exactly one average at or below the threshold",
         std::count_if(averages.begin(), averages.end(), [](int a) { return a <= 400; }) == 1},
        {"an average of exactly five", std::count(averages.begin(), averages.end(), 500) > 0},
        {"lowered behaviour for one student and for two",
         withComma(persons("Obnizone"), true) && withComma(persons("Obnizone"), false)},
        {"failing justification for one student and for two",
         withComma(persons("Uzasadnienia"), true) && withComma(persons("Uzasadnienia"), false)},
        {"subject successes empty somewhere",
         zeroAndMany(lineGroups("Realizacja programu z przedmiotu nauczania", "Sukcesy"))},
        {"subject conclusions empty somewhere",
         hasZero(lineGroups("Realizacja programu z przedmiotu nauczania", "Wnioski"))},
        {"tutor successes empty somewhere",
         zeroAndMany(lineGroups("Realizacja programu wychowawczego", "Sukcesy"))},
        {"activity successes empty somewhere",
         zeroAndMany(lineGroups("Realizacja dodatkowych", "Sukcesy"))},
        {"one head teacher's report, with supervision lines",
         lineGroups("Sprawozdanie dyrektora", "Nadzor").size() == 1 &&
             lineGroups("Sprawozdanie dyrektora", "Nadzor").front() > 0},
        {"card hours reports", !ReportsOfKind("Z karty").empty()},
        {"every Polish letter, small and capital",
         std::all_of(
             polishLetters.begin(), polishLetters.end(),
             [&](const char* letter) { return allText.find(letter) != std::string::npos; })},
        {"text with an ampersand, a less-than sign and a double quote",
         allText.find("&amp;") != std::string::npos && allText.find("&lt;") != std::string::npos &&
             allText.find("&quot;") != std::string::npos},
    };
    for (const auto& [what, holds] : cases)
        EXPECT_TRUE(holds) << what;
}

TEST(SampleSchool, LargeSchoolHasAboutAThousandDistinctReports) {
    SampleSchoolOptions options;
    options.Classes = 250;
    const SampleSet set = MakeSampleSchool(options);
    std::set<std::string> names;
    int reports = 0;
    int utf16 = 0;
    for (const SampleFile& file : set.Files) {
        names.insert(file.Name);
        reports += file.Name.ends_with(".xml") ? 1 : 0;
        utf16 += file.Bytes.starts_with("\xFF\xFE") ? 1 : 0;
    }
    EXPECT_EQ(names.size(), set.Files.size());
    EXPECT_GE(reports, 900);
    EXPECT_LE(reports, 1400);
    EXPECT_EQ(utf16, 3);
    for (const auto& [name, file] : ParseAll(set)) {
        if (name.ends_with(".xml")) {
            EXPECT_EQ(file.File->Title, ExpectedTitle(file.Root)) << name;
        }
    }
}

TEST(SampleSchool, ClassCountsOutOfRangeAreRefused) {
    for (const int classes : {0, -3, MaxSampleClasses + 1}) {
        SampleSchoolOptions options;
        options.Classes = classes;
        EXPECT_THROW(MakeSampleSchool(options), Failure) << classes;
    }
    SampleSchoolOptions one;
    one.Classes = 1;
    EXPECT_NO_THROW(MakeSampleSchool(one));
}

TEST(SampleSchool, WritingBelowAFileFailsInsteadOfReportingSuccess) {
    TempFolder temp;
    std::filesystem::create_directories(PathFromText(temp.Text()));
    WriteWholeFile(temp.File("plik"), "x", NamedBy::User);
    EXPECT_THROW(WriteSampleSchool(temp.File("plik/szkola"), SampleSchoolOptions{}), Failure);
}

TEST(DamagedSamples, EachFileCarriesExactlyItsIntendedFault) {
    const SampleSet set = MakeDamagedSamples(1);
    std::map<std::string, std::string> texts;
    for (const SampleFile& file : set.Files)
        texts[file.Name] = DecodeFileBytes(file.Bytes);
    ASSERT_EQ(texts.size(), 8u);

    const auto parse = [&](const std::string& name) {
        StrictReader reader(texts.at(name));
        EXPECT_EQ(reader.Error(), "") << name;
        return reader.Root();
    };
    const auto isNumber = [](const std::string& text) {
        return !text.empty() &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };

    const StrictElement wordCount = parse("1a_klasyfikacja_liczba_slowami.xml");
    EXPECT_FALSE(isNumber(wordCount.Child("Frekwencja")->TextOf("IleOsob")));
    EXPECT_TRUE(isNumber(wordCount.Child("Pasek")->TextOf("IleOsob")));

    StrictReader cut(texts.at("1a_zachowanie_przerwany.xml"));
    EXPECT_NE(cut.Error(), "");
    EXPECT_NE(texts.at("1a_zachowanie_przerwany.xml").find("<Doc>Klasyfikacja klasy z zachowania"),
              std::string::npos);

    EXPECT_EQ(parse("2a_klasyfikacja_male_litery.xml").TextOf("Doc"), "klasyfikacja klasy");

    const StrictElement noAverage = parse("3a_klasyfikacja_bez_sredniej.xml");
    const StrictElement* pasek = noAverage.Child("Pasek");
    ASSERT_GE(std::stoi(pasek->TextOf("IleOsob")), 1);
    EXPECT_EQ(pasek->Child("Uczen1")->Child("Srednia"), nullptr);

    for (const char* good : {"4a_klasyfikacja.xml", "4a_zachowanie.xml", "4a_wychowawca.xml"})
        EXPECT_NE(CatalogueOrder(parse(good).TextOf("Doc")), -1) << good;

    const StrictElement list = parse("lista_uszkodzona.xmp");
    EXPECT_FALSE(isNumber(list.TextOf("IlePozycji")));
    EXPECT_EQ(list.Child("Pozycja2")->TextOf("Adres"), "4a_wychowawca.xml");
}

TEST(SchoolWords, PolishOrderPutsMarkedLettersAfterTheirPlainLetter) {
    struct Case {
        const char* Before;
        const char* After;
    };
    const Case cases[] = {
        {"Lis", "Łabędzki"},    {"Zając", "Źrałek"},   {"Źrałek", "Żmuda"}, {"Cieślak", "Ćwiek"},
        {"Sowa", "Śliwiński"},  {"Baran", "Bąk"},      {"adam", "Bartosz"}, {"Nowak", "Nowakowski"},
        {"Pęczek", "Pietrzak"}, {"Ostrowski", "Ósma"},
    };
    for (const Case& c : cases) {
        EXPECT_LT(sample::ComparePolish(c.Before, c.After), 0) << c.Before << " < " << c.After;
        EXPECT_GT(sample::ComparePolish(c.After, c.Before), 0) << c.After << " > " << c.Before;
    }
    EXPECT_EQ(sample::ComparePolish("Łucja", "Łucja"), 0);
}

} // namespace
} // namespace notarion
