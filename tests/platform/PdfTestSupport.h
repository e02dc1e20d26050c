#pragma once

// Helpers of the platform tests: the output of a command line (poppler's
// tools) and its fields.

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

namespace notarion::testing {

// The standard output of a shell command; a command that cannot start fails
// the test.
inline std::string RunCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    EXPECT_TRUE(pipe) << command;
    std::string output;
    if (!pipe)
        return output;
    std::array<char, 4096> chunk;
    while (const std::size_t read = std::fread(chunk.data(), 1, chunk.size(), pipe.get()))
        output.append(chunk.data(), read);
    return output;
}

// The value of a "Name: value" line of pdfinfo's output, without the blanks
// that align it; empty when there is no such line.
inline std::string InfoField(const std::string& info, const std::string& name) {
    std::istringstream lines(info);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(name + ":")) {
            const std::size_t value = line.find_first_not_of(' ', name.size() + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    return {};
}

} // namespace notarion::testing
