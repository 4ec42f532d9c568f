// A probe on the Earth return's designed start state (thirty days before the
// pass over the Earth), in a simulation of its own, for the PIE tests and
// benchmark. While it exists the simulation's working folder is the current
// folder, so the program's reports land there.
#pragma once

#include <VesselAPI.h>

#include <filesystem>
#include <string>

#include "EarthReturn.h"
#include "ProbeSimulation.h"

namespace earth_return {

class ReturnProbe {
public:
    ReturnProbe(const std::string &installationRoot, const std::string &tag);
    ~ReturnProbe();
    ReturnProbe(const ReturnProbe &) = delete;
    ReturnProbe &operator=(const ReturnProbe &) = delete;

    arrival_design::ProbeSimulation probes;
    FreeState start{};
    VESSEL *vessel = nullptr;  // null when the scenario did not load (error says why)
    std::string error;

private:
    std::filesystem::path previousDirectory;
};

}  // namespace earth_return
