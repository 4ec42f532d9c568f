// What the scenario tools of the console share besides the design: their
// command line and ephemeris, the vessels every scenario of the console's
// flights carries (TAVR-12 holding its +y axis toward the Earth, mode 0, with
// the console on its point 0, configuration 1, both on the designed state;
// the relay K12 Orbiter on its 10,000 km circular orbit about Mars), and
// writing the file.
#pragma once

#include <string>
#include <vector>

#include "ArrivalDesign.h"

namespace arrival_design {

// "<tool> <installation folder> <scenario file>": loads the installation's
// Config/Ephemeris/de405_1970_1989.bin. On a wrong command line or a missing
// ephemeris prints why and returns false with the exit code in status.
bool OpenInstallation(int argc, char **argv, sim::SolarSystemEphemeris &ephemeris, int &status);

// TAVR-12 (with its propellant level, 0 to 1) and OKUL attached to it.
std::vector<ScenarioVessel> SpacecraftWithConsole(double propellantLevel);

// The complete vessel block of the relay.
std::string RelayAboutMars();

// Writes the text to the file; prints why and returns false when it cannot.
bool WriteScenario(const std::string &path, const std::string &text);

}  // namespace arrival_design
