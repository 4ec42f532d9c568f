// MFDs (modes, pages, buttons, power) and input boxes.
#include "CockpitFixture.h"

#include "cockpit/InputBoxes.h"
#include "cockpit/Mfd.h"

using namespace cockpittest;

namespace {

std::string joined(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines) text += line + "\n";
    return text;
}

struct BoxRecord {
    std::vector<std::string> answers;
    bool accept = true;
    void *id = nullptr;
};

bool boxCallback(void *id, char *text, void *userData) {
    BoxRecord *record = static_cast<BoxRecord *>(userData);
    record->answers.push_back(text);
    record->id = id;
    return record->accept;
}

}  // namespace

TEST_F(CockpitTest, ModeSelectionReachesTheVesselAndChangesTheScreen) {
    frames(1);
    EXPECT_EQ(oapiGetMFDMode(MFD_LEFT), MFD_ORBIT);
    std::vector<std::string> lines;
    ASSERT_TRUE(cockpit().mfdTexts(0, lines));
    EXPECT_NE(joined(lines).find("Orbit  Earth (auto)"), std::string::npos) << joined(lines);
    // Near-circular low orbit: radius 6771 km, speed 7.67 km/s.
    EXPECT_NE(joined(lines).find("R    6771."), std::string::npos) << joined(lines);
    EXPECT_STREQ(oapiMFDButtonLabel(0, 0), "REF");
    EXPECT_EQ(oapiMFDButtonLabel(0, 5), nullptr);

    // F1 opens the selection page: its labels differ, so the vessel hears of it.
    EXPECT_EQ(oapiSendMFDKey(0, OAPI_KEY_F1), 1);
    EXPECT_STREQ(oapiMFDButtonLabel(0, 1), "SRF");
    EXPECT_EQ(probe->mfdModes, std::vector<Call>({{0, MFD_ORBIT, 0, 0}}));
    EXPECT_TRUE(oapiProcessMFDButton(0, 1, PANEL_MOUSE_LBDOWN));
    EXPECT_EQ(oapiGetMFDMode(0), MFD_SURFACE);
    EXPECT_EQ(probe->mfdModes.back(), (Call{0, MFD_SURFACE, 0, 0}));
    frames(1);
    cockpit().mfdTexts(0, lines);
    EXPECT_NE(joined(lines).find("Surface  Earth"), std::string::npos) << joined(lines);
    EXPECT_NE(joined(lines).find("Alt  399.99"), std::string::npos) << joined(lines);

    // The units button acts on the press only.
    EXPECT_FALSE(oapiProcessMFDButton(0, 1, PANEL_MOUSE_LBPRESSED));
    EXPECT_TRUE(oapiProcessMFDButton(0, 1, PANEL_MOUSE_LBDOWN));
    frames(1);
    cockpit().mfdTexts(0, lines);
    EXPECT_NE(joined(lines).find(" m\n"), std::string::npos) << joined(lines);
    EXPECT_FALSE(oapiProcessMFDButton(0, 7, PANEL_MOUSE_LBDOWN));  // no such button

    // The button menu lists the mode's buttons.
    oapiSendMFDKey(0, OAPI_KEY_GRAVE);
    frames(1);
    cockpit().mfdTexts(0, lines);
    EXPECT_NE(joined(lines).find("REF Reference body"), std::string::npos) << joined(lines);
}

// The Info page's date: MJD, or the calendar date and time (the scenario
// starts at MJD 43100.5, noon of 18 November 1976).
TEST_F(CockpitTest, InfoPageShowsTheDateAsMjdOrCalendar) {
    oapiOpenMFD(sim::MFD_INFO, 0);
    frames(1);
    std::vector<std::string> lines;
    ASSERT_TRUE(cockpit().mfdTexts(0, lines));
    EXPECT_NE(joined(lines).find("MJD  43100.50000"), std::string::npos) << joined(lines);
    EXPECT_EQ(oapiSendMFDKey(0, OAPI_KEY_D), 1);
    frames(1);
    cockpit().mfdTexts(0, lines);
    EXPECT_NE(joined(lines).find("UTC  1976-11-18 12:00:00"), std::string::npos) << joined(lines);
}

TEST_F(CockpitTest, PowerSwitchReportsNoModeAndRestoresTheMode) {
    oapiOpenMFD(sim::MFD_INFO, 0);
    EXPECT_EQ(probe->mfdModes.back(), (Call{0, sim::MFD_INFO, 0, 0}));
    oapiToggleMFD_on(0);
    EXPECT_EQ(oapiGetMFDMode(0), MFD_NONE);
    EXPECT_EQ(probe->mfdModes.back(), (Call{0, MFD_NONE, 0, 0}));
    EXPECT_EQ(oapiMFDButtonLabel(0, 0), nullptr);
    EXPECT_EQ(oapiSendMFDKey(0, OAPI_KEY_F1), 0);
    frames(1);
    std::vector<std::string> lines;
    cockpit().mfdTexts(0, lines);
    EXPECT_TRUE(lines.empty());
    oapiToggleMFD_on(0);
    EXPECT_EQ(probe->mfdModes.back(), (Call{0, sim::MFD_INFO, 0, 0}));

    // The info page's HUD button switches the HUD, visibly on the screen.
    const int hud = oapiGetHUDMode();
    EXPECT_EQ(oapiSendMFDKey(0, OAPI_KEY_H), 1);
    EXPECT_NE(oapiGetHUDMode(), hud);
    // Out-of-range MFDs and modes are ignored.
    oapiOpenMFD(MFD_MAP, 0);
    EXPECT_EQ(oapiGetMFDMode(0), sim::MFD_INFO);
    EXPECT_EQ(oapiGetMFDMode(7), MFD_NONE);
    EXPECT_FALSE(oapiProcessMFDButton(-1, 0, PANEL_MOUSE_LBDOWN));
}

TEST_F(CockpitTest, InputBoxTakesAnswersAsWindows1251AndCloses) {
    BoxRecord record;
    // An answer given before a box opens waits for it.
    cockpit().queueInputAnswer("Привет 12;-3");
    frames(1);
    EXPECT_EQ(cockpit().pendingInputAnswers(), 1u);
    char title[] = "\xC2\xE2\xEE\xE4";  // "Ввод"
    char initial[] = "0";
    oapiOpenInputBox(title, boxCallback, initial, 20, &record);
    EXPECT_TRUE(cockpit().inputBoxOpen());
    EXPECT_EQ(cockpit().inputBoxTitle(), "Ввод");
    frames(1);
    ASSERT_EQ(record.answers.size(), 1u);
    EXPECT_EQ(record.answers[0], "\xCF\xF0\xE8\xE2\xE5\xF2 12;-3");
    EXPECT_NE(record.id, nullptr);
    EXPECT_FALSE(cockpit().inputBoxOpen());

    // A rejected answer keeps the box open; a cancel closes it unheard.
    record.accept = false;
    oapiOpenInputBox(title, boxCallback, initial, 20, &record);
    cockpit().queueInputAnswer("x");
    frames(1);
    EXPECT_TRUE(cockpit().inputBoxOpen());
    cockpit().queueInputCancel();
    frames(1);
    EXPECT_FALSE(cockpit().inputBoxOpen());
    EXPECT_EQ(record.answers.size(), 2u);
}

// An open input box has the keyboard: keys typed meanwhile never reach the
// vessel, which sees no key held; once the box closes keys come through again.
TEST_F(CockpitTest, KeysDoNotReachTheVesselWhileAnInputBoxIsOpen) {
    BoxRecord record;
    char title[] = "T";
    cockpit().queueKey(OAPI_KEY_A, true);
    frames(1);
    ASSERT_EQ(probe->bufferedKeys.size(), 1u);
    oapiOpenInputBox(title, boxCallback, nullptr, 20, &record);
    probe->directKeys.clear();
    cockpit().queueKey(OAPI_KEY_B, true);
    cockpit().queueKey(OAPI_KEY_B, false);
    frames(2);
    EXPECT_EQ(probe->bufferedKeys.size(), 1u);
    ASSERT_EQ(probe->directKeys.size(), 2u);
    EXPECT_TRUE(probe->directKeys[0].empty());  // A, still held, is not seen either
    EXPECT_FALSE(cockpit().keyHeld(OAPI_KEY_A));
    cockpit().queueInputAnswer("1");
    cockpit().queueKey(OAPI_KEY_C, true);
    frames(1);  // the answer closes the box before the keys are handed on
    EXPECT_FALSE(cockpit().inputBoxOpen());
    ASSERT_EQ(probe->bufferedKeys.size(), 2u);
    EXPECT_EQ(probe->bufferedKeys[1].id, OAPI_KEY_C);
}

TEST_F(CockpitTest, NewInputBoxReplacesTheOpenOne) {
    BoxRecord first, second;
    char title[] = "T";
    oapiOpenInputBox(title, boxCallback, nullptr, 20, &first);
    oapiOpenInputBox(title, boxCallback, nullptr, 20, &second);
    cockpit().queueInputAnswer("7");
    frames(2);
    EXPECT_TRUE(first.answers.empty());
    EXPECT_EQ(second.answers, std::vector<std::string>({"7"}));
}

TEST(Utf8ToCp1251, ConvertsCyrillicAndMarksWhatDoesNotFit) {
    EXPECT_EQ(sim::utf8ToCp1251("Ёж №5"),
              "\xA8\xE6 \xB9"
              "5");
    EXPECT_EQ(sim::utf8ToCp1251("a\xE2\x82"), "a??");  // cut sequence
    EXPECT_EQ(sim::utf8ToCp1251("中"), "?");
}
