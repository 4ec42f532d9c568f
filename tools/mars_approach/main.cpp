// Writes the Mars approach scenario of TAVR-12.
//   mars_approach <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <string>

#include "ConsoleScenario.h"
#include "MarsApproach.h"

int main(int argc, char **argv) {
    sim::SolarSystemEphemeris ephemeris;
    int status = 0;
    if (!arrival_design::OpenInstallation(argc, argv, ephemeris, status)) return status;
    sim::GravityModel gravity(ephemeris);
    const mars_approach::Design design;
    const mars_approach::FreeState start = mars_approach::DesignStart(ephemeris, gravity, design);
    const mars_approach::Periapsis uncorrected =
        mars_approach::FindPeriapsis(ephemeris, gravity, start, 40.0);
    std::printf("start MJD %.6f; uncorrected periapsis MJD %.5f, radius %.1f km, %.1f km from the target\n",
                start.mjd, uncorrected.mjd, length(uncorrected.relativePosition) / 1000.0,
                uncorrected.targetMiss / 1000.0);

    // The console on TAVR-12, and the relay about Mars.
    const std::string text = mars_approach::ScenarioText(ephemeris, start, arrival_design::SpacecraftWithConsole(0.85),
                                                         "OKUL", arrival_design::RelayAboutMars());
    return arrival_design::WriteScenario(argv[2], text) ? 0 : 1;
}
