#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "CommandComposer.h"
#include "CommandRecord.h"
#include "Terminal.h"

namespace {

const double kNow = 43050.75;

std::string Expected(double time) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.5f", time);
    return text;
}

std::string TimeFor(const char *offset, double now = kNow) {
    CommandComposer composer;
    std::strcpy(composer.offset, offset);
    std::strcpy(composer.dataA, "unchanged");
    composer.ComputeTimeAt(now);
    return composer.dataA;
}

}  // namespace

TEST(CommandComposer, StartsAndResetsWithItsInitialTexts) {
    CommandComposer composer;
    EXPECT_STREQ(composer.FieldText(100), "");
    EXPECT_STREQ(composer.FieldText(101), "");
    EXPECT_STREQ(composer.FieldText(102), "0;0;0");
    EXPECT_STREQ(composer.FieldText(103), "0;0;0");
    EXPECT_STREQ(composer.FieldText(104), "0;0;0");
    EXPECT_STREQ(composer.FieldText(105), "0;0;0;0;0");
    EXPECT_EQ(composer.FieldText(99), nullptr);
    EXPECT_EQ(composer.FieldText(106), nullptr);
    EXPECT_FALSE(composer.inputPending);
    EXPECT_EQ(composer.pendingField, 0);

    for (char *field : {composer.code, composer.dataA, composer.dataB, composer.dataC, composer.dataD, composer.offset})
        std::strcpy(field, "x");
    composer.Reset(0);
    EXPECT_STREQ(composer.code, "");
    EXPECT_STREQ(composer.dataA, "");
    EXPECT_STREQ(composer.dataD, "0;0;0");
    EXPECT_STREQ(composer.offset, "x");  // Reset(0) leaves the offset
    composer.Reset(1);
    EXPECT_STREQ(composer.offset, "0;0;0;0;0");
}

TEST(CommandComposer, InputBoxTitles) {
    EXPECT_STREQ(CommandComposer::FieldTitle(100), "Код функции");
    EXPECT_STREQ(CommandComposer::FieldTitle(101), "Данные А");
    EXPECT_STREQ(CommandComposer::FieldTitle(102), "Данные Б");
    EXPECT_STREQ(CommandComposer::FieldTitle(103), "Данные В");
    EXPECT_STREQ(CommandComposer::FieldTitle(104), "Данные Г");
    EXPECT_STREQ(CommandComposer::FieldTitle(105), "Смещение -> Сек;Мин;Час;Сут;ТО");
    EXPECT_EQ(CommandComposer::FieldTitle(106), nullptr);
}

TEST(CommandComposer, SecondClickBeforeTheBoxOpensIsIgnored) {
    CommandComposer composer;
    composer.RequestInput(101);
    composer.RequestInput(104);
    EXPECT_TRUE(composer.inputPending);
    EXPECT_EQ(composer.pendingField, 101);
    composer.OpenInput(200);  // not a field: only clears the request
    EXPECT_FALSE(composer.inputPending);
    composer.RequestInput(104);
    EXPECT_EQ(composer.pendingField, 104);
}

TEST(CommandComposer, AcceptedEntryIsCutTo63Characters) {
    CommandComposer composer;
    std::string entry(100, '9');
    EXPECT_TRUE(CommandComposer::AcceptInput(nullptr, &entry[0], composer.code));
    EXPECT_EQ(std::string(composer.code), std::string(63, '9'));
    EXPECT_TRUE(CommandComposer::AcceptInput(nullptr, (char *)"610", composer.code));
    EXPECT_STREQ(composer.code, "610");
}

TEST(CommandComposer, TimeModes) {
    EXPECT_EQ(TimeFor("30;0;0;0;0"), Expected(kNow + 30.0 / 86400.0));  // offset from now
    EXPECT_EQ(TimeFor("0;0;12;1;1"), Expected(43050.0 + 1.5));        // after 0 h today
    EXPECT_EQ(TimeFor("0;0;0;1;2"), "-1.00000");                      // relative
    EXPECT_EQ(TimeFor("0;0;0;1;3"), "unchanged");
    EXPECT_EQ(TimeFor("0;0;0;1;-1"), "unchanged");
    EXPECT_EQ(TimeFor("0;0;0;1;1e300"), "unchanged");
    EXPECT_EQ(TimeFor("0;0;0;1;2.9"), "-1.00000");  // mode truncated towards zero
    EXPECT_EQ(TimeFor("0;0;0;1;-0.5"), Expected(kNow + 1.0));
}

TEST(CommandComposer, OffsetSeparatorsAndMissingNumbers) {
    EXPECT_EQ(TimeFor(""), Expected(kNow));
    EXPECT_EQ(TimeFor("  ,;"), Expected(kNow));
    EXPECT_EQ(TimeFor("0, 30 ;;1"), Expected(kNow + (30.0 / 60.0 + 1.0) / 24.0));
    EXPECT_EQ(TimeFor("x;1"), Expected(kNow + 1.0 / 1440.0));
    EXPECT_EQ(TimeFor("60 60 1 0 1 99"), Expected(43050.0 + ((60.0 / 60.0 + 60.0) / 60.0 + 1.0) / 24.0));
}

TEST(CommandComposer, PointingFillsDataBAndC) {
    CommandComposer composer;
    composer.TakePointing(_V(0.6, -0.8, 0.0), _V(0.0, 0.0, 1.0));
    EXPECT_STREQ(composer.dataB, "0.6000;-0.8000;0.0000");
    EXPECT_STREQ(composer.dataC, "0.0000;0.0000;1.0000");
    EXPECT_STREQ(composer.dataD, "0;0;0");
}

TEST(CommandComposer, InitialRecordReadsAsCodeZeroTimeZero) {
    CommandComposer composer;
    Terminal terminal(nullptr);
    composer.EmitRecord(terminal);
    EXPECT_STREQ(terminal.editLine, ";;0;0;0;0;0;0;0;0;0");
    EXPECT_EQ(terminal.editCount, 19);
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord(terminal.editLine, record));
    EXPECT_EQ(record.code, 0);
    EXPECT_EQ(record.time, 0.0);
}

TEST(CommandComposer, FullFieldsAreCutToTheEditLine) {
    CommandComposer composer;
    for (char *field : {composer.code, composer.dataA, composer.dataB, composer.dataC, composer.dataD}) {
        std::memset(field, '1', 63);
        field[63] = '\0';
    }
    Terminal terminal(nullptr);
    terminal.AppendText("ADD 3 ");
    composer.EmitRecord(terminal);
    EXPECT_EQ(terminal.editCount, 111);
    EXPECT_EQ(std::strlen(terminal.editLine), 111u);
    EXPECT_EQ(std::string(terminal.editLine).substr(0, 6), "ADD 3 ");
}
