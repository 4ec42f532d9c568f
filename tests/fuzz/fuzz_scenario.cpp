// Fuzz target of the scenario reader: whole scenario files (sections, ship
// lines, the standard lines, the console's keys) loaded by the simulator with
// the build's classes and modules, run for the console's start-up, saved, and
// the saved file read again.
//
// Checked: a file either loads or is refused with one message naming the
// file; a scenario that loaded saves into a file whose sections and every
// vessel's standard lines read again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "core/ScenarioParser.h"
#include "core/StandardLines.h"

using fuzzsupport::Require;

namespace {

// The console links to its host in its first 30 frames.
const int kFrames = 32;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzzsupport::Installation();
    fuzzsupport::HoldModules();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    testsupport::TestInstallation &installation = fuzzsupport::Installation();
    const std::string path =
        installation.writeScenario("fuzz.scn", std::string(reinterpret_cast<const char *>(data), size));
    const std::string saved = installation.workFile("fuzz_saved.scn");
    std::string error;
    {
        sim::Simulation simulation(installation.root(), installation.work());
        if (!simulation.loadScenario(path, error)) {
            Require(error.find(path) != std::string::npos, "a refusal that does not name the file");
            return 0;
        }
        simulation.setFrameLength(0.5);
        for (int i = 0; i < kFrames; ++i) simulation.frame();
        Require(simulation.saveScenario(saved, error), "a loaded scenario could not be saved");
    }
    // The saved file is read again as the simulator reads it, down to every
    // vessel's standard lines (loading it whole would only repeat the work).
    sim::ScenarioDescription again;
    if (!sim::readScenario(saved, again, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        Require(false, "a saved scenario does not read again");
    }
    for (const sim::ScenarioDescription::Vessel &vessel : again.vessels) {
        sim::ScenarioStatus status;
        for (const std::string &line : vessel.lines) sim::parseStandardLine(line.c_str(), status);
        if (!status.error.empty())
            std::fprintf(stderr, "%s: %s\n", vessel.name.c_str(), status.error.c_str());
        Require(status.error.empty() && status.hasStatus,
                "a saved vessel's standard lines do not read again");
    }
    fuzzsupport::ClearWorkingFolder();
    return 0;
}
