// make_school: writes the sample school (or the damaged examples) into a
// folder. All the work is done by the sample-school library.

#include "make_school/SampleSchool.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <charconv>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view Usage =
    "Użycie: make_school --out FOLDER [--classes N] [--seed S] [--list NAZWA.xmp | --no-list]\n"
    "        make_school --out FOLDER --damaged [--seed S]\n"
    "        make_school --out FOLDER --gaps [--seed S]\n"
    "\n"
    "Zapisuje w FOLDERZE przykładową szkołę: pliki sprawozdań wszystkich rodzajów\n"
    "i plik listy tego zestawu (domyślnie 16 klas, ziarno 1, lista szkola.xmp).\n"
    "Te same opcje dają zawsze te same bajty. Z --damaged zapisuje zamiast tego\n"
    "mały zestaw uszkodzonych plików do wypróbowania komunikatów o błędach,\n"
    "a z --gaps małą szkołę z brakami, które znajduje sprawdzenie zestawu.\n"
    "Pliki o tych samych nazwach są zastępowane, inne pliki w folderze zostają.\n";

template <typename Number> bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

int Fail(std::string_view message) {
    std::cerr << "make_school: " << message << "\n\n" << Usage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    notarion::SampleSchoolOptions options;
    std::string folder;
    bool damaged = false;
    bool gaps = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--help" || option == "-h") {
            std::cout << Usage;
            return 0;
        } else if (option == "--damaged") {
            damaged = true;
        } else if (option == "--gaps") {
            gaps = true;
        } else if (option == "--no-list") {
            options.ListName.clear();
        } else if (!hasValue) {
            return Fail("nieznana opcja lub brak wartości: " + std::string(option));
        } else if (option == "--out") {
            folder = argv[++i];
        } else if (option == "--classes") {
            if (!ParseNumber(argv[++i], options.Classes) || options.Classes < 1 ||
                options.Classes > notarion::MaxSampleClasses)
                return Fail("liczba klas musi być od 1 do " +
                            std::to_string(notarion::MaxSampleClasses));
        } else if (option == "--seed") {
            if (!ParseNumber(argv[++i], options.Seed))
                return Fail("ziarno musi być liczbą całkowitą nieujemną");
        } else if (option == "--list") {
            options.ListName = argv[++i];
            if (options.ListName.empty() || options.ListName.find('/') != std::string::npos)
                return Fail("nazwa listy musi być samą nazwą pliku, bez folderu");
        } else {
            return Fail("nieznana opcja: " + std::string(option));
        }
    }
    if (folder.empty())
        return Fail("brak opcji --out FOLDER");

    try {
        const notarion::SampleSet set = damaged ? notarion::MakeDamagedSamples(options.Seed)
                                        : gaps  ? notarion::MakeSchoolWithGaps(options.Seed)
                                                : notarion::MakeSampleSchool(options);
        // Paths of the core are Windows-1250 text; the command line is UTF-8.
        const std::string cp1250Folder = notarion::Utf8ToCp1250(folder);
        notarion::WriteSampleSet(cp1250Folder, set);

        std::set<std::string> written;
        int reports = 0;
        for (const notarion::SampleFile& file : set.Files) {
            written.insert(file.Name);
            reports += file.Name.ends_with(".xml") ? 1 : 0;
        }
        std::cout << "Zapisano " << set.Files.size() << " plików (" << reports
                  << " sprawozdań) w folderze " << folder << "\n";
        // The program reads every report file of a folder, so stray files
        // from an earlier, larger run would join the set unnoticed.
        for (const notarion::ListedName& listed : notarion::ListFileNames(cp1250Folder)) {
            const std::string& name = listed.Text;
            if (name.ends_with(".xml") && !written.contains(name))
                std::cerr << "Uwaga: w folderze jest też " << notarion::Cp1250ToUtf8(name)
                          << ", którego ten zestaw nie obejmuje.\n";
        }
    } catch (const notarion::Failure& failure) {
        std::cerr << "make_school: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
