#include "reports/ComparableText.h"

#include "text/Cp1250.h"

#include <gtest/gtest.h>

namespace notarion {
namespace {

TEST(ComparableText, TextsAreComparedWithoutCaseAndExtraBlanks) {
    EXPECT_EQ(ComparableText("  jan \t  Kowalski "), ComparableText("JAN KOWALSKI"));
    EXPECT_EQ(ComparableText(Utf8ToCp1250("zając")), ComparableText(Utf8ToCp1250("ZAJĄC")));
    EXPECT_NE(ComparableText("Jan"), ComparableText("Jana"));
    const std::vector<std::string> parts = {"a", "b c"};
    EXPECT_EQ(CommaSeparated(" a ,, b c ,"), parts);
    EXPECT_TRUE(CommaSeparated("").empty());
}

} // namespace
} // namespace notarion
