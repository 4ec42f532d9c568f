// A simulation of a start state for checking the console's programs against
// the simulator (tests, benchmarks): an installation of its own (see
// TestInstallation) with a plain vessel class "Probe", and a scenario loaded
// from text whose vessel "PROBE" is of that class. While the scenario is
// loaded the working folder is the installation's, so the programs' reports
// land in its "Q4K12techout".
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <memory>
#include <optional>
#include <string>

#include "TestInstallation.h"
#include "WorkingFolderScope.h"
#include "bodies/SolarSystemEphemeris.h"
#include "core/GravityModel.h"
#include "core/Simulation.h"

namespace testsupport {

class ProbeSimulation {
public:
    static constexpr const char *kProbeClass = "Probe";
    static constexpr const char *kProbeName = "PROBE";

    ProbeSimulation();
    ProbeSimulation(const ProbeSimulation &) = delete;
    ProbeSimulation &operator=(const ProbeSimulation &) = delete;

    // The ephemeris and gravity to design with before anything is loaded.
    bool ready() const { return ephemeris_.loaded(); }
    const sim::SolarSystemEphemeris &ephemeris() const { return ephemeris_; }
    const sim::GravityModel &gravity() const { return gravity_; }

    // Writes the scenario into the installation, loads it, finds the probe
    // and enters the working folder; false with the reason in error().
    bool load(const std::string &scenarioText);

    // Flies the scenario in frames of 100 s (1 s at 100 times) to `seconds`
    // after its start, a whole number of frames, and adds the increment to
    // the probe's velocity there (a burn as the programs plan it); false
    // when that time is not met.
    bool applyIncrementAt(double seconds, const VECTOR3 &deltaV);

    sim::Simulation &simulation() { return *simulation_; }
    // Null until a scenario with the probe is loaded.
    VESSEL *vessel() const { return vessel_; }
    const std::string &error() const { return error_; }
    const std::string &workFolder() const { return installation_.work(); }

private:
    // In this order: the simulation ends before the working folder is left
    // and the installation removed.
    TestInstallation installation_;
    sim::SolarSystemEphemeris ephemeris_;
    sim::GravityModel gravity_;
    std::optional<WorkingFolderScope> workingFolder_;
    std::unique_ptr<sim::Simulation> simulation_;
    VESSEL *vessel_ = nullptr;
    std::string error_;
};

}  // namespace testsupport
