// Target `check_bench`: links notarion_check and the sample school.
//
// Checks a realistic school of about a thousand report files (the sample
// school's generator, about five reports a class) as `check` and the list
// editor's "Sprawdź zestaw" do: every report read and run through its
// section writer, then compared across the set. The goal is well under
// 100 ms for 1,000 reports.
//
// Beside it, the summary of the set's figures on a school of about ten
// thousand reports, against the check of the same school: the summary
// (catalogue built, class and behaviour reports read through the writers'
// reader) should take less than twice what the check takes.

#include "check/ReportCheck.h"
#include "generate/SetSummary.h"
#include "make_school/SampleSchool.h"
#include "reports/ReportCatalogue.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

constexpr int kClasses = 210;
// About ten thousand reports.
constexpr int kLargeClasses = 2000;

// The generated folder, made once for all benchmarks and removed at exit.
class SchoolFolder {
public:
    explicit SchoolFolder(int classes) {
        m_folder = std::filesystem::temp_directory_path() /
                   ("notarion-check-bench-" + std::to_string(classes));
        std::filesystem::remove_all(m_folder);
        SampleSchoolOptions options;
        options.Classes = classes;
        options.ListName.clear();
        const SampleSet set = MakeSampleSchool(options);
        WriteSampleSet(m_folder.string(), set);
        for (const SampleFile& file : set.Files)
            Paths.push_back((m_folder / file.Name).string());
    }
    ~SchoolFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::vector<std::string> Paths;

private:
    std::filesystem::path m_folder;
};

const SchoolFolder& School() {
    static const SchoolFolder folder(kClasses);
    return folder;
}

const SchoolFolder& LargeSchool() {
    static const SchoolFolder folder(kLargeClasses);
    return folder;
}

void BM_CheckSchoolFolder(benchmark::State& state) {
    const std::vector<std::string>& paths = School().Paths;
    for (auto _ : state) {
        CheckResult result = CheckReportFiles(paths);
        benchmark::DoNotOptimize(result);
    }
    state.counters["reports"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_CheckSchoolFolder)->Unit(benchmark::kMillisecond);

void BM_CheckLargeSchool(benchmark::State& state) {
    const std::vector<std::string>& paths = LargeSchool().Paths;
    for (auto _ : state) {
        CheckResult result = CheckReportFiles(paths);
        benchmark::DoNotOptimize(result);
    }
    state.counters["reports"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_CheckLargeSchool)->Unit(benchmark::kMillisecond);

// As notarion-cli summary does it: the catalogue of the folder, then the figures.
void BM_SummaryLargeSchool(benchmark::State& state) {
    const std::vector<std::string>& paths = LargeSchool().Paths;
    for (auto _ : state) {
        ReportCatalogue catalogue;
        BuildCatalogue(catalogue, paths);
        SetSummary summary = SummariseSet(catalogue);
        benchmark::DoNotOptimize(summary);
    }
    state.counters["reports"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_SummaryLargeSchool)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace notarion

BENCHMARK_MAIN();
