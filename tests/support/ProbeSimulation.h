// A simulation of a designed start state for checking the console's
// programs against the simulator (tests, benchmarks): a temporary
// installation holding the build's ephemeris and a plain vessel class
// "Probe", a working folder with "Q4K12techout" (the programs' report
// folder), and the scenario loaded from text whose vessels are probes.
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bodies/SolarSystemEphemeris.h"
#include "core/GravityModel.h"
#include "core/Simulation.h"

namespace arrival_design {

class ProbeSimulation {
public:
    static constexpr const char *kProbeClass = "Probe";

    // installationRoot: the build's installation, whose
    // Config/Ephemeris/de405_1970_1989.bin is copied; tag names the
    // temporary folder (with the process id).
    ProbeSimulation(const std::string &installationRoot, const std::string &tag);
    ~ProbeSimulation();
    ProbeSimulation(const ProbeSimulation &) = delete;
    ProbeSimulation &operator=(const ProbeSimulation &) = delete;

    // The ephemeris and gravity to design with before anything is loaded.
    bool ready() const { return ephemeris_.loaded(); }
    const sim::SolarSystemEphemeris &ephemeris() const { return ephemeris_; }
    const sim::GravityModel &gravity() const { return gravity_; }

    // Writes the scenario into the folder, loads it and finds the named
    // vessel; false with the reason.
    bool load(const std::string &scenarioText, const std::string &vesselName, std::string &error);

    sim::Simulation &simulation() { return *simulation_; }
    VESSEL *vessel() const { return vessel_; }
    // The working folder (the simulator's; the programs' reports go there
    // once it is the current folder).
    const std::filesystem::path &workFolder() const { return work_; }

private:
    std::filesystem::path base_, work_;
    sim::SolarSystemEphemeris ephemeris_;
    sim::GravityModel gravity_;
    std::unique_ptr<sim::Simulation> simulation_;
    VESSEL *vessel_ = nullptr;
};

}  // namespace arrival_design
