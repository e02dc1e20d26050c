#pragma once

// The sample school: a deterministic, realistic set of report files of all
// nine kinds with the list file of the same set, for the examples folder, the
// tests and the benchmarks. MakeSampleSchool composes each report as a
// ReportForm, the way the report editor holds one, from the words of
// SchoolWords.h, and makes its bytes through the form writer's layout and the
// byte forms of ReportTree.h; WriteSampleSet puts them into a folder. MakeDamagedSamples
// composes a small folder of faulty reports for trying the failure roads.

#include <cstdint>
#include <string>
#include <vector>

namespace notarion {

// The largest school the generator makes; enough for any benchmark.
inline constexpr int MaxSampleClasses = 2000;

struct SampleSchoolOptions {
    // Number of classes, 1 to MaxSampleClasses; each brings a class report, a
    // behaviour report and a tutor's report, and the other kinds grow with it.
    int Classes = 16;
    // The same seed always gives the same bytes.
    std::uint64_t Seed = 1;
    // File name of the list file of the set; empty for none.
    std::string ListName = "szkola.xmp";
};

struct SampleFile {
    // ASCII file name, without a folder.
    std::string Name;
    // The whole file.
    std::string Bytes;
    // The kind text the program reads from the report ("Doc"), Windows-1250;
    // empty for the list file.
    std::string Kind;
    // The title the program composes for the report, Windows-1250; empty for
    // the list file and for a report of no known kind.
    std::string Title;
};

struct SampleSet {
    // The files ordered by their names in capitals, as the program lists a
    // folder.
    std::vector<SampleFile> Files;
};

// Compose the sample school. Throws Failure when the number of classes is
// outside 1 to MaxSampleClasses.
SampleSet MakeSampleSchool(const SampleSchoolOptions& options);

// Compose the damaged examples: a class report whose attendance count is a
// word, a behaviour report cut off in the middle, a report whose kind is
// written in small letters, a distinguished student without an average, a
// list file whose count is a word, and three sound reports. Never fails.
SampleSet MakeDamagedSamples(std::uint64_t seed);

// Compose a small school of four classes whose files are sound but whose set
// has the gaps a secretary chases: one class without its tutor's report, one
// failing grade without a justification, one justification of a grade that
// is not failing, one distinction at an average of 4,60; with the list file
// "braki.xmp". Never fails.
SampleSet MakeSchoolWithGaps(std::uint64_t seed);

// Write every file of the set into the folder (a Windows-1250 path text),
// creating the folder and its missing parents; files of the same names are
// replaced, other files are left alone. Throws Failure when a folder cannot
// be made or a file cannot be written.
void WriteSampleSet(const std::string& folder, const SampleSet& set);

// MakeSampleSchool followed by WriteSampleSet; throws Failure as they do.
void WriteSampleSchool(const std::string& folder, const SampleSchoolOptions& options);

} // namespace notarion
