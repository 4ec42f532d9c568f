// The Earth entry acceptance flight flown with the real console and TAVR-12:
// PLE on the Earth entry scenario, the two records transmitted, the host's
// turn and burn; afterwards the simulator's own periapsis against the "Tar="
// point.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "CockpitCommands.h"
#include "EntryClosure.h"
#include "ObjectHandles.h"
#include "OkulVessel.h"
#include "ScriptLines.h"
#include "SimulationWorld.h"
#include "TrajectoryCommands.h"

namespace {

const char kScript[] = OKUL_SOURCE_DIR "/tests/acceptance/earth_entry_flight.script";

// Runs the script's commands on the world's simulation, as the runner does.
void RunScript(testsupport::SimulationWorld &world, std::ostream &out) {
    okulsim::registerCoreCommands();
    okulsim::registerCockpitCommands();
    okulsim::registerTrajectoryCommands();
    std::string scriptDir = kScript;
    scriptDir = scriptDir.substr(0, scriptDir.find_last_of('/'));
    okulsim::ScriptContext context{world.simulation(), out, scriptDir, world.workFolder(), false, ""};
    std::string error;
    ASSERT_TRUE(testsupport::RunScriptFile(context, kScript, error)) << error;
}

// The date of the host's log line that contains `text`.
double LoggedMjd(const std::string &log, const std::string &text) {
    const size_t at = log.find(text);
    if (at == std::string::npos) return 0.0;
    const size_t line = log.rfind('\n', at);
    return std::atof(log.c_str() + (line == std::string::npos ? 0 : line + 1) + 4);
}

TEST(PleFlight, TransmittedIncrementPutsTheSimulatorsPeriapsisOnTheTarget) {
    testsupport::SimulationWorld world;
    ASSERT_TRUE(world.loadInstalled("earth_entry.scn"));
    std::ostringstream out;
    RunScript(world, out);
    if (HasFatalFailure()) return;

    OkulVessel *console = world.console();
    ASSERT_NE(console, nullptr);
    const PleProgram &ple = console->terminal.pleProgram;

    const std::string log = world.readWorkFile("TAVR-12.log");
    const double burnMjd = LoggedMjd(log, "code 130: burn");
    ASSERT_GT(burnMjd, 0.0) << log;

    std::printf("flown: the burn %.1f s after the PLE command\n", (burnMjd - ple.startMjd) * 86400.0);
    const EntryClosure closure =
        MeasureClosure(world.simulation(), testsupport::VesselByName("TAVR-12"), ple.entry);
    EXPECT_NEAR((burnMjd - ple.startMjd) * 86400.0, 600.0, 10.0);
    ExpectClosureOnTheTarget(closure);
}

}  // namespace
