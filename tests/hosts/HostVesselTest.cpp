// The stand-in host spacecraft in the simulator: status text, timed
// commands, attitude by mode, exact burns and their scenario state.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "HostSpacecraft.h"
#include "SimulationWorld.h"

using testsupport::SimulationWorld;
using testsupport::VesselAxis;

namespace {

double AngleBetween(const VECTOR3 &a, const VECTOR3 &b) {
    return std::acos(std::max(-1.0, std::min(1.0, dotp(unit(a), unit(b)))));
}

std::string StatusText(SHIPprg *program, int capacity = 1024) {
    char buffer[1024];
    std::memset(buffer, 'x', sizeof buffer);
    program->GetStatusText(capacity, buffer);
    return buffer;
}

// The three values of the "ВКС" line.
bool StatusValues(const std::string &text, int &mode, double &valueA, double &valueB) {
    size_t start = text.find("+\xC2\xCA\xD1;");  // "+ВКС;" in Windows-1251
    return start != std::string::npos &&
           std::sscanf(text.c_str() + start + 5, "%d;%lf;%lf", &mode, &valueA, &valueB) == 3;
}

class CruiseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.loadInstalled("cruise_to_mars.scn"));
        host = world.vessel("TAVR-12");
        program = world.hostProgram("TAVR-12");
        ASSERT_NE(host, nullptr);
        ASSERT_NE(program, nullptr);
        world.frames(1, 0.1);
    }
    double Now() { return world.simulation().mjd(); }
    SimulationWorld world;
    Vessel *host = nullptr;
    SHIPprg *program = nullptr;
};

TEST_F(CruiseTest, StatusTextCarriesModePropellantAndSpeedInCp1251AndIsCutToCapacity) {
    std::string text = StatusText(program);
    EXPECT_EQ(text.rfind("TAVR-12+", 0), 0u) << text;
    int mode = -7;
    double propellant = 0, speed = 0;
    ASSERT_TRUE(StatusValues(text, mode, propellant, speed)) << text;
    EXPECT_EQ(mode, 0);
    EXPECT_NEAR(propellant, 1700.0, 0.05);
    sim::Body *sun = world.simulation().bodyByName("Sun");
    EXPECT_NEAR(speed, length(host->velocity - sun->velocity()), 0.1);

    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(program->GetStatusText(8, buffer), 7);
    EXPECT_STREQ(buffer, "TAVR-12");
    EXPECT_EQ(buffer[8], 'x');
    EXPECT_EQ(program->GetStatusText(1, buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(program->GetStatusText(0, buffer), 0);
    EXPECT_EQ(program->GetStatusText(16, nullptr), 0);
}

TEST_F(CruiseTest, ModesPointTheSpacecraftAndTheConsoleFollowsEveryTurn) {
    sim::Body *earth = world.simulation().bodyByName("Earth");
    Vessel *relay = world.vessel("K12 Orbiter");
    Vessel *console = world.vessel("OKUL");
    ASSERT_NE(relay, nullptr);
    auto consoleHangsAligned = [&] {
        for (int c = 0; c < 3; ++c)
            EXPECT_LT(AngleBetween(VesselAxis(console, c), VesselAxis(host, c)), 1e-9);
        EXPECT_LT(length(console->position - host->localToGlobal(_V(0, 0, 0.7))), 1e-3);
    };
    // Mode 0 of the scenario: +y toward the Earth.
    EXPECT_LT(AngleBetween(VesselAxis(host, 1), earth->position() - host->position), 1e-6);
    consoleHangsAligned();

    program->ExecuteCommand(0, 500, 0.0, _V(5.9, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    world.frames(1);
    EXPECT_LT(AngleBetween(VesselAxis(host, 2), relay->position - host->position), 1e-6);
    int mode = 0;
    double a, b;
    ASSERT_TRUE(StatusValues(StatusText(program), mode, a, b));
    EXPECT_EQ(mode, 5);
    consoleHangsAligned();

    // A turn stands against the mode until the next mode command.
    VECTOR3 target = unit(_V(1, 2, 3));
    program->ExecuteCommand(1, 210, 0.0, target, _V(0, 0, 0), _V(0, 0, 0));
    world.frames(3);
    EXPECT_LT(AngleBetween(VesselAxis(host, 2), target), 1e-9);
    consoleHangsAligned();

    program->ExecuteCommand(2, 1, 0.0, _V(0, 0, -1), _V(0, 1, 0), _V(0, 0, 0));
    world.frames(1);
    EXPECT_LT(AngleBetween(VesselAxis(host, 2), _V(0, 0, -1)), 1e-9);
    EXPECT_LT(AngleBetween(VesselAxis(host, 0), _V(0, 1, 0)), 1e-9);
    consoleHangsAligned();

    program->ExecuteCommand(3, 500, 0.0, _V(8, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    world.frames(1);
    EXPECT_LT(AngleBetween(VesselAxis(host, 1), earth->position() - host->position), 1e-6);
}

TEST_F(CruiseTest, CommandsWaitForTheirTimeAndEverythingIsLogged) {
    const double start = Now();
    const double due = start + 1.95 / 86400.0;  // between two frame starts
    VECTOR3 target = unit(_V(0, 1, 1));
    program->ExecuteCommand(4, 210, due, target, _V(0, 0, 0), _V(0, 0, 0));
    program->ExecuteCommand(5, 500, due + 1.0 / 86400.0, _V(1, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    program->ExecuteCommand(6, 777, 0.0, _V(1, 2, 3), _V(4, 5, 6), _V(7, 8, 9));
    program->ExecuteCommand(7, 210, 0.0, _V(0, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    program->ExecuteCommand(8, 130, 0.0, _V(0, -3, 0), _V(0, 0, 0), _V(0, 0, 0));
    EXPECT_LT(program->ExecuteCommand(9, 210, std::nan(""), target, _V(0, 0, 0), _V(0, 0, 0)), 0.0);
    EXPECT_NE(StatusText(program).find("+\xCA\xCE\xCC;2"), std::string::npos);  // "КОМ;2": two waiting

    while (Now() < due - 1e-9) {
        EXPECT_GT(AngleBetween(VesselAxis(host, 2), target), 1e-3) << "turned early";
        world.frames(1);
    }
    world.frames(1);  // the first step that starts at or after the time
    EXPECT_LT(AngleBetween(VesselAxis(host, 2), target), 1e-9);
    world.frames(12);
    int mode = -1;
    double a, b;
    ASSERT_TRUE(StatusValues(StatusText(program), mode, a, b));
    EXPECT_EQ(mode, 1);

    std::string log = world.readWorkFile("TAVR-12.log");
    for (const char *expected :
         {"received line 4 code 210", "queued line 4 code 210",
          "executed line 4 code 210: +z along (0.000000 0.707107 0.707107)",
          "executed line 5 code 500: mode 1", "line 6 code 777 is no host command", "refused line 7 code 210",
          "refused line 8 code 130", "refused line 9 code 210: the time is not a number"})
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\n" << log;
    EXPECT_LT(log.find("executed line 4"), log.find("executed line 5"));
}

// The velocity of the host at the end of a run of `seconds` in frames of
// `step`, with or without a burn of dv along +z commanded at the start.
struct RunResult {
    VECTOR3 velocity, zAxis;
    double fuel;
    std::string log, statusDuringBurn;
};

RunResult RunCruise(double step, double seconds, double dv) {
    SimulationWorld world;
    EXPECT_TRUE(world.loadInstalled("cruise_to_mars.scn"));
    SHIPprg *program = world.hostProgram("TAVR-12");
    world.frames(35, step);  // past the console's start-up
    program->ExecuteCommand(0, 500, 0.0, _V(1, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    RunResult result;
    if (dv > 0) program->ExecuteCommand(1, 130, 0.0, _V(0, dv, 0), _V(0, 0, 0), _V(0, 0, 0));
    world.frames(1);
    result.statusDuringBurn = StatusText(program);
    world.frames(static_cast<int>(std::lround(seconds / step)) - 1);
    Vessel *host = world.vessel("TAVR-12");
    result.velocity = host->velocity;
    result.zAxis = VesselAxis(host, 2);
    result.fuel = host->defaultPropellant->mass;
    result.log = world.readWorkFile("TAVR-12.log");
    return result;
}

TEST(HostBurnTest, TheVelocityChangesByExactlyTheCommandedAmountAlongPlusZ) {
    // The stack's mass changes during the burn (the console copies the
    // host's masses every second); the last step's level is cut.
    for (double step : {0.1, 2.0}) {
        RunResult coast = RunCruise(step, 40.0, 0.0);
        RunResult burn = RunCruise(step, 40.0, 12.5);
        VECTOR3 change = burn.velocity - coast.velocity;
        EXPECT_NEAR(length(change), 12.5, 2e-6) << "step " << step;
        EXPECT_LT(AngleBetween(change, burn.zAxis), 1e-9);
        EXPECT_LT(burn.fuel, coast.fuel - 30.0);
        EXPECT_NE(burn.log.find("burn complete: 12.500000 m/s"), std::string::npos) << burn.log;
        EXPECT_NE(burn.statusDuringBurn.find("+\xC4\xD3;\xC2\xCA\xCB "), std::string::npos);  // "ДУ;ВКЛ "
    }
}

TEST(HostBurnTest, ABurnLongerThanThePropellantStopsWhenTheTankIsEmpty) {
    RunResult burn = RunCruise(1.0, 400.0, 5000.0);
    EXPECT_NEAR(burn.fuel, 0.0, 1e-6);
    EXPECT_NE(burn.log.find("burn stopped: propellant exhausted"), std::string::npos) << burn.log;
}

TEST_F(CruiseTest, ModeTurnHoldBurnAndWaitingCommandsSurviveSaveAndReload) {
    program->ExecuteCommand(0, 500, 0.0, _V(1, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    program->ExecuteCommand(1, 210, 0.0, _V(0, 1, 0), _V(0, 0, 0), _V(0, 0, 0));
    program->ExecuteCommand(2, 130, 0.0, _V(0, 500.0, 0), _V(0, 0, 0), _V(0, 0, 0));
    const double due = Now() + 0.5;
    program->ExecuteCommand(3, 500, due, _V(5, 0, 0), _V(0, 0, 0), _V(0, 0, 0));
    world.frames(2);
    std::string path = world.save("saved.scn");
    std::string text = world.readWorkFile("saved.scn");
    size_t block = text.find("TAVR-12:Tavr12");
    size_t mode = text.find("  MODE 1\n", block), levels = text.find("  PRPLEVEL", block);
    ASSERT_NE(mode, std::string::npos) << text;
    EXPECT_LT(levels, mode) << "own lines follow the standard lines";
    EXPECT_NE(text.find("  HOLD 1\n", block), std::string::npos);
    EXPECT_NE(text.find("  BURN ", block), std::string::npos);
    EXPECT_NE(text.find("  COMMAND 3 500 ", block), std::string::npos);

    world.restart();
    std::string error;
    ASSERT_TRUE(world.simulation().loadScenario(path, error)) << error;
    SHIPprg *reloaded = world.hostProgram("TAVR-12");
    std::string status = StatusText(reloaded);
    EXPECT_NE(status.find("\xC2\xCA\xD1;1;"), std::string::npos) << status;
    EXPECT_NE(status.find("\xC4\xD3;\xC2\xCA\xCB "), std::string::npos) << "the burn goes on";
    EXPECT_NE(status.find("\xCA\xCE\xCC;1"), std::string::npos) << "one command waits";
    Vessel *host = world.vessel("TAVR-12");
    EXPECT_LT(AngleBetween(VesselAxis(host, 2), _V(0, 1, 0)), 1e-6);
}

TEST(RelayTest, TheRelayIsAPlainVesselCirclingMars) {
    SimulationWorld world;
    ASSERT_TRUE(world.loadInstalled("cruise_to_mars.scn"));
    world.frames(50, 1.0);
    Vessel *relay = world.vessel("K12 Orbiter");
    ASSERT_NE(relay, nullptr);
    EXPECT_EQ(relay->module, nullptr);
    sim::Body *mars = world.simulation().bodyByName("Mars");
    EXPECT_EQ(relay->gravityRef, mars);
    EXPECT_NEAR(length(relay->position - mars->position()), 1.0e7, 2e3);
}

}  // namespace
