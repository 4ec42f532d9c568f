// The vessels every scenario of the console's flights carries, and the
// opening of a scenario tool: TAVR-12 holding its +y axis toward the Earth
// (mode 0) with the console on its point 0 (configuration 1), both on the
// designed state, and the relay K12 Orbiter on its 10,000 km circular orbit
// about Mars.
#pragma once

#include <string>
#include <vector>

#include "ArrivalDesign.h"

namespace arrival_design {

// TAVR-12 (with its propellant level, 0 to 1) and OKUL attached to it.
std::vector<ScenarioVessel> SpacecraftWithConsole(double propellantLevel);

// The complete vessel block of the relay.
std::string RelayAboutMars();

// Loads Config/Ephemeris/de405_1970_1989.bin of the installation folder;
// false with the reason.
bool LoadInstallationEphemeris(const std::string &installation, sim::SolarSystemEphemeris &ephemeris,
                               std::string &error);

}  // namespace arrival_design
