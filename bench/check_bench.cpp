// Target `check_bench`: links notarion_check and the sample school.
//
// Checks a realistic school of about a thousand report files (the sample
// school's generator, about five reports a class) as `check` and the list
// editor's "Sprawdź zestaw" do: every report read and run through its
// section writer, then compared across the set. The goal is well under
// 100 ms for 1,000 reports.

#include "check/ReportCheck.h"
#include "make_school/SampleSchool.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

constexpr int kClasses = 210;

// The generated folder, made once for all benchmarks and removed at exit.
class SchoolFolder {
public:
    SchoolFolder() {
        m_folder = std::filesystem::temp_directory_path() / "notarion-check-bench";
        std::filesystem::remove_all(m_folder);
        SampleSchoolOptions options;
        options.Classes = kClasses;
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
    static const SchoolFolder folder;
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

} // namespace
} // namespace notarion

BENCHMARK_MAIN();
