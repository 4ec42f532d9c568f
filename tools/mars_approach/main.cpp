// Writes the Mars approach scenario of TAVR-12.
//   mars_approach <installation folder> <scenario file>
// The installation folder holds Config/Ephemeris/de405_1970_1989.bin.
#include <cstdio>
#include <fstream>
#include <string>

#include "ConsoleScenario.h"
#include "MarsApproach.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <installation folder> <scenario file>\n", argv[0]);
        return 2;
    }
    sim::SolarSystemEphemeris ephemeris;
    std::string error;
    if (!arrival_design::LoadInstallationEphemeris(argv[1], ephemeris, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    sim::GravityModel gravity(ephemeris);
    const mars_approach::Design design;
    const mars_approach::FreeState start = mars_approach::DesignStart(ephemeris, gravity, design);
    const mars_approach::Periapsis uncorrected =
        mars_approach::FindPeriapsis(ephemeris, gravity, start, 40.0);
    std::printf("start MJD %.6f; uncorrected periapsis MJD %.5f, radius %.1f km, %.1f km from the target\n",
                start.mjd, uncorrected.mjd, length(uncorrected.relativePosition) / 1000.0,
                uncorrected.targetMiss / 1000.0);

    std::ofstream out(argv[2]);
    out << mars_approach::ScenarioText(ephemeris, start, arrival_design::SpacecraftWithConsole(0.85), "OKUL",
                                       arrival_design::RelayAboutMars());
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
