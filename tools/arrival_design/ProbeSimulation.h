// A simulator with a plain probe vessel on a designed state, for the tests
// and benchmarks of the trajectory programs: a temporary installation holding
// the ephemeris and the probe's class, a working folder with the programs'
// report folder, and the scenario loaded. While it exists the working folder
// is the current directory.
#pragma once

#include <VesselAPI.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ArrivalDesign.h"
#include "core/Simulation.h"

namespace arrival_design {

class ProbeSimulation {
public:
    using StartDesign =
        std::function<FreeState(const sim::SolarSystemEphemeris &, const sim::GravityModel &)>;

    // installRoot holds Config/Ephemeris/de405_1970_1989.bin; tag names the
    // temporary folder. design gives the probe's start state.
    ProbeSimulation(const std::string &tag, const std::string &installRoot, const StartDesign &design);
    ~ProbeSimulation();
    ProbeSimulation(const ProbeSimulation &) = delete;
    ProbeSimulation &operator=(const ProbeSimulation &) = delete;

    // Null when the installation or the scenario could not be made (error
    // says why).
    VESSEL *vessel = nullptr;
    std::string error;
    FreeState start{};
    std::filesystem::path base;  // the temporary folder: root/, work/, probe.scn
    std::unique_ptr<sim::Simulation> simulation;

private:
    std::filesystem::path previousDirectory;
};

}  // namespace arrival_design
