// Fuzz target of the runner's scripts: any file read as a script and, when
// every command is known, run on the cruise to Mars with a limit of frames.
// Inputs holding a '/' are passed over: the runner writes files wherever a
// script names them, and the fuzzer must not write outside its working folder.
//
// Checked: a script either runs or fails with one message naming the script
// and line, and the simulation is ended cleanly either way.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ScriptRunner.h"

using fuzzsupport::Require;

namespace {

const long kFrameLimit = 40;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzzsupport::Installation();
    fuzzsupport::HoldModules();
    okulsim::registerAllCommands();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (std::memchr(data, '/', size) != nullptr) return 0;
    testsupport::TestInstallation &installation = fuzzsupport::Installation();
    const std::string path = installation.workFile("fuzz.script");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(data), std::streamsize(size));

    std::vector<okulsim::ScriptLine> lines;
    std::string error;
    if (okulsim::readScript(path, lines, error)) {
        sim::Simulation simulation(installation.root(), installation.work());
        Require(simulation.loadScenario(fuzzsupport::InstalledScenario("cruise_to_mars.scn"), error),
                "the scenario does not load");
        std::ostringstream out;
        okulsim::ScriptContext context{simulation, out, installation.work(), installation.work(), false, ""};
        context.frameLimit = kFrameLimit;
        if (!okulsim::runScript(context, path, lines, error))
            Require(error.compare(0, path.size() + 1, path + ":") == 0,
                    "a failure that does not name the line");
        simulation.shutdown();
    } else {
        Require(error.compare(0, path.size() + 1, path + ":") == 0, "a refusal that does not name the line");
    }
    fuzzsupport::ClearWorkingFolder();
    return 0;
}
