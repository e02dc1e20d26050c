#pragma once

// A run of the built notarion-cli as a user runs it from a terminal, with its
// exit code and both output streams, and the small school it is run on; and
// the same words run in this process through the command-line library.

#include "cli/CommandLine.h"
#include "support/FileBytes.h"
#include "support/ProgramRunner.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace notarion::testing {

namespace fs = std::filesystem;

// The small school of nine valid reports, one of each kind, copied into folder.
inline void CopySchool(const std::string& folder) {
    fs::copy(fs::path(NOTARION_CLI_TEST_DATA) / "szkola", folder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

struct ProgramRun {
    int Code = -1;
    std::string Out;
    std::string Err;
};

// The words run through the command-line library in this process.
// The JSON of a report card (kind "Z karty") by teacher with info, a JSON list.
inline std::string CardJson(const std::string& teacher, const std::string& info) {
    return R"({"Doc": "Z karty", "Belfer": ")" + teacher + R"(", "Info": )" + info + "}";
}

inline ProgramRun RunWords(const std::vector<std::string>& words) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCommandLine(words, out, err);
    return {code, out.str(), err.str()};
}

// Run the built notarion-cli with the words, in the working folder, as a
// user would from a terminal.
inline ProgramRun RunProgram(const std::vector<std::string>& words,
                             const std::string& workingFolder = {}) {
    const TempFolder capture;
    ProgramRun run;
    run.Code = RunProgramToFiles(NOTARION_CLI, words, workingFolder, capture.Path() / "out",
                                 capture.Path() / "err");
    run.Out = ReadBytes(capture.Path() / "out");
    run.Err = ReadBytes(capture.Path() / "err");
    return run;
}

} // namespace notarion::testing
