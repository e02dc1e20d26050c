#pragma once

// The one grammar of whole numbers in report and list files: leading blanks,
// an optional sign, then decimal digits, or hexadecimal digits after "$",
// "0x" or "0X"; nothing may follow the digits. Counts, averages and the list
// file's number of positions are all read with it.

#include <limits>
#include <string_view>

namespace notarion {

// Why a text gave no number.
enum class NumberFault {
    None,
    // The text is not of the grammar's shape (the empty text included).
    Malformed,
    // The shape is right but the value does not fit a 32-bit signed integer.
    OutOfRange,
    // The value fits but is above the limit the caller gave.
    AboveLimit,
};

// The value read, or why there is none (Value is then 0).
struct WholeNumber {
    int Value = 0;
    NumberFault Fault = NumberFault::None;
    explicit operator bool() const { return Fault == NumberFault::None; }
};

// Read text (cp1250) as a whole number no larger than limit. Never throws.
WholeNumber ParseWholeNumber(std::string_view text, int limit = std::numeric_limits<int>::max());

} // namespace notarion
