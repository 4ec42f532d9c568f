// The PLE session script flown with the real console and TAVR-12: PLE on the
// Earth entry scenario, the two records transmitted, the host's turn and
// burn; afterwards the simulator's own periapsis against the "Tar=" point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CockpitCommands.h"
#include "TrajectoryCommands.h"
#include "EntryClosure.h"
#include "OkulVessel.h"
#include "ScriptCommands.h"
#include "SimulationWorld.h"

namespace {

const char kScript[] = OKUL_SOURCE_DIR "/tests/acceptance/earth_entry_flight.script";

// Runs the script's commands on the world's simulation, as the runner does.
void RunScript(testworld::SimulationWorld &world, std::ostream &out) {
    okulsim::registerCoreCommands();
    okulsim::registerCockpitCommands();
    okulsim::registerTrajectoryCommands();
    std::string scriptDir = kScript;
    scriptDir = scriptDir.substr(0, scriptDir.find_last_of('/'));
    okulsim::ScriptContext context{world.simulation(), out, scriptDir, world.workDir(), false, ""};
    std::ifstream in(kScript);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const size_t begin = raw.find_first_not_of(" \t");
        if (begin == std::string::npos || raw[begin] == '#') continue;
        const std::string line = raw.substr(begin);
        const size_t space = line.find(' ');
        const std::string name = line.substr(0, space);
        context.rest = space == std::string::npos ? "" : line.substr(line.find_first_not_of(' ', space));
        std::istringstream words(context.rest);
        std::vector<std::string> args;
        for (std::string word; words >> word;) args.push_back(word);
        const okulsim::ScriptCommand *command = okulsim::findCommand(name);
        ASSERT_NE(command, nullptr) << "line " << number;
        std::string error;
        ASSERT_TRUE(command->handler(context, args, error)) << "line " << number << ": " << error;
    }
}

// The date of the host's log line that contains `text`.
double LoggedMjd(const std::string &log, const std::string &text) {
    const size_t at = log.find(text);
    if (at == std::string::npos) return 0.0;
    const size_t line = log.rfind('\n', at);
    return std::atof(log.c_str() + (line == std::string::npos ? 0 : line + 1) + 4);
}

TEST(PleFlight, TransmittedIncrementPutsTheSimulatorsPeriapsisOnTheTarget) {
    testworld::SimulationWorld world;
    std::string error;
    ASSERT_TRUE(world.loadInstalled("earth_entry.scn", error)) << error;
    std::ostringstream out;
    RunScript(world, out);
    if (HasFatalFailure()) return;

    OkulVessel *console = world.console();
    ASSERT_NE(console, nullptr);
    const PleProgram &ple = console->terminal.pleProgram;

    const std::string log = world.readWorkFile("TAVR-12.log");
    const double burnMjd = LoggedMjd(log, "code 130: burn");
    ASSERT_GT(burnMjd, 0.0) << log;

    char hostName[] = "TAVR-12";
    std::printf("flown: the burn %.1f s after the PLE command\n", (burnMjd - ple.startMjd) * 86400.0);
    const EntryClosure closure = MeasureClosure(world.simulation(), oapiGetVesselByName(hostName), ple.entry);
    EXPECT_NEAR((burnMjd - ple.startMjd) * 86400.0, 600.0, 10.0);
    EXPECT_GT(closure.hoursAhead, 0.5);
    EXPECT_LT(closure.osculatingMiss, 20000.0);
    EXPECT_LT(closure.throughMiss, 20000.0);
    EXPECT_LT(std::fabs(closure.osculatingDelay), 30.0);
}

}  // namespace
