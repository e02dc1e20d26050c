// Target `pdf_bench`: links notarion_platform_gui, the sample school and
// benchmark::benchmark; runs notarion-cli-pdf.
//
// BM_WriteSetPdf: the whole set of a school of about a thousand report files
// (the sample school generator with 204 classes) as one PDF: every document
// read from its HTML file, laid out, painted, the bookmarks appended and the
// file written. The goal is under 5 s.
//
// BM_PeakMemoryOfPdf: the pdf command as the user runs it, notarion-cli-pdf
// on a folder of reports (the set generated, then its PDF), in a child
// process whose peak resident memory is reported. The sets: the sample school
// of 2,000 classes (about 10,000 reports), one report of 90,000 lines, and
// four of those. The goal is under 150 MB for any set the generator takes.

#include "generate/DocumentSet.h"
#include "generate/SetContents.h"
#include "make_school/SampleSchool.h"
#include "platform/SetPdf.h"
#include "reports/ReportCatalogue.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include "platform/PdfOutline.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"

#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace notarion {
namespace {

constexpr int kClasses = 204;

// The school and its generated set, in a temporary folder removed at exit.
class GeneratedSchool {
public:
    GeneratedSchool() {
        m_folder = std::filesystem::temp_directory_path() / "notarion-pdf-bench";
        std::filesystem::remove_all(m_folder);
        SampleSchoolOptions options;
        options.Classes = kClasses;
        options.ListName.clear();
        const SampleSet school = MakeSampleSchool(options);
        WriteSampleSet(m_folder.string(), school);
        std::vector<std::string> files;
        for (const SampleFile& file : school.Files)
            files.push_back((m_folder / file.Name).string());
        ReportCatalogue catalogue;
        const auto output = m_folder / "Protokoly";
        std::filesystem::create_directories(output);
        GenerationState state;
        if (!LoadCatalogue(catalogue, files, [](int, int, const std::u16string&) {}) ||
            !GenerateProtocols(state, catalogue, output.string()) ||
            !GenerateLists(state, output.string()))
            throw std::runtime_error("the sample school did not generate");
        Reports = catalogue.Count;
        Contents = DescribeSet(catalogue, output.string());
        Pdf = (output / "Protokoly.pdf").string();
    }
    ~GeneratedSchool() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    SetContents Contents;
    std::string Pdf;
    int Reports = 0;

private:
    std::filesystem::path m_folder;
};

void BM_WriteSetPdf(benchmark::State& bench) {
    static GeneratedSchool school;
    SetOutputResult result;
    for (auto _ : bench) {
        result = WriteSetPdf(school.Contents, school.Pdf, NamedBy::User, QDateTime::currentDateTime());
        if (!result.Ok())
            throw std::runtime_error("the PDF was not written");
    }
    bench.counters["reports"] = school.Reports;
    bench.counters["pages"] = result.PageCount;
    bench.counters["bytes"] = static_cast<double>(std::filesystem::file_size(school.Pdf));
}
BENCHMARK(BM_WriteSetPdf)->Unit(benchmark::kMillisecond);

// A report justifying failing marks, of justifications groups of lines
// lines each: the longest a report may be is 100,000 lines in all.
std::string LongReport(const std::string& klasa, int groups, int lines) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
                      "\t<Doc>Uzasadnienie oceny niedostatecznej</Doc>\r\n"
                      "\t<Przedmiot>fizyka</Przedmiot>\r\n\t<Klasa>" +
                      klasa +
                      "</Klasa>\r\n\t<Belfer>Jan Kowalski</Belfer>\r\n"
                      "\t<Uzasadnienia>\r\n\t\t<Ilosc>" +
                      std::to_string(groups) + "</Ilosc>\r\n";
    for (int g = 1; g <= groups; ++g) {
        const std::string group = "Uzasadnienie" + std::to_string(g);
        xml += "\t\t<" + group + ">\r\n\t\t\t<Osoba>Ucze\xF1 " + std::to_string(g) +
               "</Osoba>\r\n\t\t\t<IloscWierszy>" + std::to_string(lines) + "</IloscWierszy>\r\n";
        for (int i = 0; i < lines; ++i) {
            const std::string tag = "Wiersz" + std::to_string(i);
            xml += "\t\t\t<" + tag + ">Wiersz " + std::to_string(g) + "." + std::to_string(i) +
                   " za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1</" + tag + ">\r\n";
        }
        xml += "\t\t</" + group + ">\r\n";
    }
    return xml + "\t</Uzasadnienia>\r\n</Szkola>\r\n";
}

// A folder of reports, removed at exit.
class ReportFolder {
public:
    explicit ReportFolder(int set) {
        m_folder =
            std::filesystem::temp_directory_path() / ("notarion-pdf-memory-" + std::to_string(set));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        if (set == 0) {
            SampleSchoolOptions options;
            options.Classes = 2000;
            options.ListName.clear();
            const SampleSet school = MakeSampleSchool(options);
            WriteSampleSet(m_folder.string(), school);
            Reports = static_cast<int>(school.Files.size());
        } else {
            Reports = set == 1 ? 1 : 4;
            for (int r = 0; r < Reports; ++r) {
                const std::string klasa = "1" + std::string(1, static_cast<char>('a' + r));
                WriteWholeFile((m_folder / (klasa + "_ndst.xml")).string(),
                               LongReport(klasa, 9, 10000), NamedBy::User);
            }
        }
    }
    ~ReportFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string Text() const { return m_folder.string(); }
    std::string Pdf() const { return (m_folder / "Protokoly" / "Protokoly.pdf").string(); }

    int Reports = 0;

private:
    std::filesystem::path m_folder;
};

// Run a program to its end; its peak resident memory in MB.
double PeakMegabytesOfProgram(const std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    // What the program prints (the PDF's path) would only clutter the table.
    posix_spawn_file_actions_t quiet;
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = ::posix_spawn(&child, argv[0], &quiet, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&quiet);
    if (started != 0)
        throw std::runtime_error("cannot start " + words[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error(words[0] + " failed");
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_PeakMemoryOfPdf(benchmark::State& bench) {
    const ReportFolder folder(static_cast<int>(bench.range(0)));
    double peak = 0;
    for (auto _ : bench)
        peak = PeakMegabytesOfProgram({NOTARION_CLI_PDF, "pdf", folder.Text()});
    const std::string pdf = ReadWholeFile(folder.Pdf());
    bench.counters["peak_MB"] = peak;
    bench.counters["reports"] = folder.Reports;
    bench.counters["pages"] = CountPdfPages(pdf);
    bench.counters["pdf_MB"] = static_cast<double>(pdf.size()) / (1024.0 * 1024.0);
}
// 0: a school of 10,000 reports; 1: one report of 90,000 lines; 2: four of them.
BENCHMARK(BM_PeakMemoryOfPdf)->DenseRange(0, 2)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace notarion

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
