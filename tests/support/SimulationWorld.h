// A simulation of the build's installation (its Config, Modules and
// Scenarios) run from a fresh temporary working folder, where the host
// spacecraft write their logs. Scenarios come from the installation or from
// text the test writes.
#pragma once

#include <string>

#include "core/Simulation.h"

class SHIPprg;
class OkulVessel;

namespace testworld {

class SimulationWorld {
public:
    SimulationWorld();
    ~SimulationWorld();
    SimulationWorld(const SimulationWorld &) = delete;
    SimulationWorld &operator=(const SimulationWorld &) = delete;

    // Loads Scenarios/<name> of the installation; false with the message.
    bool loadInstalled(const std::string &name, std::string &error);
    // Writes the text into the working folder and loads it.
    bool loadText(const std::string &text, std::string &error);
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

    const std::string &workDir() const { return workDir_; }
    std::string readWorkFile(const std::string &name) const;

private:
    std::string workDir_;
    std::string previousDir_;
    sim::Simulation *simulation_;
};

// A low orbit about the Earth on 25 September 1975 with both hosts and the
// console. `consoleLines` are the console's lines after its STATUS block
// (ATTACHED and scenario keys).
std::string twoHostScenario(const std::string &consoleLines);

}  // namespace testworld
