// Reading the decimal numbers of control words and records.
#include <gtest/gtest.h>

#include "DecimalReading.h"

TEST(DecimalReading, IntegersSaturateAndNumbersAreDecimalOnly) {
    EXPECT_EQ(ReadDecimalInt("-3"), -3);
    EXPECT_EQ(ReadDecimalInt("7.9"), 7);
    EXPECT_EQ(ReadDecimalInt("Q"), 0);
    EXPECT_EQ(ReadDecimalInt("0x1F"), 0);
    EXPECT_EQ(ReadDecimalInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReadDecimalInt("-99999999999999999999"), -2147483647 - 1);

    EXPECT_DOUBLE_EQ(ReadDecimalNumber(" -1.5e3xyz"), -1500.0);
    EXPECT_DOUBLE_EQ(ReadDecimalNumber(".5"), 0.5);
    for (const char *text : {".", "-", "inf", "-NAN", "0x10", ""})
        EXPECT_EQ(ReadDecimalNumber(text), 0.0) << text;
    EXPECT_EQ(ReadDecimalNumber(nullptr), 0.0);
}
