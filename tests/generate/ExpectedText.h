#pragma once

// The generator tests' reviewed texts: files under tests/data/generate, read
// as lines and joined for comparisons that print as readable UTF-8.

#include "generate/HtmlPage.h"
#include "support/FileBytes.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace notarion::testing {

// The report files of a sample school's folder, ordered by name without
// regard to letter case, as a new set takes them.
inline std::vector<std::string> SchoolReportFiles(const std::filesystem::path& folder) {
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && lower(entry.path().extension().string()) == ".xml")
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end(),
              [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
    return paths;
}

inline std::filesystem::path DataPath(const std::string& relative) {
    return std::filesystem::path(NOTARION_GENERATE_TEST_DATA) / relative;
}

// The lines of a UTF-8 expected file (LF or CR LF ends; trailing blanks kept).
inline std::vector<std::string> ReadExpectedLines(const std::filesystem::path& path) {
    std::vector<std::string> lines = Lines(ReadBytes(path));
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

// The lines of a page in the writing, without their CR LF ends.
inline std::vector<std::string> PageLines(const HtmlBuffer& page) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < page.Bytes.size();) {
        const std::size_t end = page.Bytes.find("\r\n", at);
        lines.push_back(page.Bytes.substr(at, end - at));
        at = end == std::string::npos ? page.Bytes.size() : end + 2;
    }
    return lines;
}

inline std::string JoinUtf8(const std::vector<std::string>& cp1250Lines) {
    std::string text;
    for (const auto& line : cp1250Lines)
        text.append(Cp1250ToUtf8(line)).append("\n");
    return text;
}

inline std::string JoinPlain(const std::vector<std::string>& utf8Lines) {
    std::string text;
    for (const auto& line : utf8Lines)
        text.append(line).append("\n");
    return text;
}

} // namespace notarion::testing
