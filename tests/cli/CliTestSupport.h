#pragma once

// Helpers of the command-line tests: temporary folders, files written as
// bytes, and a run of the built notarion-cli with its exit code and both
// output streams.

#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace notarion::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = fs::temp_directory_path() /
                 ("notarion-cli-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        fs::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as text (ASCII, so UTF-8 and cp1250 agree).
    std::string Text() const { return m_path.string(); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A report given as UTF-8 text, written as the cp1250 bytes of a report file.
inline std::string WriteReport(const fs::path& path, const std::string& utf8Xml) {
    WriteBytes(path, Utf8ToCp1250(utf8Xml));
    return path.string();
}

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

inline std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Run the built notarion-cli with the words, in the working folder, as a
// user would from a shell.
inline ProgramRun RunProgram(const std::vector<std::string>& words,
                             const std::string& workingFolder = {}) {
    static std::atomic<int> counter{0};
    const fs::path capture =
        fs::temp_directory_path() /
        ("notarion-cli-run-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::string command;
    if (!workingFolder.empty())
        command += "cd " + ShellQuoted(workingFolder) + " && ";
    command += ShellQuoted(NOTARION_CLI);
    for (const std::string& word : words)
        command += " " + ShellQuoted(word);
    command += " >" + ShellQuoted(capture.string() + ".out") + " 2>" +
               ShellQuoted(capture.string() + ".err") + " </dev/null";
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadBytes(capture.string() + ".out");
    run.Err = ReadBytes(capture.string() + ".err");
    fs::remove(capture.string() + ".out");
    fs::remove(capture.string() + ".err");
    return run;
}

// The lines of a text, without their newlines.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

} // namespace notarion::testing
