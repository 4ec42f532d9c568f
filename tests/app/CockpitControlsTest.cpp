// The checks the script commands and the live console share: keys, areas,
// points on the panel, input-box answers and the time acceleration.
#include "CockpitControls.h"

#include <string>

#include "CockpitFixture.h"

using namespace cockpittest;
using okulsim::AreaRef;

namespace {

bool acceptAnything(void *, char *, void *) { return true; }

class CockpitControlsTest : public CockpitTest {
protected:
    // Opens a box as a module would, with its length.
    void openBox(const char *title, int length) {
        cockpit().openInputBox(title, acceptAnything, "", length, nullptr);
    }
    bool answer(const std::string &utf8) {
        error.clear();
        return okulsim::checkInputAnswer(cockpit(), utf8, error);
    }
    std::string error;
};

}  // namespace

TEST(CockpitControlsKeys, NamesAndCharactersGiveScanCodes) {
    EXPECT_EQ(okulsim::keyCode("enter"), OAPI_KEY_RETURN);
    EXPECT_EQ(okulsim::keyCode("NUMPAD8"), OAPI_KEY_NUMPAD8);
    EXPECT_EQ(okulsim::keyCode("q"), OAPI_KEY_Q);
    EXPECT_EQ(okulsim::keyCode("M"), OAPI_KEY_M);
    EXPECT_EQ(okulsim::keyCode("0"), OAPI_KEY_0);
    EXPECT_EQ(okulsim::keyCode("9"), OAPI_KEY_9);
    EXPECT_EQ(okulsim::keyCode("ENTERX"), 0);
    EXPECT_EQ(okulsim::keyCode(""), 0);
    EXPECT_EQ(okulsim::characterKey('-'), OAPI_KEY_MINUS);
    EXPECT_EQ(okulsim::characterKey(';'), OAPI_KEY_SEMICOLON);
    EXPECT_EQ(okulsim::characterKey('\0'), 0);

    std::vector<int> codes;
    std::string error;
    ASSERT_TRUE(okulsim::parseKeyChord("CTRL+UP", codes, error));
    EXPECT_EQ(codes, std::vector<int>({OAPI_KEY_LCONTROL, OAPI_KEY_UP}));
    EXPECT_FALSE(okulsim::parseKeyChord("CTRL+", codes, error));
    EXPECT_NE(error.find("unknown key \"\""), std::string::npos) << error;
}

TEST(CockpitControlsKeys, OnlyTypableTextPasses) {
    std::string error;
    EXPECT_TRUE(okulsim::checkTypable("PLM 5;0.5 -", error));
    EXPECT_TRUE(okulsim::checkTypable("", error));
    EXPECT_FALSE(okulsim::checkTypable("a,b", error));
    EXPECT_NE(error.find("','"), std::string::npos) << error;
    // Control characters and bytes of other scripts are shown escaped.
    EXPECT_FALSE(okulsim::checkTypable("A\nB", error));
    EXPECT_NE(error.find("'\\x0A'"), std::string::npos) << error;
    EXPECT_FALSE(okulsim::checkTypable("Ж", error));
    EXPECT_NE(error.find("'\\xD0'"), std::string::npos) << error;
}

TEST_F(CockpitControlsTest, AreasAndPointsMustLieOnThePanel) {
    AreaRef area;
    EXPECT_TRUE(okulsim::parseArea(cockpit(), "mfd0", area, error));
    EXPECT_TRUE(area.mfd);
    EXPECT_FALSE(okulsim::parseArea(cockpit(), "77", area, error));
    EXPECT_EQ(error, "panel 0 has no area 77");
    EXPECT_FALSE(okulsim::parseArea(cockpit(), "10.5", area, error));
    EXPECT_FALSE(okulsim::parseArea(cockpit(), "MFD3", area, error));

    int x = 0, y = 0;
    ASSERT_TRUE(okulsim::areaPoint(cockpit(), "11", nullptr, x, y, error));
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 250);
    const int inside[2] = {39, 99}, outside[2] = {40, 0}, negative[2] = {-1, 5};
    EXPECT_TRUE(okulsim::areaPoint(cockpit(), "11", inside, x, y, error));
    EXPECT_EQ(x, 139);
    EXPECT_FALSE(okulsim::areaPoint(cockpit(), "11", outside, x, y, error));
    EXPECT_NE(error.find("outside area 11 (40 x 100)"), std::string::npos) << error;
    EXPECT_FALSE(okulsim::areaPoint(cockpit(), "11", negative, x, y, error));
    EXPECT_FALSE(okulsim::areaPoint(cockpit(), "MFD0", nullptr, x, y, error));

    EXPECT_TRUE(okulsim::checkPanelPoint(cockpit(), 0, 0, error));
    EXPECT_TRUE(okulsim::checkPanelPoint(cockpit(), 1151, 863, error));
    EXPECT_FALSE(okulsim::checkPanelPoint(cockpit(), 1152, 10, error));
    EXPECT_NE(error.find("outside panel 0 (1152 x 864)"), std::string::npos) << error;
    EXPECT_FALSE(okulsim::checkPanelPoint(cockpit(), 10, -1, error));
    ASSERT_TRUE(okulsim::showPanel(cockpit(), 1, error));
    EXPECT_FALSE(okulsim::checkPanelPoint(cockpit(), 10, 10, error));
    EXPECT_EQ(error, "panel 1 has no picture to click");
    EXPECT_FALSE(okulsim::showPanel(cockpit(), 7, error));
    EXPECT_EQ(cockpit().currentPanel(), 1);
}

TEST_F(CockpitControlsTest, AnswersFitTheBoxTheModuleOpened) {
    EXPECT_FALSE(answer("1"));
    EXPECT_EQ(error, "no input box is open");

    // The length the module gives is its buffer's: one less character fits.
    openBox("\xC2\xE2\xEE\xE4", 8);  // "Ввод" in Windows-1251, as a module passes it
    EXPECT_EQ(okulsim::inputAnswerLimit(cockpit()), 7u);
    EXPECT_TRUE(answer("1234567"));
    EXPECT_FALSE(answer("12345678"));
    EXPECT_NE(error.find("has 8 characters; the box \"Ввод\" takes at most 7"), std::string::npos) << error;
    // Cyrillic letters are one byte each in the console's code page.
    EXPECT_TRUE(answer("Жжжжжжж"));
    EXPECT_FALSE(answer("Жжжжжжжж"));
    // A question mark is text; a character the code page lacks is refused,
    // and so is malformed UTF-8, rather than turned into '?'.
    EXPECT_TRUE(answer("??"));
    EXPECT_FALSE(answer("漢"));
    EXPECT_NE(error.find("Windows-1251"), std::string::npos) << error;
    EXPECT_FALSE(answer("\xD0"));
    EXPECT_FALSE(answer("1\n2"));
    EXPECT_NE(error.find("one line"), std::string::npos) << error;
    EXPECT_TRUE(answer(""));

    // A box without a usable length takes what the simulator's buffer holds.
    openBox("Other", 0);
    EXPECT_EQ(okulsim::inputAnswerLimit(cockpit()), 255u);
    EXPECT_TRUE(answer(std::string(255, '7')));
    EXPECT_FALSE(answer(std::string(256, '7')));
}

TEST(CockpitControlsTime, AccelerationWithinTheSimulatorsRange) {
    std::string error;
    EXPECT_TRUE(okulsim::checkTimeAcceleration(0.1, error));
    EXPECT_TRUE(okulsim::checkTimeAcceleration(100000, error));
    EXPECT_FALSE(okulsim::checkTimeAcceleration(0.09, error));
    EXPECT_FALSE(okulsim::checkTimeAcceleration(100001, error));
    EXPECT_NE(error.find("outside 0.1 to 100000"), std::string::npos) << error;
    EXPECT_FALSE(okulsim::checkTimeAcceleration(-1, error));
}
