#include "generate/Counts.h"

#include "text/Failure.h"

#include <cstdint>
#include <string>

namespace notarion {
namespace {

[[noreturn]] void ThrowNotANumber(std::string_view text) {
    throw Failure("'" + std::string(text) + "' is not a valid integer value");
}

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

int ParseCount(std::string_view text) {
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
        ThrowNotANumber(text);

    // The magnitude is gathered in 64 bits and checked after every digit, so
    // a long run of digits cannot overflow before the range test sees it.
    const std::int64_t limit = negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            ThrowNotANumber(text);
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            ThrowNotANumber(text);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int ParseLoopCount(std::string_view text) {
    const int count = ParseCount(text);
    if (count > MaxLoopCount)
        throw Failure("count " + std::to_string(count) + " is larger than any report can hold");
    return count;
}

} // namespace notarion
