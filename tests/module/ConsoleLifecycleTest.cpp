// The console module through the simulator's loader: its scenario keys,
// saving and reloading, and the physical set-up that waits for the host.
#include <gtest/gtest.h>

#include <string>

#include "OkulVessel.h"
#include "SimulationWorld.h"

using testworld::SimulationWorld;
using testworld::twoHostScenario;

namespace {

const char kOnStack[] = "  ATTACHED 0:1,U5-Q4\n";
const char kOnSpacecraft[] = "  ATTACHED 0:0,TAVR-12\n";

struct KeyCase {
    const char *lines;
    int configuration;
    int subConfiguration;
    const char *host;
};

TEST(ConsoleKeysTest, ScenarioKeysChooseTheHost) {
    const KeyCase cases[] = {
        {"  configuration_t12 1\n", 1, 0, "TAVR-12"},  // case is ignored
        {"", 0, 0, "U5-Q4"},                           // no keys: the launch stack
        // 17 characters compared: the key matches, but the number read from the
        // 18th character on stops at the letter and leaves the field alone.
        {"  CONFIGURATION_T12X 1\n  SUB_CONFIGURA_T12 4\n", 0, 4, "U5-Q4"},
        {"  SUB_CONFIGURA_T12 7\n  CONFIGURATION_T12 2\n", 2, 7, "TAVR-12"},
    };
    for (const KeyCase &c : cases) {
        SimulationWorld world;
        std::string error;
        ASSERT_TRUE(world.loadText(twoHostScenario(std::string(kOnStack) + c.lines), error)) << error;
        OkulVessel *console = world.console();
        ASSERT_NE(console, nullptr);
        EXPECT_EQ(console->configuration, c.configuration) << c.lines;
        EXPECT_EQ(console->subConfiguration, c.subConfiguration) << c.lines;
        world.frames(31, 0.1);
        ASSERT_NE(console->host, nullptr);
        EXPECT_STREQ(console->host->GetName(), c.host) << c.lines;
        // The standard lines passed on: the console still hangs on the stack.
        EXPECT_EQ(world.vessel("OKUL")->parent(), world.vessel("U5-Q4")) << c.lines;
    }
}

TEST(ConsoleKeysTest, SavingAndReloadingKeepsBothKeysAfterTheStandardLines) {
    SimulationWorld world;
    std::string error;
    ASSERT_TRUE(world.loadText(
        twoHostScenario(std::string(kOnSpacecraft) + "  CONFIGURATION_T12 1\n  SUB_CONFIGURA_T12 3\n"),
        error))
        << error;
    world.frames(50, 0.1);                 // past the first mass copy
    world.console()->attachTimer = 123.0;  // not saved: timers start afresh
    std::string path = world.save("saved.scn");
    std::string text = world.readWorkFile("saved.scn");
    size_t block = text.find("OKUL:OkulVessel");
    ASSERT_NE(block, std::string::npos) << text;
    std::string lines = text.substr(block, text.find("END\n", block) - block);
    size_t configuration = lines.find("  CONFIGURATION_T12 1\n  SUB_CONFIGURA_T12 3\n");
    ASSERT_NE(configuration, std::string::npos) << lines;
    for (const char *standard : {"STATUS", "RPOS", "AROT", "ATTACHED 0:0,TAVR-12", "PRPLEVEL"})
        EXPECT_LT(lines.find(standard), configuration) << standard;
    EXPECT_EQ(lines.find("T12", configuration + 40), std::string::npos) << "nothing after the keys";

    world.restart();
    ASSERT_TRUE(world.simulation().loadScenario(path, error)) << error;
    OkulVessel *console = world.console();
    EXPECT_EQ(console->configuration, 1);
    EXPECT_EQ(console->subConfiguration, 3);
    EXPECT_EQ(console->attachTimer, -2000000.0);
    EXPECT_TRUE(console->restartRequested);
    EXPECT_EQ(world.vessel("OKUL")->parent(), world.vessel("TAVR-12"));
}

TEST(ConsoleSetupTest, TankAndEngineAreMadeByTheFirstCopyAndATankAgainAfterClassCaps) {
    SimulationWorld world;
    std::string error;
    ASSERT_TRUE(world.loadText(twoHostScenario(kOnStack), error)) << error;
    Vessel *vessel = world.vessel("OKUL");
    OkulVessel *console = world.console();
    world.frames(32, 1.0);  // start-up, then the copy waits for more than a second
    EXPECT_TRUE(vessel->propellants.empty());
    EXPECT_TRUE(vessel->thrusters.empty());
    EXPECT_EQ(vessel->groupOfType(THGROUP_MAIN), nullptr);

    world.frames(1);
    ASSERT_EQ(vessel->propellants.size(), 1u);
    ASSERT_EQ(vessel->thrusters.size(), 1u);
    ThrusterGroup *main = vessel->groupOfType(THGROUP_MAIN);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->thrusters.size(), 1u);
    EXPECT_EQ(vessel->defaultPropellant, vessel->propellants[0].get());

    console->clbkSetClassCaps(nullptr);
    EXPECT_EQ(console->propellant, nullptr);
    world.frames(3);
    EXPECT_EQ(vessel->propellants.size(), 2u) << "a new tank";
    EXPECT_EQ(vessel->defaultPropellant, vessel->propellants[1].get());
    EXPECT_EQ(vessel->thrusters.size(), 1u) << "the engine stays";
    EXPECT_EQ(vessel->groupOfType(THGROUP_MAIN)->thrusters[0], vessel->thrusters[0].get());
}

}  // namespace
