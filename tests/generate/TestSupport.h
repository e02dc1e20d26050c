#pragma once

// Helpers shared by the generator tests: temporary folders, fixtures kept in
// UTF-8 and written as the cp1250 of real report files, a list-editor list
// over a vector, and line comparison with a readable diff.

#include "reports/ReportCatalogue.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace notarion::testing {

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("notarion-generate-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as the program's path text (ASCII, so cp1250 and UTF-8 agree).
    std::string Text() const { return m_path.string(); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::filesystem::path DataPath(const std::string& relative) {
    return std::filesystem::path(NOTARION_GENERATE_TEST_DATA) / relative;
}

// The lines of a UTF-8 expected file (LF or CR LF ends; trailing blanks kept).
inline std::vector<std::string> ReadExpectedLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Write a report given as UTF-8 text as a cp1250 file, as report files are.
inline std::string WriteReport(const TempDir& dir, const std::string& name,
                               const std::string& utf8Xml) {
    const std::string path = dir.File(name);
    WriteBytes(path, Utf8ToCp1250(utf8Xml));
    return path;
}

// A complete report document around the given UTF-8 body.
inline std::string ReportXml(const std::string& kind, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n<Doc>" + kind +
           "</Doc>\r\n" + body + "\r\n</Szkola>\r\n";
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

// The list editor's list of one kind, over a vector.
class VectorKindList : public KindList {
public:
    explicit VectorKindList(std::vector<std::string> items = {}) : Items(std::move(items)) {}
    void ClearItems() override { Items.clear(); }
    void AddItem(const std::string& title) override { Items.push_back(title); }
    int ItemCount() const override { return static_cast<int>(Items.size()); }
    std::string ItemText(int position) const override {
        return position >= 0 && position < ItemCount() ? Items[static_cast<std::size_t>(position)]
                                                       : std::string();
    }
    void SelectFirstItem() override {}
    std::vector<std::string> Items;
};

} // namespace notarion::testing
