// The console vessel with the real modules in the simulator: its scenario
// keys, saving and reloading, and the physical set-up that waits for the
// host; the per-step driver: start-up, the detach cycle, the mass copy, the
// switch of host, the visibility test, the signal time and the console's
// axes; a picture that cannot be written.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "FileContents.h"
#include "HostSpacecraft.h"
#include "InterfaceConstants.h"
#include "OkulVessel.h"
#include "PanelFields.h"
#include "PhotoCapture.h"
#include "Quaternion.h"
#include "SimulationWorld.h"
#include "TerminalScreen.h"

using testsupport::SimulationWorld;
using testsupport::TwoHostScenario;
using testsupport::VesselAxis;

namespace {

const double kIdle = kAttachIdle;
const double kRequest = kAttachRequest;

// The console hangs at this parent-side point of that vessel.
bool HangsAt(Vessel *console, Vessel *host, unsigned point) {
    Attachment *link = console->parentLink();
    return link && link->mate == host->attachmentByIndex(false, point);
}

void Command(SimulationWorld &world, const char *host, int code, const VECTOR3 &a) {
    world.hostProgram(host)->ExecuteCommand(0, code, 0.0, a, _V(0, 0, 0), _V(0, 0, 0));
}

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
        ASSERT_TRUE(world.loadText(TwoHostScenario(std::string(kOnStack) + c.lines)));
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
    ASSERT_TRUE(world.loadText(
        TwoHostScenario(std::string(kOnSpacecraft) + "  CONFIGURATION_T12 1\n  SUB_CONFIGURA_T12 3\n")));
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
    std::string error;
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
    ASSERT_TRUE(world.loadText(TwoHostScenario(kOnStack)));
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

TEST(ConsoleStartupTest, DebugTextsLinkingAndRegularWorkFollowTheStepCount) {
    SimulationWorld world;
    ASSERT_TRUE(world.loadText(TwoHostScenario(kOnStack)));
    OkulVessel *console = world.console();
    VESSEL *stack = oapiGetVesselInterface(world.vessel("U5-Q4"));
    world.simulation().setFrameLength(0.1);
    for (int step = 1; step <= 35; ++step) {
        world.frames(1);
        const std::string debug = world.simulation().debugString();
        const char *expected = step <= 10 ? "first" : step <= 20 ? "loading" : "end";
        EXPECT_EQ(debug, expected) << "step " << step;
        EXPECT_EQ(console->host, step <= 10 ? nullptr : stack) << "step " << step;
        EXPECT_EQ(console->ownAttachment == nullptr, step <= 10) << "step " << step;
        EXPECT_EQ(console->linking, step <= 30) << "step " << step;
        EXPECT_EQ(console->lightTime > 0.0, step > 30) << "step " << step;
        if (step > 20 && step <= 30) {
            EXPECT_EQ(console->hostMode, -1);
        }
    }
    EXPECT_NEAR(console->massSyncTimer, 0.5, 1e-12);
}

TEST(ConsoleAttachCycleTest, DetachFollowAndReattachAtQuarterAndTwoSecondSteps) {
    for (double step : {0.25, 2.0}) {
        SimulationWorld world;
        ASSERT_TRUE(world.loadText(TwoHostScenario(kOnStack)));
        Vessel *console = world.vessel("OKUL"), *stack = world.vessel("U5-Q4");
        OkulVessel *okul = world.console();
        world.frames(31, step);
        okul->attachTimer = kRequest;
        if (step == 2.0) {
            world.frames(1);  // detach, status copy and re-attach in one step
            EXPECT_EQ(okul->attachTimer, kIdle);
            EXPECT_TRUE(HangsAt(console, stack, 1));
            continue;
        }
        for (double expected : {0.75, 0.5, 0.25}) {
            world.frames(1);
            EXPECT_DOUBLE_EQ(okul->attachTimer, expected);
            EXPECT_EQ(console->parent(), nullptr);
            EXPECT_EQ(console->gravityRef, stack->gravityRef);
        }
        world.frames(1);
        EXPECT_EQ(okul->attachTimer, kIdle);
        EXPECT_TRUE(HangsAt(console, stack, 1));
        world.frames(3);
        EXPECT_EQ(okul->attachTimer, kIdle);
        EXPECT_TRUE(HangsAt(console, stack, 1));
    }
}

TEST(ConsoleMassCopyTest, EveryThirdOneSecondStepTheConsoleTakesTheHostsMassesAndEngine) {
    SimulationWorld world;
    ASSERT_TRUE(world.loadText(TwoHostScenario(kOnStack)));
    OkulVessel *okul = world.console();
    Vessel *console = world.vessel("OKUL"), *stack = world.vessel("U5-Q4");
    world.frames(30, 1.0);
    for (double expected : {1.0, 2.0, 0.0, 1.0, 2.0, 0.0, 1.0}) {
        world.frames(1);
        EXPECT_DOUBLE_EQ(okul->massSyncTimer, expected);
    }
    EXPECT_DOUBLE_EQ(console->emptyMass, stack->emptyMass);
    ASSERT_NE(console->defaultPropellant, nullptr);
    EXPECT_DOUBLE_EQ(console->defaultPropellant->mass, stack->defaultPropellant->mass);
    EXPECT_DOUBLE_EQ(console->defaultPropellant->mass, 6000.0);
    EXPECT_DOUBLE_EQ(console->defaultPropellant->maxMass, 15000.0);
    ThrusterGroup *own = console->groupOfType(THGROUP_MAIN), *hosts = stack->groupOfType(THGROUP_MAIN);
    ASSERT_EQ(own->thrusters.size(), 1u);
    EXPECT_DOUBLE_EQ(own->thrusters[0]->maxThrust0,
                     hosts->thrusters[0]->maxThrust0 * hosts->thrusters.size());
    EXPECT_DOUBLE_EQ(own->thrusters[0]->isp0, hosts->thrusters[0]->isp0);
    EXPECT_EQ(own->thrusters[0]->level, 0.0);
}

TEST(ConsoleSwitchTest, TheTransmittedSwitchRelinksToTavr12AndCyclesAtItsPointZero) {
    SimulationWorld world;
    ASSERT_TRUE(world.loadText(TwoHostScenario(kOnSpacecraft)));
    OkulVessel *okul = world.console();
    Vessel *console = world.vessel("OKUL"), *spacecraft = world.vessel("TAVR-12");
    world.frames(31, 0.25);
    EXPECT_STREQ(okul->host->GetName(), "U5-Q4");

    // The switch command, transmitted from the panel.
    CopyLine(okul->terminal.fileLines[3], Terminal::kLineSize, "310;0");
    okul->hostMode = 4;
    EXPECT_TRUE(okul->clbkPanelMouseEvent(204, PANEL_MOUSE_LBDOWN, 10, 10));
    EXPECT_EQ(okul->configuration, 1);
    EXPECT_EQ(okul->hostMode, -1);
    EXPECT_TRUE(okul->restartRequested);
    world.frames(1);
    EXPECT_STREQ(world.simulation().debugString(), "first");
    EXPECT_TRUE(okul->linking);
    world.frames(30);
    EXPECT_FALSE(okul->linking);
    EXPECT_EQ(okul->host, spacecraft->iface);
    EXPECT_EQ(okul->hostProgram, world.hostProgram("TAVR-12"));
    char status[64];
    okul->hostProgram->GetStatusText(sizeof status, status);
    EXPECT_EQ(std::string(status).rfind("TAVR-12+", 0), 0u) << status;

    okul->attachTimer = kRequest;
    world.frames(1);
    EXPECT_EQ(console->parent(), nullptr);
    world.frames(3);
    EXPECT_TRUE(HangsAt(console, spacecraft, 0));
}

class CruiseConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.loadInstalled("cruise_to_mars.scn"));
        okul = world.console();
        console = world.vessel("OKUL");
        host = world.vessel("TAVR-12");
        world.frames(31, 0.1);
        ASSERT_FALSE(okul->linking);
    }
    // Puts the host in a mode and the console's copy of it (which the host
    // status display keeps when it is drawn) to the same value.
    void Mode(int mode) {
        Command(world, "TAVR-12", 500, _V(mode, 0, 0));
        okul->hostMode = mode;
    }
    SimulationWorld world;
    OkulVessel *okul = nullptr;
    Vessel *console = nullptr, *host = nullptr;
};

TEST_F(CruiseConsoleTest, VisibilityFollowsTheHostModeAndGeometry) {
    Mode(0);  // +y toward the Earth
    world.frames(1);
    EXPECT_TRUE(okul->targetVisible);
    EXPECT_DOUBLE_EQ(okul->relayAngle, 90.0 * kRad);
    Command(world, "TAVR-12", 210, VesselAxis(host, 1));  // the antenna turned away
    okul->hostMode = 0;
    world.frames(1);
    EXPECT_FALSE(okul->targetVisible);

    Mode(5);  // +z toward the relay
    world.frames(1);
    EXPECT_TRUE(okul->targetVisible);
    EXPECT_LT(okul->relayAngle, 1e-6);
    Command(world, "TAVR-12", 210, -VesselAxis(host, 2));
    world.frames(1);
    EXPECT_FALSE(okul->targetVisible);
    EXPECT_DOUBLE_EQ(okul->relayAngle, 90.0 * kRad);

    for (int mode : {9, -1, 2, 3, 9, 4, 9, 6}) {
        Mode(mode);
        world.frames(1);
        EXPECT_EQ(okul->targetVisible, mode == 9) << "mode " << mode;
    }
    for (int mode : {1, 12}) {
        for (bool before : {true, false}) {
            Mode(mode);
            okul->targetVisible = before;
            world.frames(2);
            EXPECT_EQ(okul->targetVisible, before) << "mode " << mode;
        }
    }
}

TEST(ConsoleVisibilityTest, TheLaunchStackIsAlwaysInSight) {
    SimulationWorld world;
    ASSERT_TRUE(world.loadInstalled("launch_stack_leo.scn"));
    OkulVessel *okul = world.console();
    world.frames(31, 0.1);
    for (int mode : {3, 5, -1}) {
        okul->hostMode = mode;
        okul->targetVisible = false;
        world.frames(1);
        EXPECT_TRUE(okul->targetVisible);
        EXPECT_DOUBLE_EQ(okul->relayAngle, 90.0 * kRad);
    }
}

TEST_F(CruiseConsoleTest, SignalTimeIsTheEarthHostDistanceOverThreeHundredThousandKilometresPerSecond) {
    sim::Body *earth = world.simulation().bodyByName("Earth");
    for (int i = 0; i < 3; ++i) {
        const double distance = length(earth->position() - host->position);
        world.frames(1);
        EXPECT_NEAR(okul->lightTime, distance / 3.0e8, 1e-9);
    }
    EXPECT_NEAR(okul->lightTime, 1257.4, 1.0);  // 377 million km on 15 September 1976
}

TEST_F(CruiseConsoleTest, TheConsolesAxesFollowItsPointing) {
    // The axes are differences of global points 1.6 AU from the origin, where
    // a double resolves about 3e-5 m: they hold to that, not to 1e-16.
    const double kTolerance = 5e-5;
    Mode(1);  // the host holds still
    world.frames(1);
    auto axesAreTheConsoles = [&] {
        EXPECT_LT(length(okul->axisZ - VesselAxis(console, 2)), kTolerance);
        EXPECT_LT(length(okul->axisX - VesselAxis(console, 0)), kTolerance);
    };
    axesAreTheConsoles();
    for (int c = 0; c < 3; ++c) EXPECT_LT(length(VesselAxis(console, c) - VesselAxis(host, c)), kTolerance);

    okul->pointing = Quaternion(90.0 * kRad, _V(1, 0, 0));  // about the host's x axis
    world.frames(1);
    axesAreTheConsoles();
    EXPECT_NEAR(std::fabs(dotp(okul->axisZ, VesselAxis(host, 1))), 1.0, kTolerance);
    EXPECT_LT(length(okul->axisX - VesselAxis(host, 0)), kTolerance);

    okul->pointing = Quaternion(90.0 * kRad, _V(0, 1, 0));  // about the host's y axis
    world.frames(3);
    axesAreTheConsoles();
    EXPECT_NEAR(std::fabs(dotp(okul->axisX, VesselAxis(host, 2))), 1.0, kTolerance);
    EXPECT_LT(length(VesselAxis(console, 1) - VesselAxis(host, 1)), kTolerance);

    okul->pointing = Quaternion();
    world.frames(1);
    EXPECT_LT(length(okul->axisZ - VesselAxis(host, 2)), kTolerance);
}

TEST_F(CruiseConsoleTest, APictureThatCannotBeWrittenIsReportedOnTheTerminal) {
    // The last column of frame 3 arrives in the next step, with no PHOTO
    // folder to write the picture into.
    std::filesystem::remove_all(world.workFolder() + "/PHOTO");
    FrameSlot &slot = okul->terminal.frameTable.slots[3];
    slot.state = kFrameTransmitting;
    slot.transmitTime = world.simulation().mjd() - 1.0;
    slot.scanColumn = 0;
    slot.image = oapiCreateSurface(kPictureSize, kPictureSize);
    world.frames(1);
    EXPECT_EQ(slot.state, kFrameTransmitted);
    EXPECT_EQ(testsupport::NewestRow(okul->terminal), "кадр 3 не записан: PHOTO\\photo3.bmp");
    world.frames(1);  // said once
    EXPECT_NE(testsupport::ScreenRow(okul->terminal, 1), "кадр 3 не записан: PHOTO\\photo3.bmp");
}

TEST(ConsoleMissingTest, NoHostOrNoRelayIsReportedOnTheDebugLineWithoutACrash) {
    {
        SimulationWorld world;
        std::string text = TwoHostScenario("");
        text.erase(text.find("U5-Q4:q4varK_RN"), text.find("OKUL:OkulVessel") - text.find("U5-Q4:q4varK_RN"));
        ASSERT_TRUE(world.loadText(text));
        OkulVessel *okul = world.console();
        world.frames(40, 0.1);
        EXPECT_EQ(okul->host, nullptr);
        EXPECT_FALSE(okul->linking);
        EXPECT_NE(std::string(world.simulation().debugString()).find("U5-Q4"), std::string::npos);
        okul->attachTimer = kRequest;
        world.frames(20);
        EXPECT_EQ(okul->attachTimer, kIdle);
    }
    {
        SimulationWorld world;
        std::string text = testsupport::ReadFile(testsupport::BuildRoot() + "/Scenarios/cruise_to_mars.scn");
        size_t relay = text.find("K12 Orbiter:K12Orbiter");
        ASSERT_NE(relay, std::string::npos);
        text.erase(relay, text.find("END\n", relay) + 4 - relay);
        ASSERT_TRUE(world.loadText(text));
        OkulVessel *okul = world.console();
        world.frames(31, 0.1);
        Command(world, "TAVR-12", 500, _V(5, 0, 0));
        okul->hostMode = 5;
        okul->targetVisible = true;
        world.frames(10);
        EXPECT_TRUE(okul->targetVisible);
        EXPECT_NE(std::string(world.simulation().debugString()).find("K12 Orbiter"), std::string::npos);
        EXPECT_NE(world.readWorkFile("TAVR-12.log").find("no vessel \"K12 Orbiter\""), std::string::npos);
    }
}

}  // namespace
