// Target `generate_bench`: links the command line's commands, the I/O floor
// (io_floor.c) and benchmark::benchmark.
//
// Writes the fourteen documents of a school of 1000 (and 10,000) report
// files, reading every report again from its file as the generation does.
// The goal is the whole set in under 200 ms for 1000 reports.
//
// BM_RoadNextToFloor: the whole road of `notarion-cli generate FOLDER` next
// to the least any program must do for it (list, read every report once,
// write files of the documents' sizes). Run with --benchmark_repetitions=5
// and read the medians: the goal is a road at most three times the floor at
// 1000 and 10,000 reports, and a cost per report flat within 10%
// (road_faults: the page faults of one road, memory it had to take afresh). The
// schools lie in the temporary folder (TMPDIR): on a disk, every run of the
// road makes fourteen new files, and a file system that avoids reusing the
// files it freed a moment ago searches longer for each new one the more runs
// went before, which no single generation meets; TMPDIR=/dev/shm measures
// the program without that.
//
// BM_PeakMemoryOfOneLargeDocument: a list naming one 20 KB report thousands
// of times gives one large document. Each run generates it in a forked child
// and reports the child's peak resident memory: streamed to its file as the
// set writes it, and, for reference, built whole in memory and saved at once.
// The goal is a peak that stays flat whatever the document's size.

#include "io_floor.h"

#include "app/ReportFolder.h"
#include "cli/Commands.h"
#include "generate/DocumentSet.h"
#include "generate/Sections.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace notarion {
namespace {

constexpr int kClassesPerThousand = 200;

std::string Lines(const std::string& group, int count, const std::string& text) {
    std::string xml =
        "\t<" + group + ">\r\n\t\t<IloscWierszy>" + std::to_string(count) + "</IloscWierszy>\r\n";
    for (int j = 0; j < count; ++j)
        xml += "\t\t<w" + std::to_string(j) + ">" + text + " " + std::to_string(j) + "</w" +
               std::to_string(j) + ">\r\n";
    return xml + "\t</" + group + ">\r\n";
}

std::string Students(const std::string& group, int count, const std::string& inner) {
    std::string xml =
        "\t<" + group + ">\r\n\t\t<IleOsob>" + std::to_string(count) + "</IleOsob>\r\n";
    for (int i = 1; i <= count; ++i)
        xml += "\t\t<Uczen" + std::to_string(i) + ">Uczeń Łukasz Źdźbło " + std::to_string(i) +
               inner + "</Uczen" + std::to_string(i) + ">\r\n";
    return xml + "\t</" + group + ">\r\n";
}

std::string Report(int kindIndex, int number) {
    const std::string klasa = std::to_string(number % 8 + 1) + static_cast<char>('a' + number % 5);
    std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n";
    xml += "\t<Doc>" + KindText(kindIndex) + "</Doc>\r\n\t<Klasa>" + klasa + "</Klasa>\r\n";
    xml += "\t<Belfer>Nauczyciel Żółkiewski " + std::to_string(number) + "</Belfer>\r\n";
    xml += "\t<Przedmiot>Przedmiot " + std::to_string(number % 13) + "</Przedmiot>\r\n";
    xml += "\t<Zajecia>Zajęcia</Zajecia>\r\n\t<Dotyczy>Sprawy różne</Dotyczy>\r\n";
    xml += "\t<Klasy>1a, 2b</Klasy>\r\n\t<Klasyfikowanych>28</Klasyfikowanych>\r\n";
    xml += "\t<Promowanych>27</Promowanych>\r\n";
    switch (kindIndex) {
    case 0:
        xml += Students("Frekwencja", 3, "");
        xml += Students("Pasek", 6, "\r\n\t\t\t<Srednia>475</Srednia>\r\n\t\t");
        xml += Students("Ndst", 2, "\r\n\t\t\t<Przedmioty>matematyka, fizyka</Przedmioty>\r\n\t\t");
        break;
    case 1: {
        xml += Students("Wzorowi", 5, "");
        xml += "\t<Obnizone>\r\n\t\t<Ilosc>2</Ilosc>\r\n";
        for (int i = 1; i <= 2; ++i)
            xml +=
                "\t\t<Uzasadnienie" + std::to_string(i) +
                ">\r\n\t\t\t<Osoba>Jan Nowak, Piotr Lis</Osoba>\r\n\t\t\t<Ocena>poprawne</Ocena>"
                "\r\n\t\t\t<IloscWierszy>2</IloscWierszy>\r\n\t\t\t<Wiersz0>Spóźnienia.</Wiersz0>"
                "\r\n\t\t\t<Wiersz1>Wagary.</Wiersz1>\r\n\t\t</Uzasadnienie" +
                std::to_string(i) + ">\r\n";
        xml += "\t</Obnizone>\r\n" + Lines("Uwagi", 3, "Uwaga");
        break;
    }
    case 2:
        xml += "\t<Uzasadnienia>\r\n\t\t<Ilosc>2</Ilosc>\r\n";
        for (int i = 1; i <= 2; ++i)
            xml += "\t\t<Uzasadnienie" + std::to_string(i) +
                   ">\r\n\t\t\t<Osoba>Jan Nowak</Osoba>\r\n\t\t\t<IloscWierszy>1</IloscWierszy>"
                   "\r\n\t\t\t<Wiersz0>Brak prac klasowych.</Wiersz0>\r\n\t\t</Uzasadnienie" +
                   std::to_string(i) + ">\r\n";
        xml += "\t</Uzasadnienia>\r\n";
        break;
    case 3:
    case 4:
    case 5:
        xml += Lines("Ogolne", 5, "Program zrealizowany w całości") +
               Lines("Sukcesy", 3, "Konkurs") + Lines("Wnioski", 2, "Więcej ćwiczeń");
        break;
    case 6:
    case 7:
        xml += Lines("Info", 4, "Informacja");
        break;
    default:
        xml += Lines("Dydaktyczna", 10, "Sprawa") + Lines("Nadzor", 10, "Hospitacja");
        break;
    }
    return Utf8ToCp1250(xml + "</Szkola>\r\n");
}

// The school, written once into a temporary folder and removed at exit.
class School {
public:
    // thousands: the school's size in thousands of reports.
    explicit School(int thousands) {
        m_folder = std::filesystem::temp_directory_path() /
                   ("notarion-generate-bench-" + std::to_string(thousands) + "-" +
                    std::to_string(::getpid()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "Protokoly");
        // Per class: class, behaviour, tutor and failing-grade reports; the
        // rest of the thousand are subjects, activities, card hours, other
        // information and the head teacher's report.
        std::vector<int> kinds;
        for (int c = 0; c < kClassesPerThousand * thousands; ++c)
            kinds.insert(kinds.end(), {0, 1, 4, 2});
        for (int t = 0; t < thousands; ++t) {
            kinds.insert(kinds.end(), 120, 3);
            kinds.insert(kinds.end(), 40, 5);
            kinds.insert(kinds.end(), 20, 7);
            kinds.insert(kinds.end(), 19, 6);
            kinds.push_back(8);
        }
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const std::string path = (m_folder / ("r" + std::to_string(i) + ".xml")).string();
            WriteWholeFile(path, Report(kinds[i], static_cast<int>(i)), NamedBy::User);
            Catalogue.Slots.push_back({"r" + std::to_string(i), path, KindText(kinds[i])});
            Paths.push_back(path);
        }
        Catalogue.Count = static_cast<int>(Catalogue.Slots.size());
        OutputFolder = (m_folder / "Protokoly").string();
        Folder = m_folder.string();
        FloorFolder = (m_folder / "floor").string();
        std::filesystem::create_directories(FloorFolder);
    }
    ~School() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    ReportCatalogue Catalogue;
    std::vector<std::string> Paths;
    std::string Folder;
    std::string OutputFolder;
    // Where the I/O floor writes its files.
    std::string FloorFolder;

private:
    std::filesystem::path m_folder;
};

School& TheSchool(int thousands) {
    static std::map<int, std::unique_ptr<School>> schools;
    std::unique_ptr<School>& school = schools[thousands];
    if (!school)
        school = std::make_unique<School>(thousands);
    return *school;
}

void BM_GenerateDocumentSet(benchmark::State& bench) {
    School& school = TheSchool(static_cast<int>(bench.range(0)));
    GenerationState state;
    for (auto _ : bench) {
        if (!GenerateProtocols(state, school.Catalogue, school.OutputFolder) ||
            !GenerateLists(state, school.OutputFolder))
            throw std::runtime_error("generation failed");
        benchmark::DoNotOptimize(state.ListBuffer.Bytes.data());
    }
    bench.counters["reports"] = static_cast<double>(school.Catalogue.Count);
}
BENCHMARK(BM_GenerateDocumentSet)->Arg(1)->Unit(benchmark::kMillisecond);

// The CPU time of this process, user and system, in seconds.
double ProcessCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The minor page faults of this process so far.
long MinorFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// What `notarion-cli generate FOLDER` does: list the folder, build the
// catalogue, lock the output folder and write the fourteen documents.
void RunRoad(const School& school) {
    std::ostringstream err;
    const SetContents set = GenerateSet(school.Folder, std::nullopt, std::nullopt, err);
    benchmark::DoNotOptimize(set.Folder.data());
}

// The sizes of the documents the road wrote last.
std::vector<std::size_t> DocumentSizes(const School& school) {
    std::vector<std::size_t> sizes;
    for (const DocumentInfo& document : DocumentTable())
        sizes.push_back(static_cast<std::size_t>(
            std::filesystem::file_size(DocumentPath(school.OutputFolder, document.FileName))));
    return sizes;
}

// The road and the I/O floor (io_floor.c) in turns on the same school: the
// floor lists the folder, reads every report once and writes files of the
// documents' sizes. Counters: each one's CPU time (user and system) per run,
// their ratio, and each one's cost per report, which should stay flat from
// 1000 to 10,000 reports.
void BM_RoadNextToFloor(benchmark::State& bench) {
    const School& school = TheSchool(static_cast<int>(bench.range(0)));
    RunRoad(school);
    const std::vector<std::size_t> sizes = DocumentSizes(school);
    double road = 0;
    double floor = 0;
    IoFloorResult read{};
    long faults = 0;
    for (auto _ : bench) {
        const long faultsBefore = MinorFaults();
        const double start = ProcessCpuSeconds();
        RunRoad(school);
        const double middle = ProcessCpuSeconds();
        faults += MinorFaults() - faultsBefore;
        if (IoFloorRun(school.Folder.c_str(), school.FloorFolder.c_str(), sizes.data(),
                       sizes.size(), &read) != 0)
            throw std::runtime_error("the floor failed");
        road += middle - start;
        floor += ProcessCpuSeconds() - middle;
    }
    if (read.Files != school.Paths.size())
        throw std::runtime_error("the floor read another number of reports");
    const double runs = static_cast<double>(bench.iterations());
    const double reports = static_cast<double>(school.Paths.size());
    bench.counters["road_ms"] = road / runs * 1e3;
    bench.counters["floor_ms"] = floor / runs * 1e3;
    bench.counters["ratio"] = road / floor;
    bench.counters["road_faults"] = static_cast<double>(faults) / runs;
    bench.counters["road_us_per_report"] = road / runs / reports * 1e6;
    bench.counters["floor_us_per_report"] = floor / runs / reports * 1e6;
}
BENCHMARK(BM_RoadNextToFloor)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The road's parts one after another, for where its time goes: the folder's
// listing alone, the catalogue (listing included, every report read and
// parsed once), then the fourteen documents from the kept reports. CPU time
// of each part per run and per report.
void BM_RoadParts(benchmark::State& bench) {
    const School& school = TheSchool(static_cast<int>(bench.range(0)));
    double listing = 0;
    double catalogue = 0;
    double documents = 0;
    std::size_t held = 0;
    for (auto _ : bench) {
        const double start = ProcessCpuSeconds();
        std::vector<std::string> unusable;
        benchmark::DoNotOptimize(FindReportFiles(school.Folder, unusable).data());
        const double listed = ProcessCpuSeconds();
        const FolderCatalogue loaded = CatalogueFromFolder(school.Folder);
        const double catalogued = ProcessCpuSeconds();
        held = loaded.Catalogue.Parsed.HeldBytes();
        GenerationState state;
        if (loaded.Refusal != FolderRefusal::None ||
            !GenerateProtocols(state, loaded.Catalogue, school.OutputFolder) ||
            !GenerateLists(state, school.OutputFolder))
            throw std::runtime_error("generation failed");
        documents += ProcessCpuSeconds() - catalogued;
        catalogue += catalogued - listed;
        listing += listed - start;
    }
    const double runs = static_cast<double>(bench.iterations());
    const double reports = static_cast<double>(school.Paths.size());
    const auto counter = [&](const std::string& name, double seconds) {
        bench.counters[name + "_ms"] = seconds / runs * 1e3;
        bench.counters[name + "_us_per_report"] = seconds / runs / reports * 1e6;
    };
    counter("listing", listing);
    counter("catalogue", catalogue);
    counter("documents", documents);
    bench.counters["kept_kb_per_report"] = static_cast<double>(held) / reports / 1e3;
}
BENCHMARK(BM_RoadParts)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// A folder with one tutor's report of about 20 KB, named count times.
class RepeatedReport {
public:
    explicit RepeatedReport(int count) {
        m_folder = std::filesystem::temp_directory_path() / "notarion-memory-bench";
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "Protokoly");
        const std::string path = (m_folder / "w.xml").string();
        const std::string xml = Utf8ToCp1250(
            "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
            "\t<Doc>Realizacja programu wychowawczego</Doc>\r\n\t<Klasa>1a</Klasa>\r\n" +
            Lines("Ogolne", 300, "Program wychowawczy zrealizowany zgodnie z planem") +
            Lines("Sukcesy", 0, "") + Lines("Wnioski", 0, "") + "</Szkola>\r\n");
        WriteWholeFile(path, xml, NamedBy::User);
        Catalogue.Slots.assign(static_cast<std::size_t>(count), {"w", path, KindText(4)});
        Catalogue.Count = count;
        OutputFolder = (m_folder / "Protokoly").string();
        ReportBytes = xml.size();
    }
    ~RepeatedReport() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    ReportCatalogue Catalogue;
    std::string OutputFolder;
    std::size_t ReportBytes = 0;

private:
    std::filesystem::path m_folder;
};

// The tutors' document built whole in a buffer and saved at once.
void WriteWholeInMemory(const ReportCatalogue& catalogue, const std::string& folder) {
    GenerationState state;
    HtmlBuffer buffer;
    BeginPage(buffer);
    AddHeading(buffer, DocumentTable()[3].Title);
    for (int i = 0; i < catalogue.Count; ++i)
        WriteSection(ReportKind::Tutor, SectionMode::ForSet, catalogue, i, buffer, state);
    EndPage(buffer);
    SaveBuffer(buffer, DocumentPath(folder, DocumentTable()[3].FileName));
}

// Run the work in a forked child; its peak resident memory in MB.
template <typename Work> double PeakMegabytesInChild(Work work) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work() ? 0 : 1);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("generation failed");
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_PeakMemoryOfOneLargeDocument(benchmark::State& bench) {
    const bool streamed = bench.range(1) == 1;
    const RepeatedReport set(static_cast<int>(bench.range(0)));
    double peak = 0;
    for (auto _ : bench) {
        peak = PeakMegabytesInChild([&] {
            if (!streamed) {
                WriteWholeInMemory(set.Catalogue, set.OutputFolder);
                return true;
            }
            GenerationState state;
            return static_cast<bool>(GenerateProtocols(state, set.Catalogue, set.OutputFolder));
        });
    }
    const std::string document = DocumentPath(set.OutputFolder, DocumentTable()[3].FileName);
    bench.counters["peak_MB"] = peak;
    bench.counters["document_MB"] =
        static_cast<double>(std::filesystem::file_size(document)) / (1024.0 * 1024.0);
    bench.counters["report_KB"] = static_cast<double>(set.ReportBytes) / 1024.0;
    bench.SetLabel(streamed ? "streamed" : "whole in memory");
}
BENCHMARK(BM_PeakMemoryOfOneLargeDocument)
    ->ArgNames({"copies", "streamed"})
    ->ArgsProduct({{1000, 5000, 20000}, {0, 1}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace notarion

BENCHMARK_MAIN();
