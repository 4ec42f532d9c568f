// Fuzz target of the class configuration reader: any file as
// Config/Vessels/Fuzz.cfg, read alone, then the class used by two vessels of
// a scenario (the second attached to the first through the class's points),
// run for a frame and saved.
//
// Checked: a file is read or refused with a message naming the file and
// line; a class that loads works in a scenario or is refused with a message
// naming the scenario.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/ConfigFile.h"

using fuzzsupport::Require;

namespace {

const char kScenario[] =
    "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 43036.0\nEND_ENVIRONMENT\n"
    "BEGIN_SHIPS\n"
    "FIRST:Fuzz\n  STATUS Orbiting Earth\n  RPOS 7000000 0 0\n  RVEL 0 0 7500\nEND\n"
    "SECOND:Fuzz\n  STATUS Orbiting Earth\n  RPOS 7000000 0 0\n  RVEL 0 0 7500\n  ATTACHED 0:0,FIRST\nEND\n"
    "END_SHIPS\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    testsupport::TestInstallation &installation = fuzzsupport::Installation();
    installation.writeScenario("fuzz_class.scn", kScenario);
    fuzzsupport::HoldModules();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    testsupport::TestInstallation &installation = fuzzsupport::Installation();
    installation.writeClass("Fuzz", std::string(reinterpret_cast<const char *>(data), size));
    const std::string path = installation.root() + "/Config/Vessels/Fuzz.cfg";

    sim::ConfigFile config;
    std::string error;
    if (!config.load(path, error)) {
        Require(error.compare(0, path.size() + 1, path + ":") == 0, "a refusal that does not name the line");
        return 0;
    }
    std::string value;
    config.value("Module", value);
    config.value("Size", value);

    const std::string scenario = installation.root() + "/Scenarios/fuzz_class.scn";
    {
        sim::Simulation simulation(installation.root(), installation.work());
        if (!simulation.loadScenario(scenario, error)) {
            Require(error.find(scenario) != std::string::npos, "a refusal that does not name the scenario");
            return 0;
        }
        simulation.frame();
        Require(simulation.saveScenario(installation.workFile("fuzz_class_saved.scn"), error),
                "the scenario could not be saved");
    }
    fuzzsupport::ClearWorkingFolder();
    return 0;
}
