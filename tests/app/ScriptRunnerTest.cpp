// The runner's scripts: what a bad line gets (one message naming the script
// and line, and nothing run that would not end), and the frames a script may
// not run (past the ephemeris, over its limit of frames).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptRunner.h"
#include "TestInstallation.h"

using testsupport::TestInstallation;

namespace {

const char kScenario[] =
    "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 47890.0\nEND_ENVIRONMENT\n"
    "BEGIN_SHIPS\n"
    "P1:Probe\n  STATUS Orbiting Sun\n  RPOS 1.5e11 0 0\n  RVEL 0 0 29800\nEND\n"
    "END_SHIPS\n";

class ScriptRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        okulsim::registerAllCommands();
        installation.writeClass("Probe", "ClassName = Probe\nMass = 500\n");
        std::string error;
        ASSERT_TRUE(simulation.loadScenario(installation.writeScenario("test.scn", kScenario), error))
            << error;
    }
    // Reads and runs a script; false with the runner's message.
    bool run(const std::string &text, std::string &error, long frameLimit = -1) {
        const std::string path = installation.workFile("test.script");
        std::ofstream(path) << text;
        std::vector<okulsim::ScriptLine> lines;
        if (!okulsim::readScript(path, lines, error)) return false;
        okulsim::ScriptContext context(simulation, out, installation.work(), installation.work());
        context.frameLimit = frameLimit;
        return okulsim::runScript(context, path, lines, error);
    }

    TestInstallation installation;
    sim::Simulation simulation{installation.root(), installation.work()};
    std::ostringstream out;
};

TEST_F(ScriptRunnerTest, ABadLineGetsOneMessageNamingScriptAndLine) {
    const struct {
        const char *script;
        const char *message;
    } cases[] = {
        {"# comment\n\nfly 3\n", "test.script:3: unknown command \"fly\""},
        {"frames 2\nframe zero\n", "test.script:2: \"zero\" is not a number"},
        {"frames -3\n", "test.script:1: \"-3\" is not a count"},
        {"warp\n", "test.script:1: usage: warp FACTOR"},
        {"state Vulcan\n", "test.script:1: no vessel or body \"Vulcan\""},
        {"run 1e999\n", "test.script:1: \"1e999\" is not a number"},
        {"frame 0\n", "test.script:1: the frame length must lie between 0.001 and 100 s"},
        {"frame 1e-300\n", "test.script:1: the frame length must lie between"},
        {"periapsis P1 Earth 1e9\n",
         "test.script:1: 1e+09 days reach MJD 1000047890.0, outside the ephemeris"},
        {"plot p.png P1 Earth -1e6\n",
         "test.script:1: -1e+06 days reach MJD -952110.0, outside the ephemeris"},
        {"expectbmp picture.bmp 1e300 16\n", "test.script:1: unexpected size: picture.bmp: 24 x 16"},
    };
    std::filesystem::copy_file(
        std::string(OKUL_SOURCE_DIR) + "/tests/fuzz/corpus/fuzz_bmp/seed-panel_main-crop0.bmp",
        installation.workFile("picture.bmp"));
    for (const auto &c : cases) {
        std::string error;
        EXPECT_FALSE(run(c.script, error)) << c.script;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    const double before = simulation.mjd();
    std::string error;
    EXPECT_FALSE(run("frames 3\nbogus\n", error));  // read whole before anything runs
    EXPECT_EQ(simulation.mjd(), before);
}

TEST_F(ScriptRunnerTest, NoFrameIsRunPastTheEphemeris) {
    // The scenario starts 30 days before the ephemeris ends (MJD 47920).
    std::string error;
    EXPECT_FALSE(run("frame 1\nwarp 100000\nuntil 48000\n", error));
    EXPECT_NE(error.find("test.script:3: the next frame would reach MJD"), std::string::npos) << error;
    EXPECT_NE(error.find("past the ephemeris"), std::string::npos) << error;
    EXPECT_LE(simulation.mjd(), simulation.ephemeris().lastMjd());
    EXPECT_GT(simulation.mjd(), simulation.ephemeris().lastMjd() - 100000.0 / 86400.0 - 1e-9);

    const double stopped = simulation.mjd();
    EXPECT_FALSE(run("run 1\n", error));
    EXPECT_EQ(simulation.mjd(), stopped);
}

TEST_F(ScriptRunnerTest, AFrameLimitHaltsTheLineThatReachesIt) {
    std::string error;
    EXPECT_TRUE(run("frames 4\n", error, 10)) << error;
    EXPECT_FALSE(run("frames 4\nrun 1e6\nframes 1\n", error, 10));
    EXPECT_NE(error.find("test.script:2: the script's limit of 10 frames is reached"), std::string::npos)
        << error;
    EXPECT_EQ(simulation.frameCount(), 14);
}

}  // namespace
