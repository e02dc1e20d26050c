#include "support/ByteDiff.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace notarion::testing {

namespace {

constexpr std::size_t ContextLines = 2;

// Lines with their line feeds kept, so a difference in line ends shows.
std::vector<std::string> SplitAfterLineFeeds(const std::string& bytes) {
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

std::string LineOr(const std::vector<std::string>& lines, std::size_t i) {
    return i < lines.size() ? Visible(lines[i]) : "<no line>";
}

} // namespace

std::string Visible(const std::string& line) {
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

::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
    if (expected == actual)
        return ::testing::AssertionSuccess();
    const auto want = SplitAfterLineFeeds(expected);
    const auto got = SplitAfterLineFeeds(actual);
    std::size_t first = 0;
    while (first < want.size() && first < got.size() && want[first] == got[first])
        ++first;
    auto failure = ::testing::AssertionFailure();
    failure << "bytes differ (expected " << expected.size() << ", got " << actual.size()
            << "), first at line " << first + 1 << "\n";
    for (std::size_t i = first > ContextLines ? first - ContextLines : 0; i < first; ++i)
        failure << "  " << i + 1 << ":  " << Visible(want[i]) << "\n";
    failure << "- " << first + 1 << ":  " << LineOr(want, first) << "\n";
    failure << "+ " << first + 1 << ":  " << LineOr(got, first) << "\n";
    const std::size_t end = std::max(want.size(), got.size());
    for (std::size_t i = first + 1; i < std::min(end, first + 1 + ContextLines); ++i)
        failure << "  " << i + 1 << ": -" << LineOr(want, i) << "\n"
                << "  " << i + 1 << ": +" << LineOr(got, i) << "\n";
    return failure;
}

} // namespace notarion::testing
