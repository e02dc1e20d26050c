#pragma once

#include <gtest/gtest.h>

#include <string>

namespace notarion::testing {

// One line of bytes made readable: tabs, line ends and bytes outside
// printable ASCII escaped.
std::string Visible(const std::string& line);

// Success when the bytes are equal; otherwise the sizes, the number of the
// first line that differs, that line on both sides and a few lines around
// it. For EXPECT_TRUE(SameBytes(expected, actual)).
::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual);

} // namespace notarion::testing
