#include <gtest/gtest.h>

#include "CommandTransmission.h"
#include "PanelTestSupport.h"

using panel_test::ConsoleState;

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

TEST(Transmission, ButtonAnnouncesTheTransmission) {
    ConsoleState state;
    PanelFields fields = state.Fields();
    Transmit(fields);
    EXPECT_STREQ(state.terminal.screenLines[state.terminal.newestLine], "-=ПЕРЕДАЧА=-");
}
