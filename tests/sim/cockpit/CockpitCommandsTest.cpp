// The runner's cockpit commands, driven as a script line would drive them.
#include "CockpitFixture.h"

#include <sstream>

#include "CockpitCommands.h"
#include "FileContents.h"
#include "ScriptLines.h"

using namespace cockpittest;

namespace {

class CockpitCommandsTest : public CockpitTest {
protected:
    // Runs one script line; false with the command's message on failure.
    bool run(const std::string &line, std::string &error) {
        static const bool registered = (okulsim::registerCockpitCommands(), true);
        (void)registered;
        okulsim::ScriptContext context{*simulation, out, installation.root(), installation.work(), false, ""};
        return testsupport::RunScriptLine(context, line, error);
    }
    bool run(const std::string &line) {
        std::string error;
        const bool ok = run(line, error);
        EXPECT_TRUE(ok) << line << ": " << error;
        return ok;
    }

    std::ostringstream out;
};

}  // namespace

TEST_F(CockpitCommandsTest, ClickAndHoldReachTheAreas) {
    run("click 10");
    run("click 11 3 4");
    run("hold 11 1 2 2");
    run("clickat 349 449");
    EXPECT_EQ(probe->mouse, std::vector<Call>({{10, PANEL_MOUSE_LBDOWN, 50, 15},
                                               {11, PANEL_MOUSE_LBDOWN, 3, 4},
                                               {11, PANEL_MOUSE_LBDOWN, 1, 2},
                                               {11, PANEL_MOUSE_LBPRESSED, 1, 2},
                                               {11, PANEL_MOUSE_LBPRESSED, 1, 2},
                                               {12, PANEL_MOUSE_LBDOWN, 49, 49}}));
    std::string error;
    EXPECT_FALSE(run("click 77", error));
    EXPECT_NE(error.find("panel 0 has no area 77"), std::string::npos) << error;
    EXPECT_FALSE(run("click 10 5", error));
    EXPECT_NE(error.find("usage"), std::string::npos);
}

TEST_F(CockpitCommandsTest, TypeAndKeySendBufferedPresses) {
    run("type a1 -.;");
    std::vector<int> presses;
    for (const Call &c : probe->bufferedKeys)
        if (c.event == 1) presses.push_back(c.id);
    EXPECT_EQ(presses, std::vector<int>({OAPI_KEY_A, OAPI_KEY_1, OAPI_KEY_SPACE, OAPI_KEY_MINUS,
                                         OAPI_KEY_PERIOD, OAPI_KEY_SEMICOLON}));
    std::string error;
    EXPECT_FALSE(run("type a,b", error));
    EXPECT_NE(error.find("','"), std::string::npos);

    run("key CTRL+UP");
    EXPECT_EQ(cockpit().currentPanel(), 2);
    EXPECT_FALSE(run("key NOPE", error));

    probe->directKeys.clear();
    run("holdkey NUMPAD8 3");
    ASSERT_EQ(probe->directKeys.size(), 3u);
    EXPECT_EQ(probe->directKeys[2], std::vector<int>({OAPI_KEY_NUMPAD8}));
}

TEST_F(CockpitCommandsTest, TextAndExpectReadTheAreas) {
    simulation->frame();
    run("text mfd0");
    EXPECT_NE(out.str().find("Orbit  Earth"), std::string::npos) << out.str();
    run("expect 10 area 10 draw");
    run("expect MFD0 V    7.67");
    std::string error;
    EXPECT_FALSE(run("expect 10 nothing like this", error));
    EXPECT_NE(error.find("does not show \"nothing like this\""), std::string::npos) << error;
    EXPECT_NE(error.find("area 10 draw"), std::string::npos) << error;
    EXPECT_FALSE(run("text mfd1", error));  // panel 0 of the probe has MFD 0 only
}

TEST_F(CockpitCommandsTest, InputWithoutABoxFailsAndLeavesNoStaleAnswer) {
    std::string error;
    EXPECT_FALSE(run("input 42", error));
    EXPECT_NE(error.find("no input box opened for the answer"), std::string::npos) << error;
    EXPECT_EQ(cockpit().pendingInputAnswers(), 0u);
}

TEST_F(CockpitCommandsTest, PicturesAreWrittenOnlyWhenThereIsOne) {
    run("shot panel.png");
    run("view view.png");
    EXPECT_EQ(testsupport::ReadFile(installation.workFile("panel.png")).substr(1, 3), "PNG");
    run("panel 1");
    std::string error;
    EXPECT_FALSE(run("shot bare.png", error));
    EXPECT_NE(error.find("panel 1 has no picture"), std::string::npos);
    EXPECT_FALSE(run("panel 5", error));
    EXPECT_EQ(cockpit().currentPanel(), 1);
}
