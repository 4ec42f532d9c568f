// A simulation of the build's classes and modules in an installation of the
// test's own (see TestInstallation), run from its working folder, where the
// host spacecraft write their logs. Scenarios come from the build's
// installation or from text the test writes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestInstallation.h"
#include "WorkingFolderScope.h"
#include "core/Simulation.h"

class SHIPprg;
class OkulVessel;

namespace testsupport {

class SimulationWorld {
public:
    SimulationWorld();
    ~SimulationWorld();
    SimulationWorld(const SimulationWorld &) = delete;
    SimulationWorld &operator=(const SimulationWorld &) = delete;

    // Loads Scenarios/<name> of the build's installation; a failure carries
    // the simulator's message.
    ::testing::AssertionResult loadInstalled(const std::string &name);
    // Writes the text into the installation and loads it.
    ::testing::AssertionResult loadText(const std::string &text);
    // Saves the running scenario into the working folder; returns its path.
    std::string save(const std::string &name);

    sim::Simulation &simulation() { return *simulation_; }
    // Ends the present simulation and starts an empty one on the same folders.
    void restart();

    Vessel *vessel(const std::string &name) const;
    // The console object the module created (fields read through its header).
    OkulVessel *console(const std::string &name = "OKUL") const;
    // The SHIPprg part of a host vessel, through its class layout.
    SHIPprg *hostProgram(const std::string &name) const;

    void frames(int count);
    // Frame length and count: runs `count` frames of `seconds` each.
    void frames(int count, double seconds);

    const std::string &workFolder() const { return installation_.work(); }
    std::string readWorkFile(const std::string &name) const { return installation_.readWorkFile(name); }

private:
    ::testing::AssertionResult load(const std::string &path);

    TestInstallation installation_;
    WorkingFolderScope workingFolder_;
    std::unique_ptr<sim::Simulation> simulation_;
};

// Axis `column` (0 x, 1 y, 2 z) of a vessel in global coordinates.
VECTOR3 VesselAxis(const Vessel *vessel, int column);

// A low orbit about the Earth on 25 September 1975 with both hosts and the
// console. `consoleLines` are the console's lines after its STATUS block
// (ATTACHED and scenario keys).
std::string TwoHostScenario(const std::string &consoleLines);

}  // namespace testsupport
