#pragma once

// Helpers shared by the report tests: a temporary folder that removes itself,
// report files written from a few fields, a list over a vector, and a byte
// comparison that prints a readable line-by-line difference.

#include "reports/ReportCatalogue.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace notarion {

// Entries print as their three texts, so a failed comparison says what differs.
inline void PrintTo(const ReportEntry& entry, std::ostream* out) {
    *out << "{\"" << Cp1250ToUtf8(entry.Title) << "\", \"" << Cp1250ToUtf8(entry.Path) << "\", \""
         << Cp1250ToUtf8(entry.Kind) << "\"}";
}

} // namespace notarion

namespace notarion::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "notarion-reports-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a name inside the folder, as cp1250 text (the name is UTF-8).
    std::string File(const std::string& utf8Name) const {
        return Utf8ToCp1250((m_path / utf8Name).string());
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

inline void WriteBytes(const std::string& cp1250Path, const std::string& bytes) {
    std::ofstream out(fs::path(Cp1250ToUtf8(cp1250Path)), std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write test file " + cp1250Path);
}

inline std::string ReadBytes(const std::string& cp1250Path) {
    std::ifstream in(fs::path(Cp1250ToUtf8(cp1250Path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The cp1250 bytes of a report file: "Szkola" holding the given elements in
// order. Field names and values are UTF-8 and are written unescaped.
inline std::string ReportXml(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n";
    for (const auto& [name, value] : fields)
        text += "\t<" + name + ">" + value + "</" + name + ">\r\n";
    text += "</Szkola>\r\n";
    return Utf8ToCp1250(text);
}

// The same text as UTF-16 little-endian behind the FF FE mark.
inline std::string AsUtf16File(const std::string& cp1250Text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : Cp1250ToUtf16(cp1250Text)) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// A list control over a vector, recording what the catalogue asked of it.
class VectorKindList : public KindList {
public:
    std::vector<std::string> Items;
    int SelectCalls = 0;
    int ClearCalls = 0;

    void ClearItems() override {
        Items.clear();
        ++ClearCalls;
    }
    void AddItem(const std::string& title) override { Items.push_back(title); }
    int ItemCount() const override { return static_cast<int>(Items.size()); }
    std::string ItemText(int position) const override {
        return position >= 0 && position < ItemCount() ? Items[static_cast<std::size_t>(position)]
                                                       : std::string();
    }
    void SelectFirstItem() override { ++SelectCalls; }
};

// One line of bytes made readable: tabs, line ends and bytes above 127 escaped.
inline std::string Visible(const std::string& line) {
    std::ostringstream out;
    for (const unsigned char c : line) {
        if (c == '\t')
            out << "\\t";
        else if (c == '\r')
            out << "\\r";
        else if (c == '\n')
            out << "\\n";
        else if (c < 32 || c > 126)
            out << "\\x" << std::hex << static_cast<int>(c) << std::dec;
        else
            out << c;
    }
    return out.str();
}

inline std::vector<std::string> SplitAfterLineFeeds(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(start, next - start));
        start = next;
    }
    return lines;
}

// Success when the bytes are equal; otherwise every differing line, numbered.
inline ::testing::AssertionResult SameBytes(const std::string& expected,
                                            const std::string& actual) {
    if (expected == actual)
        return ::testing::AssertionSuccess();
    const auto want = SplitAfterLineFeeds(expected);
    const auto got = SplitAfterLineFeeds(actual);
    auto failure = ::testing::AssertionFailure();
    failure << "bytes differ (expected " << expected.size() << ", got " << actual.size() << ")\n";
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? Visible(want[i]) : "<no line>";
        const std::string g = i < got.size() ? Visible(got[i]) : "<no line>";
        if (w != g)
            failure << "line " << i + 1 << ":\n  expected: " << w << "\n  actual:   " << g << "\n";
    }
    return failure;
}

} // namespace notarion::testing
