#include <gtest/gtest.h>

#include "CommandRecord.h"

namespace {

void ExpectVector(const VECTOR3 &v, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(v.x, x);
    EXPECT_DOUBLE_EQ(v.y, y);
    EXPECT_DOUBLE_EQ(v.z, z);
}

}  // namespace

TEST(CommandRecord, ReadsCodeTimeAndThreeVectors) {
    CommandRecord record;
    ASSERT_TRUE(
        ReadCommandRecord("600;43050.5;1;2;3;4;5;6;7;8;9;99;99", record));  // past the eleventh: ignored
    EXPECT_EQ(record.code, 600);
    EXPECT_DOUBLE_EQ(record.time, 43050.5);
    ExpectVector(record.vector1, 1, 2, 3);
    ExpectVector(record.vector2, 4, 5, 6);
    ExpectVector(record.vector3, 7, 8, 9);

    ASSERT_TRUE(ReadCommandRecord("130;-0.00347;0;12.3456;", record));  // missing fields are zero
    EXPECT_EQ(record.code, 130);
    EXPECT_DOUBLE_EQ(record.time, -0.00347);
    ExpectVector(record.vector1, 0, 12.3456, 0);
    ExpectVector(record.vector2, 0, 0, 0);
}

TEST(CommandRecord, EmptyFieldsSkippedNonNumbersZero) {
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord("610;;;-0.5;;2;4", record));
    EXPECT_EQ(record.code, 610);
    EXPECT_DOUBLE_EQ(record.time, -0.5);
    ExpectVector(record.vector1, 2, 4, 0);

    ASSERT_TRUE(ReadCommandRecord("abc;x1;1e2;inf;nan;0x10;-.5;7.25kg", record));
    EXPECT_EQ(record.code, 0);
    EXPECT_EQ(record.time, 0.0);
    ExpectVector(record.vector1, 100, 0, 0);
    ExpectVector(record.vector2, 0, -0.5, 7.25);
    ASSERT_TRUE(ReadCommandRecord("620.9;1", record));
    EXPECT_EQ(record.code, 620);

    EXPECT_FALSE(ReadCommandRecord("", record));  // an empty line is no record
    EXPECT_FALSE(ReadCommandRecord(nullptr, record));
}
