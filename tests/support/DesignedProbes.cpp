#include "ReturnProbe.h"

namespace fs = std::filesystem;

namespace earth_return {

ReturnProbe::ReturnProbe(const std::string &installationRoot, const std::string &tag)
    : probes(installationRoot, tag) {
    if (!probes.ready()) {
        error = "no ephemeris in " + installationRoot;
        return;
    }
    start = DesignStart(probes.ephemeris(), probes.gravity(), Design());
    const std::string text =
        arrival_design::ScenarioText(probes.ephemeris(), "A probe on the Earth return.\n", start,
                                     {{"PROBE", arrival_design::ProbeSimulation::kProbeClass, ""}}, "PROBE");
    if (!probes.load(text, "PROBE", error)) return;
    vessel = probes.vessel();
    previousDirectory = fs::current_path();
    fs::current_path(probes.workFolder());
}

ReturnProbe::~ReturnProbe() {
    if (!previousDirectory.empty()) fs::current_path(previousDirectory);
}

}  // namespace earth_return
