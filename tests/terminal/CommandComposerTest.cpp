#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "CommandComposer.h"
#include "CommandRecord.h"
#include "Terminal.h"
#include "core/Simulation.h"

namespace {

const double kNow = 43050.75;

std::string Formatted(double time) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.5f", time);
    return text;
}

std::string TimeFor(const char *offset) {
    CommandComposer composer;
    std::strcpy(composer.offset, offset);
    std::strcpy(composer.dataA, "unchanged");
    composer.ComputeTimeAt(kNow);
    return composer.dataA;
}

}  // namespace

TEST(CommandComposer, InitialTextsResetAndTitles) {
    CommandComposer composer;
    const char *initial[] = {"", "", "0;0;0", "0;0;0", "0;0;0", "0;0;0;0;0"};
    for (int area = 100; area <= 105; ++area) EXPECT_STREQ(composer.FieldText(area), initial[area - 100]);
    EXPECT_EQ(composer.FieldText(106), nullptr);
    EXPECT_FALSE(composer.inputPending);

    for (char *field : {composer.code, composer.dataA, composer.dataD, composer.offset})
        std::strcpy(field, "x");
    composer.Reset(0);
    EXPECT_STREQ(composer.code, "");
    EXPECT_STREQ(composer.dataD, "0;0;0");
    EXPECT_STREQ(composer.offset, "x");
    composer.Reset(1);
    EXPECT_STREQ(composer.offset, "0;0;0;0;0");

    const char *titles[] = {"Код функции", "Данные А", "Данные Б",
                            "Данные В",    "Данные Г", "Смещение -> Сек;Мин;Час;Сут;ТО"};
    for (int area = 100; area <= 105; ++area)
        EXPECT_STREQ(CommandComposer::FieldTitle(area), titles[area - 100]);
}

TEST(CommandComposer, OnlyTheFirstOfTwoClicksOpensAndEntriesAreCut) {
    CommandComposer composer;
    composer.RequestInput(101);
    composer.RequestInput(104);
    EXPECT_TRUE(composer.inputPending);
    EXPECT_EQ(composer.pendingField, 101);
    composer.OpenInput(200);  // not a field: only clears the request
    EXPECT_FALSE(composer.inputPending);

    std::string entry(100, '9');
    EXPECT_TRUE(CommandComposer::AcceptInput(nullptr, &entry[0], composer.code));
    EXPECT_EQ(std::string(composer.code), std::string(63, '9'));
}

TEST(CommandComposer, TimeModesAndOffsetReading) {
    EXPECT_EQ(TimeFor("30;0;0;0;0"), Formatted(kNow + 30.0 / 86400.0));  // from now
    EXPECT_EQ(TimeFor("0;0;12;1;1"), Formatted(43050.0 + 1.5));          // from 0 h today
    EXPECT_EQ(TimeFor("0;0;0;1;2"), "-1.00000");                         // relative to arrival
    EXPECT_EQ(TimeFor("0;0;0;1;2.9"), "-1.00000");                       // mode truncated towards zero
    EXPECT_EQ(TimeFor("0;0;0;1;-0.5"), Formatted(kNow + 1.0));
    for (const char *offset : {"0;0;0;1;3", "0;0;0;1;-1", "0;0;0;1;1e300"})
        EXPECT_EQ(TimeFor(offset), "unchanged");

    EXPECT_EQ(TimeFor(""), Formatted(kNow));
    EXPECT_EQ(TimeFor("0, 30 ;;1"), Formatted(kNow + (30.0 / 60.0 + 1.0) / 24.0));
    EXPECT_EQ(TimeFor("x;1"), Formatted(kNow + 1.0 / 1440.0));
}

TEST(CommandComposer, PointingAndEmittedRecords) {
    CommandComposer composer;
    Terminal terminal(nullptr);
    composer.EmitRecord(terminal);
    EXPECT_STREQ(terminal.editLine, ";;0;0;0;0;0;0;0;0;0");
    CommandRecord record;
    ASSERT_TRUE(ReadCommandRecord(terminal.editLine, record));
    EXPECT_EQ(record.code, 0);
    EXPECT_EQ(record.time, 0.0);

    composer.TakePointing(_V(0.6, -0.8, 0.0), _V(0.0, 0.0, 1.0));
    EXPECT_STREQ(composer.dataB, "0.6000;-0.8000;0.0000");
    EXPECT_STREQ(composer.dataC, "0.0000;0.0000;1.0000");

    for (char *field : {composer.code, composer.dataA, composer.dataB, composer.dataC, composer.dataD}) {
        std::memset(field, '1', 63);
        field[63] = '\0';
    }
    Terminal full(nullptr);
    full.AppendText("ADD 3 ");
    composer.EmitRecord(full);  // 319 characters cut to the edit line's 111
    EXPECT_EQ(full.editCount, 111);
    EXPECT_EQ(std::string(full.editLine, 6), "ADD 3 ");
}

// The input box through the simulator: title, initial text, and what an
// answer or a cancel does to the field.
TEST(CommandComposer, InputBoxEditsTheRequestedField) {
    sim::Simulation simulation(OKUL_ROOT_DIR, ::testing::TempDir());
    sim::Cockpit &cockpit = simulation.cockpit();
    CommandComposer composer;
    composer.RequestInput(103);
    composer.RequestInput(100);
    composer.OpenInput(composer.pendingField);
    ASSERT_TRUE(cockpit.inputBoxOpen());
    EXPECT_EQ(cockpit.inputBoxTitle(), u8"Данные В");

    cockpit.queueInputAnswer(u8"1;2;Ж");
    cockpit.beginFrame(nullptr);
    EXPECT_FALSE(cockpit.inputBoxOpen());
    EXPECT_STREQ(composer.dataC, "1;2;Ж");  // Windows-1251 in the field
    EXPECT_STREQ(composer.code, "");

    composer.OpenInput(103);
    cockpit.queueInputCancel();
    cockpit.beginFrame(nullptr);
    EXPECT_FALSE(cockpit.inputBoxOpen());
    EXPECT_STREQ(composer.dataC, "1;2;Ж");
}
