#include "reports/WholeNumber.h"

#include <cstdint>

namespace notarion {
namespace {

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

} // namespace

WholeNumber ParseWholeNumber(std::string_view text, int limit) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return {0, BadValue::NotWholeNumber};
    // The whole shape is checked before the size, so a long run of digits
    // followed by a letter is malformed, not merely too large.
    for (std::size_t j = i; j < text.size(); ++j)
        if (DigitValue(text[j], base) < 0)
            return {0, BadValue::NotWholeNumber};

    // Gathered in 64 bits and checked after every digit, so no length of
    // digits can overflow before the range test sees it.
    const std::int64_t largest = negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        magnitude = magnitude * base + DigitValue(text[i], base);
        if (magnitude > largest)
            return {0, BadValue::OutOfRange};
    }
    const auto value = static_cast<int>(negative ? -magnitude : magnitude);
    if (value > limit)
        return {0, BadValue::OutOfRange};
    return {value, std::nullopt};
}

} // namespace notarion
