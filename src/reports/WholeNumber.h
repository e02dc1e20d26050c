#pragma once

// The one grammar of whole numbers in report and list files: leading blanks,
// an optional sign, then decimal digits, or hexadecimal digits after "$",
// "0x" or "0X"; nothing may follow the digits. Counts, averages and the list
// file's number of positions are all read with it.

#include "text/Failure.h"

#include <limits>
#include <optional>
#include <string_view>

namespace notarion {

// The value read, or why there is none (Value is then 0): NotWholeNumber when
// the text is not of the grammar's shape (the empty text included),
// OutOfRange when it does not fit a 32-bit signed integer or is above the
// limit the caller gave.
struct WholeNumber {
    int Value = 0;
    std::optional<BadValue> Fault;
    explicit operator bool() const { return !Fault; }
};

// Read text (cp1250) as a whole number no larger than limit. Never throws.
WholeNumber ParseWholeNumber(std::string_view text, int limit = std::numeric_limits<int>::max());

} // namespace notarion
