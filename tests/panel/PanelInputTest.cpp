#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "PanelInput.h"
#include "PanelTestSupport.h"
#include "TerminalScreen.h"

using panel_test::ConsoleState;
using panel_test::FakeHost;
using testsupport::NewestRow;

namespace {

void ExpectQuaternionNear(const Quaternion &actual, const Quaternion &expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-12);
    EXPECT_NEAR(actual.y, expected.y, 1e-12);
    EXPECT_NEAR(actual.z, expected.z, 1e-12);
    EXPECT_NEAR(actual.w, expected.w, 1e-12);
}

}  // namespace

TEST(MfdButtons, SideColumnArithmetic) {
    // Buttons start 45 pixels down, 25 high, 42 apart.
    EXPECT_EQ(MfdSideButton(false, 45), 0);
    EXPECT_EQ(MfdSideButton(true, 45), 6);
    EXPECT_EQ(MfdSideButton(false, 69), 0);   // y = 24, last row of button 0
    EXPECT_EQ(MfdSideButton(false, 70), -1);  // y = 25, between buttons
    EXPECT_EQ(MfdSideButton(true, 72), -1);   // y = 27
    EXPECT_EQ(MfdSideButton(false, 255), 5);  // y = 210
    EXPECT_EQ(MfdSideButton(true, 255), 11);
    // Above the first button integer division would give button 0 or -1;
    // the column's last pixels (y 252 to 254) would be a seventh row.
    for (int my : {0, 3, 4, 44, 297, 299}) {
        EXPECT_EQ(MfdSideButton(false, my), -1) << my;
        EXPECT_EQ(MfdSideButton(true, my), -1) << my;
    }
}

TEST(MfdButtons, BottomStripRanges) {
    for (int mx : {-3, 24}) EXPECT_EQ(MfdBottomButton(mx), MfdBottomAction::kPower) << mx;
    for (int mx : {25, 29, 55, 60}) EXPECT_EQ(MfdBottomButton(mx), MfdBottomAction::kNone) << mx;
    for (int mx : {30, 54}) EXPECT_EQ(MfdBottomButton(mx), MfdBottomAction::kModeSelect) << mx;
    for (int mx : {61, 89}) EXPECT_EQ(MfdBottomButton(mx), MfdBottomAction::kButtonMenu) << mx;
}

TEST(PanelMouse, ResultsAndActions) {
    ConsoleState state;
    PanelFields fields = state.Fields();
    for (int area : {0, 1, 3, 4, 6, 7}) {
        EXPECT_TRUE(PanelMouseEvent(fields, area, PANEL_MOUSE_LBDOWN, 5, 45)) << area;
        EXPECT_FALSE(PanelMouseEvent(fields, area, PANEL_MOUSE_LBPRESSED, 5, 72)) << area;
        EXPECT_FALSE(PanelMouseEvent(fields, area, PANEL_MOUSE_LBDOWN, 5, 2)) << area;
    }
    for (int area : {2, 5, 8})  // every click on a bottom strip is taken, gaps included
        for (int mx : {0, 27, 40, 58, 80})
            EXPECT_TRUE(PanelMouseEvent(fields, area, PANEL_MOUSE_LBDOWN, mx, 5));

    EXPECT_TRUE(PanelMouseEvent(fields, 51, PANEL_MOUSE_LBDOWN, 10, 10));
    EXPECT_TRUE(state.terminal.captureKeys);
    EXPECT_TRUE(PanelMouseEvent(fields, 51, PANEL_MOUSE_LBDOWN, 10, 10));
    EXPECT_FALSE(state.terminal.captureKeys);

    // Two field clicks before the next frame: the first one's box is pending.
    EXPECT_TRUE(PanelMouseEvent(fields, 101, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_TRUE(PanelMouseEvent(fields, 104, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_EQ(state.composer.pendingField, 101);

    state.axisZ = _V(0.0, 0.6, 0.8);
    EXPECT_TRUE(PanelMouseEvent(fields, 201, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_TRUE(PanelMouseEvent(fields, 202, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_STREQ(state.terminal.editLine, ";;0.0000;0.6000;0.8000;1.0000;0.0000;0.0000;0;0;0");
    std::strcpy(state.composer.offset, "1;2;3;4;5");
    EXPECT_TRUE(PanelMouseEvent(fields, 208, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_STREQ(state.composer.offset, "0;0;0;0;0");

    EXPECT_TRUE(PanelMouseEvent(fields, 204, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_EQ(NewestRow(state.terminal), "-=ПЕРЕДАЧА=-");
    EXPECT_TRUE(PanelMouseEvent(fields, 206, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_EQ(state.attachTimer, 2000000.0);
    EXPECT_TRUE(PanelMouseEvent(fields, 205, PANEL_MOUSE_LBDOWN, 0, 0));

    for (int area : {9, 50, 99, 106, 110, 111, 200, 209, 211, 3101, 3204})
        EXPECT_FALSE(PanelMouseEvent(fields, area, PANEL_MOUSE_LBDOWN, 0, 0)) << area;
}

TEST(PanelMouse, FrameSelectionStaysWithin0And30) {
    ConsoleState state;
    PanelFields fields = state.Fields();
    FrameTable &frames = state.terminal.frameTable;
    EXPECT_TRUE(PanelMouseEvent(fields, 3202, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_EQ(frames.selectedFrame, 0);
    for (int i = 0; i < 35; ++i) PanelMouseEvent(fields, 3201, PANEL_MOUSE_LBDOWN, 0, 0);
    EXPECT_EQ(frames.selectedFrame, 30);
    EXPECT_TRUE(PanelMouseEvent(fields, 3202, PANEL_MOUSE_LBDOWN, 0, 0));
    EXPECT_EQ(frames.selectedFrame, 29);
}

TEST(Keypad, HeldKeyTurnsByGrowingStepsAndIsCleared) {
    Quaternion pointing;
    double keyStep = 0.0;
    char keys[256] = {};
    double total = 0.0;
    for (double step : {0.1, 0.2, 0.3}) {
        keys[OAPI_KEY_NUMPAD8] = char(0x80);
        TurnByKeypad(pointing, keyStep, keys);
        EXPECT_NEAR(keyStep, step, 1e-12);
        EXPECT_EQ(keys[OAPI_KEY_NUMPAD8], 0);  // the simulator does not see it
        total += step;
        ExpectQuaternionNear(pointing, Quaternion(total * RAD, _V(1.0, 0.0, 0.0)));
    }
    // A frame without a key: the step starts afresh.
    TurnByKeypad(pointing, keyStep, keys);
    EXPECT_EQ(keyStep, 0.0);
    ExpectQuaternionNear(pointing, Quaternion(0.6 * RAD, _V(1.0, 0.0, 0.0)));
}

TEST(Keypad, OnlyTheFirstHeldKeyActsAndStepsApplyInTheConsolesAxes) {
    // 8 before 2: keypad 2 stays held and untouched.
    Quaternion pointing;
    double keyStep = 0.0;
    char keys[256] = {};
    keys[OAPI_KEY_NUMPAD2] = char(0x80);
    keys[OAPI_KEY_NUMPAD8] = char(0x80);
    TurnByKeypad(pointing, keyStep, keys);
    ExpectQuaternionNear(pointing, Quaternion(0.1 * RAD, _V(1.0, 0.0, 0.0)));
    EXPECT_EQ(keys[OAPI_KEY_NUMPAD2], char(0x80));

    // Each key's axis and sense, from a turned start: pointing * step.
    struct Case {
        int key;
        VECTOR3 axis;
        double sign;
    };
    const Case cases[] = {{OAPI_KEY_NUMPAD2, _V(1, 0, 0), -1},
                          {OAPI_KEY_NUMPAD3, _V(0, 1, 0), 1},
                          {OAPI_KEY_NUMPAD1, _V(0, 1, 0), -1},
                          {OAPI_KEY_NUMPAD4, _V(0, 0, 1), 1},
                          {OAPI_KEY_NUMPAD6, _V(0, 0, 1), -1}};
    const Quaternion start(90.0 * RAD, _V(0.0, 0.0, 1.0));
    for (const Case &c : cases) {
        Quaternion turned = start;
        double step = 0.4;
        char held[256] = {};
        held[c.key] = char(0x80);
        held[OAPI_KEY_NUMPAD9] = char(0x80);  // not a turning key
        TurnByKeypad(turned, step, held);
        ExpectQuaternionNear(turned, start * Quaternion(c.sign * 0.5 * RAD, c.axis));
        EXPECT_EQ(held[c.key], 0);
        EXPECT_EQ(held[OAPI_KEY_NUMPAD9], char(0x80));
    }
}

TEST(Keypad, DirectKeyOpensThePendingBoxFirstAndReturnsZero) {
    ConsoleState state;
    PanelFields fields = state.Fields();
    state.composer.RequestInput(103);
    char keys[256] = {};
    keys[OAPI_KEY_NUMPAD4] = char(0x80);
    EXPECT_EQ(PanelDirectKey(fields, keys), 0);
    EXPECT_FALSE(state.composer.inputPending);
    EXPECT_NEAR(state.keyStep, 0.1, 1e-12);
    EXPECT_EQ(keys[OAPI_KEY_NUMPAD4], 0);
    EXPECT_EQ(PanelDirectKey(fields, keys), 0);
    EXPECT_EQ(state.keyStep, 0.0);
}

TEST(Keypad, BufferedKeysResetAndSendThePointing) {
    ConsoleState state;
    FakeHost host;
    char keys[256] = {};
    PanelFields unlinked = state.Fields();
    EXPECT_EQ(PanelBufferedKey(unlinked, OAPI_KEY_NUMPAD0, true, keys), 1);  // no host: still taken

    state.hostProgram = &host;
    state.axisZ = _V(0.0, 0.0, -1.0);
    state.axisX = _V(0.0, 1.0, 0.0);
    PanelFields fields = state.Fields();
    // The terminal has the first say; keypad 5 and 0 act on press and
    // release alike, captured or not.
    state.terminal.captureKeys = true;
    EXPECT_EQ(PanelBufferedKey(fields, OAPI_KEY_A, true, keys), 1);
    EXPECT_STREQ(state.terminal.editLine, "A");
    for (bool down : {true, false}) {
        state.pointing = Quaternion(0.3, _V(0.0, 1.0, 0.0));
        EXPECT_EQ(PanelBufferedKey(fields, OAPI_KEY_NUMPAD5, down, keys), 1);
        ExpectQuaternionNear(state.pointing, Quaternion());
        EXPECT_EQ(PanelBufferedKey(fields, OAPI_KEY_NUMPAD0, down, keys), 1);
    }
    ASSERT_EQ(host.commands.size(), 2u);
    const FakeHost::Command &sent = host.commands[0];
    EXPECT_EQ(sent.line, 15);
    EXPECT_EQ(sent.code, 1);
    EXPECT_EQ(sent.time, 0.0);
    EXPECT_EQ(sent.a.z, -1.0);
    EXPECT_EQ(sent.b.y, 1.0);
    EXPECT_EQ(sent.c.x * sent.c.x + sent.c.y * sent.c.y + sent.c.z * sent.c.z, 0.0);

    state.terminal.captureKeys = false;
    for (DWORD key : {OAPI_KEY_NUMPAD8, OAPI_KEY_A, OAPI_KEY_F1})
        EXPECT_EQ(PanelBufferedKey(fields, key, true, keys), 0) << key;
}
