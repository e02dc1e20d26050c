#include "generate/Counts.h"
#include "text/Failure.h"

#include <gtest/gtest.h>

#include <string>

namespace notarion {
namespace {

struct CountCase {
    std::string Text;
    int Value;
};

TEST(ParseCount, AcceptsTheWholeNumberSyntaxOfReports) {
    const CountCase cases[] = {
        {"0", 0},
        {"7", 7},
        {"-3", -3},
        {"+12", 12},
        {"007", 7},
        {"   42", 42},
        {" -5", -5},
        {"$1F", 31},
        {"$ff", 255},
        {"0x10", 16},
        {"0X1a", 26},
        {"-$10", -16},
        {"-0x10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"00000000000000000000001", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCount(c.Text), c.Value) << "text: '" << c.Text << "'";
}

TEST(ParseCount, RejectsTextThatIsNotAWholeNumber) {
    const std::string cases[] = {
        "",           " ",
        "-",          "+",
        "$",          "0x",
        "abc",        "12a",
        "12 ",        "1 2",
        "4.75",       "4,75",
        "--1",        "+-1",
        "- 1",        "0x$1",
        "$0x1",       "1e3",
        "2147483648", "-2147483649",
        "$80000000",  "99999999999999999999999",
        "\t5",        "x10",
    };
    for (const auto& text : cases)
        EXPECT_THROW(ParseCount(text), Failure) << "text: '" << text << "'";
}

TEST(ParseLoopCount, TakesACountAboveTheLimitForDamage) {
    EXPECT_EQ(ParseLoopCount("10000"), MaxLoopCount);
    EXPECT_EQ(ParseLoopCount("-2000000"), -2000000);
    EXPECT_THROW(ParseLoopCount("10001"), Failure);
    EXPECT_THROW(ParseLoopCount("$FFFF"), Failure);
    EXPECT_THROW(ParseLoopCount("2147483647"), Failure);
    EXPECT_THROW(ParseLoopCount(""), Failure);
}

} // namespace
} // namespace notarion
