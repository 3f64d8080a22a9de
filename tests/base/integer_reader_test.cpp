#include <gtest/gtest.h>

#include "base/integer_reader.h"

using pondaro::readInteger;

TEST(IntegerReader, ReadsTheLeadingNumberInEachNotation) {
    EXPECT_EQ(readInteger("42"), 42);
    EXPECT_EQ(readInteger("  \t17px"), 17);
    EXPECT_EQ(readInteger("-5"), -5);
    EXPECT_EQ(readInteger("+8"), 8);
    EXPECT_EQ(readInteger("$1F"), 31);
    EXPECT_EQ(readInteger("$ff"), 255);
    EXPECT_EQ(readInteger("-$10"), -16);
    EXPECT_EQ(readInteger("%101"), 5);
    EXPECT_EQ(readInteger("%102"), 2);  // stops at the first digit binary does not have
    EXPECT_EQ(readInteger("12.9"), 12);
    EXPECT_EQ(readInteger("007"), 7);
}

TEST(IntegerReader, TextWithoutDigitsGivesZero) {
    EXPECT_EQ(readInteger(""), 0);
    EXPECT_EQ(readInteger("abc"), 0);
    EXPECT_EQ(readInteger("-"), 0);
    EXPECT_EQ(readInteger("$"), 0);
    EXPECT_EQ(readInteger("%"), 0);
    EXPECT_EQ(readInteger("$G"), 0);
    EXPECT_EQ(readInteger(" - 5"), 0);
    EXPECT_EQ(readInteger("x12"), 0);
}

TEST(IntegerReader, ValuesBeyondThirtyTwoBitsAreClamped) {
    EXPECT_EQ(readInteger("2147483647"), 2147483647);
    EXPECT_EQ(readInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(readInteger("2147483648"), 2147483647);
    EXPECT_EQ(readInteger("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(readInteger("99999999999999999999999999999999"), 2147483647);
    EXPECT_EQ(readInteger("-99999999999999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(readInteger("$FFFFFFFFFFFFFFFFFFFF"), 2147483647);
    EXPECT_EQ(readInteger("%" + std::string(200, '1')), 2147483647);
}
