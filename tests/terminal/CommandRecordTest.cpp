#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CommandRecord.h"
#include "DecimalReading.h"

namespace {

void ExpectVector(const VECTOR3 &v, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(v.x, x);
    EXPECT_DOUBLE_EQ(v.y, y);
    EXPECT_DOUBLE_EQ(v.z, z);
}

}  // namespace

TEST(CommandRecord, ReadsAllElevenFields) {
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord("600;43050.5;1;2;3;4;5;6;7;8;9;", record));
    EXPECT_EQ(record.code, 600);
    EXPECT_DOUBLE_EQ(record.time, 43050.5);
    ExpectVector(record.vector1, 1, 2, 3);
    ExpectVector(record.vector2, 4, 5, 6);
    ExpectVector(record.vector3, 7, 8, 9);
}

TEST(CommandRecord, ProgramRecordsReadBack) {
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord("130;-0.00347;0;12.3456;", record));
    EXPECT_EQ(record.code, 130);
    EXPECT_DOUBLE_EQ(record.time, -0.00347);
    ExpectVector(record.vector1, 0, 12.3456, 0);
    ExpectVector(record.vector2, 0, 0, 0);
    ASSERT_TRUE(ReadCommandRecord("210;-0.00001;0.6000;-0.8000;0.0000;", record));
    EXPECT_EQ(record.code, 210);
    ExpectVector(record.vector1, 0.6, -0.8, 0);
}

TEST(CommandRecord, EmptyFieldsAreSkippedAndMissingOnesAreZero) {
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord(";;0;0;0;0;0;0;0;0;0;0;0", record));  // the composer's initial record
    EXPECT_EQ(record.code, 0);
    EXPECT_EQ(record.time, 0.0);
    ASSERT_TRUE(ReadCommandRecord("610;;;-0.5;;2;4", record));
    EXPECT_EQ(record.code, 610);
    EXPECT_DOUBLE_EQ(record.time, -0.5);
    ExpectVector(record.vector1, 2, 4, 0);
    ExpectVector(record.vector3, 0, 0, 0);
    ASSERT_TRUE(ReadCommandRecord(";", record));
    EXPECT_EQ(record.code, 0);
}

TEST(CommandRecord, NonNumbersReadZeroAndFieldsPastTheEleventhAreIgnored) {
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord("abc;x1;1e2;inf;nan;0x10;-.5;7.25kg;1;2;3;99;99", record));
    EXPECT_EQ(record.code, 0);
    EXPECT_EQ(record.time, 0.0);
    ExpectVector(record.vector1, 100, 0, 0);
    ExpectVector(record.vector2, 0, -0.5, 7.25);
    ExpectVector(record.vector3, 1, 2, 3);
    ASSERT_TRUE(ReadCommandRecord("620.9;1", record));
    EXPECT_EQ(record.code, 620);
}

TEST(CommandRecord, EmptyLineIsNoRecord) {
    CommandRecord record;
    EXPECT_FALSE(ReadCommandRecord("", record));
    EXPECT_FALSE(ReadCommandRecord(nullptr, record));
    EXPECT_EQ(record.code, 0);
}

TEST(CommandRecord, SplitGivesNonEmptyFieldsWithLengths) {
    CommandRecordField fields[kCommandRecordMaxFields];
    int count = SplitCommandRecord(";;130;;-0.5;ab;", fields, kCommandRecordMaxFields);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(std::string(fields[0].text, fields[0].length), "130");
    EXPECT_EQ(std::string(fields[1].text, fields[1].length), "-0.5");
    EXPECT_EQ(std::string(fields[2].text, fields[2].length), "ab");
    EXPECT_EQ(SplitCommandRecord("1;2;3;4", fields, 2), 2);
}

TEST(CommandRecord, ComposerRecordIsCutToTheBuffer) {
    char out[16];
    EXPECT_EQ(FormatComposerRecord(out, sizeof(out), "", "", "0;0;0", "0;0;0", "0;0;0"), 15);
    EXPECT_STREQ(out, ";;0;0;0;0;0;0;0");
    char small[8];
    EXPECT_EQ(FormatComposerRecord(small, sizeof(small), "130", "43000.5", "0;1;0", "0;0;0", "0;0;0"), 7);
    EXPECT_STREQ(small, "130;430");
}

TEST(DecimalReading, IntegersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(ReadDecimalInt("42"), 42);
    EXPECT_EQ(ReadDecimalInt("-3"), -3);
    EXPECT_EQ(ReadDecimalInt("7.9"), 7);
    EXPECT_EQ(ReadDecimalInt("Q"), 0);
    EXPECT_EQ(ReadDecimalInt(""), 0);
    EXPECT_EQ(ReadDecimalInt(nullptr), 0);
    EXPECT_EQ(ReadDecimalInt("0x1F"), 0);
    EXPECT_EQ(ReadDecimalInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReadDecimalInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(DecimalReading, NumbersAreDecimalOnly) {
    EXPECT_DOUBLE_EQ(ReadDecimalNumber("43050.25"), 43050.25);
    EXPECT_DOUBLE_EQ(ReadDecimalNumber(" -1.5e3xyz"), -1500.0);
    EXPECT_DOUBLE_EQ(ReadDecimalNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadDecimalNumber("5."), 5.0);
    EXPECT_EQ(ReadDecimalNumber("."), 0.0);
    EXPECT_EQ(ReadDecimalNumber("-"), 0.0);
    EXPECT_EQ(ReadDecimalNumber("inf"), 0.0);
    EXPECT_EQ(ReadDecimalNumber("-NAN"), 0.0);
    EXPECT_EQ(ReadDecimalNumber("0x10"), 0.0);
    EXPECT_EQ(ReadDecimalNumber(nullptr), 0.0);
}
