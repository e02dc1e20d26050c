#pragma once

// Turning report values into numbers. Counts and averages in report files are
// whole numbers written as text; a value that is not one makes the report
// damaged, and the step that reads it fails.

#include <string_view>

namespace notarion {

// The largest count of students or lines a report can plausibly hold. A count
// above it is taken for damage (one wrong digit), not for work to do for hours.
inline constexpr int MaxLoopCount = 10000;

// The whole number written in text: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "0x" or "0X"; nothing may
// follow the digits and the value must fit a 32-bit signed integer.
// Throws Failure for anything else, the empty text included.
int ParseCount(std::string_view text);

// ParseCount for a count that drives a loop ("IloscWierszy", "Ilosc",
// "IleOsob"). Throws Failure as ParseCount does, and also for a value above
// MaxLoopCount. Zero and negative values are returned as they are.
int ParseLoopCount(std::string_view text);

} // namespace notarion
