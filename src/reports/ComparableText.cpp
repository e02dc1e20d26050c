#include "reports/ComparableText.h"

#include "text/Cp1250.h"

#include <algorithm>

namespace notarion {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string Trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::u16string ComparableText(std::string_view cp1250) {
    std::string collapsed;
    for (const char c : Trimmed(cp1250)) {
        if (IsBlank(c)) {
            if (collapsed.back() != ' ')
                collapsed.push_back(' ');
        } else {
            collapsed.push_back(c);
        }
    }
    return UpperCase(Cp1250ToUtf16(collapsed));
}

std::vector<std::string> CommaSeparated(std::string_view cp1250) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= cp1250.size()) {
        const std::size_t comma = std::min(cp1250.find(',', start), cp1250.size());
        std::string part = Trimmed(cp1250.substr(start, comma - start));
        if (!part.empty())
            parts.push_back(std::move(part));
        start = comma + 1;
    }
    return parts;
}

} // namespace notarion
