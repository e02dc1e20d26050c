#include "reports/WholeNumber.h"

#include "reports/ReportReader.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace notarion {
namespace {

struct NumberRow {
    std::string Text;
    int Limit;
    int Value;
    std::optional<BadValue> Fault;
};

constexpr int NoLimit = std::numeric_limits<int>::max();
constexpr std::optional<BadValue> Ok;
constexpr std::optional<BadValue> Malformed = BadValue::NotWholeNumber;
constexpr std::optional<BadValue> OutOfRange = BadValue::OutOfRange;
// Above the caller's limit is out of range as well.
constexpr std::optional<BadValue> AboveLimit = BadValue::OutOfRange;

// Counts, averages and the list file's number of positions share this one
// grammar; the fault decides what the checker and the front ends say.
TEST(WholeNumber, ReadsTheOneGrammarOfReportAndListFiles) {
    const NumberRow rows[] = {
        {"0", NoLimit, 0, Ok},
        {"7", NoLimit, 7, Ok},
        {"-3", NoLimit, -3, Ok},
        {"+12", NoLimit, 12, Ok},
        {"007", NoLimit, 7, Ok},
        {"   42", NoLimit, 42, Ok},
        {" -5", NoLimit, -5, Ok},
        {"$1F", NoLimit, 31, Ok},
        {"$ff", NoLimit, 255, Ok},
        {"0x10", NoLimit, 16, Ok},
        {"0X1a", NoLimit, 26, Ok},
        {"-$10", NoLimit, -16, Ok},
        {"-0x10", NoLimit, -16, Ok},
        {"2147483647", NoLimit, 2147483647, Ok},
        {"-2147483648", NoLimit, -2147483647 - 1, Ok},
        {"$7FFFFFFF", NoLimit, 2147483647, Ok},
        {"00000000000000000000001", NoLimit, 1, Ok},
        {"", NoLimit, 0, Malformed},
        {" ", NoLimit, 0, Malformed},
        {"-", NoLimit, 0, Malformed},
        {"+", NoLimit, 0, Malformed},
        {"$", NoLimit, 0, Malformed},
        {"0x", NoLimit, 0, Malformed},
        {"$G", NoLimit, 0, Malformed},
        {"abc", NoLimit, 0, Malformed},
        {"12a", NoLimit, 0, Malformed},
        {"12 ", NoLimit, 0, Malformed},
        {"1 2", NoLimit, 0, Malformed},
        {"4.75", NoLimit, 0, Malformed},
        {"4,75", NoLimit, 0, Malformed},
        {"--1", NoLimit, 0, Malformed},
        {"+-1", NoLimit, 0, Malformed},
        {"- 1", NoLimit, 0, Malformed},
        {"0x$1", NoLimit, 0, Malformed},
        {"$0x1", NoLimit, 0, Malformed},
        {"1e3", NoLimit, 0, Malformed},
        {"\t5", NoLimit, 0, Malformed},
        {"x10", NoLimit, 0, Malformed},
        // Letters outside cp1250 arrive as '?'.
        {Utf8ToCp1250("١٢"), NoLimit, 0, Malformed},
        // The shape decides first: a long number with a letter is malformed.
        {"99999999999999999999999x", NoLimit, 0, Malformed},
        {"2147483648", NoLimit, 0, OutOfRange},
        {"-2147483649", NoLimit, 0, OutOfRange},
        {"$80000000", NoLimit, 0, OutOfRange},
        {"99999999999999999999999", NoLimit, 0, OutOfRange},
        {"10000", MaxLoopCount, 10000, Ok},
        {"-2000000", MaxLoopCount, -2000000, Ok},
        {"10001", MaxLoopCount, 0, AboveLimit},
        {"$FFFF", MaxLoopCount, 0, AboveLimit},
        {"2147483647", MaxLoopCount, 0, AboveLimit},
    };
    for (const NumberRow& row : rows) {
        SCOPED_TRACE("'" + Cp1250ToUtf8(row.Text) + "' limit " + std::to_string(row.Limit));
        const WholeNumber number = ParseWholeNumber(row.Text, row.Limit);
        EXPECT_EQ(number.Fault, row.Fault);
        EXPECT_EQ(number.Value, row.Value);
        EXPECT_EQ(static_cast<bool>(number), row.Fault == Ok);
    }
}

} // namespace
} // namespace notarion
