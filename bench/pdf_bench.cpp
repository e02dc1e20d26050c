// Target `pdf_bench`: links notarion_platform_gui, the sample school and
// benchmark::benchmark.
//
// The whole set of a school of about a thousand report files (the sample
// school generator with 204 classes) as one PDF: every document read from its
// HTML file, laid out, painted, the bookmarks appended and the file written.
// The goal is under 5 s.

#include "generate/DocumentSet.h"
#include "generate/SetContents.h"
#include "make_school/SampleSchool.h"
#include "platform/SetPdf.h"
#include "reports/ReportCatalogue.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

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
        result = WriteSetPdf(school.Contents, school.Pdf, QDateTime::currentDateTime());
        if (!result.Ok())
            throw std::runtime_error("the PDF was not written");
    }
    bench.counters["reports"] = school.Reports;
    bench.counters["pages"] = result.PageCount;
    bench.counters["bytes"] = static_cast<double>(std::filesystem::file_size(school.Pdf));
}
BENCHMARK(BM_WriteSetPdf)->Unit(benchmark::kMillisecond);

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
