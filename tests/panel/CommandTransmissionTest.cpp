#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommandTransmission.h"
#include "PanelTestSupport.h"
#include "TerminalScreen.h"

using panel_test::ConsoleState;
using panel_test::FakeHost;
using testsupport::NewestRow;
using testsupport::NewestRows;
using testsupport::Rows;

namespace {

std::string Format(const char *format, double value) {
    char text[128];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

// Console fields with a host and a delay of 1296 s: without a running
// simulation the date is MJD 0, so a record can arrive at MJD 0.015.
struct Uplink {
    static constexpr double kDelay = 1296.0;
    static constexpr double kArrival = kDelay / 86400.0;

    Uplink() {
        state.hostProgram = &host;
        state.lightTime = 1000.0;
        state.transmissionEstimate = 296.0;
    }
    void Store(int line, const char *record) {
        CopyLine(state.terminal.fileLines[line], Terminal::kLineSize, record);
    }
    void Send() {
        PanelFields fields = state.Fields();
        Transmit(fields);
    }
    FrameSlot &Slot(int k) { return state.terminal.frameTable.slots[k]; }

    ConsoleState state;
    FakeHost host;
};

}  // namespace

TEST(TransmissionEstimate, UnitsPerLineAndUnitTimeBySignalTime) {
    Terminal terminal(nullptr);
    EXPECT_EQ(TransmissionEstimate(terminal.fileLines, 0.0), 0.0);  // nothing stored

    // 14 units plus 2 per character of the three parameter fields "1", "2", "3".
    CopyLine(terminal.fileLines[4], Terminal::kLineSize, "210;0.5;1;2;3");
    EXPECT_NEAR(TransmissionEstimate(terminal.fileLines, 299.9), 20 * 0.4, 1e-12);
    EXPECT_NEAR(TransmissionEstimate(terminal.fileLines, 300.0), 20 * 6.25, 1e-12);

    // A line with a code only costs the 14 units; empty fields are skipped,
    // so "1;;0;;33;" has code 1, time 0 and the one parameter "33".
    CopyLine(terminal.fileLines[0], Terminal::kLineSize, "7");
    CopyLine(terminal.fileLines[9], Terminal::kLineSize, "1;;0;;33;");
    EXPECT_NEAR(TransmissionEstimate(terminal.fileLines, 10.0), (20 + 14 + 18) * 0.4, 1e-12);
}

TEST(TransmissionEstimate, AtMostNineParameterFieldsCount) {
    Terminal terminal(nullptr);
    CopyLine(terminal.fileLines[2], Terminal::kLineSize, "130;-0.5;11;22;33;44;55;66;77;88;99;1234567");
    // 14 + 9 fields of 2 characters; the tenth is ignored.
    EXPECT_NEAR(TransmissionEstimate(terminal.fileLines, 1000.0), (14 + 9 * 4) * 6.25, 1e-12);
}

TEST(Transmission, RelativeTimesCountFromTheArrival) {
    Uplink uplink;
    uplink.Store(1, "130;0;0;12.5;");
    uplink.Store(4, "210;-0.5;0.6;0;0.8;1;2;3;4;5;6");
    uplink.Send();

    // Both go to the host with their line numbers: time 0 at the arrival
    // exactly (not late), -0.5 half a day after it.
    ASSERT_EQ(uplink.host.commands.size(), 2u);
    const FakeHost::Command &burn = uplink.host.commands[0], &turn = uplink.host.commands[1];
    EXPECT_EQ(burn.line, 1);
    EXPECT_EQ(burn.code, 130);
    EXPECT_DOUBLE_EQ(burn.time, Uplink::kArrival);
    EXPECT_EQ(burn.a.y, 12.5);
    EXPECT_EQ(turn.line, 4);
    EXPECT_EQ(turn.code, 210);
    EXPECT_DOUBLE_EQ(turn.time, Uplink::kArrival + 0.5);
    EXPECT_EQ(turn.a.x, 0.6);
    EXPECT_EQ(turn.b.z, 3.0);
    EXPECT_EQ(turn.c.x, 4.0);
    EXPECT_EQ(turn.c.z, 6.0);

    EXPECT_EQ(
        NewestRows(uplink.state.terminal, 5),
        (Rows{"Задержка 1296.00с", "команда 4|210|0.51500|0.60;0.00;0.80;1.00;2.00;3.00;4.00;5.00;6.00;",
              "Задержка 1296.00с", "команда 1|130|0.01500|0.00;12.50;0.00;0.00;0.00;0.00;0.00;0.00;0.00;",
              "-=ПЕРЕДАЧА=-"}));
}

TEST(Transmission, ARecordThatCannotArriveInTimeIsReportedAndMoved) {
    Uplink uplink;
    uplink.Store(0, "1;0.01;0;0;1;1;0;0");
    uplink.Send();
    ASSERT_EQ(uplink.host.commands.size(), 1u);
    EXPECT_DOUBLE_EQ(uplink.host.commands[0].time, Uplink::kArrival);
    EXPECT_EQ(NewestRows(uplink.state.terminal, 4),
              (Rows{Format("!!!Опоздание %.3f c", (Uplink::kArrival - 0.01) * 86400.0), "Задержка 1296.00с",
                    "команда 0|  1|0.01000|0.00;0.00;1.00;1.00;0.00;0.00;0.00;0.00;0.00;", "-=ПЕРЕДАЧА=-"}));
    EXPECT_EQ(NewestRow(uplink.state.terminal), "!!!Опоздание 432.000 c");
}

TEST(Transmission, EmptyLinesAreSkippedAndWithoutHostNothingIsCalled) {
    Uplink uplink;
    uplink.Send();
    EXPECT_EQ(NewestRow(uplink.state.terminal), "-=ПЕРЕДАЧА=-");
    EXPECT_EQ(NewestRows(uplink.state.terminal, 2)[1], "string  0");

    uplink.state.hostProgram = nullptr;
    uplink.Store(3, "500;0;5");
    uplink.Send();  // reported as sent; no host to take it
    EXPECT_TRUE(uplink.host.commands.empty());
}

TEST(Transmission, SwitchCommandRelinksToTheInterplanetarySpacecraft) {
    Uplink uplink;
    uplink.state.hostMode = 5;
    uplink.Store(0, "310;0");
    uplink.Send();
    EXPECT_EQ(uplink.state.configuration, 1);
    EXPECT_EQ(uplink.state.hostMode, -1);
    EXPECT_TRUE(uplink.state.restartRequested);
    EXPECT_TRUE(uplink.host.commands.empty());
}

TEST(Transmission, FrameCommandsScheduleAMinuteApartUntilTheCassetteIsFull) {
    Uplink uplink;
    uplink.Store(0, "600;43000.5;7;5;1;50;0;0");
    uplink.Store(1, "600;43000.5;1;2;3");
    uplink.Send();
    EXPECT_TRUE(uplink.host.commands.empty());
    EXPECT_EQ(uplink.state.terminal.frameTable.frameCount, 2);
    EXPECT_EQ(uplink.Slot(0).state, kFrameScheduled);
    EXPECT_EQ(uplink.Slot(0).time, 43000.5);
    EXPECT_EQ(uplink.Slot(0).paramA[0], 7.0);
    EXPECT_EQ(uplink.Slot(0).paramA[1], 5.0);
    EXPECT_EQ(uplink.Slot(0).paramA[2], 1.0);
    EXPECT_EQ(uplink.Slot(0).paramB[0], 50.0);
    EXPECT_EQ(uplink.Slot(1).state, kFrameScheduled);
    EXPECT_DOUBLE_EQ(uplink.Slot(1).time, 43000.5 + 1.0 / 1440.0);
    EXPECT_EQ(uplink.Slot(1).paramA[2], 3.0);

    // A full cassette takes nothing more, and says so after the command's lines.
    uplink.state.terminal.frameTable.frameCount = 32;
    uplink.state.terminal.ClearFile();
    uplink.Store(2, "600;43001");
    uplink.Send();
    EXPECT_EQ(uplink.state.terminal.frameTable.frameCount, 32);
    EXPECT_EQ(NewestRows(uplink.state.terminal, 3)[0], "кассета исчерпана");
    EXPECT_EQ(NewestRows(uplink.state.terminal, 3)[1], "Задержка 1296.00с");
}

TEST(Transmission, FrameTransmissionsAreQueuedOnePictureApart) {
    Uplink uplink;
    uplink.Slot(2).state = kFrameOnBoard;
    uplink.Slot(3).state = kFrameScheduled;
    uplink.Slot(4).state = kFrameOnBoard;
    uplink.Store(0, "610;43000.25;2;4");
    uplink.Send();
    EXPECT_EQ(uplink.Slot(2).state, kFrameTransmitting);
    EXPECT_EQ(uplink.Slot(2).transmitTime, 43000.25);
    EXPECT_EQ(uplink.Slot(3).state, kFrameScheduled);
    EXPECT_EQ(uplink.Slot(4).state, kFrameTransmitting);
    EXPECT_DOUBLE_EQ(uplink.Slot(4).transmitTime, 43000.25 + 1.0 / 54.0);
    EXPECT_EQ(NewestRows(uplink.state.terminal, 2),
              (Rows{Format("передача  кадра 4 перенесаена на %.5f", 43000.25 + 1.0 / 54.0),
                    "ошибка кадр 3 в состоянии 1"}));
    EXPECT_TRUE(uplink.host.commands.empty());

    // A later command queues behind both; a transmitted frame is requested again.
    uplink.Slot(0).state = kFrameTransmitted;
    uplink.state.terminal.ClearFile();
    uplink.Store(0, "610;0;0;0");
    uplink.Send();
    EXPECT_EQ(uplink.Slot(0).state, kFrameResend);
    EXPECT_DOUBLE_EQ(uplink.Slot(0).transmitTime, 43000.25 + 2.0 / 54.0);
}

TEST(Transmission, FrameNumbersOutsideTheCassetteAreReported) {
    Uplink uplink;
    uplink.Slot(0).state = kFrameOnBoard;
    uplink.Slot(1).state = kFrameOnBoard;
    uplink.Store(0, "610;0;5;3");  // an empty range does nothing
    uplink.Store(1, "610;0;40;40");
    uplink.Store(2, "610;0;-1;1.9");
    uplink.Send();
    EXPECT_EQ(NewestRows(uplink.state.terminal, 6),
              (Rows{Format("передача  кадра 1 перенесаена на %.5f", Uplink::kArrival + 1.0 / 54.0),
                    "неверный номер кадра -1", "Задержка 1296.00с",
                    "команда 2|610|0.01500|-1.00;1.90;0.00;0.00;0.00;0.00;0.00;0.00;0.00;",
                    "неверный номер кадра 40", "Задержка 1296.00с"}));
    EXPECT_EQ(uplink.Slot(0).state, kFrameTransmitting);
    EXPECT_EQ(uplink.Slot(1).state, kFrameTransmitting);
}

// The numbers outside the cassette are reported one line each, in the order of
// the range, so the screen shows the last 42 lines of the command.
std::vector<std::string> WrongNumbers(long long from, long long to) {
    Rows rows;
    for (long long k = from; k >= to; --k) rows.push_back("неверный номер кадра " + std::to_string(k));
    return rows;
}

TEST(Transmission, NumbersFarOutsideTheCassetteShowAsEachWouldBeReported) {
    Uplink uplink;
    uplink.Store(0, "610;0;80;80");
    uplink.Store(1, "610;0;-50;-45");
    uplink.Send();
    Rows expected = WrongNumbers(-45, -50);
    expected.push_back("Задержка 1296.00с");
    expected.push_back("команда 1|610|0.01500|-50.00;-45.00;0.00;0.00;0.00;0.00;0.00;0.00;0.00;");
    expected.push_back("неверный номер кадра 80");
    EXPECT_EQ(NewestRows(uplink.state.terminal, 9), expected);

    // 0 to 100 on an empty cassette: 32 state errors, then 32 to 100; the
    // screen holds 100 down to 59.
    uplink.state.terminal.ClearFile();
    uplink.Store(0, "610;0;0;100");
    uplink.Send();
    EXPECT_EQ(NewestRows(uplink.state.terminal, Terminal::kScreenLineCount), WrongNumbers(100, 59));

    // Ranges of billions of numbers write a screen's worth; what the screen
    // shows is the end of the range on the far side.
    uplink.state.terminal.ClearFile();
    uplink.Store(0, "610;0;-1e9;1e300");
    uplink.Send();
    EXPECT_EQ(NewestRows(uplink.state.terminal, Terminal::kScreenLineCount),
              WrongNumbers(2147483647LL, 2147483647LL - 41));
    uplink.Store(0, "610;0;-1e300;-1e9");
    uplink.Send();
    EXPECT_EQ(NewestRows(uplink.state.terminal, Terminal::kScreenLineCount),
              WrongNumbers(-1000000000LL, -1000000041LL));
}

TEST(Transmission, RangeAcrossTheCassetteHandlesEverySlotBetweenItsWrongNumbers) {
    Uplink uplink;
    uplink.Slot(0).state = kFrameOnBoard;
    uplink.Slot(1).state = kFrameScheduled;
    uplink.Slot(2).state = kFrameTransmitted;
    uplink.Slot(3).state = kFrameTransmitting;  // already queued, from earlier
    uplink.Slot(3).transmitTime = 0.5;
    uplink.Store(0, "610;0;-3;35");
    uplink.Send();
    const double second = 0.5 + 1.0 / 54.0;
    Rows expected = WrongNumbers(35, 32);
    for (int k = 31; k >= 3; --k)
        expected.push_back("ошибка кадр " + std::to_string(k) + " в состоянии " + (k == 3 ? "5" : "0"));
    expected.push_back(Format("передача  кадра 2 перенесаена на %.5f", second + 1.0 / 54.0));
    expected.push_back("ошибка кадр 1 в состоянии 1");
    expected.push_back(Format("передача  кадра 0 перенесаена на %.5f", second));
    for (const std::string &row : WrongNumbers(-1, -3)) expected.push_back(row);
    expected.push_back("Задержка 1296.00с");
    EXPECT_EQ(NewestRows(uplink.state.terminal, 40), expected);
    EXPECT_EQ(uplink.Slot(0).state, kFrameTransmitting);
    EXPECT_DOUBLE_EQ(uplink.Slot(0).transmitTime, second);
    EXPECT_EQ(uplink.Slot(2).state, kFrameResend);
    EXPECT_DOUBLE_EQ(uplink.Slot(2).transmitTime, second + 1.0 / 54.0);

    // Far on both sides: the slots are handled all the same, and the screen
    // is the last 42 numbers above the cassette.
    Uplink wide;
    wide.Slot(5).state = kFrameOnBoard;
    wide.Slot(6).state = kFramePictureRequested;
    wide.Store(0, "610;0;-60;80");
    wide.Send();
    EXPECT_EQ(wide.Slot(5).state, kFrameTransmitting);
    EXPECT_EQ(wide.Slot(6).state, kFramePictureRequested);
    EXPECT_EQ(NewestRows(wide.state.terminal, Terminal::kScreenLineCount), WrongNumbers(80, 39));
}

TEST(Transmission, FrameReportListsEverySlotWithSlot31OnTop) {
    Uplink uplink;
    uplink.Slot(31).state = kFrameResend;
    uplink.Store(0, "620;0");
    uplink.Send();
    Rows top = NewestRows(uplink.state.terminal, 36);
    EXPECT_EQ(top[0], "31 в состоянии 41");
    EXPECT_EQ(top[1], "30 в состоянии 0");
    EXPECT_EQ(top[31], "0 в состоянии 0");
    EXPECT_EQ(top[32], "Состояние кадров");
    EXPECT_EQ(top[33], "Задержка 1296.00с");
    EXPECT_EQ(top[35], "-=ПЕРЕДАЧА=-");
}
